#include "varim/core/command_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using varim::core::CommandContext;
using varim::core::CommandId;
using varim::core::CommandState;
using varim::core::StateOf;

CommandContext Ready() {
  CommandContext c;
  c.portOpen = true;
  c.radioReady = true;
  c.reportsEnabled = true;
  c.configurationValid = true;
  c.noiseBlankerAvailable = true;
  return c;
}

std::map<CommandId, bool> Enabled(const CommandContext& c) {
  std::map<CommandId, bool> enabled;
  for (CommandId id :
       {CommandId::kReadDevice, CommandId::kRssWriteDevice, CommandId::kAleWriteDevice,
        CommandId::kCcirWriteDevice, CommandId::kBite, CommandId::kCommPorts, CommandId::kExit,
        CommandId::kSquelch, CommandId::kMonitor, CommandId::kNoiseBlanker, CommandId::kAttenuator,
        CommandId::kClipper, CommandId::kClarifier, CommandId::kNotchFilter,
        CommandId::kRemoteControl, CommandId::kRssOpen, CommandId::kImportChannelsCsv,
        CommandId::kExportChannelsCsv}) {
    enabled[id] = StateOf(id, c).enabled;
  }
  return enabled;
}

TEST(CommandRules, AReadyRadioOffersEveryCommand) {
  for (const auto& [id, enabled] : Enabled(Ready())) {
    EXPECT_TRUE(enabled) << static_cast<int>(id);
  }
}

TEST(CommandRules, WhileBusyOnlyTheAlwaysAvailableCommandsRemain) {
  CommandContext c = Ready();
  c.busy = true;
  for (const auto& [id, enabled] : Enabled(c)) {
    const bool always = id == CommandId::kClarifier || id == CommandId::kNotchFilter ||
                        id == CommandId::kRemoteControl || id == CommandId::kRssOpen;
    EXPECT_EQ(enabled, always) << static_cast<int>(id);
  }
  EXPECT_FALSE(varim::core::CanClose(c));
  EXPECT_TRUE(varim::core::CanClose(Ready()));
}

TEST(CommandRules, ARadioNotReadyLeavesReadDeviceCommPortsAndExit) {
  CommandContext c = Ready();
  c.radioReady = false;
  c.reportsEnabled = false;
  c.configurationValid = false;
  const auto enabled = Enabled(c);
  for (CommandId id : {CommandId::kReadDevice, CommandId::kCommPorts, CommandId::kExit})
    EXPECT_TRUE(enabled.at(id)) << static_cast<int>(id);
  for (CommandId id :
       {CommandId::kRssWriteDevice, CommandId::kBite, CommandId::kSquelch, CommandId::kMonitor,
        CommandId::kNoiseBlanker, CommandId::kAttenuator, CommandId::kClipper})
    EXPECT_FALSE(enabled.at(id)) << static_cast<int>(id);

  // With the port closed even Read Device goes.
  c.portOpen = false;
  EXPECT_FALSE(StateOf(CommandId::kReadDevice, c).enabled);
  EXPECT_TRUE(StateOf(CommandId::kCommPorts, c).enabled);
}

TEST(CommandRules, WriteDeviceWaitsForAValidConfiguration) {
  CommandContext c = Ready();
  c.configurationValid = false;
  EXPECT_FALSE(StateOf(CommandId::kAleWriteDevice, c).enabled);
  c.configurationValid = true;
  c.radioReady = false;
  EXPECT_TRUE(StateOf(CommandId::kAleWriteDevice, c).enabled) << "a file may be written anew";
}

TEST(CommandRules, AnAleRadioWithoutALinkKeepsItsDspFunctions) {
  CommandContext c = Ready();
  c.aleCapable = true;
  EXPECT_FALSE(StateOf(CommandId::kAttenuator, c).enabled);
  EXPECT_FALSE(StateOf(CommandId::kNoiseBlanker, c).enabled);
  EXPECT_TRUE(StateOf(CommandId::kSquelch, c).enabled);
  c.linkUp = true;
  EXPECT_TRUE(StateOf(CommandId::kAttenuator, c).enabled);
  c.noiseBlankerAvailable = false;
  EXPECT_FALSE(StateOf(CommandId::kNoiseBlanker, c).enabled);
}

TEST(CommandRules, TheMonitorWaitsWhileTheRadioRunsWithoutAle) {
  CommandContext c = Ready();
  c.aleOff = true;
  EXPECT_FALSE(StateOf(CommandId::kMonitor, c).enabled);
  c.ccirPresent = true;
  c.aleOnOffState = 2;
  EXPECT_TRUE(StateOf(CommandId::kMonitor, c).enabled);
}

TEST(CommandRules, ChecksShowTheStateAndThePanelShown) {
  CommandContext c = Ready();
  c.squelch = true;
  c.remoteModeValue = 0;
  c.currentPanel = varim::core::Panel::kCcir;
  EXPECT_EQ(StateOf(CommandId::kSquelch, c), (CommandState{true, true}));
  EXPECT_EQ(StateOf(CommandId::kMonitor, c), (CommandState{true, false}));
  EXPECT_TRUE(StateOf(CommandId::kRemoteControl, c).checked);
  EXPECT_TRUE(StateOf(CommandId::kCcirPanel, c).checked);
  EXPECT_FALSE(StateOf(CommandId::kRssPanel, c).checked);
}

TEST(CommandRules, PanelsFollowTheGenerationAndCcir) {
  CommandContext c;
  EXPECT_TRUE(StateOf(CommandId::kVarimPanel, c).enabled) << "before any read";
  EXPECT_FALSE(StateOf(CommandId::kVarim2EPanel, c).enabled);
  EXPECT_FALSE(StateOf(CommandId::kCcirPanel, c).enabled);
  c.radioGeneration = varim::core::RadioGeneration::kVarim2E;
  c.ccirPresent = true;
  EXPECT_FALSE(StateOf(CommandId::kVarimPanel, c).enabled);
  EXPECT_TRUE(StateOf(CommandId::kVarim2EPanel, c).enabled);
  EXPECT_TRUE(StateOf(CommandId::kCcirPanel, c).enabled);
}

}  // namespace
