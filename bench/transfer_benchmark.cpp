// Reading and writing the sample radio's whole programming over a line paced at each baud
// rate: how close a transfer comes to the time its bytes need on the wire.
//
// Usage: transfer_benchmark [--answer-lead echo|address|zero] [profile] [baud...]
//        (default: echo, varim-global 1200 2400 4800 9600)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "varim/core/radio_session.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/sleeping_pump.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Measurement {
  double seconds = 0;
  double wireSeconds = 0;
  bool ok = false;
};

// 11 bits per byte: start, 8 data, parity, stop.
double WireSeconds(long bytes, int baud) {
  return static_cast<double>(bytes) * 11.0 / baud;
}

long LineBytes(const varim::sim::SimulatedRadio& radio) {
  const auto line = radio.Statistics();
  return line.bytesSent + line.bytesReceived;
}

Measurement Transfer(varim::sim::SimulatedRadio& radio, varim::core::RadioSession& session,
                     bool read, int baud) {
  Measurement m;
  const long before = LineBytes(radio);
  const auto start = Clock::now();
  m.ok = read ? session.ReadRadio(nullptr) : session.WriteRadio(nullptr);
  m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  m.wireSeconds = WireSeconds(LineBytes(radio) - before, baud);
  return m;
}

varim::sim::SimOptions PacedRadio(const varim::sim::RadioProfile& profile, int baud, bool blank,
                                  varim::sim::AnswerLead lead) {
  varim::sim::SimOptions options;
  options.behaviour.answerLead = lead;
  options.baudRate = baud;
  options.paced = true;
  options.profile = profile;
  if (!blank) options.memory = varim::sim::SampleMemory(profile);
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  varim::sim::AnswerLeadName lead = varim::sim::kAnswerLeadNames[0];
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) != "--answer-lead" || i + 1 == argc) {
      positional.emplace_back(argv[i]);
      continue;
    }
    const std::string wanted = argv[++i];
    const auto* found = std::find_if(
        std::begin(varim::sim::kAnswerLeadNames), std::end(varim::sim::kAnswerLeadNames),
        [&wanted](const varim::sim::AnswerLeadName& name) { return wanted == name.name; });
    if (found == std::end(varim::sim::kAnswerLeadNames)) {
      std::fprintf(stderr, "no answer lead '%s' (echo, address or zero)\n", wanted.c_str());
      return 2;
    }
    lead = *found;
  }
  const std::string profileName = positional.empty() ? "varim-global" : positional[0];
  std::vector<int> bauds;
  for (std::size_t i = 1; i < positional.size(); ++i)
    bauds.push_back(std::atoi(positional[i].c_str()));
  if (bauds.empty()) bauds = {1200, 2400, 4800, 9600};
  const auto profile = varim::sim::FindProfile(profileName);
  if (!profile) {
    std::fprintf(stderr, "no radio profile '%s'\n", profileName.c_str());
    return 2;
  }

  std::printf("Whole programming of the sample radio (%s), paced line, answers led by %s\n",
              profileName.c_str(), lead.name);
  std::printf("%6s  %-5s  %10s  %10s  %6s\n", "baud", "", "measured", "on wire", "ratio");
  for (const int baud : bauds) {
    varim::testing::RecordingOperator op;
    op.EchoNotices("");
    varim::testing::SleepingPump pump;
    varim::sim::SimulatedRadio source(PacedRadio(*profile, baud, false, lead.lead));
    varim::sim::SimulatedRadio target(PacedRadio(*profile, baud, true, lead.lead));
    if (!source.Start() || !target.Start()) return 1;

    varim::core::RadioSession reader(op, pump);
    if (!reader.Open(source.DevicePath(), baud)) return 1;
    const Measurement read = Transfer(source, reader, true, baud);
    reader.Close();

    varim::core::RadioSession writer(op, pump);
    if (!writer.Open(target.DevicePath(), baud)) return 1;
    writer.Databases() = reader.Databases();
    writer.Flags().ccir_present = reader.Flags().ccir_present.load();
    writer.Flags().global_ale_present = reader.Flags().global_ale_present.load();
    const Measurement write = Transfer(target, writer, false, baud);

    for (const auto& [name, m] : {std::pair{"read", read}, std::pair{"write", write}}) {
      std::printf("%6d  %-5s  %9.2fs  %9.2fs  %6.3f%s\n", baud, name, m.seconds, m.wireSeconds,
                  m.seconds / m.wireSeconds, m.ok ? "" : "  FAILED");
    }
    std::fflush(stdout);
  }
  return 0;
}
