#pragma once

#include <QDialog>

#include <functional>

#include "varim/panels/ale_messages.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace varim::ui {

// "Message Configuration": the ten ALE messages, one slot at a time.
class CAleMessagesDlg : public QDialog {
  Q_OBJECT

 public:
  CAleMessagesDlg(varim::panels::AleMessagesEditor& editor, std::function<void()> help,
                  QWidget* parent = nullptr);

  QLineEdit* MessageBox() const { return message_; }

 private:
  void Mirror();

  varim::panels::AleMessagesEditor& editor_;
  QSpinBox* slot_;
  QLineEdit* message_;
  QLabel* occupied_;
  QLabel* warning_;
  QPushButton* ok_;
};

// "Automatic Dial Configuration": for each key the address and the message it calls with.
class CAutoDialsDlg : public QDialog {
  Q_OBJECT

 public:
  CAutoDialsDlg(varim::panels::AutoDialsEditor& editor, std::function<void()> help,
                QWidget* parent = nullptr);
};

}  // namespace varim::ui
