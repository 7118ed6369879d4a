#include "pane_commands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>

#include "frame_text.h"
#include "varim/radio_commands.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/sample_radio.h"

namespace {

using varim::sim::SimulatedRadio;

std::string ClarifierHex(int direction, int magnitude) {
  CRadioMessage frame;
  SetClarifier(&frame, 0, direction, magnitude);
  return varimctl::FrameHex(frame);
}

std::string NotchHex(int index) {
  CRadioMessage frame;
  SetDspMenuParameters(&frame, 0, index, 255, 255, 255);
  return varimctl::FrameHex(frame);
}

int RunProgram(const std::string& arguments, std::string* output = nullptr) {
  const std::string command = std::string(VARIMCTL_PROGRAM) + " " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::array<char, 256> chunk{};
  std::string text;
  while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) text += chunk.data();
  const int status = ::pclose(pipe);
  if (output != nullptr) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class PaneCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Start());
    link_.device = radio_.DevicePath();
  }

  SimulatedRadio radio_{varim::testing::SampleRadio()};
  varimctl::LinkOptions link_;
};

TEST_F(PaneCommandsTest, TheClarifierIsSnappedAsThePaneSnapsItAndTheRadioTakesIt) {
  const struct {
    int hz;
    std::string printed;
    int sign;
    int magnitude;
  } cases[] = {
      {37, "clarifier 40 Hz: " + ClarifierHex(1, 40), 1, 40},
      {-35, "clarifier -40 Hz: " + ClarifierHex(2, 40), 2, 40},
      {-5, "clarifier -10 Hz: " + ClarifierHex(2, 10), 2, 10},
      {200, "clarifier 200 Hz: " + ClarifierHex(1, 200), 1, 200},
      {4, "clarifier off: " + ClarifierHex(0, 0), 0, 0},
  };
  for (const auto& c : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(varimctl::RunClarifier(link_, c.hz, out, err), varimctl::kExitOk) << err.str();
    EXPECT_EQ(out.str(), c.printed + "\n");
    EXPECT_EQ(radio_.State().clarifierSign, c.sign) << c.hz;
    EXPECT_EQ(radio_.State().clarifierMagnitude, c.magnitude) << c.hz;
  }
}

TEST_F(PaneCommandsTest, TheNotchFilterIsSnappedToItsStepsOrSwitchedOff) {
  const struct {
    std::string value;
    std::string printed;
    int index;
  } cases[] = {
      {"1500", "notch filter 1500 Hz (step 5): " + NotchHex(5), 5},
      {"419", "notch filter 300 Hz (step 0): " + NotchHex(0), 0},
      {"2650", "notch filter 2700 Hz (step 10): " + NotchHex(10), 10},
      {"off", "notch filter 300 Hz (step 0): " + NotchHex(0), 0},
  };
  for (const auto& c : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(varimctl::RunNotch(link_, c.value, out, err), varimctl::kExitOk) << err.str();
    EXPECT_EQ(out.str(), c.printed + "\n");
    EXPECT_EQ(radio_.State().notchIndex, c.index) << c.value;
  }
}

TEST_F(PaneCommandsTest, TheProgramsExitStatusTellsWhatHappened) {
  const std::string device = "--device " + link_.device + " ";
  const struct {
    std::string arguments;
    int status;
  } cases[] = {
      {device + "clarifier -120", 0},
      {device + "notch OFF", 0},
      {device + "clarifier 210", 2},
      {device + "clarifier -201", 2},
      {device + "notch 299", 2},
      {device + "notch 2701", 2},
      {device + "notch 1500Hz", 2},
      {device + "clarifier", 2},
      {"--device /dev/no-such-radio clarifier 10", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(RunProgram(c.arguments), c.status) << c.arguments;
  EXPECT_EQ(radio_.State().clarifierSign, 2);
  EXPECT_EQ(radio_.State().clarifierMagnitude, 120);

  radio_.SetSilent(true);
  EXPECT_EQ(RunProgram(device + "notch 900"), 1);
}

}  // namespace
