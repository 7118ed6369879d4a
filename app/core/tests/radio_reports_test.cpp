#include "varim/core/radio_reports.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "varim/core/event_pump.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_model.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::core::CallRecord;
using varim::core::IncomingCall;
using varim::core::IncomingCallView;
using varim::core::PendingOperation;
using varim::core::RadioReports;
using varim::core::RadioStatus;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

// The caller's address and, when a message follows, the message, as an incoming call has them.
Bytes IncomingData(std::uint8_t channel, std::uint8_t value, const std::string& caller,
                   const std::string& message) {
  Bytes data = {0, channel, value, static_cast<std::uint8_t>(message.empty() ? 0 : 1)};
  data.insert(data.end(), caller.begin(), caller.end());
  data.push_back(0);
  data.insert(data.end(), message.begin(), message.end());
  data.push_back(0);
  return data;
}

class NoPump : public varim::core::EventPump {
 public:
  void Dispatch() override {}
  void Wait(int) override {}
};

class FakePrompt : public varim::core::IncomingCallPrompt {
 public:
  bool IsOpen() const override { return open; }
  bool Ask(const IncomingCallView& call) override {
    asked.push_back(call);
    return accept;
  }
  void Refresh(const IncomingCallView& call) override { refreshed.push_back(call); }
  void Close() override { ++closed; }

  bool open = false;
  bool accept = true;
  int closed = 0;
  std::vector<IncomingCallView> asked, refreshed;
};

// Records what the dispatch asks of the calls panel, in order.
class FakeCallsPanel : public varim::core::CallsPanel {
 public:
  void LinkUp() override { events.push_back("link up"); }
  void LinkEnded() override { events.push_back("link ended"); }
  void ResetLinkQuality(int part) override { events.push_back("reset " + std::to_string(part)); }
  void LinkQualityExchangeEnded() override { events.push_back("exchange ended"); }
  void HideLinkWindow() override { events.push_back("hide"); }
  void ShowEstablishedLink(int channel, int quality) override {
    events.push_back("established " + std::to_string(channel) + " " + std::to_string(quality));
  }
  void AcceptIncomingCall(const IncomingCall& call) override {
    events.push_back("accepted " + call.caller);
  }
  void IncomingCallLogged(const IncomingCall& call) override {
    events.push_back("logged " + call.caller);
  }
  void AleUnusable(bool unusable) override {
    events.push_back(unusable ? "ale unusable" : "ale usable");
  }
  Texts events;
};

class RadioReportsTest : public ::testing::Test {
 protected:
  RadioReportsTest()
      : directory_(std::filesystem::temp_directory_path() /
                   ("radio-reports-" + std::to_string(::getpid()))),
        calls_(directory_.string(), [] { return std::string("12:34:56"); }),
        reports_(dispatcher_, session_, state_, calls_, operator_, prompt_,
                 [this](const CRadioMessage& frame) {
                   sent_.push_back(frame.GetOpcode());
                   return true;
                 }) {
    std::filesystem::create_directories(directory_);
    reports_.SetCallsPanel(&panel_);
    reports_.SetClocks([] { return std::string("10:00:00"); },
                       [] { return std::string("12/08/26"); });
  }
  ~RadioReportsTest() override { std::filesystem::remove_all(directory_); }

  void Dispatch(std::uint8_t code, const Bytes& data) {
    dispatcher_.Dispatch(varim::sim::MakeRadioFrame(code, data));
  }
  int Pending() const { return dispatcher_.Pending().Code(); }
  const RadioStatus& Status() const { return state_.Now(); }
  void ShowOnDisplay(const std::string& text) {
    state_.Change([&text](RadioStatus& s) { s.displayText = text; });
  }

  std::filesystem::path directory_;
  varim::testing::RecordingOperator operator_;
  NoPump pump_;
  varim::core::RadioSession session_{operator_, pump_};
  varim::core::RadioState state_;
  varim::core::ReportDispatcher dispatcher_;
  varim::core::CallLists calls_;
  FakePrompt prompt_;
  FakeCallsPanel panel_;
  std::vector<int> sent_;
  RadioReports reports_;
};

