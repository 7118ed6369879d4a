#include "varim/panels/call_log_feature.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using varim::core::CallLists;
using varim::core::CallRecord;
using varim::core::CommandId;
using varim::core::CommandRegistry;
using varim::core::RadioState;
using varim::core::RadioStatus;
using varim::panels::CallLogFeature;

class CallLogFeatureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_);
    feature_.Install(commands_,
                     {[this](bool shown) { shown_.push_back(shown); }, [this] { ++stackRuns_; }});
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Stack(const std::string& from) {
    CallRecord call;
    call.from = from;
    calls_.LogCall(call, true);
  }
  void SetRadio(bool aleOff, bool ccir, int aleState, bool linkUp) {
    state_.Change([&](RadioStatus& s) {
      s.aleOff = aleOff;
      s.ccirPresent = ccir;
      s.aleOnOffState = aleState;
      s.linkUp = linkUp;
    });
  }

  std::filesystem::path folder_ = std::filesystem::temp_directory_path() /
                                  ("klv-call-log-feature-" + std::to_string(::getpid()));
  CallLists calls_{folder_.string()};
  RadioState state_;
  std::vector<CallRecord> replies_;
  CallLogFeature feature_{calls_, state_, [this](const CallRecord& r) { replies_.push_back(r); }};
  CommandRegistry commands_;
  std::vector<bool> shown_;
  int stackRuns_ = 0;
};

TEST_F(CallLogFeatureTest, TheCommandsAreOfferedByTheRadiosAleStateAndTheLink) {
  struct Case {
    bool aleOff;
    bool ccir;
    int aleState;
    bool linkUp;
    bool stacked;
    bool logFile;
    bool stack;
  };
  const Case cases[] = {
      {false, false, 1, false, true, true, true},    // ALE runs
      {true, false, 2, false, true, false, false},   // ALE off, no CCIR
      {true, true, 2, false, true, true, true},      // selective calling
      {true, true, 3, false, true, false, false},    // CCIR, another state
      {false, false, 1, true, true, true, false},    // a link is up
      {false, false, 1, false, false, true, false},  // nothing stacked
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.aleOff << c.ccir << c.aleState << c.linkUp << c.stacked);
    calls_.DeleteAllStackRecords();
    if (c.stacked) Stack("CALLER");
    SetRadio(c.aleOff, c.ccir, c.aleState, c.linkUp);
    EXPECT_EQ(commands_.StateOf(CommandId::kLogFile).enabled, c.logFile);
    EXPECT_EQ(commands_.StateOf(CommandId::kStack).enabled, c.stack);
    EXPECT_EQ(commands_.Run(CommandId::kStack), c.stack);
  }
}

TEST_F(CallLogFeatureTest, ViewHideLogFileTogglesTheWindowAndItsCheckMark) {
  SetRadio(false, false, 1, false);
  EXPECT_FALSE(commands_.StateOf(CommandId::kLogFile).checked);
  ASSERT_TRUE(commands_.Run(CommandId::kLogFile));
  EXPECT_TRUE(commands_.StateOf(CommandId::kLogFile).checked);
  EXPECT_TRUE(feature_.LogWindowShownOn(varim::core::Panel::kVarim));
  EXPECT_FALSE(feature_.LogWindowShownOn(varim::core::Panel::kRss));
  feature_.CloseLogWindow();
  EXPECT_FALSE(commands_.StateOf(CommandId::kLogFile).checked);
  ASSERT_TRUE(commands_.Run(CommandId::kLogFile));
  EXPECT_EQ(shown_, (std::vector<bool>{true, false, true}));
}

TEST_F(CallLogFeatureTest, AReplyHandsTheCallOnAndTakesItOffTheStack) {
  Stack("OLDER");
  Stack("NEWER");
  EXPECT_FALSE(feature_.ReplyTo(2));
  EXPECT_TRUE(replies_.empty());
  ASSERT_TRUE(feature_.ReplyTo(1));
  ASSERT_EQ(replies_.size(), 1u);
  EXPECT_EQ(replies_[0].from, "OLDER");
  ASSERT_EQ(calls_.Stack().size(), 1u);
  EXPECT_EQ(calls_.Stack()[0].from, "NEWER");
  EXPECT_EQ(calls_.Log().size(), 2u) << "the log keeps both";
}

}  // namespace
