#include "comm_ports_dlg.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "varim/core/comm_settings.h"
#include "varim/core/operator_texts.h"

namespace varim::ui {

namespace texts = varim::core::texts;

namespace {

QPushButton* PictureButton(const QString& text, const QString& icon, QWidget* parent) {
  auto* button = new QPushButton(QIcon(":/icons/" + icon + ".svg"), text, parent);
  button->setIconSize(QSize(24, 24));
  return button;
}

}  // namespace

CCommPortsDlg::CCommPortsDlg(varim::core::ConnectionController& controller,
                             varim::core::Operator& op, std::function<void()> openHelp,
                             QWidget* parent)
    : QDialog(parent), controller_(controller), operator_(op), openHelp_(std::move(openHelp)) {
  setWindowTitle("Communication Ports");
  setObjectName("CCommPortsDlg");

  auto* portGroup = new QGroupBox("Comm. Port", this);
  ports_ = new QComboBox(portGroup);
  ports_->setObjectName("Ports");
  for (int port = 1; port <= kPorts; ++port) ports_->addItem(QString("COM%1").arg(port));
  device_ = new QLabel(portGroup);
  device_->setObjectName("Device");
  auto* portLayout = new QVBoxLayout(portGroup);
  portLayout->addWidget(ports_);
  portLayout->addWidget(device_);

  auto* baudGroup = new QGroupBox("Baud Rate", this);
  bauds_ = new QButtonGroup(this);
  auto* baudLayout = new QHBoxLayout(baudGroup);
  for (std::size_t index = 0; index < varim::core::kBaudRates.size(); ++index) {
    auto* button = new QRadioButton(QString::number(varim::core::kBaudRates[index]), baudGroup);
    bauds_->addButton(button, static_cast<int>(index));
    baudLayout->addWidget(button);
  }
  // A stored rate that is not one of the four leaves this first choice, the rate OK applies.
  bauds_->button(baudIndex_)->setChecked(true);

  busyLabel_ = new QLabel(texts::kCommandInProgress, this);
  busyLabel_->setObjectName("BusyLabel");
  busyLabel_->setStyleSheet("background-color: yellow;");
  busyLabel_->hide();

  auto* ok = PictureButton("OK", "ok", this);
  auto* cancel = PictureButton("Cancel", "cancel", this);
  auto* help = PictureButton("Help", "help", this);
  auto* check = PictureButton("Check", "check", this);
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {ok, cancel, help, check}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(portGroup);
  layout->addWidget(baudGroup);
  layout->addWidget(busyLabel_);
  layout->addLayout(buttons);

  connect(ports_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) portIndex_ = index;
    ShowDevice();
  });
  // Toggled, not clicked: the accessibility interface's toggle action and the arrow keys
  // check a button without clicking it.
  connect(bauds_, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
    if (checked) baudIndex_ = index;
  });
  connect(ok, &QPushButton::clicked, this, &CCommPortsDlg::Ok);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { openHelp_(); });
  connect(check, &QPushButton::clicked, this, &CCommPortsDlg::Check);
}

void CCommPortsDlg::Load() {
  const varim::core::CommSettings& settings = controller_.Settings();
  portIndex_ = settings.commPort - 1;
  // A port beyond the list (set in the file by hand) shows no selection and is kept by OK.
  const QSignalBlocker blocker(ports_);
  ports_->setCurrentIndex(portIndex_ >= 0 && portIndex_ < kPorts ? portIndex_ : -1);
  ShowDevice();
  SetBaudIndex(settings.baudRate, true);
  busyLabel_->hide();
}

bool CCommPortsDlg::SetBaudIndex(int baudRate, bool show) {
  const int index = varim::core::FindBaudIndex(baudRate);
  if (index < 0) {
    operator_.Notify(texts::kBaudRateNotCorrect, varim::core::Operator::Icon::kExclamation);
    return false;
  }
  baudIndex_ = index;
  if (show) bauds_->button(index)->setChecked(true);
  return true;
}

void CCommPortsDlg::ShowDevice() {
  device_->setText(QString::fromStdString(controller_.DeviceForPort(portIndex_ + 1)));
}

void CCommPortsDlg::SetBusyLabel(bool shown) {
  busyLabel_->setVisible(shown);
  // Shown at once: the test or the reopening that follows holds the window for a while.
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CCommPortsDlg::Check() {
  const int port = portIndex_ + 1;
  const int baud = varim::core::BaudFromIndex(baudIndex_, operator_);
  SetBusyLabel(true);
  const bool passed = controller_.CommPortsCheck(port, baud);
  SetBusyLabel(false);
  controller_.ReportCommunicationTest(passed);
}

void CCommPortsDlg::Ok() {
  const int port = portIndex_ + 1;
  const int baud = varim::core::BaudFromIndex(baudIndex_, operator_);
  SetBusyLabel(true);
  controller_.CommPortsOk(port, baud);
  SetBusyLabel(false);
  accept();
}

}  // namespace varim::ui
