#pragma once

#include <atomic>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "varim/panels/display_model.h"

namespace varimctl {

// Switches the radio's display reports on and prints the control head's display whenever it
// changes, until the time is up (none: until stop is set); as one JSON object a line with json.
int RunDisplay(const LinkOptions& link, std::optional<double> seconds, bool json,
               const std::atomic<bool>& stop, std::ostream& out, std::ostream& err);

// Presses and releases the named keys in order; stops at the first the radio does not take.
int RunKey(const LinkOptions& link, const std::vector<std::string>& names, std::ostream& err);

// The display as one JSON object: channel, frequency, line1, line2, softkeys, indicators,
// flags.
std::string DisplayJson(const varim::panels::DisplayModel& model);
// The display as a few lines of text for a terminal.
std::string DisplayLines(const varim::panels::DisplayModel& model);

}  // namespace varimctl
