#include "selftest_command.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>

#include "varim/radio_opcodes.h"
#include "varim/sim/simulated_radio.h"

namespace {

using namespace std::chrono_literals;

constexpr char kNoResponse[] =
    "Radio does not respond to application messages. Check if the  \n"
    "radio is turned on and is connected to the computer properly.";

class SelfTestCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) { b.selfTestStep = 50ms; });
    ASSERT_TRUE(radio_.Start());
    link_.device = radio_.DevicePath();
  }

  int SelfTest(int type, bool json) {
    out_.str("");
    err_.str("");
    return varimctl::RunSelfTest(link_, type, true, json, out_, err_);
  }

  std::vector<int> Received() const {
    std::vector<int> opcodes;
    for (const CRadioMessage& frame : radio_.ReceivedFrames()) opcodes.push_back(frame.GetOpcode());
    return opcodes;
  }

  bool Said(const std::string& text) const { return err_.str().find(text) != std::string::npos; }

  varim::sim::SimulatedRadio radio_;
  varimctl::LinkOptions link_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(SelfTestCommandTest, AFullTestListsEveryItemWithItsProgressAndResetsTheRadio) {
  EXPECT_EQ(SelfTest(0, false), varimctl::kExitOk) << err_.str();
  const std::string out = out_.str();
  EXPECT_EQ(out.substr(0, out.find('\n')), " 1 DSP - Boot Checksum              Passed");
  EXPECT_NE(out.find("39 PA - Power Amplifier             Passed\n"), std::string::npos);
  EXPECT_NE(out.find("\nSummary: 39 Passed, 0 Failed, 0 Not Performed\n"), std::string::npos);
  EXPECT_TRUE(Said("Connect a dummy load yes (--yes)\n")) << err_.str();
  EXPECT_TRUE(Said("Command in progress, please wait!!!\n"));
  EXPECT_TRUE(Said("progress 9/12\n")) << "the radio's dots reach the command";
  EXPECT_TRUE(Said("Wait to perform RESET!!!\n"));
  EXPECT_EQ(Received(), (std::vector<int>{opcode::kEnableDisableSpecialReport,
                                          opcode::kPerformSelfTest, opcode::kPerformReset}));
}

TEST_F(SelfTestCommandTest, AFailedItemFailsTheCommandAndJsonCarriesEveryListedItem) {
  radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) {
    b.selfTestResults[30] = varim::sim::kItemFailed;
    b.selfTestResults[31] = varim::sim::kItemUnable;
    b.selfTestResults[32] = varim::sim::kItemIgnored;
  });
  EXPECT_EQ(SelfTest(2, true), varimctl::kExitNoResponse) << err_.str();
  const std::string out = out_.str();
  EXPECT_EQ(out.rfind("{\"items\": [{\"number\": 1, \"name\": \"DSP - Boot Checksum\", "
                      "\"result\": \"Passed\"}, ",
                      0),
            0u)
      << out;
  EXPECT_NE(out.find("{\"number\": 31, \"name\": \"Antenna Match\", \"result\": \"Failed\"}, "
                     "{\"number\": 32, \"name\": \"Harmonic Filter - Range 1\", \"result\": "
                     "\"Unable to perform\"}, {\"number\": 34,"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("}], \"passed\": 36, \"failed\": 1, \"not_performed\": 1}\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << "one object, nothing else";
}

TEST_F(SelfTestCommandTest, ARadioThatStopsAnsweringEndsOnTheWatchdogWithoutAReset) {
  radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) { b.selfTestStep = 60s; });
  EXPECT_EQ(SelfTest(2, false), varimctl::kExitNoResponse);
  EXPECT_EQ(err_.str(), std::string("Command in progress, please wait!!!\n") + kNoResponse + "\n");
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(Received(),
            (std::vector<int>{opcode::kEnableDisableSpecialReport, opcode::kPerformSelfTest}));
}

TEST_F(SelfTestCommandTest, ARefusedTestIsToldAndNotReset) {
  radio_.ChangeBehaviour(
      [](varim::sim::SimBehaviour& b) { b.refusedOpcodes.insert(opcode::kPerformSelfTest); });
  EXPECT_EQ(SelfTest(1, false), varimctl::kExitNoResponse);
  EXPECT_TRUE(Said("Can not perform Self Test.\n")) << err_.str();
  EXPECT_EQ(Received(),
            (std::vector<int>{opcode::kEnableDisableSpecialReport, opcode::kPerformSelfTest}));
}

int RunProgram(const std::string& arguments, std::string* output) {
  const std::string command = std::string(VARIMCTL_PROGRAM) + " " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::array<char, 256> chunk{};
  std::string text;
  while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) text += chunk.data();
  const int status = ::pclose(pipe);
  *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(SelfTestCommandTest, TheProgramAsksForTheLoadAndTakesOnlyKnownTypes) {
  std::string output;
  EXPECT_EQ(RunProgram("--device " + link_.device + " selftest full < /dev/null", &output), 1);
  EXPECT_EQ(output,
            "Connect a dummy load no (give --yes to answer yes)\nvarimctl: no test was run\n");
  EXPECT_EQ(Received(), std::vector<int>{opcode::kEnableDisableSpecialReport});
  EXPECT_EQ(RunProgram("--device " + link_.device + " selftest", &output), 2);
  EXPECT_EQ(RunProgram("--device " + link_.device + " selftest quick", &output), 2);
}

}  // namespace