struct CallCase {
  const char* what;
  std::uint8_t report;
  Bytes data;
  const char* status;
  bool linkUp;
  int pendingAfter;
  std::vector<int> sent;
};

// A call the radio reports sent: its result ends in the call status line and decides the link.
TEST_F(RadioReportsTest, CallResultsShowTheirTextAndDecideTheLink) {
  const CallCase cases[] = {
      {"station call linked",
       report::kStationCallSent,
       {1, 0, 7, 25},
       "Link was established.",
       true,
       PendingOperation::kLinkAccepted,
       {opcode::kAcceptLink}},
      {"net call on a silent net",
       report::kNetCallSent,
       {4, 0, 7, 25},
       "Link was established on silent net.",
       true,
       PendingOperation::kLinkAccepted,
       {opcode::kAcceptLink}},
      {"all call, result-less",
       report::kAllCallSent,
       {0, 9, 30},
       "Link was established.",
       true,
       PendingOperation::kLinkAccepted,
       {opcode::kAcceptLink}},
      {"no link",
       report::kStationCallSent,
       {0, 0, 7, 0},
       "No link was established.",
       false,
       PendingOperation::kNoLinkWaiting,
       {}},
      {"channel busy", report::kStationCallSent, {2, 0, 7, 0}, "Channel busy.", false,
       PendingOperation::kIdle, {}},
      {"station busy", report::kNetCallSent, {3, 0, 7, 0}, "Station busy.", false,
       PendingOperation::kIdle, {}},
      {"unknown result",
       report::kNetCallSent,
       {9, 0, 7, 0},
       "",
       false,
       PendingOperation::kCallSent,
       {}},
  };
  for (const CallCase& c : cases) {
    SCOPED_TRACE(c.what);
    state_.Change([](RadioStatus& s) {
      s.linkUp = false;
      s.callStatus = "before";
    });
    dispatcher_.Pending().Set(PendingOperation::kIdle);
    sent_.clear();
    Dispatch(c.report, c.data);
    EXPECT_EQ(Status().callStatus, c.status);
    EXPECT_EQ(Status().linkUp, c.linkUp);
    EXPECT_EQ(Pending(), c.pendingAfter);
    EXPECT_EQ(sent_, c.sent);
  }
}

TEST_F(RadioReportsTest, AnEstablishedLinkIsLoggedAndShownWithItsChannelAndQuality) {
  reports_.CurrentCall().from = "OWN";
  reports_.CurrentCall().to = "FAR";
  Dispatch(report::kStationCallSent, {1, '1', '5', 42});  // the channel in decimal digits
  ASSERT_EQ(calls_.Log().size(), 1u);
  EXPECT_EQ(calls_.Log()[0].to, "FAR");
  EXPECT_EQ(calls_.Log()[0].end, "12:34:56");
  EXPECT_TRUE(reports_.CurrentCall().from.empty());
  EXPECT_EQ(panel_.events, (Texts{"link up", "established 15 42"}));
  // The next report completes the acceptance.
  Dispatch(report::kAleState, {2, 0, 0, 0});
  EXPECT_EQ(Pending(), PendingOperation::kIdle);
}

// A busy channel or station means the radio placed no call: the panels give Send back at once.
TEST_F(RadioReportsTest, BusyResultsEndTheCallUnlessALinkIsUp) {
  Dispatch(report::kStationCallSent, {2, 0, 7, 0});
  EXPECT_EQ(panel_.events, Texts{"link ended"});
  panel_.events.clear();
  state_.Change([](RadioStatus& s) { s.linkUp = true; });
  Dispatch(report::kStationCallSent, {3, 0, 7, 0});
  EXPECT_TRUE(panel_.events.empty()) << "a call placed over a link leaves that link alone";
  EXPECT_TRUE(Status().linkUp);
}

