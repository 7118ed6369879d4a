#pragma once

#include <optional>
#include <string_view>

#include "varim/radio_records.h"

namespace varim::netcontrol {

// The Hamlib modes the radio's channels can be worked in.
enum class HamlibMode { kUsb, kLsb, kAm, kCw };

struct ModeReading {
  HamlibMode mode;
  // Hertz; 0 when the channel's filter has no width in hertz.
  int passbandHz;
};

// How a Hamlib client sees a channel's mode, sideband and bandwidth.
ModeReading ReadingOf(const channel& working);

std::string_view NameOf(HamlibMode mode);
std::optional<HamlibMode> ModeNamed(std::string_view name);

// The radio's sideband code for a sideband mode.
std::uint8_t SidebandOf(HamlibMode mode);
bool IsSideband(HamlibMode mode);

}  // namespace varim::netcontrol
