// One request-answer exchange with the simulated radio: how long the program waits for an
// answer, from the radio model alone up to a separate varim-sim process on a pseudo-terminal.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "varim/message_engine.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_model.h"
#include "varim/sim/simulated_radio.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Reports the median and the 99th percentile of the per-exchange times, in microseconds.
class ExchangeTimes {
 public:
  void Add(Clock::duration took) {
    samples_.push_back(std::chrono::duration<double, std::micro>(took).count());
  }
  void Report(benchmark::State& state) {
    if (samples_.empty()) return;
    std::sort(samples_.begin(), samples_.end());
    state.counters["median_us"] = samples_[samples_.size() / 2];
    state.counters["p99_us"] = samples_[samples_.size() * 99 / 100];
    state.counters["max_us"] = samples_.back();
  }

 private:
  std::vector<double> samples_;
};

// The program's request-answer pattern: close the gate, send, collect by opcode.
void Exchange(benchmark::State& state, MessageEngine& engine, ExchangeTimes& times) {
  CRadioMessage request;
  ReportActiveChannel(&request);
  CRadioMessage answer;
  const auto start = Clock::now();
  engine.LockGetMessage();
  if (engine.SendRadioMessage(&request) != 1 ||
      engine.GetMessageWithOpcode(&answer, answer::kActiveChannel) != 1) {
    state.SkipWithError("the radio did not answer");
    return;
  }
  const auto took = Clock::now() - start;
  times.Add(took);
  state.SetIterationTime(std::chrono::duration<double>(took).count());
}

void ModelOnly(benchmark::State& state) {
  varim::sim::RadioModel radio;
  CRadioMessage request;
  ReportActiveChannel(&request);
  for (auto _ : state) benchmark::DoNotOptimize(radio.Handle(request));
}
BENCHMARK(ModelOnly);

bool Connect(benchmark::State& state, varim::sim::SimulatedRadio& radio, MessageEngine& engine) {
  if (radio.Start() && engine.OpenComPort(radio.DevicePath().c_str(), 9600) == 1 &&
      engine.ConnectSocket(9600, 1) == 1) {
    return true;
  }
  state.SkipWithError("no line to the simulated radio");
  return false;
}

// With an unrelated report waiting in the buffer (argument 1) the answer is found on a later
// scan: it must still be taken as it arrives, not after a pause.
void InProcessSimulator(benchmark::State& state) {
  varim::sim::SimulatedRadio radio;
  MessageEngine engine;
  if (!Connect(state, radio, engine)) return;
  if (state.range(0) == 1) {
    radio.SendFrame(varim::sim::MakeRadioFrame(report::kDisplay, {1, 2, 3}));
    radio.WaitUntilIdle(std::chrono::seconds(3));
  }
  ExchangeTimes times;
  for (auto _ : state) Exchange(state, engine, times);
  times.Report(state);
  engine.DisconnectSocket(1);
}
BENCHMARK(InProcessSimulator)
    ->ArgName("report_buffered")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(500);

// varim-sim as its own process, as the program and varimctl meet it.
void SeparateSimulatorProcess(benchmark::State& state) {
  int output[2];
  if (::pipe(output) != 0) {
    state.SkipWithError("pipe");
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  char* const argv[] = {const_cast<char*>(VARIM_SIM_PROGRAM), nullptr};
  pid_t simulator = -1;
  const int spawned =
      ::posix_spawn(&simulator, VARIM_SIM_PROGRAM, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(output[1]);
  if (spawned != 0) {
    ::close(output[0]);
    state.SkipWithError("cannot start varim-sim");
    return;
  }
  std::string device;
  char c;
  while (::read(output[0], &c, 1) == 1 && c != '\n') device += c;
  ::close(output[0]);

  {
    MessageEngine engine;
    if (engine.OpenComPort(device.c_str(), 9600) == 1 && engine.ConnectSocket(9600, 1) == 1) {
      ExchangeTimes times;
      for (auto _ : state) Exchange(state, engine, times);
      times.Report(state);
      engine.DisconnectSocket(1);
    } else {
      state.SkipWithError("cannot open the simulator's device");
    }
  }
  ::kill(simulator, SIGTERM);
  ::waitpid(simulator, nullptr, 0);
}
BENCHMARK(SeparateSimulatorProcess)->UseManualTime()->Iterations(500);

}  // namespace

BENCHMARK_MAIN();
