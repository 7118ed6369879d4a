#pragma once

#include "varim/sim/radio_memory.h"
#include "varim/testing/bytes.h"

namespace varim::testing {

// The count bytes the memory holds from the address on; zeros past its end.
Bytes Stretch(const sim::RadioMemory& memory, long address, int count);

}  // namespace varim::testing
