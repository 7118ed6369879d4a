#include "command_table.h"

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>

namespace varim::ui {
namespace {

using Kind = MenuEntry::Kind;
using C = CommandId;

MenuEntry Item(const char* text, CommandId id) {
  return {Kind::kCommand, text, id, {}};
}
MenuEntry Separator() {
  return {Kind::kSeparator, "", C::kExit, {}};
}
MenuEntry Popup(const char* text, std::vector<MenuEntry> children) {
  return {Kind::kPopup, text, C::kExit, std::move(children)};
}
ToolbarEntry Button(CommandId id) {
  return {false, id};
}
ToolbarEntry Gap() {
  return {true, C::kExit};
}

const std::vector<CommandInfo> kCommands = {
    {C::kReadDevice, "ReadDevice", "Read Device", "read_device", ""},
    {C::kExit, "Exit", "Quit the application; prompts to save documents", "exit", ""},
    {C::kRssPanel, "RssPanel", "View RSS Panel", "rss", ""},
    {C::kRssAlePanel, "RssAlePanel", "View RSS ALE Panel", "rss_ale", ""},
    {C::kComputerInterfacePanel, "ComputerInterfacePanel", "View Computer Interface Panel",
     "computer_interface", ""},
    {C::kVarimPanel, "VarimPanel", "View VARIM Panel", "varim", ""},
    {C::kCcirPanel, "CcirPanel", "View CCIR Panel", "ccir", ""},
    {C::kVarim2EPanel, "Varim2EPanel", "View VARIM-2E Panel", "varim_2e", ""},
    {C::kClarifier, "Clarifier", "View Clarifier On/Off", "clarifier", ""},
    {C::kNotchFilter, "NotchFilter", "View Notch Filter On/Off", "notch_filter", ""},
    {C::kLogFile, "LogFile", "View/Hide Log File", "log_file", ""},
    {C::kStack, "Stack", "View Stack", "", ""},
    {C::kSquelch, "Squelch", "Set Squelch On/Off", "squelch_on", "squelch_off"},
    {C::kMonitor, "Monitor", "Set Monitor On/Off", "monitor_on", "monitor_off"},
    {C::kNoiseBlanker, "NoiseBlanker", "Set Noise Blanker On/Off", "noise_blanker_on",
     "noise_blanker_off"},
    {C::kAttenuator, "Attenuator", "Set Attenuator On/Off", "attenuator_on", "attenuator_off"},
    {C::kClipper, "Clipper", "Set Clipper On/Off", "clipper_on", "clipper_off"},
    {C::kReset, "Reset", "Perform Reset", "", ""},
    {C::kCommPorts, "CommPorts", "Communication Port Setup", "comm_ports", ""},
    {C::kRemoteControl, "RemoteControl", "Remote Control On/Off", "", ""},
    {C::kVerifyWrites, "VerifyWrites", "Read the radio back after writing and compare", "", ""},
    {C::kNetworkControl, "NetworkControl",
     "Let other programs tune and key the radio (Hamlib NET rigctl)", "", ""},
    {C::kHelpContents, "HelpContents", "Display Help Window", "help", ""},
    {C::kAbout, "About", "", "about", ""},
    {C::kRssNew, "RssNew", "New RSS File", "new", ""},
    {C::kRssOpen, "RssOpen", "Open RSS File", "open", ""},
    {C::kRssInformation, "RssInformation", "View/Update file information", "information", ""},
    {C::kRssSave, "RssSave", "Save RSS file", "save", ""},
    {C::kRssWriteDevice, "RssWriteDevice", "Write Device", "write_device", ""},
    {C::kRssPrint, "RssPrint", "Print RSS File", "print", ""},
    {C::kImportChannelsCsv, "ImportChannelsCsv", "Import the channels from a CSV file", "", ""},
    {C::kExportChannelsCsv, "ExportChannelsCsv", "Export the channels to a CSV file", "", ""},
    {C::kChannels, "Channels", "Channel Configuration", "channels", ""},
    {C::kGroups, "Groups", "Group Configuration", "groups", ""},
    {C::kRssRadioWide, "RssRadioWide", "View Radio Wide Information", "", ""},
    {C::kRssConfigurationCheck, "RssConfigurationCheck", "Configuration Errors",
     "configuration_check", ""},
    {C::kBite, "Bite", "Built-in Test", "bite", ""},
    {C::kTechnician, "Technician", "Technician Mode", "", ""},
    {C::kRssHelp, "RssHelp", "Display Help Window", "help", ""},
    {C::kAleNew, "AleNew", "New RSS ALE File", "new", ""},
    {C::kAleOpen, "AleOpen", "Open RSS ALE File", "open", ""},
    {C::kAleInformation, "AleInformation", "View/Update file information", "information", ""},
    {C::kAleSave, "AleSave", "Save RSS ALE file", "save", ""},
    {C::kAleWriteDevice, "AleWriteDevice", "Write Device", "write_device", ""},
    {C::kAlePrint, "AlePrint", "Print RSS ALE File", "print", ""},
    {C::kDirectory, "Directory", "Directory Configuration", "directory", ""},
    {C::kMessages, "Messages", "Messages Configuration", "messages", ""},
    {C::kAutoDial, "AutoDial", "Auto Dial  Configuration", "auto_dial", ""},
    {C::kAleRadioWide, "AleRadioWide", "View Radio Wide Information", "", ""},
    {C::kAleConfigurationCheck, "AleConfigurationCheck", "Configuration Errors",
     "configuration_check", ""},
    {C::kAleHelp, "AleHelp", "Display Help Window", "help", ""},
    {C::kCcirNew, "CcirNew", "New CCIR File", "new", ""},
    {C::kCcirOpen, "CcirOpen", "Open CCIR File", "open", ""},
    {C::kCcirInformation, "CcirInformation", "View/Update file information", "information", ""},
    {C::kCcirSave, "CcirSave", "Save CCIR file", "save", ""},
    {C::kCcirWriteDevice, "CcirWriteDevice", "Write Device", "write_device", ""},
    {C::kCcirPrint, "CcirPrint", "Print CCIR File", "print", ""},
    {C::kCcirHelp, "CcirHelp", "Display Help Window", "help", ""},
};

std::vector<MenuEntry> ComputerInterfaceMenu() {
  return {
      Popup("&File", {Item("&Read Device", C::kReadDevice), Separator(), Item("E&xit", C::kExit)}),
      Popup("&View/Change",
            {Item("&RSS Panel", C::kRssPanel), Item("RSS &ALE Panel", C::kRssAlePanel),
             Item("Computer &Interface", C::kComputerInterfacePanel),
             Item("&VARIM Panel", C::kVarimPanel), Separator(), Item("&Clarifier", C::kClarifier),
             Item("&Notch Filter", C::kNotchFilter), Separator(), Item("&Log File", C::kLogFile),
             Item("&Stack", C::kStack)}),
      Popup("&Commands",
            {Item("&Squelch on", C::kSquelch), Item("&Monitor on", C::kMonitor),
             Item("&Noise Blanker on", C::kNoiseBlanker), Item("&Attenuator on", C::kAttenuator),
             Item("&Clipper on", C::kClipper), Item("&Reset", C::kReset)}),
      Popup("&Preferences", {Item("&Comm. Ports...", C::kCommPorts), Separator(),
                             Item("Remote Control", C::kRemoteControl), Separator(),
                             Item("&Network Control...", C::kNetworkControl)}),
      Popup("&Help",
            {Item("&Contents", C::kHelpContents), Separator(), Item("&About...", C::kAbout)}),
  };
}

// The panel items every database menu starts its View/Change menu with.
std::vector<MenuEntry> AllPanelItems() {
  return {Item("&RSS Panel", C::kRssPanel),
          Item("RSS &ALE Panel", C::kRssAlePanel),
          Item("Computer &Interface", C::kComputerInterfacePanel),
          Item("&VARIM Panel", C::kVarimPanel),
          Item("&CCIR Panel", C::kCcirPanel),
          Item("&VARIM-2E Panel", C::kVarim2EPanel)};
}

std::vector<MenuEntry> Join(std::vector<MenuEntry> first, const std::vector<MenuEntry>& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

// The File menu of a database panel; a panel's own file items come after its save and write.
MenuEntry DatabaseFileMenu(CommandId newFile, CommandId open, CommandId information, CommandId save,
                           CommandId write, CommandId print, std::vector<MenuEntry> own = {}) {
  std::vector<MenuEntry> items = {Item("&New...", newFile), Item("&Open...", open),
                                  Item("&Read Device", C::kReadDevice), Separator(),
                                  Item("&Information", information), Separator(),
                                  Item("&Save", save), Item("&Write Device", write), Separator()};
  if (!own.empty()) {
    items.insert(items.end(), own.begin(), own.end());
    items.push_back(Separator());
  }
  return Popup("&File", Join(std::move(items),
                             {Item("&Print...", print), Separator(), Item("E&xit", C::kExit)}));
}

MenuEntry PreferencesMenu() {
  return Popup("&Preferences", {Item("&Comm. Ports...", C::kCommPorts), Separator(),
                                Item("Remote Control", C::kRemoteControl),
                                Item("&Verify Writes", C::kVerifyWrites), Separator(),
                                Item("&Network Control...", C::kNetworkControl)});
}

std::vector<MenuEntry> RssMenu() {
  return {
      // "&Information" has the I.
      DatabaseFileMenu(C::kRssNew, C::kRssOpen, C::kRssInformation, C::kRssSave, C::kRssWriteDevice,
                       C::kRssPrint,
                       {Item("I&mport Channels (CSV)...", C::kImportChannelsCsv),
                        Item("&Export Channels (CSV)...", C::kExportChannelsCsv)}),
      Popup("&View/Change",
            Join(AllPanelItems(), {Separator(),
                                   Popup("&Configuration", {Item("&Channels...", C::kChannels),
                                                            Item("&Groups...", C::kGroups)}),
                                   Item("Radio &Wide Information", C::kRssRadioWide),
                                   Item("Confi&guration Check", C::kRssConfigurationCheck)})),
      Popup("&Service", {Item("&BITE", C::kBite)}),
      Popup("&Preferences", {Item("&Comm. Ports...", C::kCommPorts), Separator(),
                             Item("&Remote Control", C::kRemoteControl),
                             Item("&Verify Writes", C::kVerifyWrites), Separator(),
                             Item("&Network Control...", C::kNetworkControl), Separator(),
                             Item("&Technician", C::kTechnician)}),
      Item("&Help", C::kRssHelp),
  };
}

std::vector<MenuEntry> RssAleMenu() {
  return {
      DatabaseFileMenu(C::kAleNew, C::kAleOpen, C::kAleInformation, C::kAleSave, C::kAleWriteDevice,
                       C::kAlePrint),
      Popup("&View/Change",
            Join(AllPanelItems(), {Separator(),
                                   Popup("&Configuration", {Item("&Directory...", C::kDirectory),
                                                            Item("&Messages...", C::kMessages),
                                                            Item("&Auto Dial...", C::kAutoDial)}),
                                   Item("Radio &Wide Information", C::kAleRadioWide),
                                   Item("Confi&guration Check", C::kAleConfigurationCheck)})),
      PreferencesMenu(),
      Item("&Help", C::kAleHelp),
  };
}

// The front panels of both generations share their menu but for the panel items and help.
std::vector<MenuEntry> FrontPanelMenu(std::vector<MenuEntry> panelItems, CommandId help) {
  panelItems.push_back(Separator());
  panelItems.push_back(Item("&Log File", C::kLogFile));
  return {Popup("&File", {Item("E&xit", C::kExit)}), Popup("&View/Change", panelItems),
          PreferencesMenu(), Item("&Help", help)};
}

std::vector<MenuEntry> CcirMenu() {
  return {
      DatabaseFileMenu(C::kCcirNew, C::kCcirOpen, C::kCcirInformation, C::kCcirSave,
                       C::kCcirWriteDevice, C::kCcirPrint),
      Popup("&View/Change",
            {Item("&RSS Panel", C::kRssPanel), Item("RSS &ALE Panel", C::kRssAlePanel),
             Item("&CCIR Panel", C::kCcirPanel), Item("&VARIM-2E Panel", C::kVarim2EPanel)}),
      PreferencesMenu(),
      Item("&Help", C::kCcirHelp),
  };
}

const std::vector<PanelLayout> kPanels = {
    {Panel::kComputerInterface,
     "Computer Interface",
     149,
     129,
     "Computer Interface Panel",
     ComputerInterfaceMenu(),
     {Button(C::kLogFile), Gap(), Button(C::kReadDevice), Button(C::kCommPorts), Button(C::kBite),
      Gap(), Button(C::kSquelch), Button(C::kMonitor), Button(C::kNoiseBlanker),
      Button(C::kAttenuator), Button(C::kClipper), Gap(), Button(C::kHelpContents),
      Button(C::kRssPanel), Button(C::kRssAlePanel), Button(C::kVarimPanel),
      Button(C::kVarim2EPanel), Button(C::kCcirPanel), Button(C::kExit)}},
    {Panel::kRss,
     "RSS",
     150,
     131,
     "RSS Panel",
     RssMenu(),
     {Button(C::kRssNew),
      Button(C::kRssOpen),
      Button(C::kRssInformation),
      Button(C::kRssSave),
      Button(C::kRssPrint),
      Gap(),
      Button(C::kReadDevice),
      Button(C::kRssWriteDevice),
      Gap(),
      Button(C::kChannels),
      Button(C::kGroups),
      Gap(),
      Button(C::kBite),
      Gap(),
      Button(C::kCommPorts),
      Gap(),
      Button(C::kRssHelp),
      Button(C::kRssConfigurationCheck),
      Button(C::kComputerInterfacePanel),
      Button(C::kRssAlePanel),
      Button(C::kVarimPanel),
      Button(C::kCcirPanel),
      Button(C::kVarim2EPanel),
      Button(C::kExit)}},
    {Panel::kRssAle,
     "RSS ALE",
     151,
     132,
     "RSS ALE Panel",
     RssAleMenu(),
     {Button(C::kAleNew),
      Button(C::kAleOpen),
      Button(C::kAleInformation),
      Button(C::kAleSave),
      Button(C::kAlePrint),
      Gap(),
      Button(C::kReadDevice),
      Button(C::kAleWriteDevice),
      Gap(),
      Button(C::kDirectory),
      Button(C::kMessages),
      Button(C::kAutoDial),
      Button(C::kCommPorts),
      Gap(),
      Button(C::kAleHelp),
      Button(C::kAleConfigurationCheck),
      Button(C::kComputerInterfacePanel),
      Button(C::kRssPanel),
      Button(C::kVarimPanel),
      Button(C::kCcirPanel),
      Button(C::kVarim2EPanel),
      Button(C::kExit)}},
    {Panel::kVarim,
     "VARIM",
     152,
     288,
     "VARIM Panel",
     FrontPanelMenu({Item("&RSS Panel", C::kRssPanel), Item("RSS &ALE Panel", C::kRssAlePanel),
                     Item("Computer &Interface", C::kComputerInterfacePanel),
                     Item("&VARIM Panel", C::kVarimPanel)},
                    C::kHelpContents),
     {Button(C::kLogFile), Button(C::kReadDevice), Button(C::kCommPorts),
      Button(C::kComputerInterfacePanel), Button(C::kRssPanel), Button(C::kRssAlePanel),
      Button(C::kCcirPanel), Button(C::kExit)}},
    {Panel::kCcir,
     "CCIR",
     397,
     395,
     "CCIR Panel",
     CcirMenu(),
     {Button(C::kCcirNew), Button(C::kCcirOpen), Button(C::kCcirInformation), Button(C::kCcirSave),
      Button(C::kCcirPrint), Gap(), Button(C::kReadDevice), Button(C::kCcirWriteDevice), Gap(),
      Button(C::kCommPorts), Gap(), Button(C::kCcirHelp), Button(C::kComputerInterfacePanel),
      Button(C::kRssPanel), Button(C::kRssAlePanel), Button(C::kVarimPanel),
      Button(C::kVarim2EPanel), Button(C::kExit)}},
    {Panel::kVarim2E,
     "VARIM-2E",
     398,
     393,
     "VARIM-2E Panel",
     FrontPanelMenu({Item("&RSS Panel", C::kRssPanel), Item("RSS &ALE Panel", C::kRssAlePanel),
                     Item("&CCIR Panel", C::kCcirPanel), Item("&VARIM-2E Panel", C::kVarim2EPanel)},
                    C::kCcirHelp),
     {Button(C::kLogFile), Button(C::kReadDevice), Button(C::kCommPorts),
      Button(C::kComputerInterfacePanel), Button(C::kRssPanel), Button(C::kRssAlePanel),
      Button(C::kCcirPanel), Button(C::kExit)}},
};

const std::vector<ToolbarEntry> kAboutToolbar = {Button(C::kAbout)};

}  // namespace

const CommandInfo& InfoOf(CommandId id) {
  const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                  [id](const CommandInfo& info) { return info.id == id; });
  if (found == kCommands.end()) throw std::logic_error("a command without a table entry");
  return *found;
}

const char* MenuTextOf(CommandId id) {
  static const std::map<CommandId, std::string> texts = [] {
    std::map<CommandId, std::string> found;
    std::function<void(const std::vector<MenuEntry>&)> collect =
        [&](const std::vector<MenuEntry>& entries) {
          for (const MenuEntry& entry : entries) {
            if (entry.kind == Kind::kPopup) collect(entry.children);
            if (entry.kind != Kind::kCommand || found.count(entry.id) > 0) continue;
            std::string text = entry.text;
            std::erase(text, '&');
            found.emplace(entry.id, std::move(text));
          }
        };
    for (const PanelLayout& panel : kPanels) collect(panel.menu);
    return found;
  }();
  const auto text = texts.find(id);
  if (text == texts.end()) throw std::logic_error("a command without a menu item");
  return text->second.c_str();
}

const std::vector<CommandInfo>& AllCommands() {
  return kCommands;
}
const std::vector<PanelLayout>& Panels() {
  return kPanels;
}
const std::vector<ToolbarEntry>& AboutToolbar() {
  return kAboutToolbar;
}

const PanelLayout& LayoutOf(Panel panel) {
  return kPanels[static_cast<std::size_t>(panel)];
}

CommandId PanelCommand(Panel panel) {
  static constexpr CommandId kPanelCommands[kPanelCount] = {C::kComputerInterfacePanel,
                                                            C::kRssPanel,
                                                            C::kRssAlePanel,
                                                            C::kVarimPanel,
                                                            C::kCcirPanel,
                                                            C::kVarim2EPanel};
  return kPanelCommands[static_cast<std::size_t>(panel)];
}

std::optional<Panel> PanelOfCommand(CommandId id) {
  for (const PanelLayout& layout : kPanels) {
    if (PanelCommand(layout.panel) == id) return layout.panel;
  }
  return std::nullopt;
}

}  // namespace varim::ui
