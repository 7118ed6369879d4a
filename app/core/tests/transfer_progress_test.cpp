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

TransferProgress Progress(TransferMode mode, bool ccir, bool global, bool extended) {
  return TransferProgress(mode, TransferContents{ccir, global, extended});
}

class TotalBytes : public ::testing::TestWithParam<TotalCase> {};

// A wrong total shows a stuck or overflowing bar, and ends the transfer's display too early.
TEST_P(TotalBytes, MatchWhatTheRadioCarries) {
  const TotalCase& c = GetParam();
  EXPECT_EQ(Progress(kRead, c.ccir, c.global, c.extended).TotalBytes(), c.read);
  EXPECT_EQ(Progress(kWrite, c.ccir, c.global, c.extended).TotalBytes(), c.write);
}

// Read: the radio record without 113 bytes it never moves (4191) and the ALE record without 11
// (4366); the global members 720, or the CCIR data 475 and the channel names 400; the extra
// options 4. A write sends one byte of the radio's 1270-byte header. CCIR outweighs global
// members.
INSTANTIATE_TEST_SUITE_P(EveryFlagCombination, TotalBytes,
                         ::testing::ValuesIn(std::vector<TotalCase>{
                             {false, false, false, 8557, 7288},
                             {false, false, true, 8561, 7292},
                             {false, true, false, 9277, 8008},
                             {false, true, true, 9281, 8012},
                             {true, false, false, 9432, 8163},
                             {true, false, true, 9436, 8167},
                             {true, true, false, 9432, 8163},
                             {true, true, true, 9436, 8167}}));

TEST(TransferPercent, IsTruncatedAndReachesExactlyOneHundredAtTheTotal) {
  TransferProgress progress = Progress(kRead, false, false, false);  // 8557 bytes
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

// A CCIR radio reaches 100 only once its channel names have moved too.
TEST(TransferPercent, ACcirRadioIsNotCompleteBeforeItsChannelNames) {
  TransferProgress progress = Progress(kRead, true, false, false);
  progress.Add(9032);
  EXPECT_LT(progress.View().percent, 100);
  EXPECT_EQ(progress.View().status, "Reading CCIR Channel Number");
  progress.Add(400);
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

TEST_P(Captions, NameTheSectionTheNextByteBelongsTo) {
  const CaptionCase& c = GetParam();
  TransferProgress progress = Progress(c.mode, c.ccir, c.global, true);
  progress.Add(c.transferred);
  const auto view = progress.View();
  EXPECT_EQ(view.caption, c.caption);
  EXPECT_EQ(view.status, c.status);
}

// Each pair of rows sits on either side of a section boundary of the transfer.
INSTANTIATE_TEST_SUITE_P(
    ReadBoundaries, Captions,
    ::testing::ValuesIn(std::vector<CaptionCase>{
        {kRead, false, false, 0, "Radio Data Base", "Reading Groups Section"},
        {kRead, false, false, 1574, "Radio Data Base", "Reading Groups Section"},
        {kRead, false, false, 1575, "Radio Data Base", "Reading Channels Section"},
        {kRead, false, false, 4174, "Radio Data Base", "Reading Channels Section"},
        {kRead, false, false, 4175, "Radio Data Base", "Reading Radio Options Section"},
        {kRead, false, false, 4189, "Radio Data Base", "Reading External Options Section"},
        {kRead, false, false, 4190, "Radio Data Base", "Reading External Options Section"},
        {kRead, false, false, 4191, "ALE Data Base", "Reading ALE Nets Section"},
        {kRead, false, false, 6011, "ALE Data Base", "Reading ALE Options Section"},
        {kRead, false, false, 6023, "ALE Data Base", "Reading ALE Directory Section"},
        {kRead, false, false, 7623, "ALE Data Base", "Reading ALE Autodials Section"},
        {kRead, false, false, 7643, "ALE Data Base", "Reading ALE Program Word"},
        {kRead, false, false, 7647, "ALE Data Base", "Reading ALE Messages"},
        {kRead, false, true, 8556, "ALE Data Base", "Reading ALE Messages"},
        {kRead, false, true, 8557, "Global member Data Base", "Reading Global member Data Base"},
        {kRead, false, true, 9277, "Global member Data Base", "Reading Global member Data Base"},
        {kRead, true, false, 8557, "CCIR Data Base", "Reading CCIR Data Base"},
        {kRead, true, false, 9031, "CCIR Data Base", "Reading CCIR Data Base"},
        {kRead, true, false, 9032, "CCIR Data Base", "Reading CCIR Channel Number"},
        {kRead, true, false, 9436, "CCIR Data Base", "Reading CCIR Channel Number"},
        // A CCIR radio that also reports the support mode keeps CCIR data, not members.
        {kRead, true, true, 8557, "CCIR Data Base", "Reading CCIR Data Base"}}));

INSTANTIATE_TEST_SUITE_P(
    WriteBoundaries, Captions,
    ::testing::ValuesIn(std::vector<CaptionCase>{
        {kWrite, false, false, 0, "Radio Data Base", "Writing Groups Section"},
        {kWrite, false, false, 305, "Radio Data Base", "Writing Groups Section"},
        {kWrite, false, false, 306, "Radio Data Base", "Writing Channels Section"},
        {kWrite, false, false, 2921, "Radio Data Base", "Writing External Options Section"},
        {kWrite, false, false, 2922, "ALE Data Base", "Writing ALE Nets Section"},
        {kWrite, false, false, 4742, "ALE Data Base", "Writing ALE Options Section"},
        {kWrite, false, false, 4754, "ALE Data Base", "Writing ALE Directory Section"},
        {kWrite, false, true, 7287, "ALE Data Base", "Writing ALE Messages"},
        {kWrite, false, true, 7288, "Global member Data Base", "Writing Global member Data Base"},
        {kWrite, true, false, 7287, "ALE Data Base", "Writing ALE Messages"},
        {kWrite, true, false, 7288, "CCIR Data Base", "Writing CCIR Data Base"},
        {kWrite, true, false, 7762, "CCIR Data Base", "Writing CCIR Data Base"},
        {kWrite, true, false, 7763, "CCIR Data Base", "Writing CCIR Channel Number"}}));

}  // namespace
