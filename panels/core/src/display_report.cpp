#include "varim/panels/display_report.h"

#include <algorithm>
#include <cstddef>

namespace varim::panels {

namespace {

using Apply = void (*)(const CRadioMessage&, DisplayModel&, DisplayPanel&);

// The two-bit indicator fields: 00 and 10 light the indicator, 01 darkens it, 11 leaves it.
constexpr int kFieldStates[4] = {kIndicatorShown, kIndicatorHidden, kIndicatorShown,
                                 kIndicatorKept};

// The head draws its own glyphs for these codes in a notch-filter line ("NF" not followed by
// "O" of "ON"/"OFF" in the fourth place).
struct Glyph {
  char code;
  char shown;
};
constexpr Glyph kGlyphs[] = {{4, '='}, {5, '('}, {6, ')'}};
constexpr std::size_t kFirstGlyphPosition = 3;
constexpr std::size_t kLastGlyphPosition = 8;

// The number of sub-type 13 takes positions 7 to 9 of line 1 and ends the line.
constexpr std::size_t kNumberPosition = 7;
constexpr int kNumberField = 4;

constexpr std::size_t kLineLength = 11;
constexpr int kLongLinesFrameLength = 26;

template <std::size_t N>
void CopyText(const CRadioMessage& frame, int first, std::size_t count, std::array<char, N>& to) {
  to.fill(0);
  for (std::size_t i = 0; i < count && i < N - 1; ++i)
    to[i] = static_cast<char>(frame.GetDataByte(first + static_cast<int>(i)));
}

void RedrawIndicatorsAndFlags(const DisplayModel& model, DisplayPanel& panel) {
  if (model.indicatorsOn < kIndicatorsDrawnBelow) panel.RedrawIndicators(model);
  panel.RedrawFlags(model);
}

void FixGlyphs(DisplayLine& line) {
  if (line[0] != 'N' || line[1] != 'F' || line[3] == 'O') return;
  for (std::size_t i = kFirstGlyphPosition; i <= kLastGlyphPosition; ++i) {
    for (const Glyph& glyph : kGlyphs) {
      if (line[i] == glyph.code) line[i] = glyph.shown;
    }
  }
}

void ChannelAndFrequency(const CRadioMessage& frame, DisplayModel& model, DisplayPanel& panel) {
  model.fieldBytes = {frame.GetDataByte(1), frame.GetDataByte(2)};
  CopyText(frame, 3, 5, model.channel);
  CopyText(frame, 8, 5, model.frequency);
  panel.RedrawFields(model, model.fieldBytes[0], model.fieldBytes[1]);
}

void Lines(const CRadioMessage& frame, DisplayModel& model, DisplayPanel& panel) {
  model.lineBytes = {frame.GetDataByte(1), frame.GetDataByte(2)};
  CopyText(frame, 3, kLineLength, model.line1);
  if (frame.GetLen() == kLongLinesFrameLength) CopyText(frame, 14, kLineLength, model.line2);
  FixGlyphs(model.line1);
  panel.RedrawLines(model);
}

void SoftKeys(const CRadioMessage& frame, DisplayModel& model, DisplayPanel& panel) {
  // The last label is one character shorter: the head has no room for a fourth.
  constexpr int kFirst[kSoftKeys] = {3, 7, 11, 15};
  constexpr std::size_t kLength[kSoftKeys] = {4, 4, 4, 3};
  for (std::size_t key = 0; key < kSoftKeys; ++key)
    CopyText(frame, kFirst[key], kLength[key], model.softKeys[key]);
  panel.RedrawSoftKeys(model);
}

void Indicators(const CRadioMessage& frame, DisplayModel& model, DisplayPanel& panel) {
  int on = 0;
  for (int i = 0; i < kIndicators; ++i) {
    const int byte = frame.GetDataByte(2 + i / 4);
    const int field = (byte >> (6 - 2 * (i % 4))) & 0x03;
    model.indicators[static_cast<std::size_t>(i)] = kFieldStates[field];
    on += kFieldStates[field] == kIndicatorShown ? 1 : 0;
  }
  model.indicatorsOn = on;
  if (on < kIndicatorsDrawnBelow) panel.RedrawIndicators(model);
}

void Flags(const CRadioMessage& frame, DisplayModel& model, DisplayPanel& panel) {
  const int bits = frame.GetDataByte(3) | ((frame.GetDataByte(2) & 0x03) << 8);
  for (int flag = 0; flag < kDisplayFlags; ++flag)
    model.flags[static_cast<std::size_t>(flag)] = ((bits >> flag) & 1) != 0;
  panel.RedrawFlags(model);
}

void Number(const CRadioMessage& frame, DisplayModel& model, DisplayPanel& panel) {
  DisplayLine& line = model.line1;
  // A line shorter than the number's place would end before it and hide the number.
  std::replace(line.begin(), line.begin() + kNumberPosition, '\0', ' ');
  const std::string number = NumberText(frame.GetDataByte(2), kNumberField);
  std::copy(number.begin(), number.end(), line.begin() + kNumberPosition);
  std::fill(line.begin() + kNumberPosition + number.size(), line.end(), '\0');
  panel.RedrawLines(model);
}

void IndicatorElevenOn(const CRadioMessage&, DisplayModel& model, DisplayPanel& panel) {
  model.indicators[kIndicators] = 1;
  RedrawIndicatorsAndFlags(model, panel);
}

void IndicatorElevenOffFlagsCleared(const CRadioMessage&, DisplayModel& model,
                                    DisplayPanel& panel) {
  model.flags.fill(false);
  model.indicators[kIndicators] = 0;
  RedrawIndicatorsAndFlags(model, panel);
}

struct SubType {
  int code;
  int dataBytes;  // the sub-type byte included
  Apply apply;
};

constexpr SubType kSubTypes[] = {
    {2, 13, ChannelAndFrequency},
    {3, 14, Lines},
    {4, 18, SoftKeys},
    {5, 5, Indicators},
    {6, 4, Flags},
    {13, 3, Number},
    {14, 1, IndicatorElevenOn},
    {15, 1, IndicatorElevenOffFlagsCleared},
};

}  // namespace

void ApplyDisplayReport(const CRadioMessage& frame, DisplayModel& model, DisplayPanel& panel) {
  const int dataBytes = frame.GetLen() - 1;
  if (dataBytes < 1) return;
  const int code = frame.GetDataByte(0);
  for (const SubType& subType : kSubTypes) {
    // A short report would be read past its end, from whatever the frame held before.
    if (subType.code == code && dataBytes >= subType.dataBytes) subType.apply(frame, model, panel);
  }
}

}  // namespace varim::panels
