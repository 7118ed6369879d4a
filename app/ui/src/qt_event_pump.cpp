#include "qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

namespace varim::ui {

QtEventPump::QtEventPump(QObject* parent)
    : QObject(parent), worker_(&QtEventPump::WorkerLoop, this) {}

QtEventPump::~QtEventPump() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  worker_.join();
}

void QtEventPump::WorkerLoop() {
  for (;;) {
    Call* call = nullptr;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !calls_.empty(); });
      if (calls_.empty()) return;
      call = calls_.front();
      calls_.pop_front();
    }
    const int result = (*call->call)();
    {
      std::lock_guard lock(mutex_);
      call->result = result;
      call->done = true;
    }
    QMetaObject::invokeMethod(this, "Wake", Qt::QueuedConnection);
  }
}

void QtEventPump::Dispatch() {
  // Between the chunks of a transfer the worker calls this; the window's thread is already
  // handling its events then.
  if (QThread::currentThread() != thread()) return;
  QCoreApplication::processEvents();
}

void QtEventPump::Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

int QtEventPump::Run(const std::function<int()>& function) {
  ++running_;
  Call call{&function};
  {
    std::lock_guard lock(mutex_);
    calls_.push_back(&call);
  }
  wake_.notify_one();
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (call.done) break;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  if (--running_ == 0) {
    std::lock_guard lock(mutex_);
    if (!posted_.empty()) QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
  }
  std::lock_guard lock(mutex_);
  return call.result;
}

void QtEventPump::Post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(work));
  }
  QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
}

void QtEventPump::RunPosted() {
  // Held while a call is in flight; the call's end asks again.
  while (running_ == 0) {
    std::function<void()> work;
    {
      std::lock_guard lock(mutex_);
      if (posted_.empty()) return;
      work = std::move(posted_.front());
      posted_.pop_front();
    }
    work();
  }
}

}  // namespace varim::ui
