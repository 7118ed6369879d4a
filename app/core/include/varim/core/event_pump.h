#pragma once

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
};

}  // namespace varim::core
