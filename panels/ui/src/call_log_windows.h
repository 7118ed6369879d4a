#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "log_file_dlg.h"
#include "varim/core/operator.h"
#include "varim/core/panel.h"
#include "varim/panels/call_log_feature.h"

namespace varim::ui {

// The call log's windows on the main view: the log window, which lives with the panels that
// keep it (the Computer Interface and the front panels), and the stack list the View Stack
// command runs.
class CCallLogWindows : public QObject {
  Q_OBJECT

 public:
  struct Hooks {
    varim::panels::CallLogFeature::Reply reply;  // the calls panel takes a stacked call
    std::function<void()> help;                  // the Help buttons
    std::function<void()> changed;               // the commands' states may have changed
  };

  // Installs View/Hide Log File and View Stack; the log window is made at once, hidden.
  CCallLogWindows(varim::core::CallLists& calls, const varim::core::RadioState& state,
                  varim::core::CommandRegistry& commands, varim::core::Operator& op, Hooks hooks,
                  QWidget* view);

  // A panel was shown: the panels that keep the log window make it if they have none (and
  // show it when the operator wants it), the others destroy it.
  void PanelShown(varim::core::Panel panel);

  CLogFileDlg* LogWindow() const { return log_; }
  varim::panels::CallLogFeature& Feature() { return feature_; }

 private:
  void MakeLogWindow();
  void ShowLog(bool shown);
  void RunStack();

  varim::panels::CallLogFeature feature_;
  varim::core::Operator& operator_;
  Hooks hooks_;
  QWidget* view_;
  QPointer<CLogFileDlg> log_;
  varim::core::Panel panel_ = varim::core::Panel::kComputerInterface;
};

}  // namespace varim::ui
