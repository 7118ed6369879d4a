#include "varim/core/transfer_progress.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using varim::core::TransferMode;
using varim::core::TransferProgress;

constexpr TransferMode kRead = TransferMode::kRead;
constexpr TransferMode kWrite = TransferMode::kWrite;

struct TotalCase {
  bool ccir;
  bool global;
  bool extended;
  int read;
  int write;
};

std::ostream& operator<<(std::ostream& out, const TotalCase& c) {
  return out << "ccir=" << c.ccir << " global=" << c.global << " extended=" << c.extended;
}

class TotalBytes : public ::testing::TestWithParam<TotalCase> {};

// A wrong total shows a stuck or overflowing bar, and ends the transfer's display too early.
TEST_P(TotalBytes, MatchWhatTheRadioCarries) {
  const TotalCase& c = GetParam();
  EXPECT_EQ(TransferProgress(kRead, c.ccir, c.global, c.extended).TotalBytes(), c.read);
  EXPECT_EQ(TransferProgress(kWrite, c.ccir, c.global, c.extended).TotalBytes(), c.write);
}

// Read: 8681 or 9401 (+4 extended), with CCIR 9196 (+4 extended) - 40; always - 124.
// A write does not send 1269 bytes of the radio's header. CCIR outweighs global members.
INSTANTIATE_TEST_SUITE_P(EveryFlagCombination, TotalBytes,
                         ::testing::ValuesIn(std::vector<TotalCase>{
                             {false, false, false, 8557, 7288},
                             {false, false, true, 8561, 7292},
                             {false, true, false, 9277, 8008},
                             {false, true, true, 9281, 8012},
                             {true, false, false, 9032, 7763},
                             {true, false, true, 9036, 7767},
                             {true, true, false, 9032, 7763},
                             {true, true, true, 9036, 7767}}));

TEST(TransferPercent, IsTruncatedAndReachesExactlyOneHundredAtTheTotal) {
  TransferProgress progress(kRead, false, false, false);  // 8557 bytes
  progress.Add(4278);
  EXPECT_EQ(progress.Percent(), 49) << "427800 / 8557 is 49.99: truncated, not rounded";
  progress.Add(1);
  EXPECT_EQ(progress.Percent(), 50);
  EXPECT_EQ(progress.View().percent, 50);
  progress.Add(8556 - 4279);
  EXPECT_EQ(progress.Percent(), 99);
  EXPECT_EQ(progress.View().percent, 99);
  progress.Add(1);
  EXPECT_EQ(progress.Transferred(), 8557);
  EXPECT_EQ(progress.Percent(), 100);
  EXPECT_EQ(progress.View().percent, 100);
}

// A CCIR radio moves more bytes than its total (the channel names outrun it): the bar must
// not go past full.
TEST(TransferPercent, ABarPastItsTotalStaysFull) {
  TransferProgress progress(kRead, true, false, false);
  progress.Add(9032);
  EXPECT_EQ(progress.View().percent, 100);
  progress.Add(400);
  EXPECT_GE(progress.Percent(), 100);
  EXPECT_EQ(progress.View().percent, 100);
}

struct CaptionCase {
  TransferMode mode;
  bool ccir;
  bool global;
  int transferred;
  const char* caption;
  const char* status;
};

std::ostream& operator<<(std::ostream& out, const CaptionCase& c) {
  return out << (c.mode == kWrite ? "write" : "read") << " ccir=" << c.ccir
             << " global=" << c.global << " after " << c.transferred << " bytes";
}

class Captions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(Captions, NameTheSectionTheByteCountHasReached) {
  const CaptionCase& c = GetParam();
  TransferProgress progress(c.mode, c.ccir, c.global, true);
  progress.Add(c.transferred);
  const auto view = progress.View();
  EXPECT_EQ(view.caption, c.caption);
  EXPECT_EQ(view.status, c.status);
}

// The position is the byte count + 124 (164 with CCIR), + 1269 when writing; each pair of
// rows sits on either side of a section boundary.
INSTANTIATE_TEST_SUITE_P(
    ReadBoundaries, Captions,
    ::testing::ValuesIn(std::vector<CaptionCase>{
        {kRead, false, false, 0, "Radio Data Base", "Reading Groups Section"},
        {kRead, false, false, 1563, "Radio Data Base", "Reading Groups Section"},
        {kRead, false, false, 1564, "Radio Data Base", "Reading Channels Section"},
        {kRead, false, false, 4163, "Radio Data Base", "Reading Channels Section"},
        {kRead, false, false, 4164, "Radio Data Base", "Reading Radio Options Section"},
        {kRead, false, false, 4178, "Radio Data Base", "Reading External Options Section"},
        {kRead, false, false, 4179, "Radio Data Base", "Reading External Options Section"},
        {kRead, false, false, 4180, "ALE Data Base", "Reading ALE Nets Section"},
        {kRead, false, false, 6000, "ALE Data Base", "Reading ALE Options Section"},
        {kRead, false, false, 6012, "ALE Data Base", "Reading ALE Directory Section"},
        {kRead, false, false, 7612, "ALE Data Base", "Reading ALE Autodials Section"},
        {kRead, false, false, 7632, "ALE Data Base", "Reading ALE Program Word"},
        {kRead, false, false, 7637, "ALE Data Base", "Reading ALE Messages"},
        {kRead, false, true, 8556, "ALE Data Base", "Reading ALE Messages"},
        {kRead, false, true, 8557, "Global member Data Base", "Reading Global member Data Base"},
        {kRead, true, false, 1523, "Radio Data Base", "Reading Groups Section"},
        {kRead, true, false, 1524, "Radio Data Base", "Reading Channels Section"},
        {kRead, true, false, 8516, "ALE Data Base", "Reading ALE Messages"},
        {kRead, true, false, 8517, "CCIR Data Base", "Reading CCIR Data Base"},
        {kRead, true, false, 8991, "CCIR Data Base", "Reading CCIR Data Base"},
        {kRead, true, false, 8992, "CCIR Data Base", "Reading CCIR Channel Number"},
        // A CCIR radio that also reports the support mode keeps CCIR data, not members.
        {kRead, true, true, 8517, "CCIR Data Base", "Reading CCIR Data Base"}}));

INSTANTIATE_TEST_SUITE_P(
    WriteBoundaries, Captions,
    ::testing::ValuesIn(std::vector<CaptionCase>{
        {kWrite, false, false, 0, "Radio Data Base", "Writing Groups Section"},
        {kWrite, false, false, 294, "Radio Data Base", "Writing Groups Section"},
        {kWrite, false, false, 295, "Radio Data Base", "Writing Channels Section"},
        {kWrite, false, false, 2910, "Radio Data Base", "Writing External Options Section"},
        {kWrite, false, false, 2911, "ALE Data Base", "Writing ALE Nets Section"},
        {kWrite, false, false, 4742, "ALE Data Base", "Writing ALE Options Section"},
        {kWrite, false, false, 4743, "ALE Data Base", "Writing ALE Directory Section"},
        {kWrite, false, true, 7287, "ALE Data Base", "Writing ALE Messages"},
        {kWrite, false, true, 7288, "Global member Data Base", "Writing Global member Data Base"},
        {kWrite, true, false, 7247, "ALE Data Base", "Writing ALE Messages"},
        {kWrite, true, false, 7248, "CCIR Data Base", "Writing CCIR Data Base"},
        {kWrite, true, false, 7722, "CCIR Data Base", "Writing CCIR Data Base"},
        {kWrite, true, false, 7723, "CCIR Data Base", "Writing CCIR Channel Number"}}));

}  // namespace
