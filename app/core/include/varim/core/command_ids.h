#pragma once

namespace varim::core {

// Every command of the window's menus and toolbars by the number the radio's operators and the
// program's help know it by.
enum class CommandId : int {
  // The panels.
  kComputerInterfacePanel = 32783,
  kRssPanel = 32781,
  kRssAlePanel = 32782,
  kVarimPanel = 32867,
  kCcirPanel = 32885,
  kVarim2EPanel = 32904,
  // The connection and the radio.
  kReadDevice = 32778,
  kCommPorts = 32795,
  kRemoteControl = 32876,
  kReset = 32793,
  kBite = 32821,
  kExit = 57665,
  // The quick toggles.
  kSquelch = 32788,
  kMonitor = 32789,
  kNoiseBlanker = 32790,
  kAttenuator = 32791,
  kClipper = 32792,
  kClarifier = 32784,
  kNotchFilter = 32785,
  kLogFile = 32786,
  kStack = 32787,
  // The radio database (RSS).
  kRssNew = 32800,
  kRssOpen = 32799,
  kRssInformation = 32832,
  kRssSave = 32806,
  kRssWriteDevice = 32833,
  kRssPrint = 32808,
  kChannels = 32811,
  kGroups = 32812,
  kRssRadioWide = 32816,
  kRssConfigurationCheck = 32797,
  kTechnician = 32880,
  // The ALE database.
  kAleNew = 32835,
  kAleOpen = 32836,
  kAleInformation = 32838,
  kAleSave = 32839,
  kAleWriteDevice = 32841,
  kAlePrint = 32842,
  kDirectory = 32850,
  kMessages = 32852,
  kAutoDial = 32853,
  kAleRadioWide = 32844,
  kAleConfigurationCheck = 32859,
  // The CCIR database.
  kCcirNew = 32886,
  kCcirOpen = 32888,
  kCcirInformation = 32889,
  kCcirSave = 32890,
  kCcirWriteDevice = 32895,
  kCcirPrint = 32892,
  // Read the radio back after each write and compare (our own, not among the radio's ids).
  kVerifyWrites = 33001,
  // The radio's channels to and from a spreadsheet's CSV file (our own as well).
  kImportChannelsCsv = 33002,
  kExportChannelsCsv = 33003,
  // Other programs tune and key the radio over the network (Hamlib's rigctld).
  kNetworkControl = 33004,
  // Help.
  kHelpContents = 65535,
  kRssHelp = 32830,
  kAleHelp = 32854,
  kCcirHelp = 32897,
  kAbout = 57664,
};

}  // namespace varim::core
