#pragma once

#include <chrono>
#include <functional>

#include "varim/panels/one_shot_timer.h"

namespace varim::panels {

// A one-shot timer for a program without an event loop: whoever waits polls it, and it calls
// back from that poll once the deadline has passed.
class DeadlineTimer : public OneShotTimer {
 public:
  using Clock = std::chrono::steady_clock;
  using Now = std::function<Clock::time_point()>;

  explicit DeadlineTimer(Now now = Clock::now) : now_(std::move(now)) {}

  void Start(std::chrono::milliseconds interval, std::function<void()> expired) override;
  void Stop() override { expired_ = nullptr; }
  bool Running() const { return static_cast<bool>(expired_); }
  // Calls back when the deadline has passed; the timer is stopped before, so the callback may
  // start it again.
  void Poll();

 private:
  Now now_;
  Clock::time_point deadline_{};
  std::function<void()> expired_;
};

}  // namespace varim::panels
