#pragma once

#include <string>

#include "varim/core/call_record.h"
#include "varim/core/call_reports.h"

namespace varim::core {

// What the report dispatch asks of the panels that place and answer calls (the link and
// link-quality panels). The calls panel fills it in; until it does, nothing is shown beyond the
// radio's state.
class CallsPanel {
 public:
  virtual ~CallsPanel() = default;
  // The panels show a link that is up, or that has ended.
  virtual void LinkUp() {}
  virtual void LinkEnded() {}
  // Resets the first (0) or second (1) part of the link-quality panel.
  virtual void ResetLinkQuality(int /*part*/) {}
  // The radio reported its ALE state during a link-quality exchange.
  virtual void RefreshLinkQuality() {}
  // A link-quality exchange ended: the panel's owner is told.
  virtual void LinkQualityExchangeEnded() {}
  virtual void HideLinkWindow() {}
  virtual void ShowEstablishedLink(int /*channel*/, int /*quality*/) {}
  // The operator accepted an incoming call: the link panel takes the caller's data.
  virtual void AcceptIncomingCall(const IncomingCall& /*call*/) {}
  // An incoming call was logged without a question; the link panel returns to idle.
  virtual void IncomingCallLogged(const IncomingCall& /*call*/) {}
  // The radio's ALE state says no call can be placed now (true), or no longer says so.
  virtual void AleUnusable(bool /*unusable*/) {}
  // The operator answers a call from the stack.
  virtual void Reply(const CallRecord& /*record*/) {}
};

}  // namespace varim::core
