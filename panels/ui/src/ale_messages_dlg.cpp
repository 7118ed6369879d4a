#include "ale_messages_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "spin_box_name.h"

namespace varim::ui {

namespace {

QDialogButtonBox* DialogButtons(QDialog* dialog, std::function<void()> help,
                                std::function<void()> ok) {
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, dialog);
  for (QAbstractButton* button : buttons->buttons())
    button->setAccessibleName(button->text().remove('&'));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [dialog, ok = std::move(ok)] {
    ok();
    dialog->accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog, [help = std::move(help)] {
    if (help) help();
  });
  return buttons;
}

QStringList Texts(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << QString::fromStdString(text);
  return list;
}

}  // namespace

CAleMessagesDlg::CAleMessagesDlg(varim::panels::AleMessagesEditor& editor,
                                 std::function<void()> help, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setObjectName("AleMessagesDlg");
  setWindowTitle("Message Configuration");
  slot_ = new QSpinBox(this);
  slot_->setRange(0, kAleMessages - 1);
  NameSpinBox(slot_, "Message No.");
  message_ = new QLineEdit(this);
  message_->setMaxLength(static_cast<int>(varim::panels::AleMessagesEditor::kLongest));
  message_->setAccessibleName("Message");
  occupied_ = new QLabel(this);
  occupied_->setAccessibleName("Occupied Messages:");
  warning_ = new QLabel(this);
  warning_->setStyleSheet("background-color: yellow;");
  auto* form = new QFormLayout;
  form->addRow("Message No.", slot_);
  form->addRow("Message", message_);
  form->addRow(new QLabel("Maximum Available:         10", this));
  form->addRow("Occupied Messages:", occupied_);
  auto* buttons = DialogButtons(this, std::move(help), [this] {});
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(warning_);
  layout->addWidget(buttons);
  connect(slot_, &QSpinBox::valueChanged, this, [this](int slot) {
    editor_.Show(slot);
    Mirror();
  });
  connect(message_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text.toStdString() == editor_.Text()) return;
    editor_.SetText(text.toStdString());
    Mirror();
  });
  Mirror();
}

void CAleMessagesDlg::Mirror() {
  {
    const QSignalBlocker blocker(slot_);
    slot_->setValue(editor_.Slot());
  }
  const QString text = QString::fromStdString(editor_.Text());
  if (message_->text() != text) {
    const QSignalBlocker blocker(message_);
    message_->setText(text);
  }
  slot_->setEnabled(editor_.Valid());
  ok_->setEnabled(editor_.Valid());
  occupied_->setText(QString::number(editor_.Occupied()));
  warning_->setText(QString::fromStdString(editor_.Warning()));
  warning_->setVisible(!editor_.Valid());
}

CAutoDialsDlg::CAutoDialsDlg(varim::panels::AutoDialsEditor& editor, std::function<void()> help,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName("AutoDialsDlg");
  setWindowTitle("Automatic Dial Configuration");
  auto* grid = new QGridLayout;
  for (int key = 0; key < kAutoDials; ++key) {
    auto* label = new QLabel(QString("Key %1").arg(key), this);
    auto* address = new QComboBox(this);
    address->addItems(Texts(editor.AddressChoices()));
    address->setCurrentIndex(editor.AddressRow(key));
    address->setAccessibleName(QString("Key %1: Call to address...").arg(key));
    auto* message = new QComboBox(this);
    message->addItems(Texts(editor.MessageChoices()));
    message->setCurrentIndex(editor.MessageRow(key));
    message->setAccessibleName(QString("Key %1: With message...").arg(key));
    grid->addWidget(label, key, 0);
    grid->addWidget(address, key, 1);
    grid->addWidget(message, key, 2);
    connect(address, &QComboBox::activated, this,
            [&editor, key](int row) { editor.ChooseAddress(key, row); });
    connect(message, &QComboBox::activated, this,
            [&editor, key](int row) { editor.ChooseMessage(key, row); });
  }
  auto* layout = new QVBoxLayout(this);
  auto* heads = new QHBoxLayout;
  heads->addWidget(new QLabel("  Call to address...", this));
  heads->addWidget(new QLabel("  With message...", this));
  layout->addLayout(heads);
  layout->addLayout(grid);
  layout->addWidget(DialogButtons(this, std::move(help), [] {}));
}

}  // namespace varim::ui
