#include "qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

namespace varim::ui {

QtEventPump::QtEventPump(QObject* context)
    : context_(context), worker_(&QtEventPump::WorkerLoop, this) {}

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
    std::function<void()> call;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !calls_.empty(); });
      if (calls_.empty()) return;
      call = std::move(calls_.front());
      calls_.pop_front();
    }
    call();
  }
}

void QtEventPump::Dispatch() {
  // Between the chunks of a transfer the worker calls this; the window's thread is already
  // handling its events then.
  if (QThread::currentThread() != context_->thread()) return;
  QCoreApplication::processEvents();
}

void QtEventPump::Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

int QtEventPump::Run(const std::function<int()>& call) {
  ++running_;
  QEventLoop loop;
  int result = 0;
  {
    std::lock_guard lock(mutex_);
    calls_.push_back([&] {
      result = call();
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
  }
  wake_.notify_one();
  loop.exec();
  if (--running_ == 0) ReleaseHeld();
  return result;
}

void QtEventPump::Post(std::function<void()> work) {
  QMetaObject::invokeMethod(
      context_, [this, work = std::move(work)]() mutable { RunOrHold(std::move(work)); },
      Qt::QueuedConnection);
}

void QtEventPump::RunOrHold(std::function<void()> work) {
  if (running_ > 0) {
    held_.push_back(std::move(work));
    return;
  }
  work();
}

void QtEventPump::ReleaseHeld() {
  std::vector<std::function<void()>> held;
  held.swap(held_);
  // Queued again, in order, so they run once this call's caller has had its answer.
  for (auto& work : held) Post(std::move(work));
}

}  // namespace varim::ui
