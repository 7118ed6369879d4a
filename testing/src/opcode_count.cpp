#include "varim/testing/opcode_count.h"

#include <algorithm>

namespace varim::testing {

int CountOpcode(const std::vector<CRadioMessage>& frames, int opcode) {
  return static_cast<int>(
      std::count_if(frames.begin(), frames.end(),
                    [opcode](const CRadioMessage& frame) { return frame.GetOpcode() == opcode; }));
}

}  // namespace varim::testing
