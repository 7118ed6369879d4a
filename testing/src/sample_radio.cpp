#include "varim/testing/sample_radio.h"

#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"

namespace varim::testing {
namespace {

sim::SimOptions SampleRadioOf(const sim::RadioProfile& profile) {
  sim::SimOptions options;
  options.profile = profile;
  options.memory = sim::SampleMemory(profile);
  return options;
}

}  // namespace

sim::SimOptions SampleRadio() {
  return SampleRadioOf(sim::KnownProfiles().front());
}

sim::SimOptions SampleRadio(const std::string& profileName) {
  return SampleRadioOf(sim::FindProfile(profileName).value());
}

}  // namespace varim::testing
