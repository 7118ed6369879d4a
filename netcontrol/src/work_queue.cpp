#include "varim/netcontrol/work_queue.h"

namespace varim::netcontrol {

void WorkQueue::Post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    work_.push_back(std::move(work));
  }
  posted_.notify_one();
}

void WorkQueue::RunUntil(Clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  while (posted_.wait_until(lock, deadline, [this] { return !work_.empty(); })) {
    std::function<void()> work = std::move(work_.front());
    work_.pop_front();
    lock.unlock();
    work();
    lock.lock();
  }
}

}  // namespace varim::netcontrol
