#include "varim/testing/stretch.h"

#include <cstddef>

namespace varim::testing {

Bytes Stretch(const sim::RadioMemory& memory, long address, int count) {
  Bytes bytes(static_cast<std::size_t>(count));
  memory.Read(address, count, bytes.data());
  return bytes;
}

}  // namespace varim::testing
