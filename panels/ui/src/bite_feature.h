#pragma once

#include <QObject>
#include <QWidget>

#include "qt_one_shot_timer.h"
#include "varim/core/connection_controller.h"
#include "varim/panels/bite.h"

namespace varim::ui {

// The built-in test in the window: the command on the controller's seams, its watchdog on the
// event loop and its dialog over the window. Lives as long as the window.
class CBiteFeature : public QObject {
  Q_OBJECT

 public:
  CBiteFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
               QWidget* window);

  varim::panels::Bite& Feature() { return bite_; }

 private:
  QtOneShotTimer watchdog_;
  varim::panels::Bite bite_;
};

}  // namespace varim::ui
