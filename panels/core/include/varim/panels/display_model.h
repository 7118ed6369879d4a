#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace varim::panels {

inline constexpr int kIndicators = 10;
// The ten indicators of the indicator reports and indicator 11, drawn together.
inline constexpr int kLamps = kIndicators + 1;
inline constexpr int kDisplayFlags = 10;
inline constexpr int kSoftKeys = 4;
// With fewer indicators than this lit, the panel draws them; more are the head's lamp test and
// would only make the panel flicker.
inline constexpr int kIndicatorsDrawnBelow = 7;

// What an indicator value asks of its lamp.
enum IndicatorState : int { kIndicatorHidden = 0, kIndicatorShown = 1, kIndicatorKept = 2 };

// Zero-terminated fields of the sizes the radio's display has: a text ends at its first zero.
using ChannelField = std::array<char, 6>;
using DisplayLine = std::array<char, 12>;
using SoftKeyLabel = std::array<char, 5>;

// What the control head's display shows, as the radio's display reports build it up.
struct DisplayModel {
  ChannelField channel = {'C', 'H', ' ', ' ', 0, 0};
  ChannelField frequency = {' ', 'F', ' ', ' ', 0, 0};
  DisplayLine line1{};
  DisplayLine line2{};
  std::array<SoftKeyLabel, kSoftKeys> softKeys{};
  // Indicators 1..10 and, last, indicator 11.
  std::array<int, kLamps> indicators{};
  // How many of indicators 1..10 are in state 1.
  int indicatorsOn = 0;
  std::array<bool, kDisplayFlags> flags{};
  // The raw bytes 1 and 2 of the last channel-and-frequency and lines reports; their meaning on
  // the head is the radio's own.
  std::array<std::uint8_t, 2> fieldBytes{};
  std::array<std::uint8_t, 2> lineBytes{};

  bool operator==(const DisplayModel&) const = default;
};

// The text of a field, up to its first zero.
template <std::size_t N>
std::string FieldText(const std::array<char, N>& field) {
  std::size_t length = 0;
  while (length < N && field[length] != 0) ++length;
  return std::string(field.data(), length);
}

// A number as a field of width positions, the last the terminating zero: decimal, right-aligned
// with leading blanks; 0 gives only blanks.
std::string NumberText(int value, int width);

// Which lamps show after a redraw: a lamp in state 0 goes dark, in state 1 lights, in state 2
// stays as it was.
void ApplyIndicators(const DisplayModel& model, std::array<bool, kLamps>& shown);

}  // namespace varim::panels
