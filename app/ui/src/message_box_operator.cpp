#include "message_box_operator.h"

#include <QApplication>
#include <QMessageBox>

namespace varim::ui {

void MessageBoxOperator::Notify(const std::string& text, Icon icon) {
  const QString message = QString::fromStdString(text);
  const QString title = QApplication::applicationName();
  switch (icon) {
    case Icon::kInformation:
      QMessageBox::information(parent_, title, message);
      break;
    case Icon::kExclamation:
      QMessageBox::warning(parent_, title, message);
      break;
    case Icon::kError:
      QMessageBox::critical(parent_, title, message);
      break;
  }
}

bool MessageBoxOperator::Ask(const std::string& text) {
  return QMessageBox::question(parent_, QApplication::applicationName(),
                               QString::fromStdString(text)) == QMessageBox::Yes;
}

bool MessageBoxOperator::Confirm(const std::string& text) {
  return QMessageBox::warning(parent_, QApplication::applicationName(),
                              QString::fromStdString(text), QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace varim::ui
