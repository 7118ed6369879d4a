#include "varim/panels/deadline_timer.h"

namespace varim::panels {

void DeadlineTimer::Start(std::chrono::milliseconds interval, std::function<void()> expired) {
  deadline_ = now_() + interval;
  expired_ = std::move(expired);
}

void DeadlineTimer::Poll() {
  if (!expired_ || now_() < deadline_) return;
  const std::function<void()> expired = std::move(expired_);
  expired_ = nullptr;
  expired();
}

}  // namespace varim::panels
