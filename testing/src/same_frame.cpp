#include "varim/testing/same_frame.h"

#include <cstddef>
#include <cstring>

namespace varim::testing {

bool SameFrame(const CRadioMessage& a, const CRadioMessage& b) {
  return a.GetOpcode() == b.GetOpcode() && a.GetLen() == b.GetLen() &&
         std::memcmp(a.GetData(), b.GetData(), static_cast<std::size_t>(a.GetLen() - 1)) == 0;
}

}  // namespace varim::testing
