#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "varim/sim/line_faults.h"
#include "varim/sim/sim_behaviour.h"

namespace varim::campaign {

// Whole transfers of the sample programming over a faulty simulated line, each into or out of
// a radio of its own, and what came of them: shared by the reliability test and benchmark.
enum class RunKind { kRead, kWrite, kVerifiedWrite };

const char* KindName(RunKind kind);

struct CampaignSetup {
  RunKind kind = RunKind::kRead;
  int runs = 1;
  std::string profile = "varim-ccir-extended";
  int baudRate = 9600;
  // Paced at the baud rate, as a real line; unpaced runs see the same faults and timeouts.
  bool paced = false;
  // What the radio puts before the data of its memory answers.
  sim::AnswerLead answerLead = sim::AnswerLead::kEcho;
  sim::FaultRates rates;
  // Once the transfer is under way, one memory frame carries two wrong bytes whose errors
  // cancel in the checksum.
  bool checksumKeepingCorruption = false;
  // Run n seeds its line's faults with firstSeed + n, so every run can be repeated.
  std::uint32_t firstSeed = 1;
  // Keeps the frame trace of every run that did not end with the exact data.
  bool traceFailures = false;
};

// How a run ended, judged against a transfer over a clean line.
enum class Outcome {
  kExact,              // success reported, and the data are those of a clean transfer
  kCleanFailure,       // failure, and the operator was told
  kSilentCorruption,   // success reported, but the data differ
  kUnreportedFailure,  // failure without a word to the operator
};

const char* OutcomeName(Outcome outcome);

struct RunResult {
  Outcome outcome = Outcome::kExact;
  std::string notice;  // what the operator was told last
  std::vector<std::string> trace;
  long programResends = 0;
  long radioResends = 0;
  double seconds = 0;
};

struct CampaignTally {
  int exact = 0;
  int cleanFailures = 0;
  int silentCorruptions = 0;
  int unreportedFailures = 0;
  long programResends = 0;
  long radioResends = 0;
  double seconds = 0;

  void Add(const RunResult& run);
  int Runs() const { return exact + cleanFailures + silentCorruptions + unreportedFailures; }
};

// Byte corruption of about 1 in 10 000 bytes, dropped bytes, pauses inside frames, lost
// acknowledgements and refused write chunks.
sim::FaultRates NoisyLine();

// Runs the campaign; onRun, when given, hears of every run as it ends. Throws
// std::runtime_error when the reference transfer over a clean line fails.
CampaignTally RunCampaign(const CampaignSetup& setup,
                          const std::function<void(int run, const RunResult&)>& onRun = {});

}  // namespace varim::campaign
