#pragma once

#include <ostream>
#include <string>

#include "commands.h"

namespace varimctl {

// Sets the clarifier to hz (-200..200), snapped to its steps as the clarifier pane snaps, and
// prints the setting and the frame sent.
int RunClarifier(const LinkOptions& link, int hz, std::ostream& out, std::ostream& err);

// Sets the notch filter to hz (300..2700) or "off", snapped to its steps as the notch-filter pane
// snaps, and prints the setting and the frame sent.
int RunNotch(const LinkOptions& link, const std::string& value, std::ostream& out,
             std::ostream& err);

}  // namespace varimctl
