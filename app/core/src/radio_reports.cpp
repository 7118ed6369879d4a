#include "varim/core/radio_reports.h"

#include <cstdio>
#include <iterator>

#include "varim/byte_order.h"
#include "varim/db/field_text.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::core {

namespace {

struct RefusedCommand {
  int opcode;
  const char* text;
};

constexpr RefusedCommand kRefusedCommands[] = {
    {opcode::kPerformSelfTest, "Self Test."},
    {opcode::kBiDirectionalStation, "BiDirectional To Station."},
    {opcode::kBiDirectionalNet, "BiDirectional To Net."},
    {opcode::kStationCall, "Station Call."},
    {opcode::kNetCall, "Net Call."},
    {opcode::kAllCall, "Priority Call."},
    {opcode::kSetSoundOnOff, "Sounding."},
    {opcode::kEnterNetwork, "Enter Network."},
};

constexpr char kCannotPerform[] = "Can not perform ";
// The radio's ALE state that means selective calling on a CCIR radio.
constexpr int kSelectiveCalling = 2;
constexpr int kAleStateIdle = 1;
constexpr int kAleStateLinkQuality = 4;

bool IsCallSent(int opcode) {
  return opcode == report::kStationCallSent || opcode == report::kNetCallSent ||
         opcode == report::kAllCallSent;
}

}  // namespace

RadioReports::RadioReports(ReportDispatcher& dispatcher, RadioSession& session, RadioState& state,
                           CallLists& calls, Operator& op, IncomingCallPrompt& prompt, Send send)
    : dispatcher_(dispatcher),
      session_(session),
      state_(state),
      calls_(calls),
      operator_(op),
      prompt_(&prompt),
      send_(std::move(send)),
      timeOfDay_(LocalTimeOfDay),
      date_(LocalDate) {
  Install();
}

void RadioReports::SetClocks(Clock timeOfDay, Clock date) {
  timeOfDay_ = std::move(timeOfDay);
  date_ = std::move(date);
}

const char* RadioReports::RefusedCommandText(int opcode) {
  for (const RefusedCommand& refused : kRefusedCommands) {
    if (refused.opcode == opcode) return refused.text;
  }
  return nullptr;
}

int RadioReports::ChannelLinkQuality(int channel) const {
  const auto quality = channelLinkQuality_.find(channel);
  return quality == channelLinkQuality_.end() ? 0 : quality->second;
}

void RadioReports::Install() {
  dispatcher_.On(report::kIsbMode, [this](const CRadioMessage& f) { OnIsbMode(f); });
  dispatcher_.On(report::kCommandRefused, [this](const CRadioMessage& f) { OnCommandRefused(f); });
  dispatcher_.On(report::kAleState, [this](const CRadioMessage& f) { OnAleState(f); });
  for (const int sent : {report::kStationCallSent, report::kNetCallSent, report::kAllCallSent})
    dispatcher_.On(sent, [this](const CRadioMessage&) {
      dispatcher_.Pending().Set(PendingOperation::kCallSent);
    });
  for (const int incoming : {report::kIncomingStationCall, report::kIncomingNetCall,
                             report::kIncomingPriorityCall, report::kIncomingStationCallOther})
    dispatcher_.On(incoming, [this](const CRadioMessage& f) { OnIncomingCall(f); });
  dispatcher_.On(report::kCallEnded, [this](const CRadioMessage& f) { OnCallEnded(f); });
  dispatcher_.On(report::kMonitorState, [this](const CRadioMessage& f) { OnMonitorState(f); });
  dispatcher_.AfterEvery([this](const CRadioMessage& frame) {
    lastReport_ = frame;
    dispatcher_.Pending().Step(frame.GetOpcode(), state_.Now().displayText, *this);
  });
}

void RadioReports::OnIsbMode(const CRadioMessage& frame) {
  const std::uint8_t isb = frame.GetDataByte(0);
  if (isb >= 2) return;
  session_.Flags().isb_present = isb;
  state_.Change([isb](RadioStatus& s) { s.isbPresent = isb == 1; });
}

