#pragma once

#include <optional>
#include <string>
#include <vector>

#include "varim/core/command_ids.h"
#include "varim/core/panel.h"

namespace varim::ui {

using varim::core::CommandId;
using varim::core::kPanelCount;
using varim::core::Panel;

// What the window shows for a command: its name (the object name of its actions), the prompt
// the status bar shows while it is highlighted, and its toolbar picture(s).
struct CommandInfo {
  CommandId id;
  const char* name;
  const char* prompt;
  const char* icon;     // the picture, or the "on" picture of a toggle; empty: none
  const char* offIcon;  // the "off" picture of a toggle; empty for other commands
};

const CommandInfo& InfoOf(CommandId id);
// What the operator calls a command: the text of its first menu item, without its '&'. A
// screen reader names the command's toolbar button by it.
const char* MenuTextOf(CommandId id);
const std::vector<CommandInfo>& AllCommands();

// One entry of a menu: a command, a separator, or a pop-up with its own entries.
struct MenuEntry {
  enum class Kind { kCommand, kSeparator, kPopup };
  Kind kind;
  const char* text;
  CommandId id;
  std::vector<MenuEntry> children;
};

// One button of a toolbar, or a gap between groups of buttons.
struct ToolbarEntry {
  bool gap;
  CommandId id;
};

// A panel of the main window with its menu, toolbar and title.
struct PanelLayout {
  Panel panel;
  const char* name;
  int menuResource;
  int toolbarResource;
  const char* title;
  std::vector<MenuEntry> menu;
  std::vector<ToolbarEntry> toolbar;
};

const std::vector<PanelLayout>& Panels();
const PanelLayout& LayoutOf(Panel panel);

// The About button's bar, created and never shown.
const std::vector<ToolbarEntry>& AboutToolbar();

// The command that shows a panel, and the panel a command shows (none for other commands).
CommandId PanelCommand(Panel panel);
std::optional<Panel> PanelOfCommand(CommandId id);

}  // namespace varim::ui
