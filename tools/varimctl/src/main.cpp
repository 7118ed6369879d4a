// varimctl: control a VARIM radio from the command line.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "builder_catalogue.h"
#include "call_commands.h"
#include "call_log_commands.h"
#include "channel_commands.h"
#include "commands.h"
#include "database_commands.h"
#include "diff_command.h"
#include "fleet_command.h"
#include "head_commands.h"
#include "listen_command.h"
#include "pane_commands.h"
#include "selftest_command.h"
#include "serve_command.h"
#include "session_commands.h"
#include "varim/core/radio_backups.h"
#include "varim/frame_trace_file.h"

namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
  interrupted = true;
}

void ListBuilders() {
  for (const auto& entry : varimctl::Builders()) std::cout << varimctl::Usage(entry) << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Control a VARIM radio over its serial line."};
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 done, 1 the radio did not acknowledge or answer, a frame was refused or\n"
      "the configuration check found errors, 2 usage error or a refused CSV file, 3 the port or a\n"
      "file cannot be opened. diff: 0 the same, 1 different, 3 a file or the radio cannot be\n"
      "read.\n"
      "Every whole read of the radio (read, diff --device) is backed up in $KLV_BACKUP_DIR, else\n"
      "$XDG_DATA_HOME/KLV/backups or ~/.local/share/KLV/backups.\n"
      "Trace lines (--trace): the time in monotonic milliseconds, > for a frame written to the\n"
      "radio or < for one taken from it (acknowledgements and resends included), then its\n"
      "bytes; the same clock and marks as varim-sim --trace, so the two read side by side.\n");

  varimctl::LinkOptions link;
  auto* device = app.add_option("--device", link.device, "Serial device of the radio (a path)");
  auto* port = app.add_option("--port", link.port,
                              "COM port number of the radio (VARIM_COM<n> or /dev/ttyS<n-1>)")
                   ->check(CLI::Range(1, 256))
                   ->excludes(device);
  app.add_option("--baud", link.baud, "Line speed")->check(CLI::IsMember({1200, 2400, 4800, 9600}));
  std::string tracePath;
  app.add_option("--trace", tracePath,
                 "Log every frame on the line into this file (- for the error stream)");

  std::string name;
  std::vector<std::string> args;
  bool list = false;
  auto* frame = app.add_subcommand("frame", "Print the frame a builder makes, without sending it");
  frame->add_flag("--list", list, "List every builder with its arguments");
  frame->add_option("NAME", name, "Builder name, for example SetActiveChannel");
  frame->add_option("ARG", args, "Builder arguments (decimal or 0x hex)");

  std::optional<int> answerOpcode;
  bool verbose = false;
  auto* send = app.add_subcommand("send", "Send a frame and wait for its acknowledgement");
  send->add_option("NAME", name, "Builder name")->required();
  send->add_option("ARG", args, "Builder arguments (decimal or 0x hex)");
  send->add_option("--answer", answerOpcode, "Wait for the answer with this opcode and print it")
      ->check(CLI::Range(0, 255));
  send->add_flag("-v,--verbose", verbose, "Show the frames on standard error");

  std::optional<double> seconds;
  auto* monitor = app.add_subcommand("monitor", "Print every frame the radio sends");
  monitor->add_option("--seconds", seconds, "Stop after this many seconds")
      ->check(CLI::PositiveNumber);

  std::string rssPath;
  std::optional<std::string> alePath;
  auto* check =
      app.add_subcommand("check", "Check a radio file (and an ALE file) for configuration errors");
  check->add_option("FILE.rss", rssPath, "Radio database file")->required();
  check->add_option("FILE.ale", alePath, "ALE database file");

  std::string inputPath;
  std::string outputPath;
  auto* resave = app.add_subcommand("resave", "Read a .rss, .ale or .ccr file and save it again");
  resave->add_option("IN", inputPath, "File to read")->required();
  resave->add_option("OUT", outputPath, "File to write")->required();

  std::string csvPath;
  auto* channels = app.add_subcommand("channels", "A radio file's channels as CSV");
  channels->require_subcommand(1);
  auto* channelsExport =
      channels->add_subcommand("export", "Write the programmed channels of a radio file as CSV");
  channelsExport->add_option("FILE.rss", rssPath, "Radio database file")->required();
  channelsExport->add_option("OUT.csv", csvPath, "CSV file to write")->required();
  auto* channelsImport = channels->add_subcommand(
      "import", "Take a CSV file as a radio file's whole channel plan and save the result");
  channelsImport->add_option("FILE.rss", rssPath, "Radio database file")->required();
  channelsImport->add_option("IN.csv", csvPath, "CSV file to read")->required();
  channelsImport->add_option("OUT.rss", outputPath, "Radio database file to write")->required();

  varimctl::DatabaseFiles files;
  bool assumeYes = false;
  auto* read = app.add_subcommand("read", "Read the whole radio into database files");
  auto* write = app.add_subcommand("write", "Write database files into the radio");
  auto* verifyCommand = app.add_subcommand(
      "verify", "Tell whether the radio holds what writing the files would put into it");
  varimctl::FleetRequest fleet;
  auto* fleetCommand = app.add_subcommand(
      "fleet", "Read, write or verify many radios at once, one process each, then a table");
  fleetCommand->add_option("ACTION", fleet.action, "read, write or verify")
      ->required()
      ->check(CLI::IsMember({"read", "write", "verify"}));
  fleetCommand->add_option("DEVICE", fleet.devices, "The radios' serial devices")->required();
  fleetCommand->add_flag("--yes", fleet.assumeYes, "Answer yes to the program's questions");
  for (auto* transfer : {read, write, verifyCommand, fleetCommand}) {
    transfer->add_option("--rss", files.rss, "Radio database file (.rss)")->required();
    transfer->add_option("--ale", files.ale, "ALE database file (.ale)");
    transfer->add_option("--ccr", files.ccr, "CCIR database file (.ccr)");
  }
  write->add_flag("--yes", assumeYes, "Answer yes to the program's questions");
  bool verify = false;
  write->add_flag("--verify", verify,
                  "Read every written section back and compare it (rewritten once if it differs)");
  bool quiet = false;
  for (auto* transfer : {read, write, verifyCommand})
    transfer->add_flag("-q,--quiet", quiet, "Show no progress");

  std::vector<std::string> diffPaths;
  auto* diff = app.add_subcommand(
      "diff",
      "List the differences between two .rss or two .ale files, or a file and the radio "
      "(--device or --port)");
  diff->add_option("FILE", diffPaths, "Two files, or one with --device")
      ->required()
      ->expected(1, 2);
  diff->add_flag("-q,--quiet", quiet, "Show no progress while the radio is read");
  // "varimctl diff radio.rss --device /dev/ttyUSB0" reads as it is said.
  diff->fallthrough();

  auto* version =
      app.add_subcommand("version", "Print the radio's software version and generation");
  auto* channelCommand = app.add_subcommand(
      "channel", "Switch the radio to channel N if given; print the channel it works on now");
  std::optional<int> channelNumber;
  channelCommand->add_option("N", channelNumber, "Channel number")->check(CLI::Range(1, 200));
  varimctl::ScanRequest scan;
  std::string scanAction;
  auto* scanCommand = app.add_subcommand("scan", "Start or stop scanning");
  scanCommand->add_option("ACTION", scanAction, "start or stop")
      ->required()
      ->check(CLI::IsMember({"start", "stop"}));
  auto* scanGroup = scanCommand->add_option("--group", scan.group, "Scan group A-E");
  scanCommand->add_option("--net", scan.net, "ALE net 1-20")->excludes(scanGroup);

  varimctl::ChannelSettings settings;
  auto* programChannel = app.add_subcommand("program-channel", "Program one channel of the radio");
  programChannel->add_option("N", settings.number, "Channel number")
      ->required()
      ->check(CLI::Range(1, 200));
  programChannel->add_option("--tx", settings.txMHz, "Transmit frequency in MHz (0 for none)");
  programChannel->add_option("--rx", settings.rxMHz, "Receive frequency in MHz (0 for none)");
  programChannel->add_option("--power", settings.power, "Low, Medium, High or Max");
  programChannel->add_option("--sideband", settings.sideband, "LSB or USB");
  programChannel->add_option("--bandwidth", settings.bandwidth,
                             "2700, 3300, LSM, CW, 3000 or 2100");
  programChannel->add_option("--agc", settings.agc, "Slow, Fast or Off");
  programChannel->add_option("--mode", settings.mode, "SSB, PLT, AME or ISB");

  bool json = false;
  auto* display = app.add_subcommand(
      "display", "Print the control head's display whenever it changes (display reports on)");
  display->add_option("--seconds", seconds, "Stop after this many seconds")
      ->check(CLI::PositiveNumber);
  display->add_flag("--json", json, "One JSON object a line");
  std::vector<std::string> keyNames;
  auto* keyCommand =
      app.add_subcommand("key",
                         "Press and release control-head keys: 0-9, F1-F4, #, *, ESC, ENTER, MENU, "
                         "NAV1-NAV4 (UP, DOWN, MORE for NAV1-NAV3)");
  keyCommand->add_option("NAME", keyNames, "Keys, in order")->required();
  varimctl::LogOptions logOptions;
  auto* log = app.add_subcommand("log", "Print the call log (or the stack) kept in a folder");
  log->add_flag("--stack", logOptions.stack, "The stack of calls waiting for a reply");
  log->add_option("--dir", logOptions.dir, "Folder of log.txt and stack.txt (default: here)");
  log->add_flag("--csv", logOptions.csv, "Comma-separated values instead of a table");

  varimctl::ListenOptions listenOptions;
  auto* listen =
      app.add_subcommand("listen", "Print the radio's reports as the program handles them");
  listen->add_option("--seconds", listenOptions.seconds, "Stop after this many seconds")
      ->check(CLI::PositiveNumber);
  listen->add_flag("--json", listenOptions.json, "One JSON object per line");
  listen->add_option("--dir", listenOptions.dir, "Folder of the call log (default: here)");
  bool accept = false;
  bool decline = false;
  auto* acceptFlag = listen->add_flag("--accept", accept, "Accept incoming calls");
  listen->add_flag("--decline", decline, "Decline incoming calls")->excludes(acceptFlag);
  varimctl::CallOptions callOptions;
  std::vector<std::string> callWords;
  auto* call = app.add_subcommand("call", "Place an ALE call and wait for its result");
  call->add_option("TO", callWords, "station ADDRESS, net or all")->required()->expected(1, 2);
  auto* lqa = app.add_subcommand("lqa", "Bidirectional link-quality exchange");
  lqa->add_option("TO", callWords, "station ADDRESS or net")->required()->expected(1, 2);
  for (auto* command : {call, lqa}) {
    command->add_option("--net", callOptions.net, "Net number")->check(CLI::Range(1, 20));
    command->add_option("--channel", callOptions.channel, "Channel number or auto");
    command->add_option("--message", callOptions.message, "Text sent with the call");
    command->add_option("--seconds", callOptions.seconds, "How long the result is waited for")
        ->check(CLI::PositiveNumber);
  }
  call->add_flag("--json", callOptions.json, "The result as one JSON object");
  call->add_option("--log-dir", callOptions.logDir, "Log the call in this folder's log.txt");
  std::string linkAction;
  auto* linkCommand = app.add_subcommand("link", "Abort the link or replace its channel");
  linkCommand->add_option("ACTION", linkAction, "abort or replace")
      ->required()
      ->check(CLI::IsMember({"abort", "replace"}));
  std::string soundAction;
  auto* sound = app.add_subcommand("sound", "Start or stop sounding");
  sound->add_option("ACTION", soundAction, "start or stop")
      ->required()
      ->check(CLI::IsMember({"start", "stop"}));
  const std::map<std::string, int> testTypes = {{"full", 0}, {"channel", 1}, {"lowrf", 2}};
  int testType = 0;
  auto* selftest = app.add_subcommand("selftest", "Run the radio's built-in test and reset it");
  selftest->add_option("TYPE", testType, "full, channel or lowrf")
      ->required()
      ->transform(CLI::CheckedTransformer(testTypes));
  selftest->add_flag("--yes", assumeYes, "The load is connected: do not ask");
  selftest->add_flag("--json", json, "Print the results as one JSON object");

  int clarifierHz = 0;
  auto* clarifier = app.add_subcommand("clarifier", "Set the clarifier (0 switches it off)");
  clarifier->add_option("HZ", clarifierHz, "Offset in Hz, -200 to 200, in steps of 10")->required();
  std::string notchValue;
  auto* notch = app.add_subcommand("notch", "Set the notch filter, or switch it off");
  notch->add_option("HZ", notchValue, "300 to 2700 Hz in steps of 240, or off")->required();

  varimctl::ServeOptions serveOptions;
  auto* serve = app.add_subcommand(
      "serve", "Let Hamlib programs (NET rigctl, model 2) tune and key the radio over TCP");
  serve->add_option("--port", serveOptions.port, "TCP port (default 4532; 0: any free port)")
      ->check(CLI::Range(0, 65535));
  serve->add_option("--listen", serveOptions.address,
                    "Address to listen on (default 127.0.0.1: this machine only)");
  serve->add_flag("--allow-ptt", serveOptions.allowPtt, "Let clients key the transmitter (T 1)");
  serve->add_option("--seconds", serveOptions.seconds, "Stop after this many seconds")
      ->check(CLI::PositiveNumber);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? varimctl::kExitOk : varimctl::kExitUsage;
  }

  FrameTraceFile traceFile;
  if (!tracePath.empty()) {
    if (!traceFile.Open(tracePath)) {
      std::cerr << "varimctl: cannot write the trace " << tracePath << ": "
                << std::strerror(traceFile.Error()) << "\n";
      return varimctl::kExitPortUnavailable;
    }
    link.trace = [&traceFile](const TracedFrame& traced) { traceFile.Write(traced); };
  }

  if (frame->parsed()) {
    if (list) {
      ListBuilders();
      return varimctl::kExitOk;
    }
    if (name.empty()) {
      std::cerr << "varimctl: frame needs a builder name (varimctl frame --list shows them)\n";
      return varimctl::kExitUsage;
    }
    return varimctl::RunFrame(name, args, std::cout, std::cerr);
  }
  if (check->parsed()) return varimctl::RunCheck(rssPath, alePath, std::cout, std::cerr);
  if (resave->parsed()) return varimctl::RunResave(inputPath, outputPath, std::cerr);
  if (channelsExport->parsed()) return varimctl::RunChannelsExport(rssPath, csvPath, std::cerr);
  if (channelsImport->parsed()) {
    return varimctl::RunChannelsImport(rssPath, csvPath, outputPath, std::cout, std::cerr);
  }
  if (fleetCommand->parsed()) {
    fleet.files = files;
    fleet.baud = link.baud;
    return varimctl::RunFleet(fleet, "/proc/self/exe", std::cout, std::cerr);
  }
  const auto progress = quiet                          ? varimctl::ProgressDisplay::kNone
                        : ::isatty(STDERR_FILENO) == 1 ? varimctl::ProgressDisplay::kBar
                                                       : varimctl::ProgressDisplay::kLines;
  const varimctl::Terminal terminal{progress, assumeYes, &interrupted};
  if (read->parsed() || write->parsed() || verifyCommand->parsed()) {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    if (verifyCommand->parsed())
      return varimctl::RunVerify(link, files, terminal, std::cout, std::cerr);
    return read->parsed()
               ? varimctl::RunRead(link, files, terminal, varim::core::RadioBackups::DefaultBase(),
                                   std::cout, std::cerr)
               : varimctl::RunWrite(link, files, terminal, verify, std::cout, std::cerr);
  }
  if (diff->parsed()) {
    const bool radioGiven = device->count() > 0 || port->count() > 0;
    if (diffPaths.size() == 2 && !radioGiven)
      return varimctl::RunDiff(diffPaths[0], diffPaths[1], std::cout, std::cerr);
    if (diffPaths.size() == 1 && radioGiven) {
      std::signal(SIGINT, OnInterrupt);
      std::signal(SIGTERM, OnInterrupt);
      return varimctl::RunDiffWithRadio(link, diffPaths[0], terminal,
                                        varim::core::RadioBackups::DefaultBase(), std::cout,
                                        std::cerr);
    }
    std::cerr << "varimctl: diff takes two files, or one file and --device (or --port)\n";
    return varimctl::kExitUsage;
  }
  if (log->parsed()) return varimctl::RunLog(logOptions, std::cout, std::cerr);
  if (listen->parsed()) {
    using varim::core::IncomingCallAnswer;
    listenOptions.answer = accept    ? IncomingCallAnswer::kAccept
                           : decline ? IncomingCallAnswer::kDecline
                                     : IncomingCallAnswer::kNone;
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    return varimctl::RunListen(link, listenOptions, interrupted, std::cout, std::cerr);
  }
  if (call->parsed() || lqa->parsed()) {
    const std::string& to = callWords.front();
    const bool station = to == "station" && callWords.size() == 2;
    const bool other = (to == "net" || (to == "all" && call->parsed())) && callWords.size() == 1;
    if (!station && !other) {
      std::cerr << "varimctl: give station ADDRESS, net" << (call->parsed() ? " or all" : "")
                << "\n";
      return varimctl::kExitUsage;
    }
    callOptions.to = station       ? varimctl::Addressee::kStation
                     : to == "net" ? varimctl::Addressee::kNet
                                   : varimctl::Addressee::kAll;
    if (station) callOptions.address = callWords[1];
    return call->parsed() ? varimctl::RunCall(link, callOptions, std::cout, std::cerr)
                          : varimctl::RunLinkQuality(link, callOptions, std::cout, std::cerr);
  }
  if (linkCommand->parsed())
    return varimctl::RunLinkCommand(link, linkAction == "replace", std::cout, std::cerr);
  if (sound->parsed())
    return varimctl::RunSound(link, soundAction == "start", std::cout, std::cerr);
  if (version->parsed()) return varimctl::RunVersion(link, std::cout, std::cerr);
  if (channelCommand->parsed())
    return varimctl::RunChannel(link, channelNumber, std::cout, std::cerr);
  if (scanCommand->parsed()) {
    scan.start = scanAction == "start";
    return varimctl::RunScan(link, scan, std::cout, std::cerr);
  }
  if (programChannel->parsed())
    return varimctl::RunProgramChannel(link, settings, std::cout, std::cerr);
  if (keyCommand->parsed()) return varimctl::RunKey(link, keyNames, std::cerr);
  if (display->parsed()) {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    return varimctl::RunDisplay(link, seconds, json, interrupted, std::cout, std::cerr);
  }
  if (selftest->parsed())
    return varimctl::RunSelfTest(link, testType, assumeYes, json, std::cout, std::cerr);
  if (serve->parsed()) {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    return varimctl::RunServe(link, serveOptions, interrupted, std::cout, std::cerr);
  }
  if (clarifier->parsed()) return varimctl::RunClarifier(link, clarifierHz, std::cout, std::cerr);
  if (notch->parsed()) return varimctl::RunNotch(link, notchValue, std::cout, std::cerr);
  if (send->parsed()) {
    return varimctl::RunSend(link, name, args, answerOpcode, verbose, std::cout, std::cerr);
  }
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  return varimctl::RunMonitor(link, seconds, interrupted, std::cout, std::cerr);
}
