#include "channel_commands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>

#include "varim/radio_opcodes.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"

namespace {

varim::sim::SimOptions SampleRadio() {
  varim::sim::SimOptions options;
  options.profile = varim::sim::KnownProfiles().front();
  options.memory = varim::sim::SampleMemory(options.profile);
  return options;
}

class ChannelCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Start());
    link_.device = radio_.DevicePath();
  }

  varim::sim::SimulatedRadio radio_{SampleRadio()};
  varimctl::LinkOptions link_{{}, 1, 9600, {}};
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ChannelCommandsTest, ChannelSwitchesTheRadioAndPrintsWhatItWorksOn) {
  ASSERT_EQ(varimctl::RunChannel(link_, 5, out_, err_), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(radio_.State().activeChannel, 5);
  const std::string switched = out_.str();
  EXPECT_EQ(switched.rfind("channel 5  tx ", 0), 0u) << switched;

  out_.str("");
  ASSERT_EQ(varimctl::RunChannel(link_, std::nullopt, out_, err_), varimctl::kExitOk);
  EXPECT_EQ(out_.str(), switched) << "without a number the radio's own channel";
}

TEST_F(ChannelCommandsTest, ScanStartsAndStopsInTheModeAsked) {
  const struct {
    varimctl::ScanRequest request;
    std::string printed;
    int operationMode;
  } steps[] = {
      {{true, "C", std::nullopt}, "scanning group C\n", opcode::kOperationGroupScan},
      {{false, "C", std::nullopt}, "scanning stopped\n", opcode::kOperationChannel},
      {{true, std::nullopt, 4}, "scanning net 4\n", opcode::kOperationAleScan},
      // The radio's ALE is on now: a plain stop stops the ALE scan.
      {{false, std::nullopt, std::nullopt}, "scanning stopped\n", opcode::kOperationChannel},
      {{true, std::nullopt, std::nullopt}, "scanning group A\n", opcode::kOperationGroupScan},
  };
  for (const auto& step : steps) {
    out_.str("");
    ASSERT_EQ(varimctl::RunScan(link_, step.request, out_, err_), varimctl::kExitOk) << err_.str();
    EXPECT_EQ(out_.str(), step.printed);
    EXPECT_EQ(radio_.State().operationMode, step.operationMode) << step.printed;
  }
  EXPECT_EQ(radio_.State().scanGroup, 0);
}

int RunProgram(const std::string& arguments) {
  const std::string command = std::string(VARIMCTL_PROGRAM) + " " + arguments + " >/dev/null 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ChannelCommandsTest, TheProgramsExitStatus) {
  const std::string device = "--device " + link_.device + " ";
  const struct {
    std::string arguments;
    int status;
  } cases[] = {
      {device + "channel 7", 0},
      {device + "channel 201", 2},
      {device + "scan start --group B", 0},
      {device + "scan stop --group B", 0},
      {device + "scan start --group F", 2},
      {device + "scan start --net 21", 2},
      {device + "scan start --group B --net 3", 2},
      {device + "scan sideways", 2},
      {"--device /dev/no-such-radio channel 3", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(RunProgram(c.arguments), c.status) << c.arguments;
  EXPECT_EQ(radio_.State().activeChannel, 7);
  EXPECT_EQ(radio_.State().operationMode, opcode::kOperationChannel);
}

}  // namespace
