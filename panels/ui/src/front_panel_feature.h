#pragma once

#include <QObject>

#include "varim/core/connection_controller.h"
#include "varim/panels/front_panel.h"

namespace varim::ui {

// The front panel's rules for as long as the window lives: the radio's display reports and the
// head's keys.
class CFrontPanelFeature : public QObject {
  Q_OBJECT

 public:
  CFrontPanelFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
                     QObject* parent);

  varim::panels::FrontPanel& Panel() { return panel_; }

 private:
  varim::panels::FrontPanel panel_;
};

}  // namespace varim::ui
