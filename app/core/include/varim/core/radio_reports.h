#pragma once

#include <functional>
#include <map>

#include "varim/core/call_lists.h"
#include "varim/core/calls_panel.h"
#include "varim/core/incoming_call_prompt.h"
#include "varim/core/operator.h"
#include "varim/core/radio_session.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"

namespace varim::core {

// What the program does with the radio's own reports: call results with their texts, incoming
// calls (a question to the operator, or logged without one in selective-calling mode), refused
// commands, the end of calls, the ISB, ALE-state and monitor reports, and the pending-operation
// step after each of them. Installed on a dispatcher; runs on the window's thread.
class RadioReports : private PendingOperation::Effects {
 public:
  // Sends a frame the way every command does; false when the radio did not take it.
  using Send = std::function<bool(const CRadioMessage&)>;
  using Clock = std::function<std::string()>;

  RadioReports(ReportDispatcher& dispatcher, RadioSession& session, RadioState& state,
               CallLists& calls, Operator& op, IncomingCallPrompt& prompt, Send send);

  // The calls panel that shows links; none until one is given.
  void SetCallsPanel(CallsPanel* panel) { panel_ = panel != nullptr ? panel : &noPanel_; }
  void SetPrompt(IncomingCallPrompt& prompt) { prompt_ = &prompt; }
  // The operator answers a call taken from the stack: the calls panel prepares the reply.
  void Reply(const CallRecord& record) { panel_->Reply(record); }
  // The call being assembled for the log by the calls panels and the incoming calls.
  CallRecord& CurrentCall() { return currentCall_; }
  // The link quality last reported for a channel, 0 when none was.
  int ChannelLinkQuality(int channel) const;
  // Clocks for the records' times and dates; replaceable for tests.
  void SetClocks(Clock timeOfDay, Clock date);

  // The texts of the refused commands the program tells the operator of.
  static const char* RefusedCommandText(int opcode);

 private:
  void Install();
  void OnIsbMode(const CRadioMessage& frame);
  void OnCommandRefused(const CRadioMessage& frame);
  void OnAleState(const CRadioMessage& frame);
  void OnIncomingCall(const CRadioMessage& frame);
  void OnCallEnded(const CRadioMessage& frame);
  void OnMonitorState(const CRadioMessage& frame);
  void LogSelectiveCall(const IncomingCall& call);
  IncomingCallView ViewOf(const IncomingCall& call) const;
  void ShowCallStatus(int result);
  void AbortTheLink();

  // The pending operation's effects.
  void EvaluateCallResult() override;
  void ResetLinkQualityBoth() override;
  void LinkUp() override;
  void LinkEnded() override;

  ReportDispatcher& dispatcher_;
  RadioSession& session_;
  RadioState& state_;
  CallLists& calls_;
  Operator& operator_;
  IncomingCallPrompt* prompt_;
  Send send_;
  CallsPanel noPanel_;
  CallsPanel* panel_ = &noPanel_;
  CallRecord currentCall_;
  CRadioMessage lastReport_;
  std::map<int, int> channelLinkQuality_;
  // The last ALE state report named a state in which no call can be placed.
  bool aleUnusable_ = false;
  Clock timeOfDay_;
  Clock date_;
};

}  // namespace varim::core
