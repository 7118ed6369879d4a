#include "varim/panels/front_panel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "varim/core/operator_texts.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::testing::RecordingOperator;
using Texts = std::vector<std::string>;
using varim::panels::FieldText;

class PlainPump : public varim::core::EventPump {
 public:
  void Dispatch() override {}
  void Wait(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

class FrontPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    varim::sim::SimOptions options;
    options.profile = varim::sim::KnownProfiles().front();
    options.memory = varim::sim::SampleMemory(options.profile);
    radio_ = std::make_unique<varim::sim::SimulatedRadio>(std::move(options));
    ASSERT_TRUE(radio_->Start());
    panel_.Install(dispatcher_, state_);
  }
  void TearDown() override { session_.Close(); }

  void Open() { ASSERT_TRUE(session_.Open(radio_->DevicePath(), 9600)); }

  // Hands the reports to the panel, as the window does, until the condition holds.
  bool DispatchUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::deque<CRadioMessage> reports;
      {
        std::lock_guard lock(mutex_);
        reports.swap(reports_);
      }
      for (const CRadioMessage& report : reports) dispatcher_.Dispatch(report);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

  // The key numbers the radio was sent, in order; 24 is the release.
  std::vector<int> KeysReceived() const {
    std::vector<int> keys;
    for (const CRadioMessage& frame : radio_->ReceivedFrames()) {
      if (frame.GetOpcode() != opcode::kReportControlHeadKeyboard) continue;
      for (int key = 0; key < key::kCount; ++key) {
        if (std::equal(key::kPatterns[key], key::kPatterns[key] + 4, frame.GetData()))
          keys.push_back(key);
      }
    }
    return keys;
  }

  std::unique_ptr<varim::sim::SimulatedRadio> radio_;
  RecordingOperator operator_;
  PlainPump pump_;
  std::mutex mutex_;
  std::deque<CRadioMessage> reports_;
  varim::core::RadioSession session_{operator_, pump_, [this](CRadioMessage report) {
                                       std::lock_guard lock(mutex_);
                                       reports_.push_back(report);
                                     }};
  varim::core::ReportDispatcher dispatcher_;
  varim::core::RadioState state_;
  varim::panels::FrontPanel panel_{session_, operator_};
};

TEST_F(FrontPanelTest, AKeyIsPressedThenReleased) {
  Open();
  EXPECT_TRUE(panel_.Press(key::kF1));
  EXPECT_TRUE(panel_.Press(key::kMenu));
  EXPECT_EQ(KeysReceived(), (std::vector<int>{key::kF1, key::kIdle, key::kMenu, key::kIdle}));
  EXPECT_EQ(operator_.Notices(), Texts{});
}

TEST_F(FrontPanelTest, WithThePortClosedNothingIsSent) {
  EXPECT_FALSE(panel_.Press(key::kF1));
  EXPECT_EQ(operator_.Notices(), Texts{varim::core::texts::kRadioDoesNotRespond});
  EXPECT_EQ(radio_->Statistics().framesReceived, 0);
}

TEST_F(FrontPanelTest, AnUnacknowledgedPressIsNeverReleased) {
  Open();
  for (const bool reportCommErrors : {true, false}) {
    SCOPED_TRACE(reportCommErrors);
    operator_.Forget();
    session_.SetReportCommErrors(reportCommErrors);
    const std::size_t before = KeysReceived().size();
    // Every send of the press loses its acknowledgement.
    radio_->DropAcks(varim::sim::SimulatedRadio::kMaxWrites);
    EXPECT_FALSE(panel_.Press(key::kF2));
    const std::vector<int> keys = KeysReceived();
    ASSERT_GT(keys.size(), before);
    for (std::size_t i = before; i < keys.size(); ++i) EXPECT_EQ(keys[i], key::kF2);
    EXPECT_EQ(operator_.Notices(),
              reportCommErrors ? Texts{varim::core::texts::kRadioDoesNotRespond} : Texts{});
  }
}

TEST_F(FrontPanelTest, TheRadiosDisplayFollowsTheKeys) {
  Open();
  session_.SetReportsEnabled(true);
  ASSERT_TRUE(session_.SetSpecialReports());
  ASSERT_TRUE(DispatchUntil([&] { return !state_.Now().displayText.empty(); }));

  ASSERT_TRUE(panel_.Press(key::kDigit0 + 1));
  ASSERT_TRUE(panel_.Press(key::kDigit0 + 2));
  EXPECT_TRUE(DispatchUntil([&] { return state_.Now().displayText == "CHANNEL 12"; }))
      << state_.Now().displayText;
  ASSERT_TRUE(panel_.Press(key::kEnter));
  EXPECT_TRUE(DispatchUntil([&] { return FieldText(panel_.Model().channel) == "CH 12"; }))
      << FieldText(panel_.Model().channel);
}

}  // namespace
