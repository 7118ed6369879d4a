#include "varim/panels/channel_csv.h"

#include <gtest/gtest.h>

#include <cstring>

#include "sample_database.h"
#include "varim/db/radio_databases.h"
#include "varim/panels/channel_configuration.h"

namespace {

using varim::panels::ChannelsCsv;
using varim::panels::ImportChannelsCsv;

const std::string kHeader = std::string(varim::panels::kChannelCsvHeader) + "\r\n";

class ChannelCsvTest : public ::testing::Test {
 protected:
  ChannelCsvTest() {
    // A plan with gaps, a channel that only transmits and one that only receives.
    radio_.channels[2] = channel{};
    radio_.channels[149] = channel{};
    radio_.channels[6].rx_frequency = 0;
    radio_.channels[7].tx_frequency = 0;
  }

  dbase radio_ = varim::db::testing::MakeSampleDatabase().radio;
};

TEST_F(ChannelCsvTest, ExportedPlanImportsIntoAnEmptyRadioAsItWas) {
  const std::string text = ChannelsCsv(radio_);
  dbase imported = varim::db::EmptyRadioDatabases().radio;
  const auto result = ImportChannelsCsv(text, imported);
  ASSERT_TRUE(result.ok) << "line " << result.line << ": " << result.reason;
  EXPECT_EQ(result.channels, kMaxChannel - 2);
  EXPECT_EQ(ChannelsCsv(imported), text);
  EXPECT_EQ(std::memcmp(imported.channels, radio_.channels, sizeof radio_.channels), 0);
}

TEST(ChannelCsvExportTest, RowsHoldTheFileTextsAndNoCellForNoFrequency) {
  dbase radio{};
  radio.channels[6] = {4, 1, 4, 12'345'600, 0, 1, 2};
  radio.channels[9] = {9, 1, 0, 2'000'000, 2'000'000, 0, 0};  // a power no list knows
  radio.channels[199] = {2, 0, 3, 0, 100'000, 255, 3};
  EXPECT_EQ(ChannelsCsv(radio), kHeader +
                                    "7,12.34560,,High,USB,AME,Fast,3000\r\n"
                                    "10,2.00000,2.00000,,USB,SSB,Slow,2700\r\n"
                                    "200,,0.10000,Low,LSB,ISB,Off,CW\r\n");
}

TEST_F(ChannelCsvTest, TheFileIsTheWholePlanWhateverItsLineEnds) {
  dbase expected{};
  expected.channels[11] = {2, 0, 2, 0, 2'500'000, 255, 1};
  for (const std::string end : {"\n", "\r\n"}) {
    dbase radio = radio_;
    const std::string text = "\xEF\xBB\xBF" + std::string(varim::panels::kChannelCsvHeader) + end +
                             "12,,2.5,Low,LSB,PLT,Off,LSM" + end + end;
    const auto result = ImportChannelsCsv(text, radio);
    ASSERT_TRUE(result.ok) << "line " << result.line << ": " << result.reason;
    EXPECT_EQ(result.channels, 1);
    EXPECT_EQ(std::memcmp(radio.channels, expected.channels, sizeof radio.channels), 0);
  }
}

TEST_F(ChannelCsvTest, TheFirstBadLineRefusesTheWholeFile) {
  const std::string rest = ",Max,USB,SSB,Slow,2700\r\n";
  const std::string good = kHeader + "1,7.5,7.5" + rest;
  struct Case {
    std::string text;
    int line;
    std::string reason;
  } cases[] = {
      {"Channel,Tx,Rx,Power,Band,Mode,AGC,BW\r\n", 1,
       "the header must be exactly Channel,Tx MHz,Rx MHz,Power,Band,Mode,AGC,BW"},
      {good + "2,7.5.1," + rest, 3, "Tx MHz 7.5.1 is an invalid frequency"},
      {good + "2,31," + rest, 3, "Tx MHz 31 is out of range. TX frequency range is 1.6 to 30Mhz."},
      {kHeader + "2,,0.05" + rest, 2,
       "Rx MHz 0.05 is out of range. RX frequency range is 0.1 to 30Mhz."},
      {kHeader + "2,," + rest, 2, varim::panels::ChannelConfiguration::kBothZero},
      {kHeader + "2,7.5,,max,USB,SSB,Slow,2700", 2,
       "Power 'max' is not one of Low, Medium, High, Max (the case matters)"},
      {good + "1,8,8" + rest, 3, "channel 1 is listed again (first on line 2)"},
      {kHeader + "0,7.5," + rest, 2, "Channel 0 is no channel number (1 to 200)"},
      {kHeader + "201,7.5," + rest, 2, "Channel 201 is no channel number (1 to 200)"},
      {kHeader + "\"2\",7.5," + rest, 2, "quoted fields are not supported"},
      {kHeader + "2,7.5,,Max,USB,SSB,Slow", 2, "8 columns expected, found 7"},
      {kHeader + "\r\n" + good, 2, "empty line"},
  };
  for (const Case& c : cases) {
    dbase radio = radio_;
    const auto result = ImportChannelsCsv(c.text, radio);
    EXPECT_FALSE(result.ok) << c.text;
    EXPECT_EQ(result.line, c.line) << c.text;
    EXPECT_EQ(result.reason, c.reason);
    EXPECT_EQ(std::memcmp(&radio, &radio_, sizeof radio), 0) << "changed by " << c.text;
  }
}

}  // namespace
