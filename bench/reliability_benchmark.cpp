// Whole reads and writes of the sample programming over a noisy simulated line, and one of
// each where a frame carries two errors the checksum cannot see: how each kind of run ends.
//
// Usage: reliability_benchmark [runs per kind] [--paced] [--seed N] [--profile NAME]
//                              [--answer-lead echo|address|zero] [--verbose]
//        (default: 50 runs, unpaced 9600 baud, seed 1, varim-ccir-extended, a table for each way
//        of leading memory answers; --verbose tells how every run ended, with its seed and,
//        unless exact, its frame trace, on the standard error)

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "transfer_campaign.h"

namespace {

using varim::campaign::CampaignSetup;
using varim::campaign::CampaignTally;
using varim::campaign::OutcomeName;
using varim::campaign::RunKind;
using varim::campaign::RunResult;

void PrintRow(const char* kind, const char* line, const CampaignTally& t) {
  std::printf("%-15s %-16s %5d %6d %9d %8d %11d %9ld %7ld %8.1f\n", kind, line, t.Runs(), t.exact,
              t.cleanFailures, t.silentCorruptions, t.unreportedFailures, t.programResends,
              t.radioResends, t.seconds);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  CampaignSetup base;
  base.runs = 50;
  bool verbose = false;
  std::vector<varim::sim::AnswerLeadName> leads(std::begin(varim::sim::kAnswerLeadNames),
                                                std::end(varim::sim::kAnswerLeadNames));
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--paced") == 0) {
      base.paced = true;
    } else if (std::strcmp(argv[i], "--verbose") == 0) {
      verbose = true;
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      base.firstSeed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    } else if (std::strcmp(argv[i], "--profile") == 0 && i + 1 < argc) {
      base.profile = argv[++i];
    } else if (std::strcmp(argv[i], "--answer-lead") == 0 && i + 1 < argc) {
      const char* wanted = argv[++i];
      std::erase_if(leads,
                    [wanted](const auto& lead) { return std::strcmp(lead.name, wanted) != 0; });
      if (leads.empty()) {
        std::fprintf(stderr, "%s: no answer lead %s (echo, address or zero)\n", argv[0], wanted);
        return 2;
      }
    } else if (std::atoi(argv[i]) > 0) {
      base.runs = std::atoi(argv[i]);
    } else {
      std::fprintf(stderr,
                   "usage: %s [runs] [--paced] [--seed N] [--profile NAME] "
                   "[--answer-lead echo|address|zero] [--verbose]\n",
                   argv[0]);
      return 2;
    }
  }

  std::printf("Sample programming of a %s radio at %d baud, %s line, seeds from %u\n",
              base.profile.c_str(), base.baudRate, base.paced ? "paced" : "unpaced",
              base.firstSeed);
  const auto noisy = varim::campaign::NoisyLine();
  std::printf(
      "noisy line: per byte %.0e corrupted, %.0e dropped; per frame %.3f paused; "
      "%.3f acknowledgements lost; %.2f write chunks refused\n\n",
      noisy.corruptByte, noisy.dropByte, noisy.pauseInFrame, noisy.lostAck, noisy.refusedWrite);
  std::map<std::string, int> notices;
  bool sound = true;
  try {
    for (const auto& lead : leads) {
      base.answerLead = lead.lead;
      std::printf("\nmemory answers led by %s\n", lead.name);
      std::printf("%-15s %-16s %5s %6s %9s %8s %11s %9s %7s %8s\n", "run", "line", "runs", "exact",
                  "reported", "silent", "unreported", "resends", "radio", "seconds");
      std::printf("%-15s %-16s %5s %6s %9s %8s %11s %9s %7s %8s\n", "", "", "", "", "failure",
                  "corrupt", "failure", "program", "resends", "");

      for (const bool checksumKeeping : {false, true}) {
        for (const RunKind kind : {RunKind::kRead, RunKind::kWrite, RunKind::kVerifiedWrite}) {
          CampaignSetup setup = base;
          setup.kind = kind;
          setup.traceFailures = verbose;
          if (checksumKeeping) {
            setup.runs = 1;
            setup.checksumKeepingCorruption = true;
          } else {
            setup.rates = noisy;
          }
          const CampaignTally tally =
              varim::campaign::RunCampaign(setup, [&](int run, const RunResult& result) {
                if (!result.notice.empty())
                  ++notices[std::string(lead.name) + " " + KindName(kind) + ": " + result.notice];
                if (verbose) {
                  std::fprintf(stderr, "%s, seed %u: %s, %.1f s, %ld + %ld resends%s%s\n",
                               KindName(kind), setup.firstSeed + static_cast<std::uint32_t>(run),
                               OutcomeName(result.outcome), result.seconds, result.programResends,
                               result.radioResends, result.notice.empty() ? "" : ": ",
                               result.notice.c_str());
                  for (const std::string& line : result.trace)
                    std::fprintf(stderr, "  %s\n", line.c_str());
                }
              });
          PrintRow(KindName(kind), checksumKeeping ? "checksum-keeping" : "noisy", tally);
          sound = sound && tally.unreportedFailures == 0 &&
                  (kind != RunKind::kVerifiedWrite || tally.silentCorruptions == 0);
        }
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "reliability_benchmark: %s\n", e.what());
    return 1;
  }
  if (!notices.empty()) std::printf("\nwhat the operator was told:\n");
  for (const auto& [notice, count] : notices) std::printf("%4d x %s\n", count, notice.c_str());
  return sound ? 0 : 1;
}
