#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "varim/core/event_pump.h"

namespace varim::ui {

// Keeps the window live while the program waits for the radio. A call that blocks on the
// radio runs on one worker thread, one at a time and always the same thread (the library keeps
// a history of recent requests per thread), while the window's thread goes on handling events.
// Work handed over from other threads waits while such a call is in flight, so the radio's
// reports cannot start a second exchange in the middle of one.
//
// Data crosses threads only under this class's own mutex; Qt's events only wake the window's
// thread and carry nothing.
class QtEventPump : public QObject, public varim::core::EventPump {
  Q_OBJECT

 public:
  explicit QtEventPump(QObject* parent = nullptr);
  ~QtEventPump() override;
  QtEventPump(const QtEventPump&) = delete;
  QtEventPump& operator=(const QtEventPump&) = delete;

  void Dispatch() override;
  void Wait(int ms) override;
  int Run(const std::function<int()>& call) override;
  // Runs work on the window's thread; callable from any thread.
  void Post(std::function<void()> work);

 private slots:
  void RunPosted();
  void Wake() {}

 private:
  struct Call {
    const std::function<int()>* call;
    int result = 0;
    bool done = false;
  };

  void WorkerLoop();

  int running_ = 0;  // the window's thread only
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Call*> calls_;
  std::deque<std::function<void()>> posted_;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace varim::ui
