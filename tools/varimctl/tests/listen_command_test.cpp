#include "listen_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "varim/radio_opcodes.h"
#include "varim/sim/radio_model.h"
#include "varim/sim/simulated_radio.h"

namespace {

using varim::core::IncomingCallAnswer;
using varim::sim::SimulatedRadio;

class ListenCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_);
    ASSERT_TRUE(radio_.Start());
    radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) { b.linkQuality = 7; });
    link_.device = radio_.DevicePath();
    channel_ = std::to_string(radio_.State().activeChannel);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Listens for three seconds while the radio is called once the listener has set it up.
  int ListenThroughACall(varimctl::ListenOptions options) {
    options.seconds = 3;
    options.dir = folder_.string();
    int status = -1;
    std::thread listener([&] { status = varimctl::RunListen(link_, options, stop_, out_, err_); });
    // Remote mode and the display reports switched on.
    const bool setUp = radio_.WaitForReceived(2, std::chrono::seconds(10));
    if (setUp) radio_.ReceiveCall(varim::sim::IncomingCall::kStation, "ALPHA", "HELLO THERE");
    listener.join();
    EXPECT_TRUE(setUp);
    return status;
  }
  int Sent(int opcode) const {
    const auto frames = radio_.ReceivedFrames();
    return static_cast<int>(std::count_if(
        frames.begin(), frames.end(), [opcode](const auto& f) { return f.GetOpcode() == opcode; }));
  }

  std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() / ("varimctl-listen-" + std::to_string(::getpid()));
  SimulatedRadio radio_;
  varimctl::LinkOptions link_;
  std::string channel_;
  std::atomic<bool> stop_{false};
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ListenCommandTest, AnAcceptedCallIsPrintedAndAccepted) {
  varimctl::ListenOptions options;
  options.answer = IncomingCallAnswer::kAccept;
  ASSERT_EQ(ListenThroughACall(options), varimctl::kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("Incoming Station Call. from ALPHA on channel " + channel_ +
                            " (7), message \"HELLO THERE\": accepted\n"),
            std::string::npos)
      << out_.str();
  EXPECT_EQ(Sent(opcode::kAcceptLink), 1);
  EXPECT_EQ(Sent(opcode::kAbortLink), 0);
}

TEST_F(ListenCommandTest, WithoutAnAnswerTheCallIsLeftAloneAndPrintedAsJson) {
  varimctl::ListenOptions options;
  options.json = true;
  ASSERT_EQ(ListenThroughACall(options), varimctl::kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("\"report\":\"incoming-call\",\"opcode\":79,\"type\":\"Station\","
                            "\"caller\":\"ALPHA\",\"channel\":" +
                            channel_ +
                            ",\"value\":7,\"message\":\"HELLO THERE\",\"answer\":\"unanswered\""),
            std::string::npos)
      << out_.str();
  EXPECT_EQ(Sent(opcode::kAcceptLink), 0);
  EXPECT_EQ(Sent(opcode::kAbortLink), 0);
}

}  // namespace
