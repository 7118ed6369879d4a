#include "call_log_windows.h"

#include "stack_list_dlg.h"

namespace varim::ui {

using varim::panels::CallLogFeature;

CCallLogWindows::CCallLogWindows(varim::core::CallLists& calls,
                                 const varim::core::RadioState& state,
                                 varim::core::CommandRegistry& commands, varim::core::Operator& op,
                                 Hooks hooks, QWidget* view)
    : QObject(view),
      feature_(calls, state, hooks.reply),
      operator_(op),
      hooks_(std::move(hooks)),
      view_(view) {
  feature_.Install(commands, {[this](bool shown) { ShowLog(shown); }, [this] { RunStack(); }});
  MakeLogWindow();
}

void CCallLogWindows::MakeLogWindow() {
  if (log_) return;
  log_ = new CLogFileDlg(
      feature_.Calls(), hooks_.help,
      [this] {
        if (!feature_.LogWindowShown()) return;
        feature_.CloseLogWindow();
        if (hooks_.changed) hooks_.changed();
      },
      view_);
}

void CCallLogWindows::ShowLog(bool shown) {
  if (!shown) {
    if (log_) log_->hide();
    return;
  }
  // Another panel has no log window; the operator's wish holds until one that keeps it shows.
  if (!CallLogFeature::PanelKeepsLogWindow(panel_)) return;
  MakeLogWindow();
  log_->show();
  log_->raise();
}

void CCallLogWindows::PanelShown(varim::core::Panel panel) {
  panel_ = panel;
  if (!CallLogFeature::PanelKeepsLogWindow(panel)) {
    delete log_;
    return;
  }
  MakeLogWindow();
  log_->setVisible(feature_.LogWindowShownOn(panel));
}

void CCallLogWindows::RunStack() {
  CStackListDlg stack(feature_, operator_, hooks_.help, view_);
  stack.exec();
}

}  // namespace varim::ui