void RadioReports::OnCommandRefused(const CRadioMessage& frame) {
  const int refused = frame.GetDataByte(0);
  const char* text = RefusedCommandText(refused);
  if (text == nullptr) return;
  if (refused == opcode::kBiDirectionalStation || refused == opcode::kBiDirectionalNet)
    ResetLinkQualityBoth();
  operator_.Notify(std::string(kCannotPerform) + text, Operator::Icon::kExclamation);
  // The self test has no link to end: its dialog closes on the same report.
  if (refused == opcode::kPerformSelfTest) return;
  AbortTheLink();
  LinkEnded();
  dispatcher_.Pending().Set(PendingOperation::kIdle);
  ShowCallStatus(kResultNotCompleted);
}

void RadioReports::AbortTheLink() {
  CRadioMessage abort;
  AbortLink(&abort);
  send_(abort);
  dispatcher_.Pending().Set(PendingOperation::kLinkAborted);
}

void RadioReports::OnAleState(const CRadioMessage& frame) {
  const bool unusable = NamesAleUnusable(frame);
  if (unusable != aleUnusable_) {
    aleUnusable_ = unusable;
    panel_->AleUnusable(unusable);
  }
  const int state = frame.GetDataByte(0);
  if (state == kAleStateIdle) {
    const std::string value = std::to_string(frame.GetDataByte(3));
    state_.Change([&value](RadioStatus& s) { s.aleStateValue = value; });
  } else if (state == kAleStateLinkQuality) {
    panel_->RefreshLinkQuality();
  }
}

IncomingCallView RadioReports::ViewOf(const IncomingCall& call) const {
  const IncomingCallTexts texts = TextsOf(call.opcode);
  const int net = state_.Now().currentNet;
  std::string netText = std::to_string(net + 1);
  if (net >= 0 && net < kNets)
    netText += " " + varim::db::FieldText(session_.Databases().ale.nets[net].net_name);
  return {texts.title,
          texts.callType,
          netText,
          std::to_string(call.channel),
          std::to_string(call.value),
          call.caller,
          call.message};
}

void RadioReports::OnIncomingCall(const CRadioMessage& frame) {
  dispatcher_.Pending().Set(PendingOperation::kIncomingCall);
  const IncomingCall call = DecodeIncomingCall(frame);
  const IncomingCallView view = ViewOf(call);
  if (prompt_->IsOpen()) {
    prompt_->Refresh(view);
    return;
  }
  if (session_.Flags().ccir_present == 1 && session_.AleOnOffState() == kSelectiveCalling) {
    LogSelectiveCall(call);
    return;
  }
  // What an earlier call left in the record (its To, its status) is not this caller's.
  currentCall_.Clear();
  currentCall_.from = call.caller;
  currentCall_.date = date_();
  currentCall_.start = timeOfDay_();
  currentCall_.callType = view.callType;
  currentCall_.net = view.net;
  currentCall_.channel = view.channel;
  currentCall_.message = call.message;
  const IncomingCallAnswer answer = prompt_->Answer(view);
  if (answer == IncomingCallAnswer::kAccept) {
    panel_->AcceptIncomingCall(call);
    LinkUp();
    CRadioMessage accept;
    AcceptLink(&accept);
    send_(accept);
    dispatcher_.Pending().Set(PendingOperation::kLinkAccepted);
    dispatcher_.Pending().Set(PendingOperation::kIdle);
  } else if (answer == IncomingCallAnswer::kDecline &&
             call.opcode != report::kIncomingStationCallOther) {
    AbortTheLink();
  }
}

