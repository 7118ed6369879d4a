#include "transfer_campaign.h"

#include <chrono>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <vector>

#include "varim/core/radio_session.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/same_frame.h"
#include "varim/testing/sleeping_pump.h"

namespace varim::campaign {
namespace {

using Clock = std::chrono::steady_clock;
using core::ProgressView;
using core::RadioSession;
using sim::SimulatedRadio;
using varim::testing::RecordingOperator;
using varim::testing::SameFrame;
using varim::testing::SleepingPump;

// Spoils one memory frame once the transfer has begun: the questions before it read memory too.
class SpoilOnceUnderWay : public core::ProgressObserver {
 public:
  SpoilOnceUnderWay(SimulatedRadio& radio, bool spoil) : radio_(radio), pending_(spoil) {}
  void OnProgress(const ProgressView& /*view*/) override {
    if (std::exchange(pending_, false)) radio_.CorruptKeepingChecksum(1);
  }

 private:
  SimulatedRadio& radio_;
  bool pending_;
};

// What a transfer over a clean line yields: the records, their flags, and the sections a write
// of them leaves in a radio.
struct Reference {
  db::RadioDatabases databases;
  int ccirPresent = 0;
  int globalPresent = 0;
  std::vector<MemorySectionImage> sections;
};

sim::SimOptions RadioOf(const CampaignSetup& setup, bool sample, std::uint32_t seed) {
  const auto profile = sim::FindProfile(setup.profile);
  if (!profile) throw std::runtime_error("no radio profile " + setup.profile);
  sim::SimOptions options;
  options.baudRate = setup.baudRate;
  options.paced = setup.paced;
  options.behaviour.answerLead = setup.answerLead;
  options.profile = *profile;
  if (sample) options.memory = sim::SampleMemory(*profile);
  options.seed = seed;
  return options;
}

bool SameRecords(RadioSession& session, const Reference& reference) {
  return std::memcmp(&session.Databases(), &reference.databases, sizeof reference.databases) == 0 &&
         session.Flags().ccir_present == reference.ccirPresent &&
         session.Flags().global_ale_present == reference.globalPresent;
}

bool RadioHolds(const sim::RadioMemory& memory, const std::vector<MemorySectionImage>& sections) {
  for (const MemorySectionImage& section : sections) {
    if (std::memcmp(memory.Bytes().data() + section.address, section.bytes.data(),
                    section.bytes.size()) != 0) {
      return false;
    }
  }
  return true;
}

// Seen from the radio: every frame refused for its checksum is sent again, and a frame that
// comes twice in a row came again because its acknowledgement was lost or late.
long ProgramResends(const SimulatedRadio& radio) {
  const auto frames = radio.ReceivedFrames();
  long again = radio.Statistics().badFramesReceived;
  for (std::size_t i = 1; i < frames.size(); ++i) {
    if (SameFrame(frames[i], frames[i - 1])) ++again;
  }
  return again;
}

long RadioResends(const SimulatedRadio& radio) {
  const sim::LineStatistics line = radio.Statistics();
  return line.ownFrameWrites - line.ownFramesAcknowledged - line.ownFramesGivenUp;
}

Reference CleanRead(const CampaignSetup& setup) {
  SimulatedRadio radio(RadioOf(setup, true, setup.firstSeed));
  std::string error;
  if (!radio.Start(&error)) throw std::runtime_error(error);
  RecordingOperator op;
  SleepingPump pump;
  RadioSession session(op, pump);
  if (!session.Open(radio.DevicePath(), setup.baudRate) || !session.ReadRadio(nullptr))
    throw std::runtime_error("the reference read failed: " + op.LastNotice());
  return {session.Databases(), session.Flags().ccir_present.load(),
          session.Flags().global_ale_present.load(), session.WrittenSections()};
}

RunResult RunOnce(const CampaignSetup& setup, const Reference& reference, std::uint32_t seed) {
  const bool read = setup.kind == RunKind::kRead;
  sim::SimOptions options = RadioOf(setup, read, seed);
  std::mutex traceMutex;
  std::vector<std::string> trace;
  if (setup.traceFailures) {
    options.trace = [&traceMutex, &trace](const std::string& line) {
      std::lock_guard lock(traceMutex);
      trace.push_back(line);
    };
  }
  SimulatedRadio radio(std::move(options));
  std::string error;
  if (!radio.Start(&error)) throw std::runtime_error(error);
  radio.SetFaultRates(setup.rates);
  RecordingOperator op;
  SleepingPump pump;
  RadioSession session(op, pump);
  SpoilOnceUnderWay spoiler(radio, setup.checksumKeepingCorruption);

  RunResult result;
  const auto start = Clock::now();
  bool ok = session.Open(radio.DevicePath(), setup.baudRate);
  bool exact = false;
  if (ok && read) {
    ok = session.ReadRadio(&spoiler);
    exact = ok && SameRecords(session, reference);
  } else if (ok) {
    session.Databases() = reference.databases;
    session.Flags().ccir_present = reference.ccirPresent;
    session.Flags().global_ale_present = reference.globalPresent;
    session.SetVerifyWrites(setup.kind == RunKind::kVerifiedWrite);
    ok = session.WriteRadio(&spoiler);
    exact = ok && RadioHolds(radio.Memory(), reference.sections);
  }
  session.Close();
  result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  radio.Stop();

  result.notice = op.LastNotice();
  if (ok) {
    result.outcome = exact ? Outcome::kExact : Outcome::kSilentCorruption;
  } else {
    result.outcome = result.notice.empty() ? Outcome::kUnreportedFailure : Outcome::kCleanFailure;
  }
  if (result.outcome != Outcome::kExact) result.trace = std::move(trace);
  result.programResends = ProgramResends(radio);
  result.radioResends = RadioResends(radio);
  return result;
}

}  // namespace

const char* KindName(RunKind kind) {
  switch (kind) {
    case RunKind::kRead:
      return "read";
    case RunKind::kWrite:
      return "write";
    case RunKind::kVerifiedWrite:
      return "verified write";
  }
  return "";
}

const char* OutcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::kExact:
      return "exact";
    case Outcome::kCleanFailure:
      return "reported failure";
    case Outcome::kSilentCorruption:
      return "SILENT CORRUPTION";
    case Outcome::kUnreportedFailure:
      return "UNREPORTED FAILURE";
  }
  return "";
}

void CampaignTally::Add(const RunResult& run) {
  switch (run.outcome) {
    case Outcome::kExact:
      ++exact;
      break;
    case Outcome::kCleanFailure:
      ++cleanFailures;
      break;
    case Outcome::kSilentCorruption:
      ++silentCorruptions;
      break;
    case Outcome::kUnreportedFailure:
      ++unreportedFailures;
      break;
  }
  programResends += run.programResends;
  radioResends += run.radioResends;
  seconds += run.seconds;
}

sim::FaultRates NoisyLine() {
  sim::FaultRates rates;
  rates.corruptByte = 1e-4;
  rates.dropByte = 2e-5;
  rates.pauseInFrame = 0.005;
  rates.lostAck = 0.005;
  rates.refusedWrite = 0.01;
  return rates;
}

CampaignTally RunCampaign(const CampaignSetup& setup,
                          const std::function<void(int run, const RunResult&)>& onRun) {
  const Reference reference = CleanRead(setup);
  CampaignTally tally;
  for (int run = 0; run < setup.runs; ++run) {
    const RunResult result =
        RunOnce(setup, reference, setup.firstSeed + static_cast<std::uint32_t>(run));
    tally.Add(result);
    if (onRun) onRun(run, result);
  }
  return tally;
}

}  // namespace varim::campaign
