#include "varim/frame_trace.h"

#include <cstdio>

std::chrono::milliseconds TraceClockNow() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

std::string FormatTraceLine(const TracedFrame& frame) {
  std::string line = std::to_string(frame.stamp.count());
  line += frame.direction == TraceDirection::kToRadio ? " >" : " <";
  if (frame.badChecksum) line += " bad checksum:";
  char hex[4];
  for (std::size_t i = 0; i < frame.size; ++i) {
    std::snprintf(hex, sizeof hex, " %02X", frame.bytes[i]);
    line += hex;
  }
  return line;
}
