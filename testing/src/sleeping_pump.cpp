#include "varim/testing/sleeping_pump.h"

#include <chrono>
#include <thread>

namespace varim::testing {

void SleepingPump::Wait(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace varim::testing
