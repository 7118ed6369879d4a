#include "file_information_dlg.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <cstring>

namespace varim::ui {

CFileInformationDlg::CFileInformationDlg(varim::db::FileInformation& info, QWidget* parent)
    : QDialog(parent), info_(info) {
  setObjectName("CFileInformationDlg");
  setWindowTitle("File Information");
  userName_ = new QLineEdit(
      QString::fromLatin1(info.user_name,
                          static_cast<int>(strnlen(info.user_name, sizeof info.user_name))),
      this);
  userName_->setMaxLength(sizeof info.user_name - 1);
  const QString saved =
      info.file_time == 0
          ? QString()
          : QDateTime::fromSecsSinceEpoch(info.file_time).toString("yyyy-MM-dd hh:mm:ss");
  comment_ = new QPlainTextEdit(
      QString::fromLatin1(info.comment,
                          static_cast<int>(strnlen(info.comment, sizeof info.comment)))
          .replace("\r\n", "\n"),
      this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QFormLayout(this);
  layout->addRow("User Name", userName_);
  layout->addRow("Last Saved On", new QLabel(saved, this));
  layout->addRow("Comment", comment_);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    Store();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CFileInformationDlg::Store() {
  const std::string user = userName_->text().toLatin1().toStdString();
  std::memset(info_.user_name, 0, sizeof info_.user_name);
  std::memcpy(info_.user_name, user.data(), std::min(user.size(), sizeof info_.user_name - 1));
  // The record keeps the comment's line breaks as CR LF, as the files have always had them.
  const std::string comment =
      comment_->toPlainText().replace("\n", "\r\n").toLatin1().toStdString();
  std::memset(info_.comment, 0, sizeof info_.comment);
  std::memcpy(info_.comment, comment.data(), std::min(comment.size(), sizeof info_.comment - 1));
}

}  // namespace varim::ui
