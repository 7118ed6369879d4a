#pragma once

#include <vector>

#include "varim/radio_message.h"

namespace varim::testing {

// How many of the frames carry the opcode.
int CountOpcode(const std::vector<CRadioMessage>& frames, int opcode);

}  // namespace varim::testing
