#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "varim/panels/ccir_directory.h"

namespace varim::ui {

// The "CCIR Directory Configuration" dialog: the directory list, its count, the entry box with
// ADD and DELETE and the warning line. It mirrors CcirDirectory; OK hands the list to the
// record, Cancel leaves it.
class CCcirDirectoryDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CCcirDirectoryDlg(varim::panels::CcirDirectory& directory, QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  QLineEdit* Entry() const { return entry_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* DeleteButton() const { return delete_; }
  QLabel* WarningLine() const { return warning_; }

 private:
  void Mirror();

  varim::panels::CcirDirectory& directory_;
  QListWidget* list_;
  QLineEdit* occupied_;
  QLineEdit* entry_;
  QPushButton* add_;
  QPushButton* delete_;
  QLabel* warning_;
};

}  // namespace varim::ui
