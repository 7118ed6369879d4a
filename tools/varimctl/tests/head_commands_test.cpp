#include "head_commands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "varim/radio_opcodes.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"

namespace {

using varim::sim::SimulatedRadio;

varim::sim::SimOptions SampleRadio() {
  varim::sim::SimOptions options;
  options.profile = varim::sim::KnownProfiles().front();
  options.memory = varim::sim::SampleMemory(options.profile);
  return options;
}

class HeadCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Start());
    link_.device = radio_.DevicePath();
  }

  int Key(const std::vector<std::string>& names) {
    err_.str("");
    return varimctl::RunKey(link_, names, err_);
  }

  SimulatedRadio radio_{SampleRadio()};
  varimctl::LinkOptions link_;
  std::ostringstream err_;
};

TEST_F(HeadCommandsTest, KeysWorkTheRadioAsOnItsHead) {
  EXPECT_EQ(Key({"1", "2", "enter"}), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(radio_.State().activeChannel, 12);
  EXPECT_EQ(Key({"UP"}), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(radio_.State().activeChannel, 13);
}

TEST_F(HeadCommandsTest, AnUnknownKeySendsNothing) {
  EXPECT_EQ(Key({"F1", "F5"}), varimctl::kExitUsage);
  EXPECT_EQ(err_.str(),
            "varimctl: no key is called 'F5' (keys: 0-9, F1-F4, #, *, ESC, ENTER, MENU, "
            "NAV1-NAV4, UP, DOWN, MORE)\n");
  EXPECT_EQ(radio_.Statistics().framesReceived, 0);
}

TEST_F(HeadCommandsTest, AKeyTheRadioDoesNotTakeStopsTheKeys) {
  radio_.SetSilent(true);
  EXPECT_EQ(Key({"F1", "F2"}), varimctl::kExitNoResponse);
  EXPECT_EQ(err_.str(),
            "Radio does not respond to application messages. Check if the  \n"
            "radio is turned on and is connected to the computer properly.\n");
}

TEST_F(HeadCommandsTest, DisplayPrintsEveryChangeAsJson) {
  std::ostringstream out, err;
  const std::atomic<bool> stop{false};
  int status = -1;
  std::thread display([&] { status = varimctl::RunDisplay(link_, 3.0, true, stop, out, err); });
  // The radio's own head changes the display once the reports are on.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!radio_.State().specialReports && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  radio_.PressKey(key::kDigit0 + 4);
  display.join();
  ASSERT_EQ(status, varimctl::kExitOk) << err.str();

  std::istringstream lines(out.str());
  std::string line, last;
  const std::regex shape(
      R"(\{"channel": "[^"]*", "frequency": "[^"]*", "line1": "[^"]*", "line2": "[^"]*", )"
      R"("softkeys": \["[^"]*", "[^"]*", "[^"]*", "[^"]*"\], "indicators": \[([012], ){10}[012]\], )"
      R"("flags": \[((true|false), ){9}(true|false)\]\})");
  int count = 0;
  while (std::getline(lines, line)) {
    EXPECT_TRUE(std::regex_match(line, shape)) << line;
    last = line;
    ++count;
  }
  EXPECT_GE(count, 1);
  EXPECT_NE(last.find(R"("line1": "CHANNEL  4")"), std::string::npos) << last;
  EXPECT_NE(last.find(R"("softkeys": ["SQL ", "MON ", "SCAN", "ALE"])"), std::string::npos) << last;
}

TEST(DisplayJsonTest, TheHeadsTextsAreEscaped) {
  varim::panels::DisplayModel model;
  model.line1 = {'"', '\\', 'N', 0x05, static_cast<char>(0xB0), 0};
  const std::string json = varimctl::DisplayJson(model);
  EXPECT_NE(json.find(R"("line1": "\"\\N\u0005)"
                      "\xC2\xB0\""),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"({"channel": "CH  ", "frequency": " F  ", )"), std::string::npos) << json;
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

TEST_F(HeadCommandsTest, TheProgramTakesBothCommands) {
  std::string output;
  EXPECT_EQ(RunProgram("--device " + link_.device + " key 7 ENTER", &output), 0) << output;
  EXPECT_EQ(radio_.State().activeChannel, 7);
  EXPECT_EQ(RunProgram("--device " + link_.device + " key NAV5", &output), 2) << output;
  EXPECT_EQ(RunProgram("--device " + link_.device + " display --json --seconds 1", &output), 0);
  EXPECT_EQ(output.rfind("{\"channel\": \"CH  7\"", 0), 0u) << output;
}

}  // namespace
