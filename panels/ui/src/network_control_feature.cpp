#include "network_control_feature.h"

#include "network_control_dlg.h"

namespace varim::ui {

namespace {

using varim::panels::NetworkControlSettings;

constexpr char kEnabledKey[] = "NetworkControl/Enabled";
constexpr char kAddressKey[] = "NetworkControl/Address";
constexpr char kPortKey[] = "NetworkControl/Port";
constexpr char kAllowPttKey[] = "NetworkControl/AllowPtt";
constexpr int kHighestPort = 65535;

}  // namespace

CNetworkControlFeature::CNetworkControlFeature(varim::core::ConnectionController& controller,
                                               varim::core::Operator& op,
                                               varim::panels::NetworkControl::Poster post,
                                               const QString& settingsFile, QWidget* window)
    : QObject(window),
      operator_(op),
      window_(window),
      settings_(settingsFile.isEmpty()
                    ? std::make_unique<QSettings>()
                    : std::make_unique<QSettings>(settingsFile, QSettings::IniFormat)),
      network_(controller, std::move(post)) {
  controller.Commands().Install(
      varim::core::CommandId::kNetworkControl,
      {[] { return true; }, [this] { return network_.Serving(); }, [this] { RunDialog(); }});
}

void CNetworkControlFeature::Start() {
  const NetworkControlSettings settings = Remembered();
  if (settings.enabled && !network_.Apply(settings, nullptr))
    operator_.Notify(network_.StatusText(), varim::core::Operator::Icon::kExclamation);
}

NetworkControlSettings CNetworkControlFeature::Remembered() const {
  // The settings may have been edited by hand: what makes no sense falls back to the default.
  const NetworkControlSettings defaults;
  NetworkControlSettings settings;
  settings.enabled = settings_->value(kEnabledKey, defaults.enabled).toBool();
  settings.address = settings_->value(kAddressKey, QString::fromStdString(defaults.address))
                         .toString()
                         .toStdString();
  if (settings.address.empty()) settings.address = defaults.address;
  bool number = false;
  const int port = settings_->value(kPortKey, defaults.port).toInt(&number);
  settings.port = number && port > 0 && port <= kHighestPort ? port : defaults.port;
  settings.allowPtt = settings_->value(kAllowPttKey, defaults.allowPtt).toBool();
  return settings;
}

void CNetworkControlFeature::Remember(const NetworkControlSettings& settings) {
  settings_->setValue(kEnabledKey, settings.enabled);
  settings_->setValue(kAddressKey, QString::fromStdString(settings.address));
  settings_->setValue(kPortKey, settings.port);
  settings_->setValue(kAllowPttKey, settings.allowPtt);
  settings_->sync();
}

void CNetworkControlFeature::RunDialog() {
  const NetworkControlSettings before = network_.Settings();
  const bool servedBefore = network_.Serving();
  CNetworkControlDlg dialog(
      before, network_.StatusText(),
      [this](const NetworkControlSettings& chosen, std::string* status) {
        const bool served = network_.Apply(chosen, nullptr);
        *status = network_.StatusText();
        return served;
      },
      window_);
  if (dialog.exec() == QDialog::Accepted) {
    Remember(network_.Settings());
  } else if (network_.Settings() != before || network_.Serving() != servedBefore) {
    // An OK that failed has stopped what was served: Cancel gives it back.
    network_.Apply(before, nullptr);
  }
}

}  // namespace varim::ui
