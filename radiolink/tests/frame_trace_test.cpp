#include "varim/frame_trace.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FrameTraceLine, TimeMarkAndBytes) {
  const std::vector<std::uint8_t> ack = {0x24, 0x01, 0x10, 0xF3, 0x28, 0x03};
  const struct {
    TraceDirection direction;
    bool badChecksum;
    const char* line;
  } cases[] = {
      {TraceDirection::kToRadio, false, "1234567 > 24 01 10 F3 28 03"},
      {TraceDirection::kFromRadio, false, "1234567 < 24 01 10 F3 28 03"},
      {TraceDirection::kFromRadio, true, "1234567 < bad checksum: 24 01 10 F3 28 03"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatTraceLine({std::chrono::milliseconds(1234567), c.direction, c.badChecksum,
                               ack.data(), ack.size()}),
              c.line);
  }
}

}  // namespace