// The radio's ALE state names why no call can be placed; the panel hears when that starts and
// when it stops, not of every report.
TEST_F(RadioReportsTest, AleStatesThatHoldCallsAreRecognisedByTheirTexts) {
  auto withText = [](std::uint8_t state, const std::string& text) {
    Bytes data = {state, 0, 0, 0};
    data.insert(data.end(), text.begin(), text.end());
    data.push_back(0);
    return data;
  };
  for (const char* text : {"Wrong net.", "ALE Busy.", "Empty net.", "ALE not programmed."}) {
    SCOPED_TRACE(text);
    panel_.events.clear();
    Dispatch(report::kAleState, withText(3, text));
    Dispatch(report::kAleState, withText(3, text));
    Dispatch(report::kAleState, {1, 1, 0, 20});
    EXPECT_EQ(panel_.events, (Texts{"ale unusable", "ale usable"}));
  }
  panel_.events.clear();
  Dispatch(report::kAleState, withText(3, "ALE busy"));  // not the radio's text
  EXPECT_TRUE(panel_.events.empty());
}

// After a call without a link the radio takes its time; the panels wait while it says so.
TEST_F(RadioReportsTest, NoLinkWaitsWhileTheRadioIsStillEndingTheCall) {
  Dispatch(report::kStationCallSent, {0, 0, 7, 0});
  ASSERT_EQ(Pending(), PendingOperation::kNoLinkWaiting);
  Dispatch(report::kAleState, {2, 0, 0, 0});
  EXPECT_EQ(Pending(), PendingOperation::kNoLinkWaiting);
  for (const char* shown : {"  NO LINK  ", "END CALLING"}) {
    ShowOnDisplay(shown);
    Dispatch(report::kDisplay, {3});
    EXPECT_EQ(Pending(), PendingOperation::kNoLinkWaiting) << shown;
  }
  ShowOnDisplay("CH 12");
  Dispatch(report::kDisplay, {3});
  EXPECT_EQ(Pending(), PendingOperation::kIdle);
  EXPECT_EQ(panel_.events, Texts{"link ended"});
}

TEST_F(RadioReportsTest, NoLinkWhileALinkIsUpHidesTheLinkWindowAndWaitsAStepLonger) {
  state_.Change([](RadioStatus& s) { s.linkUp = true; });
  Dispatch(report::kStationCallSent, {0, 0, 7, 0});
  EXPECT_EQ(panel_.events, Texts{"hide"});
  // 40 becomes 36 at the next report, which then waits as any no-link does.
  EXPECT_EQ(Pending(), PendingOperation::kNoLinkWhileLinked);
  Dispatch(report::kIsbMode, {5});
  EXPECT_EQ(Pending(), PendingOperation::kNoLinkWaiting);
}

struct RefusedCase {
  std::uint8_t refused;
  const char* notice;  // empty: ignored
  std::vector<int> sent;
  Texts panelEvents;
};

TEST_F(RadioReportsTest, RefusedCommandsAreToldAndEndTheLinkButTheSelfTest) {
  const RefusedCase cases[] = {
      {opcode::kPerformSelfTest, "Can not perform Self Test.", {}, {}},
      {opcode::kStationCall, "Can not perform Station Call.", {opcode::kAbortLink}, {"link ended"}},
      {opcode::kAllCall, "Can not perform Priority Call.", {opcode::kAbortLink}, {"link ended"}},
      {opcode::kBiDirectionalNet,
       "Can not perform BiDirectional To Net.",
       {opcode::kAbortLink},
       {"reset 0", "reset 1", "link ended"}},
      {opcode::kEnterNetwork,
       "Can not perform Enter Network.",
       {opcode::kAbortLink},
       {"link ended"}},
      {opcode::kSetSquelchOnOff, "", {}, {}},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.refused));
    operator_.Forget();
    sent_.clear();
    panel_.events.clear();
    state_.Change([](RadioStatus& s) { s.callStatus.clear(); });
    dispatcher_.Pending().Set(PendingOperation::kIdle);
    Dispatch(report::kCommandRefused, {c.refused});
    EXPECT_EQ(operator_.Notices(), *c.notice ? Texts{c.notice} : Texts{});
    EXPECT_EQ(sent_, c.sent);
    EXPECT_EQ(panel_.events, c.panelEvents);
    const bool aborted = !c.sent.empty();
    EXPECT_EQ(Status().callStatus, aborted ? "Last command was not completed successfully." : "");
    EXPECT_EQ(Pending(), PendingOperation::kIdle);
  }
}

