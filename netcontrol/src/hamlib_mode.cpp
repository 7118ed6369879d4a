#include "varim/netcontrol/hamlib_mode.h"

#include <algorithm>
#include <iterator>

namespace varim::netcontrol {

namespace {

// The channel record's codes.
constexpr std::uint8_t kModeAme = 2;
constexpr std::uint8_t kBandwidthCw = 3;
constexpr std::uint8_t kSidebandLsb = 0;
constexpr std::uint8_t kSidebandUsb = 1;

struct FilterWidth {
  std::uint8_t bandwidth;
  int hz;
};

// The "LSM" and "CW" filters are not given in hertz.
constexpr FilterWidth kFilterWidths[] = {{0, 2700}, {1, 3300}, {4, 3000}, {5, 2100}};

struct ModeName {
  HamlibMode mode;
  std::string_view name;
};

constexpr ModeName kModeNames[] = {{HamlibMode::kUsb, "USB"},
                                   {HamlibMode::kLsb, "LSB"},
                                   {HamlibMode::kAm, "AM"},
                                   {HamlibMode::kCw, "CW"}};

}  // namespace

ModeReading ReadingOf(const channel& working) {
  const auto width =
      std::find_if(std::begin(kFilterWidths), std::end(kFilterWidths),
                   [&](const FilterWidth& f) { return f.bandwidth == working.bandwidth; });
  const int passband = width == std::end(kFilterWidths) ? 0 : width->hz;
  if (working.mode == kModeAme) return {HamlibMode::kAm, passband};
  if (working.bandwidth == kBandwidthCw) return {HamlibMode::kCw, passband};
  // Pilot-carrier and ISB channels are worked on their sideband; Hamlib has no name for either.
  return {working.sideband == kSidebandLsb ? HamlibMode::kLsb : HamlibMode::kUsb, passband};
}

std::string_view NameOf(HamlibMode mode) {
  return std::find_if(std::begin(kModeNames), std::end(kModeNames),
                      [mode](const ModeName& m) { return m.mode == mode; })
      ->name;
}

std::optional<HamlibMode> ModeNamed(std::string_view name) {
  const auto found = std::find_if(std::begin(kModeNames), std::end(kModeNames),
                                  [name](const ModeName& m) { return m.name == name; });
  if (found == std::end(kModeNames)) return std::nullopt;
  return found->mode;
}

std::uint8_t SidebandOf(HamlibMode mode) {
  return mode == HamlibMode::kLsb ? kSidebandLsb : kSidebandUsb;
}

bool IsSideband(HamlibMode mode) {
  return mode == HamlibMode::kUsb || mode == HamlibMode::kLsb;
}

}  // namespace varim::netcontrol
