#include "varim/sim/sim_console.h"

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iomanip>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "varim/radio_opcodes.h"

namespace varim::sim {

namespace {

using Arguments = std::istringstream;
using Handler = std::function<bool(SimulatedRadio&, Arguments&, std::ostream&)>;

struct Command {
  const char* name;
  const char* arguments;
  const char* meaning;
  Handler handler;
};

bool ReadCount(Arguments& in, int& value) {
  return static_cast<bool>(in >> value) && value >= 0;
}

bool ReadHexBytes(Arguments& in, std::vector<std::uint8_t>& bytes) {
  std::string word;
  while (in >> word) {
    std::size_t used = 0;
    unsigned long value;
    try {
      value = std::stoul(word, &used, 16);
    } catch (const std::exception&) {
      return false;
    }
    if (used != word.size() || value > 0xFF) return false;
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return !bytes.empty();
}

std::string Rest(Arguments& in) {
  std::string rest;
  std::getline(in, rest);
  const std::size_t first = rest.find_first_not_of(' ');
  return first == std::string::npos ? "" : rest.substr(first);
}

// Control-head keys by name, besides their numbers.
// The ALE state reports the console sends: idle, and a state the radio names by its text.
constexpr std::uint8_t kAleStateIdle = 1;
constexpr std::uint8_t kAleStateNamed = 3;

const std::map<std::string, int> kKeyNames = [] {
  std::map<std::string, int> names = {
      {"UP", key::kNavigation1}, {"DOWN", key::kNavigation2},
      {"MORE", key::kMore},      {"NAV4", key::kNavigation4},
      {"F1", key::kF1},          {"F2", key::kF2},
      {"F3", key::kF3},          {"F4", key::kF4},
      {"#", key::kHash},         {"*", key::kStar},
      {"ESC", key::kEscape},     {"ENTER", key::kEnter},
      {"MENU", key::kMenu},
  };
  for (int digit = 0; digit <= 9; ++digit)
    names.emplace(std::to_string(digit), key::kDigit0 + digit);
  return names;
}();

const std::map<std::string, CallOutcome> kOutcomes = {
    {"no-link", CallOutcome::kNoLink},           {"link", CallOutcome::kLink},
    {"channel-busy", CallOutcome::kChannelBusy}, {"station-busy", CallOutcome::kStationBusy},
    {"silent-net", CallOutcome::kSilentNet},
};

const std::map<std::string, IncomingCall> kCallKinds = {
    {"station", IncomingCall::kStation},
    {"net", IncomingCall::kNet},
    {"priority", IncomingCall::kPriority},
    {"station90", IncomingCall::kStationOther},
};

const std::map<std::string, std::uint8_t> kItemResults = {
    {"pass", kItemPassed},
    {"fail", kItemFailed},
    {"unable", kItemUnable},
    {"ignore", kItemIgnored},
};

void PrintStatus(const SimulatedRadio& radio, std::ostream& out) {
  const RadioState state = radio.State();
  const LineStatistics line = radio.Statistics();
  out << radio.Profile().name << " (generation " << radio.Profile().generation << ")"
      << (state.programming ? ", programming" : "") << "\n"
      << "channel " << state.activeChannel << ", rx " << state.current.rxHz << " Hz, tx "
      << state.current.txHz << " Hz, squelch " << (state.squelchOn ? "on" : "off")
      << ", operation mode " << int{state.operationMode} << ", ALE "
      << (state.aleOnOff == 1 ? "on" : "off") << "\n"
      << "frames received " << line.framesReceived << ", bad " << line.badFramesReceived
      << ", acks sent " << line.acksSent << " (dropped " << line.acksDropped << ")"
      << ", radio frames written " << line.ownFrameWrites << ", acknowledged "
      << line.ownFramesAcknowledged << ", given up " << line.ownFramesGivenUp << "\n";
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"call", "station|net|priority|station90 ADDRESS [MESSAGE]", "a station calls this radio",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         std::string kind;
         std::string address;
         if (!(in >> kind >> address) || kCallKinds.count(kind) == 0) return false;
         radio.ReceiveCall(kCallKinds.at(kind), address, Rest(in));
         out << kind << " call from " << address << "\n";
         return true;
       }},
      {"alestate", "[TEXT]",
       "the radio reports its ALE state, naming TEXT (\"Wrong net.\", \"ALE Busy.\", ...); "
       "without TEXT: idle",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         const std::string text = Rest(in);
         std::vector<std::uint8_t> data = {kAleStateNamed, 0, 0, 0};
         if (text.empty()) data = {kAleStateIdle, 1, 0, 0};
         data.insert(data.end(), text.begin(), text.end());
         data.push_back(0);
         radio.SendFrame(MakeRadioFrame(report::kAleState, data));
         out << "ALE state " << (text.empty() ? "idle" : text) << "\n";
         return true;
       }},
      {"key", "NAME",
       "press a key of the control head: UP DOWN MORE NAV4 F1 F2 F3 F4 # * ESC ENTER 0..9 MENU",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         std::string name;
         if (!(in >> name)) return false;
         for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
         if (kKeyNames.count(name) == 0) return false;
         radio.PressKey(kKeyNames.at(name));
         out << "key " << name << " pressed\n";
         return true;
       }},
      {"outcome", "link|no-link|channel-busy|station-busy|silent-net",
       "how the program's calls end",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         std::string name;
         if (!(in >> name) || kOutcomes.count(name) == 0) return false;
         radio.ChangeBehaviour([&](SimBehaviour& b) { b.callOutcome = kOutcomes.at(name); });
         out << "calls end: " << name << "\n";
         return true;
       }},
      {"quality", "N", "the link quality the radio reports",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int quality;
         if (!ReadCount(in, quality) || quality > 255) return false;
         radio.ChangeBehaviour(
             [&](SimBehaviour& b) { b.linkQuality = static_cast<std::uint8_t>(quality); });
         out << "link quality " << quality << "\n";
         return true;
       }},
      {"refuse", "OPCODE", "refuse the command with this opcode (decimal)",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int code;
         if (!ReadCount(in, code) || code > 255) return false;
         radio.ChangeBehaviour(
             [&](SimBehaviour& b) { b.refusedOpcodes.insert(static_cast<std::uint8_t>(code)); });
         out << "opcode " << code << " is refused\n";
         return true;
       }},
      {"accept", "OPCODE", "carry out that command again",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int code;
         if (!ReadCount(in, code) || code > 255) return false;
         radio.ChangeBehaviour(
             [&](SimBehaviour& b) { b.refusedOpcodes.erase(static_cast<std::uint8_t>(code)); });
         out << "opcode " << code << " is carried out\n";
         return true;
       }},
      {"selftest", "all|ITEM pass|fail|unable|ignore",
       "the self test's result for its items (1..39)",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         std::string which;
         std::string result;
         if (!(in >> which >> result) || kItemResults.count(result) == 0) return false;
         int item = 0;
         if (which != "all") {
           try {
             item = std::stoi(which);
           } catch (const std::exception&) {
             return false;
           }
           if (item < 1 || item > kSelfTestItems) return false;
         }
         radio.ChangeBehaviour([&](SimBehaviour& b) {
           for (int i = 1; i <= kSelfTestItems; ++i) {
             if (item == 0 || item == i)
               b.selfTestResults[static_cast<std::size_t>(i - 1)] = kItemResults.at(result);
           }
         });
         out << "self test item " << which << ": " << result << "\n";
         return true;
       }},
      {"delay", "call|selftest|restart|message MS", "how long the radio takes",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         std::string what;
         int ms;
         if (!(in >> what) || !ReadCount(in, ms)) return false;
         const std::map<std::string, std::chrono::milliseconds SimBehaviour::*> kDelays = {
             {"call", &SimBehaviour::callDelay},
             {"selftest", &SimBehaviour::selfTestStep},
             {"restart", &SimBehaviour::restartDelay},
             {"message", &SimBehaviour::messageTime}};
         if (kDelays.count(what) == 0) return false;
         radio.ChangeBehaviour(
             [&](SimBehaviour& b) { b.*kDelays.at(what) = std::chrono::milliseconds(ms); });
         out << what << " delay " << ms << " ms\n";
         return true;
       }},
      {"rates", "off | [corrupt P] [drop P] [pause P] [lost-ack P] [late-ack P] [refuse P]",
       "random line faults, P a probability per byte, frame or acknowledgement",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         FaultRates rates;
         const std::map<std::string, double FaultRates::*> kRates = {
             {"corrupt", &FaultRates::corruptByte}, {"drop", &FaultRates::dropByte},
             {"pause", &FaultRates::pauseInFrame},  {"lost-ack", &FaultRates::lostAck},
             {"late-ack", &FaultRates::lateAck},    {"refuse", &FaultRates::refusedWrite}};
         std::string name;
         while (in >> name) {
           if (name == "off") break;
           double value;
           if (kRates.count(name) == 0 || !(in >> value) || value < 0 || value > 1) return false;
           rates.*kRates.at(name) = value;
         }
         radio.SetFaultRates(rates);
         out << "fault rates set\n";
         return true;
       }},
      {"drop-acks", "N", "do not acknowledge the next N frames",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int n;
         if (!ReadCount(in, n)) return false;
         radio.DropAcks(n);
         out << "the next " << n << " frame(s) go unacknowledged\n";
         return true;
       }},
      {"late-acks", "N MS", "acknowledge the next N frames MS milliseconds late",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int n;
         int ms;
         if (!ReadCount(in, n) || !ReadCount(in, ms)) return false;
         radio.DelayAcks(n, std::chrono::milliseconds(ms));
         out << "the next " << n << " acknowledgement(s) come " << ms << " ms late\n";
         return true;
       }},
      {"corrupt", "N", "send the next N radio frames with a wrong checksum",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int n;
         if (!ReadCount(in, n)) return false;
         radio.CorruptFrames(n);
         out << "the next " << n << " radio frame(s) carry a wrong checksum\n";
         return true;
       }},
      {"compensate", "N",
       "spoil two bytes of the next N memory frames (answers sent or writes taken) so the "
       "checksum still fits",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int n;
         if (!ReadCount(in, n)) return false;
         radio.CorruptKeepingChecksum(n);
         out << "the next " << n << " memory frame(s) are spoilt unseen\n";
         return true;
       }},
      {"garbage", "BYTE...", "put these bytes (hex) on the line before the next radio frame",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         std::vector<std::uint8_t> bytes;
         if (!ReadHexBytes(in, bytes)) return false;
         out << bytes.size() << " byte(s) of garbage go before the next radio frame\n";
         radio.GarbageBeforeNextFrame(std::move(bytes));
         return true;
       }},
      {"pause", "MS", "stop for MS milliseconds in the middle of the next radio frame",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int ms;
         if (!ReadCount(in, ms)) return false;
         radio.PauseInsideNextFrame(std::chrono::milliseconds(ms));
         out << "the next radio frame stops for " << ms << " ms in its middle\n";
         return true;
       }},
      {"refuse-writes", "N", "answer the next N memory writes with \"not written\"",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         int n;
         if (!ReadCount(in, n)) return false;
         radio.RefuseWriteChunks(n);
         out << "the next " << n << " memory write(s) are refused\n";
         return true;
       }},
      {"off", "", "switch the radio off: it takes and sends nothing",
       [](SimulatedRadio& radio, Arguments&, std::ostream& out) {
         radio.SetSilent(true);
         out << "radio off\n";
         return true;
       }},
      {"on", "", "switch the radio on again",
       [](SimulatedRadio& radio, Arguments&, std::ostream& out) {
         radio.SetSilent(false);
         out << "radio on\n";
         return true;
       }},
      {"hangup", "", "the line goes dead for good (the program's port fails)",
       [](SimulatedRadio& radio, Arguments&, std::ostream& out) {
         radio.HangUp();
         out << "line hung up\n";
         return true;
       }},
      {"send", "OPCODE [BYTE...]", "send a frame of the radio's own (hex bytes)",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         std::vector<std::uint8_t> bytes;
         if (!ReadHexBytes(in, bytes) || bytes.size() > 255) return false;
         radio.SendFrame(MakeRadioFrame(bytes[0], {bytes.begin() + 1, bytes.end()}));
         out << "frame sent\n";
         return true;
       }},
      {"wait", "MS", "do nothing for MS milliseconds (for scenario files)",
       [](SimulatedRadio&, Arguments& in, std::ostream&) {
         int ms;
         if (!ReadCount(in, ms)) return false;
         std::this_thread::sleep_for(std::chrono::milliseconds(ms));
         return true;
       }},
      {"status", "", "show the radio's state and the line counters",
       [](SimulatedRadio& radio, Arguments&, std::ostream& out) {
         PrintStatus(radio, out);
         return true;
       }},
      {"dump", "FILE", "write the radio's memory, byte for byte, into FILE",
       [](SimulatedRadio& radio, Arguments& in, std::ostream& out) {
         std::string path;
         if (!(in >> path)) return false;
         const RadioMemory memory = radio.Memory();
         std::ofstream file(path, std::ios::binary);
         file.write(reinterpret_cast<const char*>(memory.Bytes().data()),
                    static_cast<std::streamsize>(memory.Bytes().size()));
         file.close();
         out << (file ? "memory written to " + path : "cannot write " + path) << "\n";
         return true;
       }},
  };
  return commands;
}

}  // namespace

void SimConsole::PrintHelp(std::ostream& out) {
  out << "Commands (one per line; # starts a comment):\n";
  for (const Command& command : Commands()) {
    const std::string arguments = command.arguments;
    const std::string usage = command.name + (arguments.empty() ? "" : " " + arguments);
    out << "  " << usage << "\n      " << command.meaning << "\n";
  }
  out << "  help\n      show these commands\n  quit\n      stop the simulated radio\n";
}

bool SimConsole::Execute(const std::string& line, std::ostream& out) {
  Arguments in(line);
  std::string name;
  if (!(in >> name) || name[0] == '#') return true;
  if (name == "quit" || name == "exit") return false;
  if (name == "help") {
    PrintHelp(out);
    return true;
  }
  for (const Command& command : Commands()) {
    if (name == command.name) {
      if (!command.handler(radio_, in, out)) out << "not understood: " << line << " (type help)\n";
      return true;
    }
  }
  out << "not understood: " << line << " (type help)\n";
  return true;
}

}  // namespace varim::sim
