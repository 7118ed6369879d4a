#pragma once

#include "varim/core/command_ids.h"
#include "varim/core/panel.h"
#include "varim/core/radio_generation.h"

namespace varim::core {

// What decides whether a command can be used now.
struct CommandContext {
  bool portOpen = false;
  bool radioReady = false;
  bool busy = false;
  bool reportsEnabled = false;
  bool configurationValid = false;
  bool ccirPresent = false;
  RadioGeneration radioGeneration = RadioGeneration::kUnknown;
  Panel currentPanel = Panel::kComputerInterface;
  // The radio's ALE state: reported not on, in an ALE-capable operation mode, a link up.
  bool aleOff = false;
  int aleOnOffState = 0;
  bool aleCapable = false;
  bool linkUp = false;
  bool noiseBlankerAvailable = false;
  // The check marks.
  bool squelch = false;
  bool monitor = false;
  bool noiseBlanker = false;
  bool attenuator = false;
  bool clipper = false;
  bool clarifier = true;
  bool notchFilter = true;
  int remoteModeValue = 2;
  bool verifyWrites = false;
};

struct CommandState {
  bool enabled = true;
  bool checked = false;
  bool operator==(const CommandState&) const = default;
};

// Whether a command is enabled and checked; a command without a rule is always enabled and
// never checked. Menus and toolbars ask this for every command.
CommandState StateOf(CommandId command, const CommandContext& context);

// The window's Close item follows Exit: the program cannot be closed during a long command.
bool CanClose(const CommandContext& context);

}  // namespace varim::core
