#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "varim/radio_records.h"

namespace varim::panels {

// One entry of the channel form's lists: what the operator reads and what the radio stores.
struct ChannelChoice {
  const char* text;
  std::uint8_t code;
};

using ChannelChoices = std::span<const ChannelChoice>;

// The channel form's lists in the order the operator sees them.
inline constexpr ChannelChoice kPowerChoices[] = {{"LOW", 2}, {"MED", 3}, {"HIGH", 4}, {"MAX", 5}};
inline constexpr ChannelChoice kBandChoices[] = {{"LSB", 0}, {"USB", 1}};
inline constexpr ChannelChoice kModeChoices[] = {{"SSB", 0}, {"PLT", 1}, {"AME", 2}, {"ISB", 3}};
inline constexpr ChannelChoice kAgcChoices[] = {{"Slow", 0}, {"Fast", 1}, {"Off", 255}};
inline constexpr ChannelChoice kBandwidthChoices[] = {{"2.1", 5}, {"2.7", 0}, {"3.0", 4},
                                                      {"3.3", 1}, {"LSM", 2}, {"CW", 3}};

enum class ChannelSetting { kPower, kBand, kMode, kAgc, kBandwidth };

// The entries the form offers for a field; ISB only on a radio that has it.
ChannelChoices ChoicesOf(ChannelSetting field, bool isbPresent);
// The row a stored code shows as. A code the power and bandwidth lists do not know shows as
// their last entry; any other field answers -1 (no entry) for an unknown code, and so does a
// radio without ISB for the ISB code.
int RowOfCode(ChannelSetting field, int code, bool isbPresent);
std::uint8_t& FieldOf(channel& record, ChannelSetting field);

// A stored frequency as the form shows it: MHz with five decimals, to the 10 Hz the radio keeps.
std::string FrequencyText(std::uint32_t hertz);
// The entry's text as the radio stores it, in Hz, to the 10 Hz without going through a float:
// 7.1234567 and 7.12345 both give 7,123,450. Nothing for a text that is no frequency.
std::optional<std::uint32_t> FrequencyHertz(std::string_view megahertz);
// 1 to 9 characters of digits with at most one decimal point.
bool IsFrequencyText(std::string_view text);

}  // namespace varim::panels
