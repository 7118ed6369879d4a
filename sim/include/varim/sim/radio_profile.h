#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varim::sim {

// What kind of radio the simulator is: its generation and what it reports when asked.
struct RadioProfile {
  std::string name;
  int generation = 2;            // 1 "VARIM-2E", 2 "VARIM"
  bool ccir = false;             // reports CCIR: selective calling data and channel names
  bool extendedSupport = false;  // reports the support mode: global members and extra options
  bool isb = false;              // reports ISB

  // The software version text at memory address 60, by which the program tells the
  // generations apart (up to "03.000" is generation 1).
  std::string SoftwareVersion() const { return generation == 1 ? "02.050" : "04.100"; }
};

// The profiles the simulator knows by name, the first one being the default.
const std::vector<RadioProfile>& KnownProfiles();
std::optional<RadioProfile> FindProfile(std::string_view name);

}  // namespace varim::sim
