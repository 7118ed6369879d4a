#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "varim/panels/clarifier_pane.h"
#include "varim/panels/notch_pane.h"
#include "varim/panels/pane_enabling.h"
#include "varim/radio_opcodes.h"
#include "varim/testing/bytes.h"

namespace {

using varim::panels::ClarifierPane;
using varim::panels::NotchPane;
using varim::panels::PaneConditions;
using varim::panels::PaneEnabling;
using varim::panels::ScrollAction;
using varim::testing::Bytes;

// The frames a pane hands to the line: opcode, then the command's data bytes.
class SentFrames {
 public:
  bool Send(const CRadioMessage& frame) {
    Bytes bytes{static_cast<std::uint8_t>(frame.GetOpcode())};
    bytes.insert(bytes.end(), frame.GetData(), frame.GetData() + frame.GetLen() - 1);
    sent_.push_back(bytes);
    return true;
  }
  std::vector<Bytes> Take() { return std::exchange(sent_, {}); }

 private:
  std::vector<Bytes> sent_;
};

constexpr std::uint8_t kClarifier = opcode::kSetClarifier;
constexpr std::uint8_t kDsp = opcode::kSetDspMenuParameters;
constexpr std::uint8_t kSame = opcode::kUnchanged;
// Every SetDspMenuParameters frame ends in 0xFF of its own.

class ClarifierPaneTest : public ::testing::Test {
 protected:
  SentFrames line_;
  ClarifierPane pane_{[this](const CRadioMessage& frame) { return line_.Send(frame); }};
};

TEST_F(ClarifierPaneTest, SnapsToTheNearestStepHalvesAwayFromZeroWithinTheRange) {
  const struct {
    int moved;
    int snapped;
  } cases[] = {{37, 40}, {-35, -40}, {5, 10},    {-5, -10},  {0, 0},
               {34, 30}, {-44, -40}, {200, 200}, {205, 200}, {-300, -200}};
  for (const auto& c : cases) {
    pane_.Scroll(ScrollAction::kTrack, c.moved);
    EXPECT_EQ(pane_.Position(), c.snapped) << c.moved;
  }
}

TEST_F(ClarifierPaneTest, TellsTheRadioWhereTheSliderSettledButNotWhileItIsDragged) {
  const struct {
    ScrollAction action;
    int moved;
    std::optional<Bytes> sent;  // opcode, a, direction, magnitude
  } cases[] = {
      {ScrollAction::kLine, 37, Bytes{kClarifier, 0, 1, 40}},
      {ScrollAction::kPage, -35, Bytes{kClarifier, 0, 2, 40}},
      {ScrollAction::kRelease, 4, Bytes{kClarifier, 0, 0, 0}},
      {ScrollAction::kEnd, -200, Bytes{kClarifier, 0, 2, 200}},
      {ScrollAction::kTrack, 120, std::nullopt},
  };
  for (const auto& c : cases) {
    pane_.Scroll(c.action, c.moved);
    const std::vector<Bytes> expected = c.sent ? std::vector<Bytes>{*c.sent} : std::vector<Bytes>{};
    EXPECT_EQ(line_.Take(), expected) << c.moved;
  }
}

TEST_F(ClarifierPaneTest, ButtonsSendAndStepsStopAtTheEndsOfTheRange) {
  pane_.Load(190);
  pane_.Step(+1);
  pane_.Step(+1);
  EXPECT_EQ(pane_.Position(), 200);
  pane_.Centre();
  EXPECT_FALSE(pane_.On());
  pane_.Load(-200);
  pane_.Step(-1);
  pane_.Step(+1);
  EXPECT_EQ(line_.Take(), (std::vector<Bytes>{{kClarifier, 0, 1, 200},
                                              {kClarifier, 0, 1, 200},
                                              {kClarifier, 0, 0, 0},
                                              {kClarifier, 0, 2, 200},
                                              {kClarifier, 0, 2, 190}}));
}

TEST_F(ClarifierPaneTest, DisablingRestsAtZeroWithoutTellingTheRadio) {
  pane_.SetEnabled(true);
  pane_.Load(-70);
  pane_.SetEnabled(false);
  EXPECT_EQ(pane_.Position(), 0);
  EXPECT_TRUE(line_.Take().empty());
}

class NotchPaneTest : public ::testing::Test {
 protected:
  SentFrames line_;
  NotchPane pane_{[this](const CRadioMessage& frame) { return line_.Send(frame); }};
};

TEST_F(NotchPaneTest, SendsTheNotchIndexOfTheSnappedPositionAndLeavesTheRestUnchanged) {
  const struct {
    int moved;
    int snapped;
    std::uint8_t index;
  } cases[] = {{300, 300, 0},    {419, 300, 0},    {420, 540, 1},
               {1500, 1500, 5},  {1620, 1740, 6},  {2650, 2700, 10},
               {2700, 2700, 10}, {9000, 2700, 10}, {0, 300, 0}};
  for (const auto& c : cases) {
    pane_.Scroll(ScrollAction::kRelease, c.moved);
    EXPECT_EQ(pane_.Position(), c.snapped) << c.moved;
    EXPECT_EQ(line_.Take(), (std::vector<Bytes>{{kDsp, 0, c.index, kSame, kSame, kSame, 0xFF}}))
        << c.moved;
  }
}

TEST_F(NotchPaneTest, LinePageAndReleaseSendDraggingDoesNot) {
  for (const ScrollAction action :
       {ScrollAction::kLine, ScrollAction::kPage, ScrollAction::kEnd, ScrollAction::kRelease})
    EXPECT_TRUE(pane_.Scroll(action, 780));
  EXPECT_EQ(line_.Take().size(), 4u);
  EXPECT_FALSE(pane_.Scroll(ScrollAction::kTrack, 1020));
  EXPECT_TRUE(line_.Take().empty());
}

TEST_F(NotchPaneTest, OffAndStepsSendWithinTheRange) {
  pane_.Load(2460);
  pane_.Step(+1);
  pane_.Step(+1);
  pane_.Off();
  pane_.Step(-1);
  pane_.Step(+1);
  EXPECT_EQ(line_.Take(), (std::vector<Bytes>{{kDsp, 0, 10, kSame, kSame, kSame, 0xFF},
                                              {kDsp, 0, 10, kSame, kSame, kSame, 0xFF},
                                              {kDsp, 0, 0, kSame, kSame, kSame, 0xFF},
                                              {kDsp, 0, 0, kSame, kSame, kSame, 0xFF},
                                              {kDsp, 0, 1, kSame, kSame, kSame, 0xFF}}));
}

TEST_F(NotchPaneTest, DisablingRestsAtThreeHundredHertz) {
  pane_.SetEnabled(true);
  pane_.Load(1980);
  pane_.SetEnabled(false);
  EXPECT_EQ(pane_.Position(), NotchPane::kMinimum);
  EXPECT_TRUE(line_.Take().empty());
}

TEST(PaneEnablingTest, PanesTakeInputOnlyWhenTheRadioReportsAndNoAleScanHoldsIt) {
  const struct {
    PaneConditions when;
    PaneEnabling enabled;
  } cases[] = {
      // panels, reports, ALE-capable, link, CCIR, ALE off
      {{true, true, false, false, false, false}, {true, true}},
      {{true, false, false, false, false, false}, {false, false}},
      {{false, true, false, false, false, false}, {false, false}},
      {{true, true, true, false, false, false}, {false, false}},
      {{true, true, true, true, false, false}, {true, true}},
      {{true, true, false, false, true, true}, {true, false}},
      {{true, true, false, false, true, false}, {true, true}},
      {{true, true, false, false, false, true}, {true, true}},
      {{true, true, true, true, true, true}, {true, false}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(varim::panels::EnablingOf(cases[i].when), cases[i].enabled) << "case " << i;
}

}  // namespace
