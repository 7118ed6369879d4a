#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "varim/core/call_lists.h"
#include "varim/core/radio_session.h"
#include "varim/core/report_dispatcher.h"
#include "varim/panels/calls.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/sleeping_pump.h"

namespace {

using varim::sim::CallOutcome;

class SilentPrompt : public varim::core::IncomingCallPrompt {
 public:
  bool IsOpen() const override { return false; }
  bool Ask(const varim::core::IncomingCallView&) override { return false; }
  void Refresh(const varim::core::IncomingCallView&) override {}
  void Close() override {}
};

// The calls against the simulated radio, its reports handed over as the window hands them.
class CallsLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    varim::sim::SimOptions options;
    options.profile = varim::sim::KnownProfiles().front();
    options.memory = varim::sim::SampleMemory(options.profile);
    options.behaviour.callDelay = std::chrono::milliseconds(100);
    radio_ = std::make_unique<varim::sim::SimulatedRadio>(std::move(options));
    ASSERT_TRUE(radio_->Start());
    ASSERT_TRUE(session_.Open(radio_->DevicePath(), 9600));
    ASSERT_TRUE(session_.EnterRemote());
    ASSERT_TRUE(session_.ReadRadio(nullptr));
    calls_.Install(radioReports_);
    calls_.SetScanState(1);
    const int net = std::stoi(calls_.Ale().net.Text()) - 1;
    state_.Change([net](varim::core::RadioStatus& s) { s.currentNet = net; });
  }
  void TearDown() override { session_.Close(); }

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
  const std::string& Status() const { return state_.Now().callStatus; }

  std::unique_ptr<varim::sim::SimulatedRadio> radio_;
  varim::testing::RecordingOperator operator_;
  varim::testing::SleepingPump pump_;
  std::mutex mutex_;
  std::deque<CRadioMessage> reports_;
  varim::core::RadioSession session_{operator_, pump_, [this](CRadioMessage report) {
                                       std::lock_guard lock(mutex_);
                                       reports_.push_back(report);
                                     }};
  varim::core::RadioState state_;
  varim::core::ReportDispatcher dispatcher_;
  varim::core::CallLists lists_{""};
  SilentPrompt prompt_;
  std::function<bool(const CRadioMessage&)> send_ = [this](const CRadioMessage& frame) {
    return session_.SendCommand(frame);
  };
  varim::core::RadioReports radioReports_{dispatcher_, session_, state_, lists_,
                                          operator_,   prompt_,  send_};
  varim::panels::Calls calls_{session_.Databases(), state_,    dispatcher_.Pending(),
                              radioReports_,        operator_, send_,
                              [] { return true; },  ""};
};

TEST_F(CallsLinkTest, StationCallOutcomesDriveTheTab) {
  struct Case {
    CallOutcome outcome;
    const char* status;
    bool linked;
    bool sendBack = false;  // the radio placed no call: Send is offered again at once
  } cases[] = {
      {CallOutcome::kLink, "Link was established.", true},
      {CallOutcome::kSilentNet, "Link was established on silent net.", true},
      {CallOutcome::kNoLink, "No link was established.", false},
      {CallOutcome::kChannelBusy, "Channel busy.", false, true},
      {CallOutcome::kStationBusy, "Station busy.", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    radio_->ChangeBehaviour([&c](varim::sim::SimBehaviour& b) {
      b.callOutcome = c.outcome;
      b.linkQuality = 42;
    });
    // A link shown earlier left its channel selected.
    calls_.ChooseChannel(varim::panels::Calls::kAuto);
    ASSERT_TRUE(calls_.SendCall());
    ASSERT_TRUE(DispatchUntil([&] { return !Status().empty(); }));
    EXPECT_EQ(Status(), c.status);
    EXPECT_EQ(calls_.Ale().linkShown, c.linked);
    EXPECT_EQ(state_.Now().linkUp, c.linked);
    EXPECT_EQ(calls_.Ale().sendEnabled, c.sendBack || c.linked);
    if (c.linked) {
      EXPECT_EQ(calls_.Ale().linkQuality, "42");
      EXPECT_EQ(calls_.Ale().channel.Text(), std::to_string(radio_->State().activeChannel));
      EXPECT_EQ(lists_.Log().front().channel, "255") << "the radio chose the channel";
    }
    calls_.Abort();
    EXPECT_TRUE(Status().empty());
    if (c.linked) {
      ASSERT_TRUE(DispatchUntil([&] { return !calls_.Ale().linkShown; }));
    } else {
      calls_.LinkEnded();
    }
    EXPECT_TRUE(calls_.Ale().to.enabled);
    EXPECT_TRUE(calls_.Ale().sendEnabled);
  }
}

TEST_F(CallsLinkTest, ReplaceMovesTheLinkAndReplyCallsTheStackedStation) {
  varim::core::CallRecord stacked;
  stacked.from = "REPLYME";
  stacked.net = calls_.Ale().net.Text();
  stacked.channel = "255";
  stacked.message = "back to you ";
  calls_.Reply(stacked);
  ASSERT_TRUE(calls_.SendCall());
  ASSERT_TRUE(DispatchUntil([&] { return calls_.Ale().linkShown; }));
  std::vector<CRadioMessage> frames = radio_->ReceivedFrames();
  const auto placed = std::find_if(frames.begin(), frames.end(), [](const CRadioMessage& f) {
    return f.GetOpcode() == opcode::kStationCall;
  });
  ASSERT_NE(placed, frames.end());
  const std::string data(reinterpret_cast<const char*>(placed->GetData()), placed->GetLen());
  EXPECT_NE(data.find("REPLYME"), std::string::npos);
  EXPECT_NE(data.find("BACK TO YOU"), std::string::npos);

  const int before = radio_->State().activeChannel;
  calls_.Replace();
  ASSERT_TRUE(DispatchUntil([&] { return radio_->State().activeChannel != before; }));
  ASSERT_TRUE(DispatchUntil([&] {
    return calls_.Ale().channel.Text() == std::to_string(radio_->State().activeChannel);
  }));
  EXPECT_TRUE(calls_.Ale().linkShown);
}

TEST_F(CallsLinkTest, ExchangeAndSoundingIndicatorsFollowTheRadio) {
  ASSERT_TRUE(calls_.SendLinkQuality());
  EXPECT_TRUE(calls_.LinkQuality().biDirectionalRunning);
  ASSERT_TRUE(DispatchUntil([&] { return !calls_.LinkQuality().biDirectionalRunning; }));
  EXPECT_TRUE(calls_.Ale().sendEnabled);

  if (!calls_.LinkQuality().soundingAllowed) {
    session_.Databases().ale.nets[state_.Now().currentNet].sounding = 0;
    calls_.RefreshLinkQualityTab();
  }
  calls_.ChooseLinkQualityType(1);
  ASSERT_TRUE(calls_.SendLinkQuality());
  EXPECT_TRUE(calls_.LinkQuality().soundingRunning);
  EXPECT_TRUE(radio_->State().sounding);
  ASSERT_TRUE(DispatchUntil([&] { return !calls_.LinkQuality().soundingRunning; }));
  EXPECT_FALSE(radio_->State().sounding);
}

}  // namespace
