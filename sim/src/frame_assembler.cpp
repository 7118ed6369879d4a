#include "varim/sim/frame_assembler.h"

namespace varim::sim {

std::vector<FrameAssembler::Outcome> FrameAssembler::Feed(const std::uint8_t* bytes,
                                                          std::size_t count,
                                                          Clock::time_point now) {
  std::vector<Outcome> outcomes;
  if (count > 0 && InFrame() && now - lastByte_ > kInterByteLimit) {
    partial_.clear();
    outcomes.push_back({Kind::kAbandoned, {}});
  }
  for (std::size_t i = 0; i < count; ++i) Take(bytes[i], outcomes);
  if (count > 0) lastByte_ = now;
  return outcomes;
}

void FrameAssembler::Take(std::uint8_t byte, std::vector<Outcome>& outcomes) {
  if (partial_.empty()) {
    if (byte == kStartByte) partial_.push_back(byte);
    return;
  }
  if (partial_.size() == 1 && byte == 0) {
    // No frame has a length of 0; look for the next start byte instead.
    partial_.clear();
    outcomes.push_back({Kind::kAbandoned, {}});
    return;
  }
  partial_.push_back(byte);
  const std::size_t length = partial_[1];
  // Start, length, address, opcode, length - 1 data bytes, checksum, end byte.
  if (partial_.size() < length + 5) return;

  CRadioMessage frame;
  frame.SetLen(static_cast<std::uint8_t>(length));
  frame.SetAddress(partial_[2]);
  frame.SetOpcode(partial_[3]);
  frame.SetData(static_cast<std::uint8_t>(length - 1), partial_.data() + 4);
  frame.CalcChecksum();
  const bool checksumMatches = frame.GetChecksum() == partial_[length + 3];
  partial_.clear();
  outcomes.push_back({checksumMatches ? Kind::kFrame : Kind::kBadChecksum, frame});
}

}  // namespace varim::sim
