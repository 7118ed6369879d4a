#include "varim/panels/channel_fields.h"

#include <cstdio>
#include <iterator>
#include <limits>

namespace varim::panels {

namespace {

constexpr std::size_t kModesWithoutIsb = 3;
constexpr std::size_t kLongestFrequency = 9;
constexpr int kUnknownCode = -1;
constexpr std::uint32_t kDecimalWeights[] = {10000, 1000, 100, 10, 1};
constexpr std::uint32_t kUnitsPerMegahertz = 100000;  // of 10 Hz
constexpr std::uint32_t kHertzPerUnit = 10;

}  // namespace

ChannelChoices ChoicesOf(ChannelSetting field, bool isbPresent) {
  switch (field) {
    case ChannelSetting::kPower:
      return kPowerChoices;
    case ChannelSetting::kBand:
      return kBandChoices;
    case ChannelSetting::kMode:
      return ChannelChoices(kModeChoices)
          .first(isbPresent ? std::size(kModeChoices) : kModesWithoutIsb);
    case ChannelSetting::kAgc:
      return kAgcChoices;
    case ChannelSetting::kBandwidth:
      return kBandwidthChoices;
  }
  return {};
}

int RowOfCode(ChannelSetting field, int code, bool isbPresent) {
  const ChannelChoices choices = ChoicesOf(field, isbPresent);
  // Any non-zero sideband is the upper one, as the radio treats it.
  if (field == ChannelSetting::kBand) return code == 0 ? 0 : 1;
  for (std::size_t row = 0; row < choices.size(); ++row) {
    if (choices[row].code == code) return static_cast<int>(row);
  }
  const bool lastForUnknown =
      field == ChannelSetting::kPower || field == ChannelSetting::kBandwidth;
  return lastForUnknown ? static_cast<int>(choices.size()) - 1 : kUnknownCode;
}

std::uint8_t& FieldOf(channel& record, ChannelSetting field) {
  switch (field) {
    case ChannelSetting::kPower:
      return record.tx_power;
    case ChannelSetting::kBand:
      return record.sideband;
    case ChannelSetting::kMode:
      return record.mode;
    case ChannelSetting::kAgc:
      return record.agc;
    case ChannelSetting::kBandwidth:
      break;
  }
  return record.bandwidth;
}

std::string FrequencyText(std::uint32_t hertz) {
  const std::uint32_t units = hertz / kHertzPerUnit;
  char text[24];
  std::snprintf(text, sizeof text, "%u.%05u", units / kUnitsPerMegahertz,
                units % kUnitsPerMegahertz);
  return text;
}

bool IsFrequencyText(std::string_view text) {
  if (text.empty() || text.size() > kLongestFrequency) return false;
  int points = 0;
  int digits = 0;
  for (const char c : text) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      return false;
    }
  }
  return points <= 1 && digits > 0;
}

std::optional<std::uint32_t> FrequencyHertz(std::string_view megahertz) {
  if (!IsFrequencyText(megahertz)) return std::nullopt;
  const std::size_t point = megahertz.find('.');
  // Nine digits of MHz are far beyond what 32 bits of Hz hold: counted wide, then refused.
  std::uint64_t whole = 0;
  for (const char c : megahertz.substr(0, point))
    whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
  std::uint64_t units = whole * kUnitsPerMegahertz;
  if (point != std::string_view::npos) {
    const std::string_view decimals = megahertz.substr(point + 1);
    for (std::size_t i = 0; i < decimals.size() && i < std::size(kDecimalWeights); ++i)
      units += static_cast<std::uint64_t>(decimals[i] - '0') * kDecimalWeights[i];
  }
  const std::uint64_t hertz = units * kHertzPerUnit;
  if (hertz > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::uint32_t>(hertz);
}

}  // namespace varim::panels
