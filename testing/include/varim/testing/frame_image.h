#pragma once

#include "varim/radio_message.h"
#include "varim/testing/bytes.h"

namespace varim::testing {

// The frame as it would go on the line. A size field beyond the longest frame is cut to it, so a
// frame a builder spoilt still gives an image to compare.
Bytes Image(const CRadioMessage& frame);

}  // namespace varim::testing
