#pragma once

#include <string>

#include "varim/sim/simulated_radio.h"

namespace varim::testing {

// A simulated radio of the first known profile holding the programming the simulator ships with.
sim::SimOptions SampleRadio();
// The same for the named profile; an unknown name throws std::bad_optional_access.
sim::SimOptions SampleRadio(const std::string& profileName);

}  // namespace varim::testing
