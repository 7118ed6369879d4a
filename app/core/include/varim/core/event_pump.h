#pragma once

#include <functional>

namespace varim::core {

// Keeps the program live while the window thread waits for the radio: the window repaints and
// its Abort button works. The window implements it with its event loop; a terminal program or
// a test with a plain wait.
class EventPump {
 public:
  virtual ~EventPump() = default;
  // Handles what is pending and returns.
  virtual void Dispatch() = 0;
  // Spends about ms milliseconds handling what comes in meanwhile.
  virtual void Wait(int ms) = 0;
  // Runs a call that blocks until the radio answers and returns its result. The window runs
  // it away from its own thread and keeps handling events meanwhile; everything the call
  // touches must therefore be safe to touch from another thread. Calls run one after another,
  // never two at once. Without a window there is nothing to keep live: the call runs here.
  virtual int Run(const std::function<int()>& call) { return call(); }
};

}  // namespace varim::core
