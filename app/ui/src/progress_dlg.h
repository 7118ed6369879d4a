#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <functional>

#include "varim/core/transfer_progress.h"

namespace varim::ui {

// The progress of a database transfer: bar, percentage, the section reached, and Abort.
class CProgressDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CProgressDlg(std::function<void()> abort, QWidget* parent = nullptr);

  void Start(varim::core::TransferMode mode);
  // Shows a progress below 100 %; at 100 % the transfer is complete and the dialog closes.
  void Update(const varim::core::ProgressView& view);
  void Finish();

  int Percent() const { return bar_->value(); }
  QString PercentText() const { return percent_->text(); }
  QString Status() const { return status_->text(); }
  QPushButton* AbortButton() const { return abort_; }

 signals:
  // The dialog shows a new state of the transfer.
  void Updated(int percent, const QString& status);

 private:
  std::function<void()> abortTransfer_;
  QProgressBar* bar_;
  QLabel* status_;
  QLabel* percent_;
  QPushButton* abort_;
};

}  // namespace varim::ui
