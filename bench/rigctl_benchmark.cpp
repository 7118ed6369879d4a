// The round trip of a frequency request ("f", which WSJT-X sends every second) through the
// rigctld server to the simulated radio and back, against the same request made on the session
// alone: what the server adds to what the line costs, on an unpaced line and on one paced at
// 9600 baud as a real radio's is.
//
// Usage: rigctl_benchmark [round trips]   (default 200)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "varim/netcontrol/session_radio.h"
#include "varim/testing/line_client.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/sample_radio.h"
#include "varim/testing/served_radio.h"
#include "varim/testing/sleeping_pump.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kBaud = 9600;

varim::sim::SimOptions Radio(bool paced) {
  varim::sim::SimOptions options = varim::testing::SampleRadio();
  options.baudRate = kBaud;
  options.paced = paced;
  return options;
}

// Milliseconds of each round trip, sorted; empty when one failed.
std::vector<double> Measure(int count, const std::function<bool()>& roundTrip) {
  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    if (!roundTrip()) return {};
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times;
}

std::vector<double> SessionAlone(bool paced, int count) {
  varim::sim::SimulatedRadio radio(Radio(paced));
  varim::testing::RecordingOperator op;
  varim::testing::SleepingPump pump;
  varim::core::RadioSession session(op, pump);
  if (!radio.Start() || !session.Open(radio.DevicePath(), kBaud)) return {};
  varim::netcontrol::SessionRadio side(session);
  return Measure(count, [&] { return side.ReceiveFrequencyHz().has_value(); });
}

std::vector<double> ThroughServer(bool paced, int count) {
  varim::testing::ServedRadio served(Radio(paced), {});
  if (!served.Start()) return {};
  varim::testing::LineClient client(served.Port());
  const std::string answer = std::to_string(served.Radio().State().current.rxHz) + "\n";
  return Measure(count, [&] { return client.Send("f\n") && client.ReadLines(1) == answer; });
}

void Print(const char* what, const std::vector<double>& times) {
  if (times.empty()) {
    std::printf("%-32s failed\n", what);
    return;
  }
  const auto at = [&](double share) {
    return times[std::min(times.size() - 1, static_cast<std::size_t>(share * times.size()))];
  };
  std::printf("%-32s %8.2f %8.2f %8.2f\n", what, at(0.5), at(0.95), times.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 200;
  std::printf("f round trip, %d times, in ms:     median      95%%    worst\n", count);
  Print("unpaced line, session alone", SessionAlone(false, count));
  Print("unpaced line, through server", ThroughServer(false, count));
  Print("9600 baud, session alone", SessionAlone(true, count));
  Print("9600 baud, through server", ThroughServer(true, count));
  return 0;
}
