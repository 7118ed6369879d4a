#include "varim/testing/recording_operator.h"

#include <cstdio>

namespace varim::testing {

void RecordingOperator::Notify(const std::string& text, Icon /*icon*/) {
  if (echoPrefix_) std::fprintf(stderr, "%s%s\n", echoPrefix_->c_str(), text.c_str());
  std::lock_guard lock(mutex_);
  notices_.push_back(text);
}

bool RecordingOperator::Ask(const std::string& text) {
  std::lock_guard lock(mutex_);
  questions_.push_back(text);
  return answer_;
}

RecordingOperator::Texts RecordingOperator::Notices() const {
  std::lock_guard lock(mutex_);
  return notices_;
}

std::string RecordingOperator::LastNotice() const {
  std::lock_guard lock(mutex_);
  return notices_.empty() ? std::string() : notices_.back();
}

RecordingOperator::Texts RecordingOperator::Questions() const {
  std::lock_guard lock(mutex_);
  return questions_;
}

void RecordingOperator::Forget() {
  std::lock_guard lock(mutex_);
  notices_.clear();
  questions_.clear();
}

}  // namespace varim::testing
