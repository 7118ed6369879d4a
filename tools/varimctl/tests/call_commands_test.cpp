#include "call_commands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "varim/radio_opcodes.h"
#include "varim/sim/radio_model.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"

namespace {

using varim::sim::CallOutcome;
using varimctl::Addressee;
using varimctl::CallOptions;

varim::sim::SimOptions SampleOptions() {
  varim::sim::SimOptions options;
  options.profile = varim::sim::KnownProfiles().front();
  options.memory = varim::sim::SampleMemory(options.profile);
  return options;
}

class CallCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The radio answers calls at once: the waits are for the reports, not for the air.
    radio_.ChangeBehaviour(
        [](varim::sim::SimBehaviour& b) { b.callDelay = std::chrono::milliseconds(100); });
    ASSERT_TRUE(radio_.Start());
    link_.device = radio_.DevicePath();
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  int Call(const CallOptions& options) {
    out_.str("");
    err_.str("");
    return varimctl::RunCall(link_, options, out_, err_);
  }
  int Sent(int opcode) const {
    int count = 0;
    for (const CRadioMessage& frame : radio_.ReceivedFrames()) count += frame.GetOpcode() == opcode;
    return count;
  }

  varim::sim::SimulatedRadio radio_{SampleOptions()};
  varimctl::LinkOptions link_;
  std::ostringstream out_;
  std::ostringstream err_;
  std::string folder_ = ::testing::TempDir() + "call_cmd_" + std::to_string(::getpid());
};

TEST_F(CallCommandsTest, EachOutcomeGivesItsTextAndExitCode) {
  struct Case {
    CallOutcome outcome;
    const char* text;
    int exit;
  } cases[] = {
      {CallOutcome::kNoLink, "No link was established.", varimctl::kExitNoResponse},
      {CallOutcome::kLink, "Link was established.", varimctl::kExitOk},
      {CallOutcome::kChannelBusy, "Channel busy.", varimctl::kExitNoResponse},
      {CallOutcome::kStationBusy, "Station busy.", varimctl::kExitNoResponse},
      {CallOutcome::kSilentNet, "Link was established on silent net.", varimctl::kExitOk},
  };
  for (const Case& c : cases) {
    radio_.ChangeBehaviour([&c](varim::sim::SimBehaviour& b) {
      b.callOutcome = c.outcome;
      b.linkQuality = 17;
    });
    CallOptions options;
    options.address = "ALPHA";
    options.json = true;
    EXPECT_EQ(Call(options), c.exit) << c.text << err_.str();
    EXPECT_NE(out_.str().find(std::string("\"text\": \"") + c.text + "\""), std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("\"quality\": 17"), std::string::npos) << out_.str();
    varimctl::RunLinkCommand(link_, false, out_, err_);
  }
}

TEST_F(CallCommandsTest, LinkedCallIsLoggedAsTheProgramLogsIt) {
  CallOptions options;
  options.address = "ALPHA";
  options.message = "see you";
  options.logDir = folder_;
  ASSERT_EQ(Call(options), varimctl::kExitOk) << err_.str();
  std::ifstream file(folder_ + "/log.txt");
  const std::string log((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  for (const char* line : {"Number of Log Records=1", "To=ALPHA", "Call Type=Station",
                           "Channel=255", "Message=SEE YOU"})
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
}

TEST_F(CallCommandsTest, RefusedArgumentsAreUsageErrorsAndSendNothing) {
  struct Case {
    Addressee to;
    std::string address;
    std::string channel;
    std::string message;
    std::optional<int> net;
  } cases[] = {
      {Addressee::kStation, std::string(16, 'A'), "auto", "", std::nullopt},
      {Addressee::kStation, "ALPHA", "auto", std::string(91, 'm'), std::nullopt},
      {Addressee::kNet, "", "199", "", std::nullopt},
      {Addressee::kStation, "ALPHA", "x", "", std::nullopt},
  };
  for (const Case& c : cases) {
    CallOptions options;
    options.to = c.to;
    options.address = c.address;
    options.channel = c.channel;
    options.message = c.message;
    options.net = c.net;
    EXPECT_EQ(Call(options), varimctl::kExitUsage) << c.address << c.channel;
    EXPECT_FALSE(err_.str().empty());
  }
  EXPECT_EQ(Sent(opcode::kStationCall) + Sent(opcode::kNetCall) + Sent(opcode::kAllCall), 0);
}

TEST_F(CallCommandsTest, LinkCommandsExchangesAndSounding) {
  CallOptions options;
  options.to = Addressee::kNet;
  ASSERT_EQ(Call(options), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(varimctl::RunLinkCommand(link_, true, out_, err_), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(Sent(opcode::kReplaceLinkChannel), 1);
  EXPECT_EQ(varimctl::RunLinkCommand(link_, false, out_, err_), varimctl::kExitOk);
  EXPECT_EQ(Sent(opcode::kAbortLink), 1);
  ASSERT_TRUE(radio_.WaitUntilIdle(std::chrono::seconds(5)));
  EXPECT_EQ(radio_.State().link, varim::sim::RadioState::Link::kNone);

  options.seconds = 10;
  EXPECT_EQ(varimctl::RunLinkQuality(link_, options, out_, err_), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(Sent(opcode::kBiDirectionalNet), 1);
  EXPECT_EQ(varimctl::RunSound(link_, true, out_, err_), varimctl::kExitOk) << err_.str();
  EXPECT_TRUE(radio_.State().sounding);
  EXPECT_EQ(varimctl::RunSound(link_, false, out_, err_), varimctl::kExitOk);
  EXPECT_FALSE(radio_.State().sounding);
}

// The program itself: what a script sees.
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

TEST_F(CallCommandsTest, TheProgramTakesTheCallCommands) {
  struct Case {
    std::string arguments;
    int exit;
    std::string output;
  } cases[] = {
      {"call station", 2, "give station ADDRESS"},
      {"lqa all", 2, "give station ADDRESS, net\n"},
      {"call station ALPHA --message \"hi there\" --json", 0,
       "{\"result\": 1, \"text\": \"Link was established.\""},
      {"link replace", 0, "link moved to channel"},
      {"link abort", 0, "link aborted"},
      {"link hold", 2, ""},
      {"call all", 0, "Link was established."},
      {"sound stop", 0, "sounding stopped"},
  };
  for (const Case& c : cases) {
    std::string output;
    EXPECT_EQ(RunProgram("--device " + link_.device + " " + c.arguments, &output), c.exit)
        << c.arguments << "\n"
        << output;
    EXPECT_NE(output.find(c.output), std::string::npos) << c.arguments << "\n" << output;
  }
}

}  // namespace
