#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "varim/sim/simulated_radio.h"
#include "varim/testing/line_client.h"
#include "varim/testing/sample_radio.h"

extern char** environ;

namespace {

using varim::testing::LineClient;

constexpr char kRigctl[] = "/usr/bin/rigctl";

// `varimctl serve` as its own process on a free port, with its standard output read.
class ServeProcess {
 public:
  ServeProcess(const std::string& device, const std::vector<std::string>& options) {
    std::vector<std::string> words = {VARIMCTL_PROGRAM, "--device", device, "serve", "--port", "0"};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    if (::posix_spawn(&pid_, VARIMCTL_PROGRAM, &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    outputFd_ = output[0];
  }
  ~ServeProcess() {
    if (pid_ > 0) Interrupt();
    if (outputFd_ >= 0) ::close(outputFd_);
  }

  // The first line it prints, "listening on 127.0.0.1:PORT"; empty when none came in time.
  std::string FirstLine() {
    std::string line;
    char c = 0;
    pollfd readable{outputFd_, POLLIN, 0};
    while (::poll(&readable, 1, static_cast<int>(LineClient::kPatience.count())) == 1 &&
           ::read(outputFd_, &c, 1) == 1 && c != '\n')
      line += c;
    return line;
  }
  // Ctrl-C; the exit status.
  int Interrupt() {
    ::kill(pid_, SIGINT);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int outputFd_ = -1;
};

int PortOf(const std::string& listening) {
  const std::string prefix = "listening on 127.0.0.1:";
  return listening.rfind(prefix, 0) == 0 ? std::stoi(listening.substr(prefix.size())) : 0;
}

int RunCommand(const std::string& command, std::string* output) {
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return -1;
  std::array<char, 256> chunk{};
  while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) *output += chunk.data();
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ServeCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(radio_.Start()); }

  varim::sim::SimulatedRadio radio_{varim::testing::SampleRadio()};
};

TEST_F(ServeCommandTest, HamlibsRigctlReadsAndTunesTheRadioThroughIt) {
  if (!std::filesystem::exists(kRigctl)) GTEST_SKIP() << kRigctl << " is not installed";
  const varim::sim::WorkingChannel before = radio_.State().current;
  // A channel that is neither AME nor has the CW filter is worked on its sideband.
  ASSERT_NE(before.mode, 2);
  ASSERT_NE(before.bandwidth, 3);
  ServeProcess serve(radio_.DevicePath(), {});
  const int port = PortOf(serve.FirstLine());
  ASSERT_NE(port, 0);
  std::string output;
  EXPECT_EQ(RunCommand(std::string(kRigctl) + " -m 2 -r 127.0.0.1:" + std::to_string(port) +
                           " f F 7100000 f m",
                       &output),
            0);
  const std::string mode = before.sideband == 0 ? "LSB" : "USB";
  EXPECT_EQ(output.substr(0, output.rfind(mode) + mode.size() + 1),
            std::to_string(before.rxHz) + "\n7100000\n" + mode + "\n")
      << output;
  EXPECT_EQ(radio_.State().current.rxHz, 7'100'000u);
  EXPECT_EQ(radio_.State().current.txHz, 7'100'000u);
  EXPECT_EQ(serve.Interrupt(), 0);
}

TEST_F(ServeCommandTest, CtrlCStopsServingAndReleasesTheTransmitter) {
  ServeProcess serve(radio_.DevicePath(), {"--allow-ptt"});
  LineClient client(PortOf(serve.FirstLine()));
  ASSERT_TRUE(client.Connected());
  ASSERT_TRUE(client.Send("T 1\n"));
  EXPECT_EQ(client.ReadLines(1), "RPRT 0\n");
  EXPECT_TRUE(radio_.State().pttOn);
  EXPECT_EQ(serve.Interrupt(), 0);
  EXPECT_FALSE(radio_.State().pttOn);
  EXPECT_TRUE(client.ClosedByServer());
}

TEST_F(ServeCommandTest, ItEndsAfterItsTimeAndRefusesAnAddressItCannotListenOn) {
  const struct {
    std::string options;
    int exit;
    std::string output;
  } cases[] = {
      {"--seconds 0.2", 0, "listening on 127.0.0.1:"},
      {"--listen nowhere", 3, "varimctl: cannot listen on nowhere:0: "},
  };
  for (const auto& c : cases) {
    std::string output;
    EXPECT_EQ(RunCommand(std::string(VARIMCTL_PROGRAM) + " --device " + radio_.DevicePath() +
                             " serve --port 0 " + c.options,
                         &output),
              c.exit)
        << c.options;
    EXPECT_EQ(output.substr(0, c.output.size()), c.output) << output;
  }
}

}  // namespace
