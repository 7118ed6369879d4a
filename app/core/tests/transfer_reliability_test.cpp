#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "transfer_campaign.h"

namespace {

using varim::campaign::CampaignSetup;
using varim::campaign::CampaignTally;
using varim::campaign::RunKind;
using varim::campaign::RunResult;

// A short campaign per kind; the benchmark runs the long ones.
CampaignTally Campaign(RunKind kind, bool noisy, bool checksumKeeping, int runs) {
  CampaignSetup setup;
  setup.kind = kind;
  setup.runs = runs;
  if (noisy) setup.rates = varim::campaign::NoisyLine();
  setup.checksumKeepingCorruption = checksumKeeping;
  setup.firstSeed = 1000;
  return varim::campaign::RunCampaign(setup, [kind](int run, const RunResult& result) {
    // The log of a failing test shows how each run ended.
    std::printf("%s run %d: %s (%ld + %ld resends)\n", KindName(kind), run,
                result.notice.empty() ? "no message" : result.notice.c_str(), result.programResends,
                result.radioResends);
  });
}

TEST(TransferReliability, ANoisyLineNeverEndsInAnUnreportedFailureOrAWrongVerifiedWrite) {
  for (const RunKind kind : {RunKind::kRead, RunKind::kWrite, RunKind::kVerifiedWrite}) {
    const CampaignTally tally = Campaign(kind, true, false, 3);
    SCOPED_TRACE(KindName(kind));
    EXPECT_EQ(tally.unreportedFailures, 0);
    EXPECT_GT(tally.exact, 0) << "the line's faults are meant to be survived";
    EXPECT_GT(tally.programResends + tally.radioResends, 0) << "the line was not noisy";
    if (kind == RunKind::kVerifiedWrite) {
      EXPECT_EQ(tally.silentCorruptions, 0);
    }
  }
}

// The checksum cannot see two errors that cancel: without verification the write is reported
// as done while the radio holds something else, with verification the radio holds the records.
TEST(TransferReliability, OnlyVerificationCatchesAChecksumKeepingCorruption) {
  const CampaignTally plain = Campaign(RunKind::kWrite, false, true, 1);
  EXPECT_EQ(plain.silentCorruptions, 1);
  const CampaignTally verified = Campaign(RunKind::kVerifiedWrite, false, true, 1);
  EXPECT_EQ(verified.exact, 1);
  const CampaignTally read = Campaign(RunKind::kRead, false, true, 1);
  EXPECT_EQ(read.silentCorruptions, 1) << "a read has nothing to compare with";
}

}  // namespace
