#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "varim/panels/bite_test.h"

namespace varim::ui {

// The built-in test dialog: the test type with its load prompt, Run and Close, the results
// list with an icon per result, the progress bar and the coloured status line. It mirrors the
// test and hands it the operator's input.
class CBiteDlg : public QDialog {
  Q_OBJECT

 public:
  CBiteDlg(varim::panels::BiteTest& test, QWidget* parent = nullptr);

  // Escape and the window's frame: closed without a reset.
  void reject() override;

 private:
  void Show(const varim::panels::BitePicture& picture);
  void ShowItems(const std::vector<varim::panels::BiteItemResult>& items);

  varim::panels::BiteTest& test_;
  QPushButton* run_;
  QPushButton* close_;
  QButtonGroup* types_;
  QLabel* prompt_;
  QListWidget* results_;
  QProgressBar* progress_;
  QLabel* status_;
  std::vector<varim::panels::BiteItemResult> shownItems_;
};

}  // namespace varim::ui
