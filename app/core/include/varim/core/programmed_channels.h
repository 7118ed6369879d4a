#pragma once

#include <vector>

#include "varim/radio_records.h"

namespace varim::core {

// The channels the operator can select: every channel with a transmit or a receive frequency,
// in number order, and which of them is the radio's active one.
struct ProgrammedChannels {
  std::vector<int> numbers;
  // The active channel's row in numbers, or -1 when it is not programmed.
  int activeRow = -1;
};

ProgrammedChannels ListProgrammedChannels(const dbase& radio, int activeChannel);

}  // namespace varim::core
