#include "varim/sim/radio_profile.h"

namespace varim::sim {

const std::vector<RadioProfile>& KnownProfiles() {
  static const std::vector<RadioProfile> profiles = {
      {"varim", 2, false, false, false},        {"varim-global", 2, false, true, false},
      {"varim-ccir", 2, true, false, false},    {"varim-ccir-extended", 2, true, true, false},
      {"varim-isb", 2, false, true, true},      {"varim-2e", 1, false, false, false},
      {"varim-2e-ccir", 1, true, false, false},
  };
  return profiles;
}

std::optional<RadioProfile> FindProfile(std::string_view name) {
  for (const RadioProfile& profile : KnownProfiles()) {
    if (profile.name == name) return profile;
  }
  return std::nullopt;
}

}  // namespace varim::sim
