#pragma once

#include <chrono>
#include <functional>

namespace varim::panels {

// A time limit that calls back once on the window's thread; starting it again restarts the
// time. The window runs it on its event loop, the command line against a deadline it polls,
// tests on a clock they move themselves.
class OneShotTimer {
 public:
  virtual ~OneShotTimer() = default;
  virtual void Start(std::chrono::milliseconds interval, std::function<void()> expired) = 0;
  virtual void Stop() = 0;
};

}  // namespace varim::panels
