#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "varim/export.h"

// One line of a frame trace, the same for the program (MessageEngine::SetFrameTrace) and the
// simulated radio (varim-sim --trace), so the two traces of one run can be read side by side:
//
//   <milliseconds> <mark>[ bad checksum:] <the bytes in hex>
//   5123457 < 24 01 10 F3 28 03          (an acknowledgement taken by the program)
//
// The marks follow the line, whichever side writes the trace: '>' is a frame going from the
// program to the radio, '<' a frame coming from the radio to the program. The program's trace
// shows '>' for what it wrote and '<' for what it took; the radio's shows '>' for what it took
// and '<' for what it wrote. "bad checksum:" marks a frame whose checksum did not match.
//
// The time is the system's monotonic clock in milliseconds, which every process on the machine
// shares, so the same frame carries (nearly) the same time in both traces and a change of the
// wall clock does not reorder them.

enum class TraceDirection { kToRadio, kFromRadio };

struct TracedFrame {
  std::chrono::milliseconds stamp{};  // TraceClockNow when the frame crossed
  TraceDirection direction = TraceDirection::kToRadio;
  bool badChecksum = false;
  const std::uint8_t* bytes = nullptr;
  std::size_t size = 0;
};

VARIM_API std::chrono::milliseconds TraceClockNow();

// The line without its end-of-line.
VARIM_API std::string FormatTraceLine(const TracedFrame& frame);