TEST_F(RadioReportsTest, CallEndedFollowsHowTheCallEnded) {
  // Ignored: while the panels wait for no end, and for codes of 4 and more.
  dispatcher_.Pending().Set(PendingOperation::kIgnoreCallEnded);
  Dispatch(report::kCallEnded, {0});
  EXPECT_TRUE(panel_.events.empty());
  dispatcher_.Pending().Set(PendingOperation::kIdle);
  Dispatch(report::kCallEnded, {7});
  EXPECT_TRUE(panel_.events.empty());

  Dispatch(report::kCallEnded, {1});
  EXPECT_EQ(panel_.events, (Texts{"reset 1", "exchange ended", "link ended"}));

  // An incoming call the radio gave up closes its dialog.
  panel_.events.clear();
  dispatcher_.Pending().Set(PendingOperation::kIncomingCall);
  Dispatch(report::kCallEnded, {3});
  EXPECT_EQ(prompt_.closed, 1);
  EXPECT_EQ(panel_.events, Texts{"link ended"});
  EXPECT_EQ(Pending(), PendingOperation::kIdle);
}

TEST_F(RadioReportsTest, ModeReportsSetTheRadiosState) {
  Dispatch(report::kMonitorState, {1});
  EXPECT_TRUE(Status().monitor);
  Dispatch(report::kMonitorState, {5});
  EXPECT_FALSE(Status().monitor) << "anything but 0 or 1 is off";
  Dispatch(report::kIsbMode, {1});
  EXPECT_TRUE(Status().isbPresent);
  EXPECT_EQ(session_.Flags().isb_present.load(), 1);
  Dispatch(report::kIsbMode, {2});
  EXPECT_TRUE(Status().isbPresent) << "2 and above are not an ISB state";
  Dispatch(report::kAleState, {1, 0, 0, 17});
  EXPECT_EQ(Status().aleStateValue, "17");
}

struct IncomingCase {
  std::uint8_t report;
  const char* title;
  const char* callType;
};

TEST_F(RadioReportsTest, AnIncomingCallAsksTheOperatorAndAnswersTheRadio) {
  const IncomingCase cases[] = {
      {report::kIncomingStationCall, "Incoming Station Call.", "Station"},
      {report::kIncomingNetCall, "Incoming Net Call.", "Net"},
      {report::kIncomingPriorityCall, "Incoming Priority Call.", "Priority"},
      {report::kIncomingStationCallOther, "Incoming Station Call.", "Station"},
  };
  for (const IncomingCase& c : cases) {
    for (const bool accept : {true, false}) {
      SCOPED_TRACE(std::string(c.title) + (accept ? " accepted" : " declined"));
      prompt_.asked.clear();
      prompt_.accept = accept;
      sent_.clear();
      state_.Change([](RadioStatus& s) { s.linkUp = false; });
      Dispatch(c.report, IncomingData(12, 30, "ALPHA", "MEET AT NOON"));
      ASSERT_EQ(prompt_.asked.size(), 1u);
      const IncomingCallView& shown = prompt_.asked[0];
      EXPECT_EQ(shown.title, c.title);
      EXPECT_EQ(shown.callType, c.callType);
      EXPECT_EQ(shown.channel, "12");
      EXPECT_EQ(shown.value, "30");
      EXPECT_EQ(shown.caller, "ALPHA");
      EXPECT_EQ(shown.message, "MEET AT NOON");
      std::vector<int> expected;
      if (accept) expected = {opcode::kAcceptLink};
      // A declined call of the other station kind gets no answer.
      if (!accept && c.report != report::kIncomingStationCallOther) expected = {opcode::kAbortLink};
      EXPECT_EQ(sent_, expected);
      EXPECT_EQ(Status().linkUp, accept);
      EXPECT_EQ(Pending(),
                expected.empty() ? PendingOperation::kIncomingCall : PendingOperation::kIdle);
    }
  }
}

