#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "varim/core/operator.h"

namespace varim::testing {

// Keeps every text the program shows the operator, and answers its questions as told. The
// program may tell it from any of its threads while a test reads, hence the lock.
class RecordingOperator : public core::Operator {
 public:
  using Texts = std::vector<std::string>;

  void Notify(const std::string& text, Icon icon) override;
  bool Ask(const std::string& text) override;

  void AnswerWith(bool yes) { answer_ = yes; }
  // A benchmark has nobody watching its boxes: each notice also goes to stderr after the prefix.
  void EchoNotices(std::string prefix) { echoPrefix_ = std::move(prefix); }

  Texts Notices() const;
  // The latest notice; empty when there was none.
  std::string LastNotice() const;
  Texts Questions() const;
  void Forget();

 private:
  mutable std::mutex mutex_;
  Texts notices_, questions_;
  std::atomic<bool> answer_{true};
  std::optional<std::string> echoPrefix_;
};

}  // namespace varim::testing
