#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>

#include "call_list_pane.h"
#include "varim/core/call_lists.h"

namespace varim::ui {

// The log window: every call placed or received, newest first. Modeless; it shows the log as
// it was when it was opened or last refreshed.
class CLogFileDlg : public QDialog {
  Q_OBJECT

 public:
  // closed is told when the operator closes the window.
  CLogFileDlg(varim::core::CallLists& calls, std::function<void()> help,
              std::function<void()> closed, QWidget* parent = nullptr);

  CCallListPane* Pane() const { return pane_; }
  QPushButton* RefreshButton() const { return refresh_; }
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  CCallListPane* pane_;
  QPushButton* refresh_;
  std::function<void()> closed_;
};

}  // namespace varim::ui