TEST_F(RadioReportsTest, ASecondCallWhileTheDialogIsOpenRefreshesIt) {
  prompt_.open = true;
  Dispatch(report::kIncomingNetCall, IncomingData(3, 9, "BRAVO", ""));
  EXPECT_TRUE(prompt_.asked.empty());
  ASSERT_EQ(prompt_.refreshed.size(), 1u);
  EXPECT_EQ(prompt_.refreshed[0].caller, "BRAVO");
  EXPECT_EQ(prompt_.refreshed[0].message, "");
  EXPECT_TRUE(sent_.empty());
}

// A CCIR radio in selective-calling mode: the call is logged without a question, and the
// radio is told nothing.
TEST_F(RadioReportsTest, SelectiveCallingLogsTheCallWithoutAQuestion) {
  session_.Flags().ccir_present = 1;
  session_.SetAleOnOffState(2);
  ccir_dbase& ccir = session_.Databases().ccir;
  ccir.four_digit_id[0] = 0x04;  // 1234
  ccir.four_digit_id[1] = 0xD2;
  const std::uint8_t six[4] = {0x00, 0x01, 0xE2, 0x40};  // 123456
  std::copy(std::begin(six), std::end(six), ccir.six_digit_id);
  Dispatch(report::kIncomingPriorityCall, IncomingData(21, 44, "CHARLIE", "SOS"));
  EXPECT_TRUE(prompt_.asked.empty());
  EXPECT_TRUE(sent_.empty());
  ASSERT_EQ(calls_.Log().size(), 1u);
  EXPECT_TRUE(calls_.Stack().empty());
  CallRecord expected;
  expected.from = "CHARLIE";
  expected.to = "1234 / 123456";
  expected.date = "12/08/26";
  expected.start = "10:00:00";
  expected.end = "12:34:56";
  expected.callType = "Priority";
  expected.net = "ccir";
  expected.channel = "21";
  expected.status = "44";
  expected.message = "SOS";
  EXPECT_EQ(calls_.Log()[0], expected);
  EXPECT_EQ(reports_.ChannelLinkQuality(21), 44);
  EXPECT_EQ(panel_.events, Texts{"logged CHARLIE"});
}

struct StepCase {
  int code;
  std::uint8_t report;
  const char* display;
  int after;
  Texts effects;
};

// The pending operation after a report that has no handler of its own.
TEST_F(RadioReportsTest, PendingOperationSteps) {
  const StepCase cases[] = {
      {PendingOperation::kLinkQualityDone,
       0x30,
       "",
       PendingOperation::kIdle,
       {"reset 0", "reset 1"}},
      {PendingOperation::kBackToIdle, 0x30, "", PendingOperation::kIdle, {"reset 0", "reset 1"}},
      {PendingOperation::kReturnToIdle, 0x30, "", PendingOperation::kIdle, {}},
      {PendingOperation::kLinkAccepted, 0x30, "", PendingOperation::kIdle, {"link up"}},
      {PendingOperation::kLinkAborted, 0x30, "", PendingOperation::kIdle, {"link ended"}},
      {PendingOperation::kNoLinkWhileLinked, 0x30, "", PendingOperation::kNoLinkWaiting, {}},
      {PendingOperation::kNoLinkWaiting,
       report::kAleState,
       "",
       PendingOperation::kNoLinkWaiting,
       {}},
      {PendingOperation::kNoLinkWaiting, 0x30, "X NO LINK", PendingOperation::kNoLinkWaiting, {}},
      {PendingOperation::kNoLinkWaiting, 0x30, "", PendingOperation::kIdle, {"link ended"}},
      // A call reported sent waits for its result through reports without one.
      {PendingOperation::kCallSent, report::kDisplay, "", PendingOperation::kCallSent, {}},
      {32, 0x30, "", 32, {}},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.code);
    panel_.events.clear();
    ShowOnDisplay(c.display);
    dispatcher_.Pending().Set(c.code);
    Dispatch(c.report, {0});
    EXPECT_EQ(Pending(), c.after);
    EXPECT_EQ(panel_.events, c.effects);
  }
}

}  // namespace
