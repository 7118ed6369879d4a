#pragma once

#include "varim/radio_message.h"

namespace varim::testing {

// Same opcode, length and data: the checksum and framing follow from those.
bool SameFrame(const CRadioMessage& a, const CRadioMessage& b);

}  // namespace varim::testing
