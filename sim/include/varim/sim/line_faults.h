#pragma once

#include <chrono>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace varim::sim {

// How often the simulated line goes wrong by itself, as probabilities.
struct FaultRates {
  double corruptByte = 0;   // per byte, both directions: one bit flips
  double dropByte = 0;      // per byte, both directions: the byte is lost
  double pauseInFrame = 0;  // per radio frame: it stops in its middle for longer than 200 ms
  double lostAck = 0;       // per acknowledgement the radio sends
  double lateAck = 0;       // per acknowledgement: it comes lateAckDelay late
  double refusedWrite = 0;  // per memory write: the radio answers "not written"
};

// Faults the simulated line injects: on demand (each counted fault applies to that many of the
// next acknowledgements or frames, then the line is clean again) and at random rates, drawn
// from a seeded generator so that every run can be repeated.
class LineFaults {
 public:
  using Milliseconds = std::chrono::milliseconds;
  static constexpr Milliseconds kPauseInFrame{300};

  void DropAcks(int count) { dropAcks_ += count; }
  void DelayAcks(int count, Milliseconds delay) {
    lateAcks_ += count;
    lateAckDelay_ = delay;
  }
  void CorruptFrames(int count) { corruptFrames_ += count; }
  // The next count memory frames, answers to reads or writes from the program, carry two wrong
  // bytes whose errors cancel in the checksum.
  void CorruptKeepingChecksum(int count) { compensated_ += count; }
  void GarbageBeforeNextFrame(std::vector<std::uint8_t> bytes) { garbage_ = std::move(bytes); }
  void PauseInsideNextFrame(Milliseconds pause) { pauseInsideFrame_ = pause; }
  // A radio switched off: it takes nothing and sends nothing.
  void SetSilent(bool silent) { silent_ = silent; }
  bool Silent() const { return silent_; }
  void SetRates(const FaultRates& rates) { rates_ = rates; }
  const FaultRates& Rates() const { return rates_; }
  void Seed(std::uint32_t seed) { random_.seed(seed); }

  // Each Take consumes one use of its fault, or draws its random fault.
  bool TakeDroppedAck() { return Take(dropAcks_) || Chance(rates_.lostAck); }
  Milliseconds TakeAckDelay() {
    if (Take(lateAcks_)) return lateAckDelay_;
    return Chance(rates_.lateAck) ? lateAckDelay_ : Milliseconds{0};
  }
  bool TakeCorruption() { return Take(corruptFrames_); }
  bool TakeCompensatedCorruption() { return Take(compensated_); }
  std::vector<std::uint8_t> TakeGarbage() { return std::exchange(garbage_, {}); }
  Milliseconds TakePause() {
    if (pauseInsideFrame_.count() > 0) return std::exchange(pauseInsideFrame_, Milliseconds{0});
    return Chance(rates_.pauseInFrame) ? kPauseInFrame : Milliseconds{0};
  }
  bool TakeRefusedWrite() { return Chance(rates_.refusedWrite); }

  // Line noise on bytes in either direction: flipped bits and lost bytes at their rates.
  void Garble(std::vector<std::uint8_t>& bytes);
  // Changes two bytes from offset on so that their sum, and so the checksum, stays the same.
  void CompensatingCorruption(std::vector<std::uint8_t>& image, std::size_t from, std::size_t to);

 private:
  static bool Take(int& count) {
    if (count <= 0) return false;
    --count;
    return true;
  }
  bool Chance(double rate) {
    return rate > 0 && std::uniform_real_distribution<double>(0, 1)(random_) < rate;
  }

  int dropAcks_ = 0;
  int lateAcks_ = 0;
  Milliseconds lateAckDelay_{1500};
  int corruptFrames_ = 0;
  int compensated_ = 0;
  std::vector<std::uint8_t> garbage_;
  Milliseconds pauseInsideFrame_{0};
  bool silent_ = false;
  FaultRates rates_;
  std::mt19937 random_{1};
};

}  // namespace varim::sim
