#include "varim/panels/call_log_feature.h"

#include <utility>

namespace varim::panels {

using varim::core::CommandId;
using varim::core::Panel;

namespace {

// ALE state 2 of a CCIR radio: selective calling, whose calls are logged too.
constexpr int kSelectiveCalling = 2;

}  // namespace

CallLogFeature::CallLogFeature(varim::core::CallLists& calls, const varim::core::RadioState& state,
                               Reply reply)
    : calls_(calls), state_(state), reply_(std::move(reply)) {}

void CallLogFeature::Install(varim::core::CommandRegistry& commands, Windows windows) {
  windows_ = std::move(windows);
  commands.Install(CommandId::kLogFile,
                   {[this] { return LogFileEnabled(); }, [this] { return logWindowShown_; },
                    [this] {
                      logWindowShown_ = !logWindowShown_;
                      if (windows_.showLog) windows_.showLog(logWindowShown_);
                    }});
  commands.Install(CommandId::kStack, {[this] { return StackEnabled(); },
                                       {},
                                       [this] {
                                         if (windows_.runStack) windows_.runStack();
                                       }});
}

bool CallLogFeature::CallsViewable() const {
  const varim::core::RadioStatus& now = state_.Now();
  return !now.aleOff || (now.ccirPresent && now.aleOnOffState == kSelectiveCalling);
}

bool CallLogFeature::LogFileEnabled() const {
  return CallsViewable();
}

bool CallLogFeature::StackEnabled() const {
  return !calls_.Stack().empty() && !state_.Now().linkUp && CallsViewable();
}

void CallLogFeature::CloseLogWindow() {
  logWindowShown_ = false;
  if (windows_.showLog) windows_.showLog(false);
}

bool CallLogFeature::PanelKeepsLogWindow(Panel panel) {
  return panel == Panel::kComputerInterface || panel == Panel::kVarim || panel == Panel::kVarim2E;
}

bool CallLogFeature::LogWindowShownOn(Panel panel) const {
  return logWindowShown_ && PanelKeepsLogWindow(panel);
}

bool CallLogFeature::ReplyTo(std::size_t index) {
  if (index >= calls_.Stack().size()) return false;
  const varim::core::CallRecord record = calls_.TakeFromStack(index);
  if (reply_) reply_(record);
  return true;
}

}  // namespace varim::panels
