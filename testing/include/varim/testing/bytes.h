#pragma once

#include <cstdint>
#include <vector>

namespace varim::testing {

// Frame images and stretches of radio memory, compared byte for byte.
using Bytes = std::vector<std::uint8_t>;

}  // namespace varim::testing
