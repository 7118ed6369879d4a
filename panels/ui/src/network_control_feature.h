#pragma once

#include <QObject>
#include <QSettings>
#include <QWidget>
#include <functional>
#include <memory>

#include "varim/core/connection_controller.h"
#include "varim/panels/network_control.h"

namespace varim::ui {

// Network control in the window: its Preferences command and dialog, the operator's choice
// remembered between runs, and the server on the window's queue. Lives as long as the window;
// Stop must come before the controller's link closes.
class CNetworkControlFeature : public QObject {
  Q_OBJECT

 public:
  // settingsFile: an INI file for what is remembered; empty: the user's settings.
  CNetworkControlFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
                         varim::panels::NetworkControl::Poster post, const QString& settingsFile,
                         QWidget* window);

  // Serves as remembered; a port that cannot be listened on is told to the operator.
  void Start();
  void Stop() { network_.Stop(); }
  varim::panels::NetworkControl& Feature() { return network_; }

 private:
  varim::panels::NetworkControlSettings Remembered() const;
  void Remember(const varim::panels::NetworkControlSettings& settings);
  void RunDialog();

  varim::core::Operator& operator_;
  QWidget* window_;
  std::unique_ptr<QSettings> settings_;
  varim::panels::NetworkControl network_;
};

}  // namespace varim::ui
