#include "network_control_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "spin_box_name.h"

namespace varim::ui {

namespace {

constexpr char kHint[] =
    "Digital-mode and logging programs (WSJT-X, fldigi, CQRLOG) connect with Hamlib's "
    "\"NET rigctl\" (model 2) to this address and port. 127.0.0.1 lets only the programs of this "
    "computer in; another address lets other computers control the radio.";
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;

}  // namespace

CNetworkControlDlg::CNetworkControlDlg(const varim::panels::NetworkControlSettings& settings,
                                       const std::string& status, Apply apply, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)) {
  setObjectName("NetworkControl");
  setWindowTitle("Network Control");

  enabled_ = new QCheckBox("&Let other programs control the radio", this);
  enabled_->setObjectName("NetworkControlEnabled");
  enabled_->setChecked(settings.enabled);
  address_ = new QLineEdit(QString::fromStdString(settings.address), this);
  address_->setObjectName("NetworkControlAddress");
  port_ = new QSpinBox(this);
  port_->setObjectName("NetworkControlPort");
  port_->setRange(kLowestPort, kHighestPort);
  port_->setValue(settings.port);
  allowPtt_ = new QCheckBox("Allow them to &key the transmitter (PTT)", this);
  allowPtt_->setObjectName("NetworkControlAllowPtt");
  allowPtt_->setChecked(settings.allowPtt);
  auto* hint = new QLabel(kHint, this);
  hint->setWordWrap(true);
  status_ = new QLabel(QString::fromStdString(status), this);
  status_->setObjectName("NetworkControlStatus");
  status_->setWordWrap(true);
  status_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

  auto* form = new QFormLayout;
  auto* addressLabel = new QLabel("Listen on &address:", this);
  addressLabel->setBuddy(address_);
  form->addRow(addressLabel, address_);
  auto* portLabel = new QLabel("&Port:", this);
  portLabel->setBuddy(port_);
  form->addRow(portLabel, port_);
  NameSpinBox(port_, "Port:");

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CNetworkControlDlg::Ok);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(enabled_, &QCheckBox::toggled, this, &CNetworkControlDlg::EnableChoices);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(enabled_);
  layout->addLayout(form);
  layout->addWidget(allowPtt_);
  layout->addWidget(hint);
  layout->addWidget(status_);
  layout->addWidget(buttons);
  EnableChoices();
}

varim::panels::NetworkControlSettings CNetworkControlDlg::Chosen() const {
  return {enabled_->isChecked(), address_->text().trimmed().toStdString(), port_->value(),
          allowPtt_->isChecked()};
}

void CNetworkControlDlg::Ok() {
  std::string status;
  const bool served = apply_(Chosen(), &status);
  status_->setText(QString::fromStdString(status));
  if (served) accept();
}

void CNetworkControlDlg::EnableChoices() {
  const bool on = enabled_->isChecked();
  address_->setEnabled(on);
  port_->setEnabled(on);
  allowPtt_->setEnabled(on);
}

}  // namespace varim::ui
