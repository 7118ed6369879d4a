#include "varim/core/command_registry.h"

#include <utility>

namespace varim::core {

void CommandRegistry::Install(CommandId id, Command command) {
  commands_[id] = std::move(command);
}

CommandState CommandRegistry::StateOf(CommandId id) const {
  const auto command = commands_.find(id);
  if (command == commands_.end()) return {false, false};
  const Command& c = command->second;
  return {!c.enabled || c.enabled(), c.checked && c.checked()};
}

bool CommandRegistry::Run(CommandId id) {
  const auto command = commands_.find(id);
  if (command == commands_.end() || !StateOf(id).enabled || !command->second.run) return false;
  // A copy: the command may install another under its own id while it runs.
  const Action run = command->second.run;
  run();
  return true;
}

}  // namespace varim::core
