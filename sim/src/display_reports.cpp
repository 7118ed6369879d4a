#include "varim/sim/display_reports.h"

#include <vector>

#include "varim/radio_opcodes.h"
#include "varim/sim/radio_model.h"

namespace varim::sim::display_report {

namespace {

enum SubType : std::uint8_t {
  kChannelAndFrequency = 2,
  kLines = 3,
  kSoftKeys = 4,
  kIndicatorFields = 5,
  kFlagBits = 6,
  kNumber = 13,
  kIndicatorElevenOn = 14,
  kIndicatorElevenOff = 15,
};

constexpr std::size_t kLineWidth = 11;
constexpr std::size_t kFieldWidth = 5;
constexpr std::uint8_t kFieldOn = 0b10;
constexpr std::uint8_t kFieldOff = 0b01;
constexpr std::uint8_t kFieldUnchanged = 0b11;

void Append(std::vector<std::uint8_t>& data, const std::string& text, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i)
    data.push_back(static_cast<std::uint8_t>(i < text.size() ? text[i] : ' '));
}

CRadioMessage Report(std::vector<std::uint8_t> data) {
  return MakeRadioFrame(report::kDisplay, data);
}

}  // namespace

CRadioMessage ChannelAndFrequency(const std::string& channel, const std::string& frequency,
                                  std::uint8_t first, std::uint8_t second) {
  std::vector<std::uint8_t> data = {kChannelAndFrequency, first, second};
  Append(data, channel, kFieldWidth);
  Append(data, frequency, kFieldWidth);
  return Report(std::move(data));
}

CRadioMessage Lines(const std::string& line1, const std::optional<std::string>& line2,
                    std::uint8_t first, std::uint8_t second) {
  std::vector<std::uint8_t> data = {kLines, first, second};
  Append(data, line1, kLineWidth);
  if (line2) {
    Append(data, *line2, kLineWidth);  // the long form: 25 data bytes
  } else {
    data.insert(data.end(), {0, 0});  // the short form: 16 data bytes
  }
  return Report(std::move(data));
}

CRadioMessage SoftKeys(const std::array<std::string, 4>& labels) {
  std::vector<std::uint8_t> data = {kSoftKeys, 0, 0};
  Append(data, labels[0], 4);
  Append(data, labels[1], 4);
  Append(data, labels[2], 4);
  Append(data, labels[3], 3);
  return Report(std::move(data));
}

CRadioMessage Indicators(const std::array<Indicator, kIndicators>& indicators) {
  // Twelve pairs in three bytes; the last two pairs mean nothing.
  std::uint32_t fields = 0;
  for (int i = 0; i < 12; ++i) {
    std::uint8_t field = kFieldUnchanged;
    if (i < kIndicators) {
      field = indicators[static_cast<std::size_t>(i)] == Indicator::kOn    ? kFieldOn
              : indicators[static_cast<std::size_t>(i)] == Indicator::kOff ? kFieldOff
                                                                           : kFieldUnchanged;
    }
    fields = (fields << 2) | field;
  }
  return Report({kIndicatorFields, 0, static_cast<std::uint8_t>(fields >> 16),
                 static_cast<std::uint8_t>(fields >> 8), static_cast<std::uint8_t>(fields)});
}

CRadioMessage Flags(std::uint16_t mask) {
  return Report({kFlagBits, 0, static_cast<std::uint8_t>((mask >> 8) & 0x03),
                 static_cast<std::uint8_t>(mask & 0xFF)});
}

CRadioMessage Number(std::uint8_t number) {
  return Report({kNumber, 0, number});
}

CRadioMessage IndicatorElevenOn() {
  return Report({kIndicatorElevenOn});
}

CRadioMessage IndicatorElevenOffAndFlagsCleared() {
  return Report({kIndicatorElevenOff});
}

}  // namespace varim::sim::display_report