// Selective calling asks nothing and sends nothing: the call goes straight into the log.
void RadioReports::LogSelectiveCall(const IncomingCall& call) {
  channelLinkQuality_[call.channel] = call.value;
  const ccir_dbase& ccir = session_.Databases().ccir;
  char to[32];
  std::snprintf(to, sizeof to, "%d / %d", ReadBigEndian16(ccir.four_digit_id),
                static_cast<int>(ReadBigEndian32(ccir.six_digit_id)));
  currentCall_.Clear();
  currentCall_.callType = TextsOf(call.opcode).callType;
  currentCall_.channel = std::to_string(call.channel);
  currentCall_.status = std::to_string(call.value);
  currentCall_.from = call.caller;
  currentCall_.message = call.message;
  currentCall_.to = to;
  currentCall_.net = "ccir";
  currentCall_.start = timeOfDay_();
  currentCall_.date = date_();
  panel_->IncomingCallLogged(call);
  state_.Change([](RadioStatus& s) { s.linkUp = false; });
  calls_.LogCall(currentCall_, false);
}

void RadioReports::OnCallEnded(const CRadioMessage& frame) {
  PendingOperation& pending = dispatcher_.Pending();
  const int how = frame.GetDataByte(0);
  if (pending.Code() == PendingOperation::kIgnoreCallEnded || how >= 4) return;
  if (how == call_end::kExchangeEnded || how == call_end::kSoundingEnded) {
    pending.Set(PendingOperation::kIdle);
    panel_->ResetLinkQuality(how);
    panel_->LinkQualityExchangeEnded();
    LinkEnded();
    return;
  }
  if (pending.Code() == PendingOperation::kIncomingCall) prompt_->Close();
  LinkEnded();
  pending.Set(PendingOperation::kIdle);
}

void RadioReports::OnMonitorState(const CRadioMessage& frame) {
  const std::uint8_t monitor = frame.GetDataByte(0);
  state_.Change([monitor](RadioStatus& s) { s.monitor = monitor == 1; });
  dispatcher_.Pending().Set(PendingOperation::kIdle);
}

void RadioReports::ShowCallStatus(int result) {
  const std::string text = CallResultText(result);
  state_.Change([&text](RadioStatus& s) { s.callStatus = text; });
}

// A report without a result of its own (a display or ALE-state report, or any other that is
// not a call report) leaves the call's result to come.
void RadioReports::EvaluateCallResult() {
  const int reportOpcode = lastReport_.GetOpcode();
  if (!IsCallSent(reportOpcode)) return;
  const CallResult call = DecodeCallResult(lastReport_);
  PendingOperation& pending = dispatcher_.Pending();
  if (call.result == kResultLink || call.result == kResultLinkOnSilentNet) {
    LinkUp();
    CRadioMessage accept;
    AcceptLink(&accept);
    send_(accept);
    pending.Set(PendingOperation::kLinkAccepted);
    calls_.LogCall(currentCall_, false);
    panel_->ShowEstablishedLink(call.channel, call.value);
  } else if (call.result == kResultNoLink) {
    if (state_.Now().linkUp) {
      pending.Set(PendingOperation::kNoLinkWhileLinked);
      panel_->HideLinkWindow();
    } else {
      pending.Set(PendingOperation::kNoLinkWaiting);
    }
  } else if ((call.result == kResultChannelBusy || call.result == kResultStationBusy) &&
             !state_.Now().linkUp) {
    // The radio did not call: without this the panels would wait in "sent" for a link that
    // cannot come, and only Abort would give the operator Send back.
    LinkEnded();
    pending.Set(PendingOperation::kIdle);
  }
  ShowCallStatus(call.result);
}

void RadioReports::ResetLinkQualityBoth() {
  panel_->ResetLinkQuality(0);
  panel_->ResetLinkQuality(1);
}

void RadioReports::LinkUp() {
  state_.Change([](RadioStatus& s) { s.linkUp = true; });
  panel_->LinkUp();
}

void RadioReports::LinkEnded() {
  state_.Change([](RadioStatus& s) {
    s.linkUp = false;
    s.linkExchange = false;
  });
  panel_->LinkEnded();
}

}  // namespace varim::core
