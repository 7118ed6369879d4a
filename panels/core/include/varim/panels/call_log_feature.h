#pragma once

#include <cstddef>
#include <functional>

#include "varim/core/call_lists.h"
#include "varim/core/call_record.h"
#include "varim/core/command_registry.h"
#include "varim/core/panel.h"
#include "varim/core/radio_state.h"

namespace varim::panels {

// The call log and the stack as the operator reaches them: the View/Hide Log File and View
// Stack commands with their rules, whether the log window is wanted, and the reply to a
// stacked call. The windows themselves are the toolkit's business.
class CallLogFeature {
 public:
  // Hands a stacked call to the calls panel, which prepares the reply.
  using Reply = std::function<void(const varim::core::CallRecord&)>;

  struct Windows {
    // The log window is to be shown (true) or hidden.
    std::function<void(bool)> showLog;
    // Runs the stack list until the operator closes it.
    std::function<void()> runStack;
  };

  CallLogFeature(varim::core::CallLists& calls, const varim::core::RadioState& state, Reply reply);

  void Install(varim::core::CommandRegistry& commands, Windows windows);

  // The log can be viewed while ALE runs, or on a CCIR radio in selective calling.
  bool LogFileEnabled() const;
  // The stack can be answered from only while no link is up.
  bool StackEnabled() const;
  bool LogWindowShown() const { return logWindowShown_; }
  // The log window's Close button.
  void CloseLogWindow();
  // Whether a panel has the log window, and whether it shows it now: the Computer Interface
  // and the front panels keep one, shown while the operator wants it.
  static bool PanelKeepsLogWindow(varim::core::Panel panel);
  bool LogWindowShownOn(varim::core::Panel panel) const;

  // Answers the stacked call at index: handed to the calls panel, taken off the stack. False
  // when there is no such call.
  bool ReplyTo(std::size_t index);

  varim::core::CallLists& Calls() { return calls_; }

 private:
  bool CallsViewable() const;

  varim::core::CallLists& calls_;
  const varim::core::RadioState& state_;
  Reply reply_;
  Windows windows_;
  bool logWindowShown_ = false;
};

}  // namespace varim::panels
