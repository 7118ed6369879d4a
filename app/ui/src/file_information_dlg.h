#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "varim/db/file_information.h"

namespace varim::ui {

// The user name and comment a database file carries, and when it was last saved.
class CFileInformationDlg : public QDialog {
  Q_OBJECT

 public:
  CFileInformationDlg(varim::db::FileInformation& info, QWidget* parent = nullptr);

 private:
  void Store();

  varim::db::FileInformation& info_;
  QLineEdit* userName_;
  QPlainTextEdit* comment_;
};

}  // namespace varim::ui
