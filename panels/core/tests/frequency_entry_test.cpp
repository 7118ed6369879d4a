#include "varim/panels/frequency_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "varim/panels/channel_fields.h"
#include "varim/panels/channel_texts.h"

namespace {

using varim::panels::FrequencyEntry;
using Box = FrequencyEntry::Box;
namespace texts = varim::panels::channel_texts;

TEST(FrequencyText, ConvertsWithoutRounding) {
  const struct {
    const char* text;
    std::optional<std::uint32_t> hertz;
  } cases[] = {
      {"7.12345", 7'123'450u},
      {"7.1234567", 7'123'450u},
      {"29.99999", 29'999'990u},
      {"1.6", 1'600'000u},
      {"12", 12'000'000u},
      {".5", 500'000u},
      {"0", 0u},
      {"1.2.3", std::nullopt},
      {"7,1", std::nullopt},
      {"", std::nullopt},
      {"1234567890", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(varim::panels::FrequencyHertz(c.text), c.hertz) << c.text;
  EXPECT_EQ(varim::panels::FrequencyText(7'123'459), "7.12345");
  EXPECT_EQ(varim::panels::FrequencyText(1'745'000), "1.74500");
}

TEST(ChannelChoices, UnknownCodesShowAsTheListSays) {
  using varim::panels::ChannelSetting;
  using varim::panels::RowOfCode;
  const struct {
    ChannelSetting field;
    int code;
    bool isb;
    int row;
  } cases[] = {
      {ChannelSetting::kPower, 4, false, 2},     {ChannelSetting::kPower, 9, false, 3},
      {ChannelSetting::kBandwidth, 5, false, 0}, {ChannelSetting::kBandwidth, 77, false, 5},
      {ChannelSetting::kAgc, 255, false, 2},     {ChannelSetting::kAgc, 7, false, -1},
      {ChannelSetting::kBand, 9, false, 1},      {ChannelSetting::kMode, 3, false, -1},
      {ChannelSetting::kMode, 3, true, 3},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RowOfCode(c.field, c.code, c.isb), c.row)
        << static_cast<int>(c.field) << " " << c.code;
  EXPECT_EQ(varim::panels::ChoicesOf(ChannelSetting::kMode, false).size(), 3u);
  EXPECT_EQ(varim::panels::ChoicesOf(ChannelSetting::kMode, true).back().text, std::string("ISB"));
}

struct Keystroke {
  Box box;
  std::string text;
  const char* message;  // nullptr: nothing said
  std::string tx, rx;   // the boxes afterwards
  bool duplex;
  bool programEnabled;
};

struct Scenario {
  const char* name;
  std::string tx, rx;  // as loaded
  std::vector<Keystroke> keys;
};

TEST(FrequencyEntry, RulesOnEveryKeystroke) {
  const Scenario scenarios[] = {
      {"typing 1 then 1.2 in Tx",
       "0.00000",
       "5.00000",
       {{Box::kTx, "1", nullptr, "1", "5.00000", true, false},
        {Box::kTx, "1.", nullptr, "1.", "5.00000", true, false},
        {Box::kTx, "1.2", texts::kTxRange, "1.2", "5.00000", true, false},
        {Box::kTx, "31", texts::kTxRange, "31", "5.00000", true, false},
        {Box::kTx, "12", nullptr, "12", "5.00000", true, true}}},
      {"Simplex mirrors both ways",
       "7.00000",
       "7.00000",
       {{Box::kRx, "8", nullptr, "8", "8", false, true},
        {Box::kTx, "9.5", nullptr, "9.5", "9.5", false, true},
        {Box::kRx, "x", nullptr, "9.5", "x", false, false}}},
      {"0.5 in Simplex Rx raises Tx and goes Duplex",
       "1.00000",
       "1.00000",
       {{Box::kRx, "0.5", texts::kTxRange, "1.6", "0.5", true, true}}},
      {"Tx 0 in Simplex goes Duplex",
       "7.00000",
       "7.00000",
       {{Box::kTx, "0", texts::kBothZero, "0", "7.00000", true, true}}},
      {"both zero undoes the keystroke",
       "0.00000",
       "3.5",
       {{Box::kRx, "0", texts::kBothZero, "0.00000", "3.5", true, false},
        {Box::kRx, "0.05", texts::kRxRange, "0.00000", "0.05", true, false},
        {Box::kRx, "0.1", nullptr, "0.00000", "0.1", true, true}}},
      {"Tx both zero undoes",
       "2.5",
       "0.00000",
       {{Box::kTx, "0", texts::kBothZero, "2.5", "0.00000", true, false}}},
  };
  for (const Scenario& s : scenarios) {
    FrequencyEntry entry;
    entry.Load(s.tx, s.rx);
    for (const Keystroke& k : s.keys) {
      const FrequencyEntry::Verdict verdict = entry.Change(k.box, k.text, true);
      const std::string where = std::string(s.name) + ": " + k.text;
      EXPECT_STREQ(verdict.message ? verdict.message : "", k.message ? k.message : "") << where;
      EXPECT_EQ(entry.Text(Box::kTx), k.tx) << where;
      EXPECT_EQ(entry.Text(Box::kRx), k.rx) << where;
      EXPECT_EQ(entry.Duplex(), k.duplex) << where;
      EXPECT_EQ(entry.ProgramEnabled(), k.programEnabled) << where;
    }
  }
}

TEST(FrequencyEntry, NothingIsCheckedWithoutARadioAndSimplexNeedsATxFrequency) {
  FrequencyEntry entry;
  entry.Load("7.00000", "7.00000");
  EXPECT_EQ(entry.Change(Box::kTx, "1.2", false).message, nullptr);
  EXPECT_EQ(entry.Text(Box::kRx), "7.00000") << "no mirroring either";

  entry.Load("0.00000", "0.5");
  entry.Focus(Box::kRx);
  EXPECT_STREQ(entry.ChooseSimplex().message, texts::kTxRange);
  EXPECT_TRUE(entry.Duplex());
  entry.Focus(Box::kTx);
  EXPECT_STREQ(entry.ChooseSimplex().message, texts::kBothZero);
  EXPECT_TRUE(entry.Duplex());
  entry.Change(Box::kRx, "4.25", true);
  EXPECT_EQ(entry.ChooseSimplex().message, nullptr);
  EXPECT_FALSE(entry.Duplex());
  EXPECT_EQ(entry.Text(Box::kTx), "4.25");
}

}  // namespace
