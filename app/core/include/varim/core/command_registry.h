#pragma once

#include <functional>
#include <map>

#include "varim/core/command_ids.h"
#include "varim/core/command_rules.h"

namespace varim::core {

// The window's commands, each installed by the feature that owns it: whether it can be used
// now, whether it carries a check mark, and what it does. Menus and toolbars only ask here, so
// a new panel adds its commands without the frame or the connection learning of them.
class CommandRegistry {
 public:
  using Predicate = std::function<bool()>;
  using Action = std::function<void()>;

  struct Command {
    Predicate enabled;  // none: always enabled
    Predicate checked;  // none: never checked
    Action run;
  };

  // Installs the command, replacing one installed before under the same id.
  void Install(CommandId id, Command command);
  bool Installed(CommandId id) const { return commands_.count(id) > 0; }
  // A command nobody installed is shown but not offered.
  CommandState StateOf(CommandId id) const;
  // Runs the command when it is installed and enabled now; false otherwise.
  bool Run(CommandId id);

 private:
  std::map<CommandId, Command> commands_;
};

}  // namespace varim::core
