#include "varim/db/rss_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "sample_database.h"
#include "varim/byte_order.h"
#include "varim/db/channel_set.h"

namespace {

// Packed fields are compared by value (+field): a reference to one would be misaligned.

using namespace varim::db;

bool HasLine(const ProfileFile& file, const std::string& line) {
  return ("\r\n" + file.Text()).find("\r\n" + line + "\r\n") != std::string::npos;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class RssFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/rss-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

  std::string folder_;
  dbase radio_{};
  channel_name numbers_{};
  FileInformation info_{};
  PresenceFlags flags_;
};

TEST_F(RssFileTest, ChannelGroupAndOptionLinesAreWrittenAsTheRadioFilesHoldThem) {
  radio_.channels[4] = {5, 1, 0, 12'500'000, 12'500'000, 0, 0};
  radio_.channels[6] = {2, 0, 3, 0, 2'182'000, 255, 2};  // receive only
  radio_.groups[0].guard_channel = 3;
  for (const int c : {3, 7, 200}) AddChannel(radio_.groups[0].member_channels, c);
  radio_.groups[1].guard_channel = kNoChannel;
  AddChannel(radio_.groups[1].member_channels, 10);
  std::strcpy(radio_.options[2].sw_version, "1.2");
  std::strcpy(radio_.options[2].hw_version, "3.4");
  radio_.options[2].status = 1;
  radio_.radio_options.priority_channel = 5;

  ProfileFile file;
  WriteRadioFile(file, info_, radio_, flags_);
  EXPECT_TRUE(HasLine(file, "Channel5=Max,USB,12500000,12500000,Slow,SSB,2700"));
  EXPECT_TRUE(HasLine(file, "Channel7=Low,LSB,0,2182000,Off,AME,CW"));
  EXPECT_FALSE(file.HasKey("Channels", "Channel6")) << "unprogrammed channels leave no line";
  EXPECT_TRUE(HasLine(file, "Group_A=3,3,7,200"));
  EXPECT_TRUE(HasLine(file, "Group_B=65535,10"));
  EXPECT_FALSE(file.HasKey("Groups Guard Channels", "Group_C")) << "a group without members";
  EXPECT_TRUE(HasLine(file, "Noise Blanker=1.2,3.4,Enabled"));
  EXPECT_TRUE(HasLine(file, "Delete LSB=,,Disabled"));
  EXPECT_TRUE(HasLine(file, "Priority_Channel=5"));
  EXPECT_TRUE(HasLine(file, "Baud_Rate=1200")) << "code 0 is a legal baud rate";
}

TEST_F(RssFileTest, AFreshFileHasItsSectionsInTheSavedOrder) {
  radio_.channels[0] = {5, 1, 0, 2'182'000, 2'182'000, 0, 0};
  AddChannel(radio_.groups[0].member_channels, 1);
  std::strcpy(radio_.ecn_list[0], "ECN A");
  std::strcpy(radio_.sp_list[0], "SP1");
  std::strcpy(info_.comment, "Line one\r\nLine two");
  std::strcpy(info_.user_name, "tech");
  flags_.ccir_present = 1;
  const std::string path = folder_ + "/radio.rss";
  ASSERT_TRUE(SaveRssFile(path, info_, radio_, numbers_, flags_));

  ProfileFile file;
  ASSERT_TRUE(file.Load(path));
  EXPECT_EQ(file.SectionNames(),
            (std::vector<std::string>{"KLV", "Wide Information", "Options", "ECN List", "SP List",
                                      "Groups Guard Channels", "Channels", "Radio Options",
                                      "Accessories", "Ccir Channel Number"}));
  const std::string head =
      "[KLV]\r\nKLV_Version=2.10\r\nComment=Line one\\rLine two\r\nUserName=tech\r\n"
      "[Wide Information]\r\n";
  EXPECT_EQ(ReadWholeFile(path).substr(0, head.size()), head);
  EXPECT_NE(info_.file_time, 0u);
}

TEST_F(RssFileTest, ADatabaseWithoutChannelsHasNoChannelsSection) {
  ProfileFile file;
  WriteRadioFile(file, info_, radio_, flags_);
  EXPECT_FALSE(file.HasSection("Channels"));
  EXPECT_FALSE(file.HasSection("Ccir Channel Number"));
}

TEST_F(RssFileTest, AHandMadeFileTakesTheDefaultsForWhatItLacks) {
  ProfileFile file;
  file.Parse(
      "[channels]\nCHANNEL3=max,USB,7000000,7050000\nChannel4=High,LSB,8000000,8000000,Fast,AME,"
      "3300\n[Groups Guard Channels]\nGroup_B=\nGroup_A=4,4,3\n");
  dbase radio;
  std::memset(&radio, 0xEE, sizeof radio);
  ASSERT_EQ(ReadRadioFile(file, nullptr, &radio, flags_, false), 0);

  const channel& lowerCasePower = radio.channels[2];
  EXPECT_EQ(lowerCasePower.tx_power, 5) << "'max' is no list text: 0, then normalised to Max";
  EXPECT_EQ(lowerCasePower.sideband, 1);
  EXPECT_EQ(+lowerCasePower.tx_frequency, 7'000'000u);
  EXPECT_EQ(+lowerCasePower.rx_frequency, 7'050'000u);
  EXPECT_EQ(lowerCasePower.agc, 0) << "four columns: AGC, mode and bandwidth stay as zeroed";
  EXPECT_EQ(lowerCasePower.mode, 0);
  EXPECT_EQ(lowerCasePower.bandwidth, 0);
  EXPECT_EQ(radio.channels[3].tx_power, 4);
  EXPECT_EQ(radio.channels[3].agc, 1);
  EXPECT_EQ(radio.channels[3].mode, 2);
  EXPECT_EQ(radio.channels[3].bandwidth, 1);
  for (const int n : {1, 2, 5, 200}) {
    const channel& c = radio.channels[n - 1];
    EXPECT_EQ(c.tx_frequency + c.rx_frequency, 0u) << "channel " << n << " not programmed";
    EXPECT_EQ(c.tx_power, 5);
    EXPECT_EQ(c.sideband, 1);
  }
  EXPECT_EQ(+radio.groups[1].guard_channel, kNoChannel) << "guard 100 is no member: dropped";
  EXPECT_FALSE(AnyChannel(radio.groups[1].member_channels));
  EXPECT_EQ(+radio.groups[0].guard_channel, 4);
  EXPECT_TRUE(HasChannel(radio.groups[0].member_channels, 3));
  EXPECT_EQ(+radio.radio_options.priority_channel, 1);
  EXPECT_EQ(radio.radio_options.scan_rate, 2);
  EXPECT_EQ(radio.radio_options.baud_rate, 3);
  EXPECT_EQ(radio.radio_options.cw_ptt_hold, 50);
  EXPECT_EQ(radio.radio_options.alternate_display_time, 5);
  EXPECT_EQ(radio.radio_options.beep_after_keyboard_press, 1);
  EXPECT_EQ(radio.radio_options.data_power_level, 5);
  EXPECT_EQ(radio.options[0].status, 0) << "options default to disabled";
  EXPECT_EQ(radio.serial_number[0], '\0');
  EXPECT_EQ(flags_.isb_present.load(), 0);
}

TEST_F(RssFileTest, TheCommentKeepsItsLineBreaksThroughTheFile) {
  std::strcpy(info_.comment, "Net plan north\r\nchecked 12/2026");
  std::strcpy(info_.user_name, "R. Technician");
  ProfileFile file;
  WriteRadioFile(file, info_, radio_, flags_);
  EXPECT_TRUE(HasLine(file, "Comment=Net plan north\\rchecked 12/2026"));
  FileInformation read{};
  ASSERT_EQ(ReadRadioFile(file, &read, nullptr, flags_, false), 0);
  EXPECT_STREQ(read.comment, "Net plan north\r\nchecked 12/2026");
  EXPECT_STREQ(read.user_name, "R. Technician");
}

TEST_F(RssFileTest, CcirChannelNumbersGoWithChannelsThatHaveBothFrequencies) {
  radio_.channels[6] = {5, 1, 0, 4'000'000, 4'000'000, 0, 0};
  radio_.channels[7] = {5, 1, 0, 0, 4'000'000, 0, 0};
  WriteBigEndian16(numbers_.number[6], 1234);
  WriteBigEndian16(numbers_.number[7], 99);
  ProfileFile file;
  WriteCcirChannelNumbers(file, radio_, numbers_);
  EXPECT_EQ(file.Text(), "[Ccir Channel Number]\r\nChannel7=1234\r\n");

  channel_name read{};
  ReadCcirChannelNumbers(file, read, flags_);
  EXPECT_EQ(ReadBigEndian16(read.number[6]), 1234);
  EXPECT_EQ(flags_.ccir_present.load(), 1);

  ReadCcirChannelNumbers(ProfileFile{}, read, flags_);
  EXPECT_EQ(flags_.ccir_present.load(), 0) << "no numbers: no CCIR";
  EXPECT_EQ(ReadBigEndian16(read.number[6]), 0);

  flags_.ccir_from_file = 1;
  flags_.ccir_present = 1;
  ReadCcirChannelNumbers(ProfileFile{}, read, flags_);
  EXPECT_EQ(flags_.ccir_present.load(), 1) << "CCIR data from a .ccr file stays in use";
}

TEST_F(RssFileTest, TheIsbFlagTravelsWithTheFile) {
  flags_.isb_present = 1;
  ProfileFile file;
  WriteRadioFile(file, info_, radio_, flags_);
  EXPECT_TRUE(HasLine(file, "ISB=Yes"));
  PresenceFlags read;
  ReadRadioFile(file, nullptr, &radio_, read, false);
  EXPECT_EQ(read.isb_present.load(), 1);
}

TEST_F(RssFileTest, TheVersionCheckRefusesAnotherVersionWithoutChangingAnything) {
  ProfileFile file;
  file.Parse("[KLV]\r\nKLV_Version=2.01\r\n[Channels]\r\nChannel1=Max,USB,2000000,2000000\r\n");
  radio_.radio_options.priority_channel = 77;
  EXPECT_EQ(ReadRadioFile(file, nullptr, &radio_, flags_, true), kVersionMismatch);
  EXPECT_EQ(+radio_.radio_options.priority_channel, 77);
  std::string version;
  EXPECT_EQ(ReadRadioFile(file, nullptr, &radio_, flags_, false, &version), 0);
  EXPECT_EQ(version, "2.01");
  EXPECT_EQ(+radio_.channels[0].tx_frequency, 2'000'000u);

  ProfileFile current;
  WriteRadioFile(current, info_, radio_, flags_);
  EXPECT_EQ(ReadRadioFile(current, nullptr, &radio_, flags_, true), 0);
}

TEST_F(RssFileTest, SaveLoadSaveOfAFullDatabaseIsByteIdentical) {
  const auto sample = varim::db::testing::MakeSampleDatabase();
  std::strcpy(info_.comment, "Full programming\r\nall 200 channels");
  std::strcpy(info_.user_name, "depot");
  flags_.ccir_present = 1;
  flags_.isb_present = 1;
  const std::string first = folder_ + "/first.rss";
  const std::string second = folder_ + "/second.rss";
  ASSERT_TRUE(SaveRssFile(first, info_, sample.radio, sample.channelNames, flags_));

  PresenceFlags loadedFlags;
  FileInformation loadedInfo{};
  dbase loaded;
  channel_name loadedNumbers;
  ASSERT_TRUE(OpenRssFile(first, loadedInfo, loaded, loadedNumbers, loadedFlags));
  // The program word and the service area belong to the radio, not to its files.
  dbase expected = sample.radio;
  std::memset(expected.program_word, 0, sizeof expected.program_word);
  EXPECT_EQ(std::memcmp(&loaded, &expected, sizeof loaded), 0) << "every field came back";
  EXPECT_EQ(loadedFlags.ccir_present.load(), 1);
  EXPECT_EQ(loadedFlags.isb_present.load(), 1);
  ASSERT_TRUE(SaveRssFile(second, loadedInfo, loaded, loadedNumbers, loadedFlags));
  EXPECT_EQ(ReadWholeFile(first), ReadWholeFile(second));
}

TEST_F(RssFileTest, AFileThatCannotBeReadOrWrittenIsReported) {
  std::string error;
  dbase radio{};
  EXPECT_FALSE(OpenRssFile(folder_ + "/missing.rss", info_, radio, numbers_, flags_, &error));
  EXPECT_NE(error.find("missing.rss"), std::string::npos) << error;
  EXPECT_FALSE(
      SaveRssFile(folder_ + "/no/such/folder.rss", info_, radio, numbers_, flags_, &error));
  EXPECT_NE(error.find("folder.rss"), std::string::npos) << error;
}

}  // namespace
