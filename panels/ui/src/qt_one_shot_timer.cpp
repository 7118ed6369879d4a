#include "qt_one_shot_timer.h"

namespace varim::ui {

QtOneShotTimer::QtOneShotTimer(QObject* parent) : timer_(parent) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    // The callback may start the timer again with a new one: call a copy.
    const std::function<void()> expired = expired_;
    if (expired) expired();
  });
}

void QtOneShotTimer::Start(std::chrono::milliseconds interval, std::function<void()> expired) {
  expired_ = std::move(expired);
  timer_.start(interval);
}

void QtOneShotTimer::Stop() {
  timer_.stop();
  expired_ = nullptr;
}

}  // namespace varim::ui
