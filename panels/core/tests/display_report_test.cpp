#include "varim/panels/display_report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "varim/radio_opcodes.h"

namespace {

using varim::panels::DisplayModel;

// A display report with these data bytes, its length as the radio would give it unless told.
CRadioMessage Report(std::vector<std::uint8_t> data, int length = -1) {
  CRadioMessage frame;
  frame.SetOpcode(report::kDisplay);
  frame.SetData(static_cast<std::uint8_t>(data.size()), data.data());
  frame.SetLen(static_cast<std::uint8_t>(length >= 0 ? length : static_cast<int>(data.size()) + 1));
  return frame;
}

std::vector<std::uint8_t> Bytes(std::initializer_list<std::uint8_t> head, const std::string& text) {
  std::vector<std::uint8_t> bytes(head);
  bytes.insert(bytes.end(), text.begin(), text.end());
  return bytes;
}

// Sub-type 3: line 1 alone in 17 bytes, or with line 2 in 26.
CRadioMessage Lines(const std::string& line1, const std::string* line2 = nullptr) {
  std::vector<std::uint8_t> data = Bytes({3, 0, 0}, line1);
  if (line2 != nullptr) {
    data.insert(data.end(), line2->begin(), line2->end());
  } else {
    data.insert(data.end(), {0, 0});
  }
  return Report(data);
}

// Indicator fields, most significant pair first: "1" lit (10), "0" dark (01), "-" kept (11).
CRadioMessage Indicators(const std::string& states) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 12; ++i) {
    const char state =
        i < static_cast<int>(states.size()) ? states[static_cast<std::size_t>(i)] : '-';
    bits = (bits << 2) | (state == '1' ? 0b10u : state == '0' ? 0b01u : 0b11u);
  }
  return Report({5, 0, static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 8),
                 static_cast<std::uint8_t>(bits)});
}

// Keeps the redraws the decoder asks for, in order.
class RecordingPanel : public varim::panels::DisplayPanel {
 public:
  void RedrawFields(const DisplayModel&, std::uint8_t first, std::uint8_t second) override {
    calls += "fields(" + std::to_string(first) + "," + std::to_string(second) + ") ";
  }
  void RedrawLines(const DisplayModel&) override { calls += "lines "; }
  void RedrawSoftKeys(const DisplayModel&) override { calls += "softkeys "; }
  void RedrawIndicators(const DisplayModel&) override { calls += "indicators "; }
  void RedrawFlags(const DisplayModel&) override { calls += "flags "; }
  std::string calls;
};

template <std::size_t N>
void Set(std::array<char, N>& field, const std::string& text) {
  field.fill(0);
  std::memcpy(field.data(), text.data(), text.size());
}

struct DecodeCase {
  const char* name;
  // Reports that set the display up, their redraws not counted.
  std::vector<CRadioMessage> before;
  CRadioMessage report;
  // What the report changes in the model that the reports before left.
  std::function<void(DisplayModel&)> change;
  std::string redraws;
};

const std::string kSecondLine = "SECOND LINE";

