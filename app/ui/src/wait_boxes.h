#pragma once

#include <QDialog>
#include <QTimer>

namespace varim::ui {

// "Please wait" while the radio restarts, and afterwards the box that says the operation
// completed, which goes away by itself.
class WaitBoxes {
 public:
  explicit WaitBoxes(QWidget* parent);
  void ShowPleaseWait(bool shown);
  void ShowOperationDone(int ms);

  bool OperationDoneShown() const { return done_ != nullptr && done_->isVisible(); }
  int OperationDoneInterval() const { return doneTimer_.interval(); }

 private:
  QDialog* MakeBox(const char* name, const char* text);

  QWidget* parent_;
  QDialog* pleaseWait_ = nullptr;
  QDialog* done_ = nullptr;
  QTimer doneTimer_;
};

}  // namespace varim::ui
