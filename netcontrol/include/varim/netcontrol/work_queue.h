#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace varim::netcontrol {

// Work handed to one thread from any other: the thread that owns the radio's session runs it,
// one piece after another, in the order it was posted. A program without a window of its own
// drains it in its main loop; the window posts to its event loop instead.
class WorkQueue {
 public:
  using Clock = std::chrono::steady_clock;

  void Post(std::function<void()> work);
  // Runs what is posted, as it comes, until the deadline.
  void RunUntil(Clock::time_point deadline);

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> work_;
};

}  // namespace varim::netcontrol
