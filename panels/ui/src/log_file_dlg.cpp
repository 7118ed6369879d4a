#include "log_file_dlg.h"

#include <QVBoxLayout>

namespace varim::ui {

CLogFileDlg::CLogFileDlg(varim::core::CallLists& calls, std::function<void()> help,
                         std::function<void()> closed, QWidget* parent)
    : QDialog(parent), closed_(std::move(closed)) {
  setObjectName("LogFileDlg");
  setWindowTitle("Log File");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  pane_ = new CCallListPane(
      "Log File",
      {[&calls]() -> const std::vector<varim::core::CallRecord>& { return calls.Log(); },
       [&calls](std::size_t index) { calls.DeleteLogRecord(index); },
       [&calls] { calls.DeleteAllLogRecords(); }},
      std::move(help), this);
  layout->addWidget(pane_);
  refresh_ = new QPushButton("Refresh", this);
  refresh_->setAccessibleName(refresh_->text());
  auto* close = new QPushButton("Close", this);
  close->setAccessibleName(close->text());
  pane_->Buttons()->addWidget(refresh_);
  pane_->Buttons()->addWidget(close);
  connect(refresh_, &QPushButton::clicked, pane_, &CCallListPane::Refresh);
  connect(close, &QPushButton::clicked, this, &CLogFileDlg::reject);
}

// Calls logged while the window was hidden appear when it is opened again.
void CLogFileDlg::showEvent(QShowEvent* event) {
  pane_->Refresh();
  QDialog::showEvent(event);
}

// Close, Escape and the window's own close box all end the operator's wish to see the log.
void CLogFileDlg::reject() {
  QDialog::reject();
  if (closed_) closed_();
}

}  // namespace varim::ui
