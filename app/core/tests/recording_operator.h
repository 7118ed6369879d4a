#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "varim/core/operator.h"

namespace varim::core::testing {

// Keeps every text the program shows the operator, and answers its questions as told.
class RecordingOperator : public Operator {
 public:
  using Texts = std::vector<std::string>;

  void Notify(const std::string& text, Icon /*icon*/) override {
    std::lock_guard lock(mutex_);
    notices_.push_back(text);
  }
  bool Ask(const std::string& text) override {
    std::lock_guard lock(mutex_);
    questions_.push_back(text);
    return answer_;
  }
  void AnswerWith(bool yes) { answer_ = yes; }
  Texts Notices() const {
    std::lock_guard lock(mutex_);
    return notices_;
  }
  Texts Questions() const {
    std::lock_guard lock(mutex_);
    return questions_;
  }
  void Forget() {
    std::lock_guard lock(mutex_);
    notices_.clear();
    questions_.clear();
  }

 private:
  mutable std::mutex mutex_;
  Texts notices_, questions_;
  std::atomic<bool> answer_{true};
};

}  // namespace varim::core::testing
