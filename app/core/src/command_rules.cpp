#include "varim/core/command_rules.h"

#include <algorithm>
#include <iterator>

namespace varim::core {
namespace {

using Rule = bool (*)(const CommandContext&);

struct CommandRule {
  CommandId command;
  Rule enabled;
  Rule checked;
};

bool Always(const CommandContext&) {
  return true;
}
bool Never(const CommandContext&) {
  return false;
}

bool Idle(const CommandContext& c) {
  return !c.busy;
}
bool LinkIdle(const CommandContext& c) {
  return c.portOpen && !c.busy;
}
bool CanWrite(const CommandContext& c) {
  return LinkIdle(c) && c.configurationValid;
}
bool ReadyIdle(const CommandContext& c) {
  return LinkIdle(c) && c.radioReady;
}
bool Reporting(const CommandContext& c) {
  return ReadyIdle(c) && c.reportsEnabled;
}
// An ALE-capable radio without a link owns its DSP functions.
bool DspFree(const CommandContext& c) {
  return !(c.aleCapable && !c.linkUp);
}
// While ALE runs the radio monitors itself; on a CCIR radio only its state 2 frees it.
bool MonitorFree(const CommandContext& c) {
  return !c.aleOff ? true : (c.ccirPresent && c.aleOnOffState == 2);
}

// The table the menus and toolbars are enabled and checked by. Attenuator and Clipper also
// wait while busy: the busy state disables their buttons, and a menu item must not offer
// what its button refuses.
constexpr CommandRule kRules[] = {
    {CommandId::kReadDevice, LinkIdle, Never},
    {CommandId::kRssWriteDevice, CanWrite, Never},
    {CommandId::kAleWriteDevice, CanWrite, Never},
    {CommandId::kCcirWriteDevice, CanWrite, Never},
    {CommandId::kBite, ReadyIdle, Never},
    {CommandId::kCommPorts, Idle, Never},
    {CommandId::kExit, Idle, Never},
    {CommandId::kImportChannelsCsv, Idle, Never},
    {CommandId::kExportChannelsCsv, Idle, Never},
    {CommandId::kSquelch, Reporting, [](const CommandContext& c) { return c.squelch; }},
    {CommandId::kMonitor, [](const CommandContext& c) { return Reporting(c) && MonitorFree(c); },
     [](const CommandContext& c) { return c.monitor; }},
    {CommandId::kNoiseBlanker,
     [](const CommandContext& c) { return Reporting(c) && DspFree(c) && c.noiseBlankerAvailable; },
     [](const CommandContext& c) { return c.noiseBlanker; }},
    {CommandId::kAttenuator, [](const CommandContext& c) { return Reporting(c) && DspFree(c); },
     [](const CommandContext& c) { return c.attenuator; }},
    {CommandId::kClipper, [](const CommandContext& c) { return Reporting(c) && DspFree(c); },
     [](const CommandContext& c) { return c.clipper; }},
    {CommandId::kClarifier, Always, [](const CommandContext& c) { return c.clarifier; }},
    {CommandId::kNotchFilter, Always, [](const CommandContext& c) { return c.notchFilter; }},
    {CommandId::kRemoteControl, Always,
     [](const CommandContext& c) { return c.remoteModeValue == 0; }},
    {CommandId::kVerifyWrites, Always, [](const CommandContext& c) { return c.verifyWrites; }},
    // The panels: a check mark on the one shown; the front panel of the radio's generation.
    {CommandId::kComputerInterfacePanel, Always,
     [](const CommandContext& c) { return c.currentPanel == Panel::kComputerInterface; }},
    {CommandId::kRssPanel, Always,
     [](const CommandContext& c) { return c.currentPanel == Panel::kRss; }},
    {CommandId::kRssAlePanel, Always,
     [](const CommandContext& c) { return c.currentPanel == Panel::kRssAle; }},
    {CommandId::kVarimPanel,
     [](const CommandContext& c) { return c.radioGeneration != RadioGeneration::kVarim2E; },
     [](const CommandContext& c) { return c.currentPanel == Panel::kVarim; }},
    {CommandId::kCcirPanel, [](const CommandContext& c) { return c.ccirPresent; },
     [](const CommandContext& c) { return c.currentPanel == Panel::kCcir; }},
    {CommandId::kVarim2EPanel,
     [](const CommandContext& c) { return c.radioGeneration == RadioGeneration::kVarim2E; },
     [](const CommandContext& c) { return c.currentPanel == Panel::kVarim2E; }},
};

}  // namespace

CommandState StateOf(CommandId command, const CommandContext& context) {
  const auto rule = std::find_if(std::begin(kRules), std::end(kRules),
                                 [command](const CommandRule& r) { return r.command == command; });
  if (rule == std::end(kRules)) return {};
  return {rule->enabled(context), rule->checked(context)};
}

bool CanClose(const CommandContext& context) {
  return StateOf(CommandId::kExit, context).enabled;
}

}  // namespace varim::core
