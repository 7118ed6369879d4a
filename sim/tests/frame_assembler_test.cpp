#include "varim/sim/frame_assembler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using varim::sim::FrameAssembler;
using Kind = FrameAssembler::Kind;
using std::chrono::milliseconds;

const std::vector<std::uint8_t> kReportActiveChannel = {0x24, 0x01, 0x18, 0x02, 0x3F, 0x03};

std::vector<Kind> Kinds(const std::vector<FrameAssembler::Outcome>& outcomes) {
  std::vector<Kind> kinds;
  for (const auto& outcome : outcomes) kinds.push_back(outcome.kind);
  return kinds;
}

TEST(FrameAssembler, CutsFramesOutOfAStreamWhateverTheChunking) {
  std::vector<std::uint8_t> stream = {0x55, 0x03};  // stray bytes before the first frame
  stream.insert(stream.end(), kReportActiveChannel.begin(), kReportActiveChannel.end());
  // SetActiveChannel 0, 200: 24 04 18 01 00 00 C8 09 03
  const std::vector<std::uint8_t> select = {0x24, 0x04, 0x18, 0x01, 0x00, 0x00, 0xC8, 0x09, 0x03};
  stream.insert(stream.end(), select.begin(), select.end());

  FrameAssembler assembler;
  const auto now = FrameAssembler::Clock::now();
  std::vector<FrameAssembler::Outcome> outcomes;
  for (const std::uint8_t byte : stream) {
    for (auto& outcome : assembler.Feed(&byte, 1, now)) outcomes.push_back(outcome);
  }
  ASSERT_EQ(Kinds(outcomes), (std::vector<Kind>{Kind::kFrame, Kind::kFrame}));
  EXPECT_EQ(outcomes[0].frame.GetOpcode(), 2);
  EXPECT_EQ(outcomes[1].frame.GetOpcode(), 1);
  EXPECT_EQ(outcomes[1].frame.GetLen(), 4);
  EXPECT_EQ(outcomes[1].frame.GetDataByte(2), 200);
  EXPECT_FALSE(assembler.InFrame());
}

TEST(FrameAssembler, RefusesABadChecksumAndAZeroLength) {
  FrameAssembler assembler;
  const auto now = FrameAssembler::Clock::now();
  std::vector<std::uint8_t> bad = kReportActiveChannel;
  bad[4] = 0x40;
  EXPECT_EQ(Kinds(assembler.Feed(bad.data(), bad.size(), now)),
            std::vector<Kind>{Kind::kBadChecksum});

  const std::vector<std::uint8_t> zeroLength = {0x24, 0x00, 0x24, 0x01, 0x18, 0x02, 0x3F, 0x03};
  EXPECT_EQ(Kinds(assembler.Feed(zeroLength.data(), zeroLength.size(), now)),
            (std::vector<Kind>{Kind::kAbandoned, Kind::kFrame}));
}

TEST(FrameAssembler, AbandonsAFrameWhoseBytesStopForMoreThan200Ms) {
  FrameAssembler assembler;
  const auto start = FrameAssembler::Clock::now();
  EXPECT_TRUE(assembler.Feed(kReportActiveChannel.data(), 3, start).empty());
  EXPECT_TRUE(assembler.InFrame());
  // The rest arrives too late: the old part is dropped and the rest is no frame.
  EXPECT_EQ(Kinds(assembler.Feed(kReportActiveChannel.data() + 3, 3, start + milliseconds(201))),
            std::vector<Kind>{Kind::kAbandoned});
  EXPECT_FALSE(assembler.InFrame());

  // Within the limit the frame survives.
  const auto later = start + milliseconds(1000);
  EXPECT_TRUE(assembler.Feed(kReportActiveChannel.data(), 3, later).empty());
  EXPECT_EQ(Kinds(assembler.Feed(kReportActiveChannel.data() + 3, 3, later + milliseconds(190))),
            std::vector<Kind>{Kind::kFrame});
}

}  // namespace
