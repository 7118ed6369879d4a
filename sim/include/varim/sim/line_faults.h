#pragma once

#include <chrono>
#include <cstdint>
#include <utility>
#include <vector>

namespace varim::sim {

// Faults the simulated line injects on demand. Each counted fault applies to that many of the
// next acknowledgements or frames the radio sends, then the line is clean again.
class LineFaults {
 public:
  using Milliseconds = std::chrono::milliseconds;

  void DropAcks(int count) { dropAcks_ += count; }
  void DelayAcks(int count, Milliseconds delay) {
    lateAcks_ += count;
    lateAckDelay_ = delay;
  }
  void CorruptFrames(int count) { corruptFrames_ += count; }
  void GarbageBeforeNextFrame(std::vector<std::uint8_t> bytes) { garbage_ = std::move(bytes); }
  void PauseInsideNextFrame(Milliseconds pause) { pauseInsideFrame_ = pause; }
  // A radio switched off: it takes nothing and sends nothing.
  void SetSilent(bool silent) { silent_ = silent; }
  bool Silent() const { return silent_; }

  // Each Take consumes one use of its fault.
  bool TakeDroppedAck() { return Take(dropAcks_); }
  Milliseconds TakeAckDelay() { return Take(lateAcks_) ? lateAckDelay_ : Milliseconds{0}; }
  bool TakeCorruption() { return Take(corruptFrames_); }
  std::vector<std::uint8_t> TakeGarbage() { return std::exchange(garbage_, {}); }
  Milliseconds TakePause() { return std::exchange(pauseInsideFrame_, Milliseconds{0}); }

 private:
  static bool Take(int& count) {
    if (count <= 0) return false;
    --count;
    return true;
  }

  int dropAcks_ = 0;
  int lateAcks_ = 0;
  Milliseconds lateAckDelay_{0};
  int corruptFrames_ = 0;
  std::vector<std::uint8_t> garbage_;
  Milliseconds pauseInsideFrame_{0};
  bool silent_ = false;
};

}  // namespace varim::sim
