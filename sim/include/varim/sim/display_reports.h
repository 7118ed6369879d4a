#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "varim/radio_message.h"

namespace varim::sim {

// The display reports (opcode 46) a control head sends, one builder per sub-type. Texts are
// padded with blanks or cut to their width.
namespace display_report {

inline constexpr int kIndicators = 10;
inline constexpr int kFlags = 10;

// How an indicator report sets each indicator.
enum class Indicator : std::uint8_t { kOn, kOff, kUnchanged };

// Sub-type 2: the channel field and the frequency field, 5 characters each.
CRadioMessage ChannelAndFrequency(const std::string& channel, const std::string& frequency,
                                  std::uint8_t first = 0, std::uint8_t second = 0);
// Sub-type 3: display line 1 and, in the long form, line 2; 11 characters each.
CRadioMessage Lines(const std::string& line1, const std::optional<std::string>& line2,
                    std::uint8_t first = 0, std::uint8_t second = 0);
// Sub-type 4: the soft-key labels, 4, 4, 4 and 3 characters.
CRadioMessage SoftKeys(const std::array<std::string, 4>& labels);
// Sub-type 5: ten indicators as two-bit fields, most significant pair first.
CRadioMessage Indicators(const std::array<Indicator, kIndicators>& indicators);
// Sub-type 6: ten display flags, bit n of the mask for flag n.
CRadioMessage Flags(std::uint16_t mask);
// Sub-type 13: a number in positions 7 to 9 of line 1.
CRadioMessage Number(std::uint8_t number);
// Sub-types 14 and 15: indicator 11 on; or off together with all display flags.
CRadioMessage IndicatorElevenOn();
CRadioMessage IndicatorElevenOffAndFlagsCleared();

}  // namespace display_report

}  // namespace varim::sim
