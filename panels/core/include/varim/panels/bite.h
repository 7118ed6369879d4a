#pragma once

#include <functional>
#include <memory>
#include <string>

#include "varim/core/command_registry.h"
#include "varim/core/operator.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"
#include "varim/panels/bite_test.h"
#include "varim/panels/one_shot_timer.h"

namespace varim::panels {

// The "Built-in Test" command: opens the test dialog, keeps the main view busy while it is
// open, and routes the radio's display line, self-test report and refusal to the open test.
class Bite {
 public:
  // Shows the dialog for the test and returns once it has closed.
  using Show = std::function<void(BiteTest&)>;

  Bite(BiteLink link, varim::core::Operator& op, OneShotTimer& watchdog, Show show);
  Bite(const Bite&) = delete;
  Bite& operator=(const Bite&) = delete;

  // Installs the command (usable when enabled says so) and the report handlers.
  void Install(varim::core::CommandRegistry& commands, varim::core::ReportDispatcher& dispatcher,
               varim::core::RadioState& state, varim::core::CommandRegistry::Predicate enabled);
  // The command: the dialog, unless one is open already.
  void Open();
  // The open test, none between dialogs.
  BiteTest* Current() { return current_.get(); }

 private:
  void OnDisplay(const varim::core::RadioStatus& status);
  void OnSelfTest(const CRadioMessage& report);
  void OnCommandRefused(const CRadioMessage& report);

  BiteLink link_;
  varim::core::Operator& operator_;
  OneShotTimer& watchdog_;
  Show show_;
  varim::core::RadioState* state_ = nullptr;
  // The seams may outlive this object or die before it (the window drops its controller
  // before its children): what they call back reaches it only while it lives.
  std::shared_ptr<Bite*> self_ = std::make_shared<Bite*>(this);
  std::string lastDisplay_;
  std::unique_ptr<BiteTest> current_;
};

}  // namespace varim::panels
