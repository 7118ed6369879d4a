#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "varim/panels/one_shot_timer.h"

namespace varim::ui {

// A panel's time limit on the window's event loop.
class QtOneShotTimer : public varim::panels::OneShotTimer {
 public:
  explicit QtOneShotTimer(QObject* parent = nullptr);
  void Start(std::chrono::milliseconds interval, std::function<void()> expired) override;
  void Stop() override;

 private:
  QTimer timer_;
  std::function<void()> expired_;
};

}  // namespace varim::ui
