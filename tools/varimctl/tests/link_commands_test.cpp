#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "commands.h"
#include "varim/sim/radio_model.h"
#include "varim/sim/simulated_radio.h"

namespace {

using varim::sim::SimulatedRadio;

class LinkCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Start());
    link_.device = radio_.DevicePath();
  }

  int Send(const std::string& name, const std::vector<std::string>& args,
           std::optional<int> answer = std::nullopt) {
    out_.str("");
    err_.str("");
    return varimctl::RunSend(link_, name, args, answer, false, out_, err_);
  }

  SimulatedRadio radio_;
  varimctl::LinkOptions link_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(LinkCommandsTest, SendDeliversTheFrameAndPrintsTheAnswer) {
  EXPECT_EQ(Send("SetActiveChannel", {"0", "5"}), varimctl::kExitOk);
  EXPECT_EQ(out_.str(), "") << "nothing to print without an answer";
  EXPECT_EQ(radio_.State().activeChannel, 5);

  EXPECT_EQ(Send("ReportActiveChannel", {}, 1), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "24 03 18 01 00 05 45 03\n");
}

TEST_F(LinkCommandsTest, AComPortNumberLeadsToTheDeviceTheEnvironmentNames) {
  ::setenv("VARIM_COM7", radio_.DevicePath().c_str(), 1);
  link_.device.clear();
  link_.port = 7;
  EXPECT_EQ(Send("SetActiveChannel", {"0", "8"}), varimctl::kExitOk) << err_.str();
  ::unsetenv("VARIM_COM7");
  EXPECT_EQ(radio_.State().activeChannel, 8);
}

TEST_F(LinkCommandsTest, ASilentRadioGivesTheDoesNotRespondText) {
  radio_.SetSilent(true);
  EXPECT_EQ(Send("PttOff", {}), varimctl::kExitNoResponse);
  EXPECT_EQ(err_.str(),
            "Radio does not respond to application messages. Check if the  \n"
            "radio is turned on and is connected to the computer properly.\n");
}

TEST_F(LinkCommandsTest, AnAnswerThatNeverComesIsNoResponseToo) {
  EXPECT_EQ(Send("PttOff", {}, 200), varimctl::kExitNoResponse);
  EXPECT_EQ(out_.str(), "");
  EXPECT_NE(err_.str().find("Radio does not respond"), std::string::npos);
}

TEST_F(LinkCommandsTest, APortThatCannotBeOpenedIsExplained) {
  link_.device = "/dev/no-such-radio";
  EXPECT_EQ(Send("PttOff", {}), varimctl::kExitPortUnavailable);
  EXPECT_EQ(err_.str(),
            "varimctl: cannot open the radio's port: /dev/no-such-radio does not exist: check "
            "the cable or adapter, or choose another port.\n");
}

TEST_F(LinkCommandsTest, MonitorPrintsEveryFrameTheRadioSends) {
  std::atomic<bool> stop{false};
  std::ostringstream out;
  std::ostringstream err;
  std::thread monitor([&] { varimctl::RunMonitor(link_, 1.5, stop, out, err); });
  // The monitor owns the port once the radio's frames are acknowledged.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  radio_.SendFrame(varim::sim::MakeRadioFrame(89, {1}));
  radio_.SendFrame(varim::sim::MakeRadioFrame(65, {4}));
  monitor.join();
  EXPECT_EQ(out.str(), "24 02 18 59 01 98 03\n24 02 18 41 04 83 03\n");
}

// The program itself: what a script sees.
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

TEST_F(LinkCommandsTest, TheProgramsExitStatusTellsWhatHappened) {
  std::string output;
  EXPECT_EQ(RunProgram("--device " + link_.device + " send SetSquelchOnOff 0 1"), 0);
  EXPECT_TRUE(radio_.State().squelchOn);
  EXPECT_EQ(RunProgram("--device " + link_.device + " send ReportSquelchState --answer 9", &output),
            0);
  EXPECT_EQ(output, "24 02 18 09 02 49 03\n");

  EXPECT_EQ(RunProgram("frame ReportControlHeadKeyboard -1", &output), 1);
  EXPECT_EQ(output, "refused\n") << "a negative number is an argument, not an option";
  EXPECT_EQ(RunProgram("frame SetActiveChannel 0 0x10", &output), 0);
  EXPECT_EQ(output, "24 04 18 01 00 00 10 51 03\n");
  EXPECT_EQ(RunProgram("--baud 300 frame PttOn"), 2);
  EXPECT_EQ(RunProgram("--device /dev/x --port 2 frame PttOn"), 2);
  EXPECT_EQ(RunProgram("send"), 2);
  EXPECT_EQ(RunProgram("--device /dev/no-such-radio send PttOn"), 3);
  EXPECT_EQ(RunProgram("frame --list", &output), 0);
  EXPECT_NE(output.find("SetActiveChannel A CHANNEL\n"), std::string::npos);
}

TEST_F(LinkCommandsTest, TraceWritesEveryFrameOnTheLineIntoTheFile) {
  char path[] = "/tmp/varimctl-trace-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  std::string frame;
  ASSERT_EQ(RunProgram("frame SetSquelchOnOff 0 1", &frame), 0);
  EXPECT_EQ(
      RunProgram("--device " + link_.device + " --trace " + path + " send SetSquelchOnOff 0 1"), 0);

  std::ifstream trace(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(trace, line);) lines.push_back(line);
  ::unlink(path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(
      std::regex_match(lines[0], std::regex("[0-9]+ > " + frame.substr(0, frame.size() - 1))))
      << lines[0];
  EXPECT_TRUE(std::regex_match(lines[1], std::regex("[0-9]+ < 24 01 10 F3 28 03"))) << lines[1];

  std::string output;
  EXPECT_EQ(
      RunProgram("--device " + link_.device + " --trace /no/such/folder/t.txt send PttOn", &output),
      varimctl::kExitPortUnavailable);
  EXPECT_EQ(output,
            "varimctl: cannot write the trace /no/such/folder/t.txt: No such file or "
            "directory\n");
}

}  // namespace
