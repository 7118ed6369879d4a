#pragma once

#include <functional>
#include <map>
#include <vector>

#include "varim/core/pending_operation.h"
#include "varim/radio_message.h"

namespace varim::core {

// The single entry point for every report the incoming thread hands to the window's thread.
// Features register what they do with an opcode; after the handlers, the pending operation
// takes its step. Each frame arrives by value, so every report acts on its own frame however
// fast they come.
class ReportDispatcher {
 public:
  using Handler = std::function<void(const CRadioMessage&)>;
  using Step = std::function<void(const CRadioMessage&)>;

  // Adds a handler for the opcode; handlers of one opcode run in the order they were added.
  void On(int opcode, Handler handler);
  // What runs after the handlers of every report: the pending-operation step.
  void AfterEvery(Step step) { step_ = std::move(step); }
  void Dispatch(const CRadioMessage& frame);

  PendingOperation& Pending() { return pending_; }
  const PendingOperation& Pending() const { return pending_; }

 private:
  std::map<int, std::vector<Handler>> handlers_;
  Step step_;
  PendingOperation pending_;
};

}  // namespace varim::core
