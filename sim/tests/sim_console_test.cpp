#include "varim/sim/sim_console.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "varim/message_engine.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/testing/sample_radio.h"

namespace {

using varim::sim::SimConsole;
using varim::sim::SimulatedRadio;
using varim::testing::SampleRadio;

// The console steering a running radio that an engine talks to.
class SimConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Start());
    ASSERT_EQ(engine_.OpenComPort(radio_.DevicePath().c_str(), 9600), 1);
    ASSERT_EQ(engine_.ConnectSocket(9600, 1), 1);
  }

  std::string Run(const std::string& line) {
    std::ostringstream out;
    EXPECT_TRUE(console_.Execute(line, out));
    return out.str();
  }

  SimulatedRadio radio_{SampleRadio()};
  SimConsole console_{radio_};
  MessageEngine engine_;
};

TEST_F(SimConsoleTest, FaultCommandsReachTheLine) {
  EXPECT_EQ(Run("drop-acks 1"), "the next 1 frame(s) go unacknowledged\n");
  CRadioMessage frame;
  PttOff(&frame);
  EXPECT_EQ(engine_.SendRadioMessage(&frame), 1);
  EXPECT_EQ(radio_.Statistics().framesReceived, 2);
  EXPECT_EQ(radio_.Statistics().acksDropped, 1);

  Run("off");
  engine_.ConnectSocket(9600, 1);  // already running: refused, nothing changes
  Run("on");
  EXPECT_EQ(engine_.SendRadioMessage(&frame), 1);
}

TEST_F(SimConsoleTest, SendPutsARadioFrameOnTheLine) {
  EXPECT_EQ(Run("send 2e 01 02"), "frame sent\n");
  CRadioMessage taken;
  ASSERT_EQ(engine_.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(taken.GetOpcode(), 0x2E);
  EXPECT_EQ(taken.GetLen(), 3);
  EXPECT_EQ(taken.GetDataByte(1), 0x02);
}

TEST_F(SimConsoleTest, AleStateNamesItsText) {
  EXPECT_EQ(Run("alestate Wrong net."), "ALE state Wrong net.\n");
  CRadioMessage taken;
  ASSERT_EQ(engine_.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(taken.GetOpcode(), report::kAleState);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(taken.GetData()) + 4), "Wrong net.");
}

TEST_F(SimConsoleTest, StatusShowsStateAndCounters) {
  CRadioMessage frame;
  SetActiveChannel(&frame, 0, 3);
  ASSERT_EQ(engine_.SendRadioMessage(&frame), 1);
  const std::string status = Run("status");
  EXPECT_NE(status.find("varim (generation 2)\nchannel 3, rx 2035000 Hz"), std::string::npos)
      << status;
  EXPECT_NE(status.find("frames received 1"), std::string::npos) << status;
}

TEST_F(SimConsoleTest, MistakesAreExplainedAndQuitEnds) {
  EXPECT_EQ(Run("drop-acks"), "not understood: drop-acks (type help)\n");
  EXPECT_EQ(Run("drop-acks -2"), "not understood: drop-acks -2 (type help)\n");
  EXPECT_EQ(Run("garbage 1ff"), "not understood: garbage 1ff (type help)\n");
  EXPECT_EQ(Run("send"), "not understood: send (type help)\n");
  EXPECT_EQ(Run("# a comment"), "");
  EXPECT_EQ(Run(""), "");
  EXPECT_NE(Run("help").find("late-acks N MS"), std::string::npos);
  std::ostringstream out;
  EXPECT_FALSE(console_.Execute("quit", out));
}

// The scenarios shipped for users run without a line the console does not understand (their
// waits shortened, so the test does not sit through them).
TEST_F(SimConsoleTest, EveryShippedScenarioIsUnderstood) {
  int scenarios = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VARIM_SIM_SCENARIOS_DIR)) {
    SCOPED_TRACE(entry.path().filename().string());
    ++scenarios;
    std::ifstream file(entry.path());
    std::string line;
    int commands = 0;
    while (std::getline(file, line)) {
      if (line.rfind("wait ", 0) == 0) line = "wait 0";
      const std::string answer = Run(line);
      EXPECT_EQ(answer.find("not understood"), std::string::npos) << answer;
      if (!line.empty() && line[0] != '#') ++commands;
    }
    EXPECT_GT(commands, 0);
  }
  EXPECT_GE(scenarios, 5);
}

}  // namespace
