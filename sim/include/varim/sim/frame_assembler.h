#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "varim/radio_message.h"

namespace varim::sim {

// Cuts the bytes the program sends into frames, the way the radio does: bytes before a start
// byte are skipped, a frame whose bytes stop for more than 200 ms is abandoned, and a frame
// with a wrong checksum is refused.
class FrameAssembler {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr auto kInterByteLimit = std::chrono::milliseconds(200);

  enum class Kind { kFrame, kBadChecksum, kAbandoned };
  struct Outcome {
    Kind kind;
    CRadioMessage frame;  // meaningful for kFrame
  };

  std::vector<Outcome> Feed(const std::uint8_t* bytes, std::size_t count, Clock::time_point now);
  // True while part of a frame has arrived.
  bool InFrame() const { return !partial_.empty(); }

 private:
  void Take(std::uint8_t byte, std::vector<Outcome>& outcomes);

  std::vector<std::uint8_t> partial_;  // start byte, length, then the rest
  Clock::time_point lastByte_{};
};

}  // namespace varim::sim
