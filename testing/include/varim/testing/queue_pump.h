#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "varim/core/event_pump.h"

namespace varim::testing {

// The window's queue without a window: work the incoming thread posts runs while the program
// waits, as the window's event loop runs it.
class QueuePump : public core::EventPump {
 public:
  void Post(std::function<void()> work);
  // Called between the chunks of a transfer; posted work waits for the next Wait, as the
  // window holds it while a call on the radio is in flight.
  void Dispatch() override {}
  void Wait(int ms) override;
  // Runs what was posted until now.
  void Drain();

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace varim::testing
