#include "varim/core/programmed_channels.h"

namespace varim::core {

ProgrammedChannels ListProgrammedChannels(const dbase& radio, int activeChannel) {
  ProgrammedChannels list;
  for (int number = 1; number <= kMaxChannel; ++number) {
    const channel& entry = radio.channels[number - 1];
    if (entry.tx_frequency == 0 && entry.rx_frequency == 0) continue;
    if (number == activeChannel) list.activeRow = static_cast<int>(list.numbers.size());
    list.numbers.push_back(number);
  }
  return list;
}

}  // namespace varim::core
