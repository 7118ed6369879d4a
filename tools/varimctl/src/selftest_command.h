#pragma once

#include <ostream>

#include "commands.h"

namespace varimctl {

// The radio's built-in test as the window's BITE dialog runs it: the load question (answered
// yes by assumeYes), progress, every item with its result, the summary, and the reset that
// ends it. Test type 0 full, 1 channel, 2 low RF. Exit 0 when no item failed; 1 when one did,
// or the radio refused the test or stopped answering.
int RunSelfTest(const LinkOptions& link, int testType, bool assumeYes, bool json, std::ostream& out,
                std::ostream& err);

}  // namespace varimctl
