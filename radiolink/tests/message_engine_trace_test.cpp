#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "varim/frame_trace.h"
#include "varim/message_engine.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_model.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/frame_image.h"
#include "varim/testing/sample_radio.h"

namespace {

using std::chrono::milliseconds;
using varim::sim::SimOptions;
using varim::sim::SimulatedRadio;
using varim::testing::Image;
using varim::testing::SampleRadio;

struct SeenFrame {
  milliseconds stamp;
  TraceDirection direction;
  bool badChecksum;
  std::vector<std::uint8_t> bytes;
  std::string line;
};

const std::vector<std::uint8_t> kAckImage = {0x24, 0x01, 0x10, 0xF3, 0x28, 0x03};

// The line without its time, as both sides of the line write it.
std::string WithoutStamp(const std::string& line) {
  return line.substr(line.find(' ') + 1);
}

// Frames heard by a trace, from whichever thread the engine calls it on.
class Recorder {
 public:
  MessageEngine::FrameTrace Hook() {
    return [this](const TracedFrame& frame) {
      std::lock_guard lock(mutex_);
      seen_.push_back({frame.stamp, frame.direction, frame.badChecksum,
                       std::vector<std::uint8_t>(frame.bytes, frame.bytes + frame.size),
                       FormatTraceLine(frame)});
    };
  }
  std::vector<SeenFrame> Seen() const {
    std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<SeenFrame> seen_;
};

class EngineTraceTest : public ::testing::Test {
 protected:
  EngineTraceTest() {
    SimOptions options = SampleRadio();
    options.trace = [this](const std::string& line) {
      std::lock_guard lock(radioLinesMutex_);
      radioLines_.push_back(line);
    };
    radio_.emplace(std::move(options));
  }

  void SetUp() override {
    std::string error;
    ASSERT_TRUE(radio_->Start(&error)) << error;
  }

  void Open() {
    ASSERT_EQ(engine_.OpenComPort(radio_->DevicePath().c_str(), 9600), 1);
    ASSERT_EQ(engine_.ConnectSocket(9600, 1), 1);
  }

  void TearDown() override {
    engine_.DisconnectSocket(1);
    engine_.CloseComPort();
  }

  // Asks for the active channel and collects the answer the way the program does.
  CRadioMessage ExchangeActiveChannel() {
    CRadioMessage request;
    ReportActiveChannel(&request);
    CRadioMessage answer;
    engine_.LockGetMessage();
    EXPECT_EQ(engine_.SendRadioMessage(&request), 1);
    EXPECT_EQ(engine_.GetMessageWithOpcode(&answer, answer::kActiveChannel), 1);
    EXPECT_TRUE(radio_->WaitUntilIdle(milliseconds(3000)));
    return answer;
  }

  std::vector<std::string> RadioLines() {
    std::lock_guard lock(radioLinesMutex_);
    return radioLines_;
  }

  std::mutex radioLinesMutex_;
  std::vector<std::string> radioLines_;
  std::optional<SimulatedRadio> radio_;
  MessageEngine engine_;
  Recorder recorder_;
};

TEST_F(EngineTraceTest, AnExchangeIsTracedInLineOrderAsTheRadioTracesIt) {
  ASSERT_EQ(engine_.SetFrameTrace(recorder_.Hook()), 1);
  Open();
  CRadioMessage request;
  ReportActiveChannel(&request);
  const CRadioMessage answer = ExchangeActiveChannel();

  const auto seen = recorder_.Seen();
  ASSERT_EQ(seen.size(), 4u);
  const struct {
    TraceDirection direction;
    std::vector<std::uint8_t> bytes;
  } expected[] = {{TraceDirection::kToRadio, Image(request)},
                  {TraceDirection::kFromRadio, kAckImage},
                  {TraceDirection::kFromRadio, Image(answer)},
                  {TraceDirection::kToRadio, kAckImage}};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(seen[i].direction, expected[i].direction);
    EXPECT_EQ(seen[i].bytes, expected[i].bytes);
    EXPECT_FALSE(seen[i].badChecksum);
    if (i > 0) {
      EXPECT_LE(seen[i - 1].stamp, seen[i].stamp);
    }
  }
  EXPECT_EQ(seen[1].line, std::to_string(seen[1].stamp.count()) + " < 24 01 10 F3 28 03");
  EXPECT_EQ(seen[3].line, std::to_string(seen[3].stamp.count()) + " > 24 01 10 F3 28 03");

  // Side by side, the radio's trace reads line for line the same but for the times.
  const auto radioLines = RadioLines();
  ASSERT_EQ(radioLines.size(), seen.size());
  for (std::size_t i = 0; i < seen.size(); ++i)
    EXPECT_EQ(WithoutStamp(radioLines[i]), WithoutStamp(seen[i].line));
}

TEST_F(EngineTraceTest, AResendIsTracedAsASecondWrite) {
  ASSERT_EQ(engine_.SetFrameTrace(recorder_.Hook()), 1);
  Open();
  radio_->DropAcks(1);
  CRadioMessage select;
  ASSERT_EQ(SetActiveChannel(&select, 0, 7), 1);
  ASSERT_EQ(engine_.SendRadioMessage(&select), 1);

  int writes = 0;
  int acks = 0;
  for (const auto& frame : recorder_.Seen()) {
    writes += frame.direction == TraceDirection::kToRadio && frame.bytes == Image(select);
    acks += frame.direction == TraceDirection::kFromRadio && frame.bytes == kAckImage;
  }
  EXPECT_EQ(writes, 2);
  EXPECT_EQ(acks, 1);
}

TEST_F(EngineTraceTest, AFrameWithABadChecksumIsTracedAndFlagged) {
  ASSERT_EQ(engine_.SetFrameTrace(recorder_.Hook()), 1);
  Open();
  radio_->CorruptFrames(1);
  const CRadioMessage report = varim::sim::MakeRadioFrame(89, {1});
  radio_->SendFrame(report);
  ASSERT_TRUE(radio_->WaitUntilIdle(milliseconds(3000)));

  const auto seen = recorder_.Seen();
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0].direction, TraceDirection::kFromRadio);
  EXPECT_TRUE(seen[0].badChecksum);
  EXPECT_NE(seen[0].line.find(" < bad checksum: 24 "), std::string::npos) << seen[0].line;
  EXPECT_EQ(seen[1].bytes, Image(report)) << "the resend";
  EXPECT_FALSE(seen[1].badChecksum);
}

TEST_F(EngineTraceTest, WithoutAnInstalledTraceNothingIsCalled) {
  const struct {
    const char* name;
    bool installWhileOpen;
  } cases[] = {{"installed and removed before open", false}, {"installed while open", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder recorder;
    if (c.installWhileOpen) {
      Open();
      EXPECT_EQ(engine_.SetFrameTrace(recorder.Hook()), 0) << "refused while the port is open";
    } else {
      ASSERT_EQ(engine_.SetFrameTrace(recorder.Hook()), 1);
      ASSERT_EQ(engine_.SetFrameTrace({}), 1);
      Open();
    }
    ExchangeActiveChannel();
    EXPECT_TRUE(recorder.Seen().empty());
    TearDown();
  }
}

}  // namespace
