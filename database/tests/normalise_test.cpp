#include "varim/db/normalise.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "sample_database.h"
#include "varim/db/channel_set.h"
#include "varim/db/value_lists.h"

namespace {

// Packed fields are compared by value (+field): a reference to one would be misaligned.

using namespace varim::db;

template <std::size_t N>
std::string Text(const char (&field)[N]) {
  return {field, strnlen(field, N)};
}

TEST(ValueLists, TextsMatchExactlyAndMissesGiveTheMarker) {
  EXPECT_EQ(TextToCode(lists::kPower, "Max"), 5);
  EXPECT_EQ(TextToCode(lists::kPower, "max"), kNotInList) << "case matters";
  EXPECT_EQ(TextToCode(lists::kAgc, "Off"), 255);
  EXPECT_EQ(TextToCode(lists::kSilent, "No"), 1) << "silent is coded the other way round";
  EXPECT_EQ(TextToCode(lists::kAllCall, ""), 0) << "the empty text is an entry of this list";
  EXPECT_EQ(TextToCode(lists::kNoYes, ""), kNotInList);
  EXPECT_STREQ(CodeToText(lists::kOccupancy, 17), "1700 ms");
  EXPECT_STREQ(CodeToText(lists::kTuneTime, 20), "20 Sec");
  EXPECT_STREQ(CodeToText(lists::kSounding, 120), "Auto.-120 Min");
  EXPECT_STREQ(CodeToText(lists::kBiteResult, 3), "Unable to perform");
  EXPECT_STREQ(CodeToText(lists::kPower, 7), "");
  EXPECT_EQ(static_cast<std::uint8_t>(kNotInList), 0) << "a one-byte field stores a miss as 0";
}

TEST(NormaliseText, TerminatesFiltersAndClearsTheRest) {
  char field[8];
  std::memcpy(field, "1.2-3\0xy", 8);
  NormaliseText(field, sizeof field, charset::kVersion);
  EXPECT_EQ(std::string(field, 8), std::string("1.23\0\0\0\0", 8));

  std::memcpy(field, "ABCDEFGH", 8);  // no terminator at all
  NormaliseText(field, sizeof field, charset::kAlnum);
  EXPECT_EQ(std::string(field, 8), std::string("ABCDEFG\0", 8));

  char ecn[16] = "ECN-7 main";
  NormaliseText(ecn, sizeof ecn, charset::kAlnumSpace);
  EXPECT_EQ(Text(ecn), "ECN7 main") << "the hyphen goes, the blank stays";
  char sp[16] = "SP 1";
  NormaliseText(sp, sizeof sp, charset::kAlnum);
  EXPECT_EQ(Text(sp), "SP1");
}

TEST(NormaliseRadio, ChannelFieldsTakeTheirDefaultsOutsideTheirRanges) {
  dbase radio{};
  channel& c = radio.channels[0];
  c = {9, 7, 6, 1'599'999, 99'999, 2, 4};
  radio.channels[1] = {2, 0, 5, 1'600'000, 100'000, 255, 3};
  radio.channels[2].tx_frequency = 30'000'000;
  radio.channels[2].rx_frequency = 30'000'001;
  NormaliseRadioDatabase(radio);
  EXPECT_EQ(c.tx_power, 5);
  EXPECT_EQ(c.sideband, 1);
  EXPECT_EQ(c.bandwidth, 0);
  EXPECT_EQ(+c.tx_frequency, 0u);
  EXPECT_EQ(+c.rx_frequency, 0u);
  EXPECT_EQ(c.agc, 0);
  EXPECT_EQ(c.mode, 0);
  const channel& kept = radio.channels[1];
  EXPECT_EQ(kept.tx_power, 2);
  EXPECT_EQ(kept.sideband, 0);
  EXPECT_EQ(kept.bandwidth, 5);
  EXPECT_EQ(+kept.tx_frequency, 1'600'000u);
  EXPECT_EQ(+kept.rx_frequency, 100'000u);
  EXPECT_EQ(kept.agc, 255) << "AGC off survives";
  EXPECT_EQ(kept.mode, 3);
  EXPECT_EQ(+radio.channels[2].tx_frequency, 30'000'000u);
  EXPECT_EQ(+radio.channels[2].rx_frequency, 0u);
}

TEST(NormaliseRadio, RadioOptionsAndWideFields) {
  dbase radio{};
  radio.radio_options.priority_channel = 201;
  radio.radio_options.cw_ptt_hold = 16;
  radio.radio_options.baud_rate = 4;
  radio.service_word = 4096;
  radio.band_settings[0][0] = 61;
  radio.band_settings[0][5] = 128;
  radio.reserved_1222[3] = 9;
  std::memcpy(radio.program_word, "ABCD", 4);
  radio.options[5].status = 2;
  NormaliseRadioDatabase(radio);
  EXPECT_EQ(+radio.radio_options.priority_channel, 1);
  EXPECT_EQ(radio.radio_options.cw_ptt_hold, 50);
  EXPECT_EQ(radio.radio_options.baud_rate, 3);
  EXPECT_EQ(radio.radio_options.scan_rate, 2) << "0 is outside 1..5";
  EXPECT_EQ(radio.radio_options.alternate_display_time, 5);
  EXPECT_EQ(+radio.service_word, 2047);
  EXPECT_EQ(radio.band_settings[0][0], 30);
  EXPECT_EQ(radio.band_settings[0][5], 63);
  EXPECT_EQ(radio.band_settings[0][1], 0) << "0 is inside 0..70";
  EXPECT_EQ(radio.reserved_1222[3], 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(radio.program_word), 4), std::string("ABC\0", 4));
  EXPECT_EQ(radio.options[5].status, 0);

  radio.radio_options.priority_channel = 0;
  NormaliseRadioDatabase(radio);
  EXPECT_EQ(+radio.radio_options.priority_channel, 1);
}

TEST(NormaliseRadio, DeleteLsbAndNoiseBlankerOptionsActOnTheRecord) {
  dbase radio{};
  radio.channels[4].sideband = 0;
  radio.radio_options.noise_blanker = 1;
  radio.options[2].status = 1;  // noise blanker fitted
  NormaliseRadioDatabase(radio);
  EXPECT_EQ(radio.channels[4].sideband, 0);
  EXPECT_EQ(radio.radio_options.noise_blanker, 1);

  radio.options[1].status = 1;  // "Delete LSB"
  radio.options[2].status = 0;
  NormaliseRadioDatabase(radio);
  EXPECT_EQ(radio.channels[4].sideband, 1);
  EXPECT_EQ(radio.radio_options.noise_blanker, 0);
}

TEST(NormaliseGroups, AGuardThatIsNoMemberIsDroppedAndTheSetIsCleaned) {
  scan_group group{};
  group.guard_channel = 9;
  AddChannel(group.member_channels, 0);
  AddChannel(group.member_channels, 3);
  AddChannel(group.member_channels, 200);
  AddChannel(group.member_channels, 201);
  group.reserved[0] = 1;
  EXPECT_TRUE(NormaliseGroup(group));
  EXPECT_EQ(+group.guard_channel, kNoChannel);
  EXPECT_FALSE(HasChannel(group.member_channels, 0));
  EXPECT_TRUE(HasChannel(group.member_channels, 3));
  EXPECT_TRUE(HasChannel(group.member_channels, 200));
  EXPECT_FALSE(HasChannel(group.member_channels, 201));
  EXPECT_EQ(group.reserved[0], 0);
  EXPECT_FALSE(NormaliseGroup(group)) << "a clean group does not change";

  group.guard_channel = 3;
  EXPECT_FALSE(NormaliseGroup(group));
  EXPECT_EQ(+group.guard_channel, 3);
}

TEST(NormaliseAle, NetFieldsOptionsAndDials) {
  ale_dbase ale{};
  ale_net& net = ale.nets[0];
  net.scan_rate = 3;
  net.silent = 2;
  net.sounding = 45;
  net.occupancy_check = 2;
  net.all_call = 4;
  net.all_call_channel = 12;  // not scanned
  net.members[0] = 100;
  net.members[1] = kOwnSelfAddress;
  net.reserved[2] = 7;
  ale.nets[1].scan_rate = 5;
  ale.nets[1].occupancy_check = 30;
  ale.ale_options.min_lqa_score = 101;
  ale.ale_options.accept_link_timeout = 3;
  ale.auto_dials[0][0] = 100;
  ale.auto_dials[0][1] = 10;
  std::strcpy(ale.messages[0], "CALL ME: 0800");
  NormaliseAleDatabase(ale);
  EXPECT_EQ(net.scan_rate, 2);
  EXPECT_EQ(ale.nets[1].scan_rate, 5);
  EXPECT_EQ(net.silent, 1);
  EXPECT_EQ(net.sounding, 0);
  EXPECT_EQ(net.occupancy_check, 0);
  EXPECT_EQ(ale.nets[1].occupancy_check, 30);
  EXPECT_EQ(net.all_call, 3);
  EXPECT_EQ(+net.all_call_channel, kNoChannel);
  EXPECT_EQ(net.members[0], kNoEntry) << "no directory entry 100";
  EXPECT_EQ(net.members[1], kOwnSelfAddress);
  EXPECT_EQ(net.reserved[2], 7) << "a net's reserved bytes are carried";
  EXPECT_EQ(ale.ale_options.min_lqa_score, 0);
  EXPECT_EQ(ale.ale_options.accept_link_timeout, 0);
  EXPECT_EQ(ale.ale_options.alert, 0) << "0 is a legal value";
  EXPECT_EQ(ale.auto_dials[0][0], kNoEntry);
  EXPECT_EQ(ale.auto_dials[0][1], kNoEntry);
  EXPECT_EQ(Text(ale.messages[0]), "CALL ME 0800");
}

TEST(NormaliseSample, ALegalDatabaseDoesNotChange) {
  const auto sample = varim::db::testing::MakeSampleDatabase();
  dbase radio = sample.radio;
  NormaliseRadioDatabase(radio);
  EXPECT_EQ(std::memcmp(&radio, &sample.radio, sizeof radio), 0);
  ale_dbase ale = sample.ale;
  NormaliseAleDatabase(ale);
  EXPECT_EQ(std::memcmp(&ale, &sample.ale, sizeof ale), 0);
}

}  // namespace