std::vector<DecodeCase> Cases() {
  return {
      {"ChannelAndFrequencyWithTheirBytes",
       {},
       Report(Bytes({2, 7, 9},
                    "CH 12"
                    "12500")),
       [](DisplayModel& m) {
         Set(m.channel, "CH 12");
         Set(m.frequency, "12500");
         m.fieldBytes = {7, 9};
       },
       "fields(7,9) "},
      {"ShortLinesReportChangesOnlyLineOne",
       {Lines("OLD FIRST  ", &kSecondLine)},
       Lines("SCANNING   "),
       [](DisplayModel& m) { Set(m.line1, "SCANNING   "); },
       "lines "},
      {"LongLinesReportChangesBothLines",
       {},
       Lines("FIRST LINE ", &kSecondLine),
       [](DisplayModel& m) {
         Set(m.line1, "FIRST LINE ");
         Set(m.line2, "SECOND LINE");
       },
       "lines "},
      {"NotchLineShowsTheHeadsGlyphs",
       {},
       Lines("NF 1\x05\x04\x06\x05\x06\x05\x05"),
       // Positions 9 and 10 lie outside the glyphs' place.
       [](DisplayModel& m) { Set(m.line1, "NF 1(=)()\x05\x05"); },
       "lines "},
      {"NotchOnOrOffKeepsItsCodes",
       {},
       Lines("NF O\x05\x05     "),
       [](DisplayModel& m) { Set(m.line1, "NF O\x05\x05     "); },
       "lines "},
      {"SoftKeysCutToTheirWidths",
       {},
       Report(Bytes({4, 0, 0}, "SQL MON SCANALE")),
       [](DisplayModel& m) {
         Set(m.softKeys[0], "SQL ");
         Set(m.softKeys[1], "MON ");
         Set(m.softKeys[2], "SCAN");
         Set(m.softKeys[3], "ALE");
       },
       "softkeys "},
      {"FewIndicatorsLitAreDrawn",
       {},
       Indicators("110000-1-1"),
       [](DisplayModel& m) {
         m.indicators = {1, 1, 0, 0, 0, 0, 2, 1, 2, 1, 0};
         m.indicatorsOn = 4;
       },
       "indicators "},
      {"SevenIndicatorsLitUpdateTheModelOnly",
       {},
       Indicators("1111111000"),
       [](DisplayModel& m) {
         m.indicators = {1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0};
         m.indicatorsOn = 7;
       },
       ""},
      {"FlagsFromTheirTwoBytes",
       {},
       Report({6, 0, 0xFE, 0x81}),
       [](DisplayModel& m) {
         m.flags = {true, false, false, false, false, false, false, true, false, true};
       },
       "flags "},
      {"NumberTakesPositionsSevenToNineAndEndsTheLine",
       {Lines("CHANNEL  XY")},
       Report({13, 0, 42}),
       [](DisplayModel& m) { Set(m.line1, "CHANNEL 42"); },
       "lines "},
      {"NumberZeroIsBlank",
       {Lines("CHANNEL 123")},
       Report({13, 0, 0}),
       [](DisplayModel& m) { Set(m.line1, "CHANNEL   "); },
       "lines "},
      {"NumberOnAnEmptyLineStillShows",
       {},
       Report({13, 0, 7}),
       [](DisplayModel& m) { Set(m.line1, std::string(9, ' ') + "7"); },
       "lines "},
      {"IndicatorElevenOn",
       {},
       Report({14}),
       [](DisplayModel& m) { m.indicators[10] = 1; },
       "indicators flags "},
      {"IndicatorElevenOnDuringTheLampTestDrawsOnlyFlags",
       {Indicators("1111111111")},
       Report({14}),
       [](DisplayModel& m) { m.indicators[10] = 1; },
       "flags "},
      {"IndicatorElevenOffClearsTheFlags",
       {Report({6, 0, 0x03, 0xFF}), Report({14})},
       Report({15}),
       [](DisplayModel& m) {
         m.flags.fill(false);
         m.indicators[10] = 0;
       },
       "indicators flags "},
      {"SubTypeZeroIgnored", {}, Report(Bytes({0, 0, 0}, "IGNORED    ")), {}, ""},
      {"SubTypeSixteenIgnored", {}, Report(Bytes({16, 0, 0}, "IGNORED    ")), {}, ""},
      {"UnlistedSubTypeIgnored", {}, Report(Bytes({7, 0, 0}, "IGNORED    ")), {}, ""},
      {"ReportTooShortForItsSubTypeIgnored",
       {},
       Report(Bytes({2, 0, 0},
                    "CH 12"
                    "12500"),
              8),
       {},
       ""},
  };
}

class DisplayReportTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DisplayReportTest, ChangesTheModelAndRedrawsWhatChanged) {
  const DecodeCase& c = GetParam();
  DisplayModel model;
  RecordingPanel panel;
  for (const CRadioMessage& before : c.before)
    varim::panels::ApplyDisplayReport(before, model, panel);
  DisplayModel expected = model;
  if (c.change) c.change(expected);
  panel.calls.clear();

  varim::panels::ApplyDisplayReport(c.report, model, panel);
  EXPECT_EQ(model, expected) << "line 1 \"" << varim::panels::FieldText(model.line1)
                             << "\", line 2 \"" << varim::panels::FieldText(model.line2) << "\"";
  EXPECT_EQ(panel.calls, c.redraws);
}

INSTANTIATE_TEST_SUITE_P(SubTypes, DisplayReportTest, ::testing::ValuesIn(Cases()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(DisplayModelTest, NumbersAreRightAlignedInTheirField) {
  EXPECT_EQ(varim::panels::NumberText(5, 4), "  5");
  EXPECT_EQ(varim::panels::NumberText(255, 4), "255");
  EXPECT_EQ(varim::panels::NumberText(0, 4), "   ");
  EXPECT_EQ(varim::panels::NumberText(12345, 4), "345") << "never wider than the field";
}

TEST(DisplayModelTest, LampsFollowTheirStatesAndKeepTheirsOnTwo) {
  DisplayModel model;
  model.indicators = {0, 1, 2, 2, 1, 0, 0, 0, 0, 0, 1};
  std::array<bool, varim::panels::kLamps> shown{};
  shown[0] = shown[2] = true;
  varim::panels::ApplyIndicators(model, shown);
  EXPECT_EQ(shown, (std::array<bool, varim::panels::kLamps>{false, true, true, false, true, false,
                                                            false, false, false, false, true}));
}

}  // namespace
