#include "incoming_call_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace varim::ui {

CIncomingCallDlg::CIncomingCallDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("IncomingCallDlg");
  setWindowTitle("Incoming Net Call");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  setLayout(layout);
  callType_ = AddField("Call Type:");
  net_ = AddField("Net:");
  channel_ = AddField("Channel:");
  value_ = AddField("Value:");
  caller_ = AddField("Station Name:");
  message_ = AddField("Message");
  message_->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setAccessibleName("OK");
  buttons->button(QDialogButtonBox::Cancel)->setAccessibleName("Cancel");
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QLabel* CIncomingCallDlg::AddField(const QString& label) {
  auto* form = static_cast<QFormLayout*>(layout()->itemAt(0)->layout());
  auto* value = new QLabel(this);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  auto* name = new QLabel(label, this);
  name->setBuddy(value);
  form->addRow(name, value);
  return value;
}

void CIncomingCallDlg::Refresh(const varim::core::IncomingCallView& call) {
  setWindowTitle(QString::fromStdString(call.title));
  callType_->setText(QString::fromStdString(call.callType));
  net_->setText(QString::fromStdString(call.net));
  channel_->setText(QString::fromStdString(call.channel));
  value_->setText(QString::fromStdString(call.value));
  caller_->setText(QString::fromStdString(call.caller));
  message_->setText(QString::fromStdString(call.message));
}

bool CIncomingCallDlg::Ask(const varim::core::IncomingCallView& call) {
  Refresh(call);
  return exec() == QDialog::Accepted;
}

}  // namespace varim::ui
