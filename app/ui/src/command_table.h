#pragma once

#include <string>
#include <vector>

#include "varim/core/command_ids.h"

namespace varim::ui {

using varim::core::CommandId;

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
  int index;
  const char* name;
  int menuResource;
  int toolbarResource;
  const char* title;
  std::vector<MenuEntry> menu;
  std::vector<ToolbarEntry> toolbar;
};

inline constexpr int kPanelCount = 6;
const std::vector<PanelLayout>& Panels();

// The About button's bar, created and never shown.
const std::vector<ToolbarEntry>& AboutToolbar();

// The command that shows panel index, and the panel a command shows (-1 for other commands).
CommandId PanelCommand(int index);
int PanelOfCommand(CommandId id);

}  // namespace varim::ui
