#include "varim/panels/radio_options_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>

#include "varim/db/configuration_check.h"
#include "varim/testing/recording_operator.h"

namespace {

using ::testing::Contains;
using varim::panels::RadioOptionsPage;
using List = RadioOptionsPage::OptionList;
using Box = RadioOptionsPage::Box;
using State = RadioOptionsPage::CheckState;
using enum RadioOptionsPage::CheckState;

constexpr std::size_t Option(std::size_t field) {
  return offsetof(dbase, radio_options) + field;
}
constexpr int kNone = RadioOptionsPage::kNoSelection;
constexpr int kNoiseBlankerOption = 2;

class RadioOptionsPageTest : public ::testing::Test {
 protected:
  std::uint8_t& Byte(std::size_t offset) {
    return reinterpret_cast<std::uint8_t*>(&db_.radio)[offset];
  }
  std::string Shown(List list) const {
    const int selection = page_.Selection(list);
    return selection == kNone
               ? ""
               : RadioOptionsPage::Entries(list)[static_cast<std::size_t>(selection)];
  }

  varim::db::RadioDatabases db_ = varim::db::EmptyRadioDatabases();
  varim::db::PresenceFlags flags_;
  varim::testing::RecordingOperator operator_;
  RadioOptionsPage page_{db_, flags_, operator_};
};

TEST_F(RadioOptionsPageTest, ListsShowTheirFieldAndStoreTheChoice) {
  struct Case {
    List list;
    std::size_t offset;
    int loaded;
    int selection;
    int stored;     // what an untouched list stores
    int firstCode;  // what the first entry stores
  } cases[] = {
      {List::kScanRate, Option(offsetof(radio_options, scan_rate)), 5, 4, 5, 1},
      {List::kScanRate, Option(offsetof(radio_options, scan_rate)), 6, kNone, 6, 1},
      {List::kBaudRate, Option(offsetof(radio_options, baud_rate)), 0, 0, 0, 0},
      {List::kAlertTone, Option(offsetof(radio_options, alert_tone)), 2, kNone, 2, 0},
      {List::kCwPttHold, Option(offsetof(radio_options, cw_ptt_hold)), 15, 0, 15, 15},
      {List::kCwPttHold, Option(offsetof(radio_options, cw_ptt_hold)), 30, kNone, 50, 15},
      {List::kAlternateDisplay, Option(offsetof(radio_options, alternate_display_time)), 10, 9, 10,
       1},
      {List::kAlternateDisplay, Option(offsetof(radio_options, alternate_display_time)), 0, kNone,
       5, 1},
      {List::kDataPowerLevel, Option(offsetof(radio_options, data_power_level)), 1, kNone, 2, 2},
      {List::kDataPowerLevel, Option(offsetof(radio_options, data_power_level)), 4, 2, 4, 2},
      {List::kLanguage, offsetof(dbase, language), 3, 3, 3, 0},
      {List::kLanguage, offsetof(dbase, language), 4, kNone, 4, 0},
  };
  for (const Case& c : cases) {
    Byte(c.offset) = static_cast<std::uint8_t>(c.loaded);
    page_.Load();
    EXPECT_EQ(page_.Selection(c.list), c.selection) << c.offset << " loaded " << c.loaded;
    page_.Store();
    EXPECT_EQ(Byte(c.offset), c.stored) << c.offset << " loaded " << c.loaded;
    page_.Choose(c.list, 0);
    page_.Store();
    EXPECT_EQ(Byte(c.offset), c.firstCode) << c.offset;
  }
}

TEST_F(RadioOptionsPageTest, BoxesShowTheirFieldAndStoreTheirState) {
  flags_.extended_support = 1;
  db_.radio.options[kNoiseBlankerOption].status = 1;
  struct Case {
    Box box;
    std::size_t offset;
    int loaded;
    State state;
    int stored;
  } cases[] = {
      {Box::kBeepAfterKeyboardPress, Option(offsetof(radio_options, beep_after_keyboard_press)), 0,
       kUnchecked, 0},
      {Box::kAccessorySideTone, Option(offsetof(radio_options, accessory_side_tone)), 1, kChecked,
       1},
      {Box::kMicrophoneSideTone, Option(offsetof(radio_options, microphone_side_tone)), 7,
       kIndeterminate, 0},
      {Box::kHideFrequency, Option(offsetof(radio_options, frequency_display)), 0, kChecked, 0},
      {Box::kHideFrequency, Option(offsetof(radio_options, frequency_display)), 1, kUnchecked, 1},
      {Box::kNoiseBlanker, Option(offsetof(radio_options, noise_blanker)), 1, kChecked, 1},
      {Box::kTuner, offsetof(dbase, tuner), 2, kIndeterminate, 0},
  };
  for (const Case& c : cases) {
    Byte(c.offset) = static_cast<std::uint8_t>(c.loaded);
    page_.Load();
    EXPECT_EQ(page_.State(c.box), c.state) << c.offset << " loaded " << c.loaded;
    page_.Store();
    EXPECT_EQ(Byte(c.offset), c.stored) << c.offset << " loaded " << c.loaded;
  }
}

TEST_F(RadioOptionsPageTest, ChoosingAPriorityChannelRunsTheCheckAtOnce) {
  db_.radio.channels[0].tx_frequency = 7'000'000;
  std::vector<std::string> findings;
  page_.SetConfigurationChanged(
      [this, &findings] { findings = varim::db::CheckRssConfiguration(db_.radio, db_.ale); });
  page_.Choose(List::kPriorityChannel, 16);
  EXPECT_EQ(Shown(List::kPriorityChannel), "17");
  EXPECT_THAT(findings, Contains("Priority channel 17 is not programmed."));
}

TEST_F(RadioOptionsPageTest, AmplifierAndTunerExcludeEachOtherAndNeedExtendedSupport) {
  struct Case {
    Box first, second;
    int extended, accessory, tuner;
  } cases[] = {{Box::kTuner, Box::kAmplifier, 1, 1, 0},
               {Box::kAmplifier, Box::kTuner, 1, 0, 1},
               {Box::kTuner, Box::kAmplifier, 0, 0, 0},
               {Box::kAmplifier, Box::kTuner, 0, 0, 0}};
  for (const Case& c : cases) {
    flags_.extended_support = c.extended;
    db_.radio.accessory_installed = db_.radio.tuner = 0;
    page_.Load();
    page_.Check(c.first, true);
    page_.Check(c.second, true);
    EXPECT_EQ(page_.State(c.first), kUnchecked);
    EXPECT_EQ(page_.State(c.second), kChecked);
    page_.Store();
    EXPECT_EQ(db_.radio.accessory_installed, c.accessory);
    EXPECT_EQ(db_.radio.tuner, c.tuner);
  }
}

TEST_F(RadioOptionsPageTest, OtherAccessoriesAreDropped) {
  flags_.extended_support = 1;
  db_.radio.accessory_installed = 2;
  page_.Load();
  for (const Box box : {Box::kAmplifier, Box::kAccessory1, Box::kAccessory2})
    EXPECT_EQ(page_.State(box), kUnchecked);
  page_.Store();
  EXPECT_EQ(db_.radio.accessory_installed, 0);
}

TEST_F(RadioOptionsPageTest, ACcirRadioSpeaksEnglish) {
  db_.radio.language = 2;
  flags_.ccir_present = 1;
  page_.Load();
  EXPECT_EQ(Shown(List::kLanguage), "ENGLISH");
  EXPECT_FALSE(page_.Enabled(List::kLanguage));
  page_.Choose(List::kLanguage, 1);
  page_.Store();
  EXPECT_EQ(db_.radio.language, 0);
}

TEST_F(RadioOptionsPageTest, TheNoiseBlankerFollowsItsOptionAndTransfersHoldEverything) {
  for (const int status : {0, 1}) {
    db_.radio.options[kNoiseBlankerOption].status = static_cast<std::uint8_t>(status);
    page_.Load();
    page_.SetTransferRunning(true);
    EXPECT_FALSE(page_.Enabled(Box::kNoiseBlanker) || page_.Enabled(List::kScanRate));
    page_.SetTransferRunning(false);
    EXPECT_EQ(page_.Enabled(Box::kNoiseBlanker), status == 1);
    EXPECT_TRUE(page_.Enabled(List::kScanRate));
  }
}

TEST_F(RadioOptionsPageTest, ANewPageShowsTheDefaults) {
  db_.radio.radio_options.beep_after_ptt_release = 1;
  page_.Load();
  page_.NewPage();
  const std::pair<List, const char*> shown[] = {
      {List::kPriorityChannel, "1"},  {List::kScanRate, "3 Ch/Sec"},
      {List::kBaudRate, "9600"},      {List::kCwPttHold, "500 mSec"},
      {List::kAlertTone, "Low"},      {List::kAlternateDisplay, "5 Sec"},
      {List::kDataPowerLevel, "Max"}, {List::kLanguage, "ENGLISH"}};
  for (const auto& [list, text] : shown) EXPECT_EQ(Shown(list), text);
  for (int box = 0; box < RadioOptionsPage::kBoxes; ++box)
    EXPECT_EQ(page_.State(static_cast<Box>(box)) == kChecked,
              static_cast<Box>(box) == Box::kBeepAfterKeyboardPress)
        << RadioOptionsPage::kBoxLabels[static_cast<std::size_t>(box)];
}

TEST_F(RadioOptionsPageTest, TheBaudChoiceGivesTheSpeed) {
  for (const auto& [loaded, rate] : {std::pair{0, 1200}, {2, 4800}, {9, 0}}) {
    db_.radio.radio_options.baud_rate = static_cast<std::uint8_t>(loaded);
    page_.Load();
    EXPECT_EQ(page_.BaudRate(), rate) << loaded;
  }
  EXPECT_EQ(operator_.Notices(),
            varim::testing::RecordingOperator::Texts{"Baud Rate Index is not correct!"});
}

}  // namespace
