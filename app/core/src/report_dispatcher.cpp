#include "varim/core/report_dispatcher.h"

#include <utility>

namespace varim::core {

void ReportDispatcher::On(int opcode, Handler handler) {
  handlers_[opcode].push_back(std::move(handler));
}

void ReportDispatcher::Dispatch(const CRadioMessage& frame) {
  // A copy: a handler may add handlers while it runs (a dialog opened by a report).
  const auto handlers = handlers_.find(frame.GetOpcode());
  if (handlers != handlers_.end()) {
    const std::vector<Handler> run = handlers->second;
    for (const Handler& handler : run) handler(frame);
  }
  if (step_) step_(frame);
}

}  // namespace varim::core
