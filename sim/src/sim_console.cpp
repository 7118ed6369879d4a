#include "varim/sim/sim_console.h"

#include <cstdint>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <vector>

namespace varim::sim {

namespace {

struct CommandHelp {
  const char* usage;
  const char* meaning;
};

constexpr CommandHelp kCommands[] = {
    {"drop-acks N", "do not acknowledge the next N frames"},
    {"late-acks N MS", "acknowledge the next N frames MS milliseconds late"},
    {"corrupt N", "send the next N radio frames with a wrong checksum"},
    {"garbage BYTE...", "put these bytes (hex) on the line before the next radio frame"},
    {"pause MS", "stop for MS milliseconds in the middle of the next radio frame"},
    {"refuse-writes N", "answer the next N memory writes with \"not written\""},
    {"off", "switch the radio off: it takes and sends nothing"},
    {"on", "switch the radio on again"},
    {"send OPCODE [BYTE...]", "send a frame of the radio's own (hex bytes)"},
    {"status", "show the radio's state and the line counters"},
    {"dump FILE", "write the radio's memory, byte for byte, into FILE"},
    {"help", "show these commands"},
    {"quit", "stop the simulated radio"},
};

bool ReadHexBytes(std::istringstream& in, std::vector<std::uint8_t>& bytes) {
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
  return true;
}

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

}  // namespace

void SimConsole::PrintHelp(std::ostream& out) {
  out << "Commands:\n";
  for (const auto& command : kCommands) {
    out << "  " << std::left << std::setw(24) << command.usage << command.meaning << "\n";
  }
}

bool SimConsole::Execute(const std::string& line, std::ostream& out) {
  std::istringstream in(line);
  std::string command;
  if (!(in >> command) || command[0] == '#') return true;

  auto count = [&in](int& value) { return static_cast<bool>(in >> value) && value >= 0; };
  int n = 0;
  int ms = 0;
  std::string word;
  std::vector<std::uint8_t> bytes;

  if (command == "quit" || command == "exit") return false;
  if (command == "help") {
    PrintHelp(out);
  } else if (command == "status") {
    PrintStatus(radio_, out);
  } else if (command == "drop-acks" && count(n)) {
    radio_.DropAcks(n);
    out << "the next " << n << " frame(s) go unacknowledged\n";
  } else if (command == "late-acks" && count(n) && count(ms)) {
    radio_.DelayAcks(n, std::chrono::milliseconds(ms));
    out << "the next " << n << " acknowledgement(s) come " << ms << " ms late\n";
  } else if (command == "corrupt" && count(n)) {
    radio_.CorruptFrames(n);
    out << "the next " << n << " radio frame(s) carry a wrong checksum\n";
  } else if (command == "garbage" && ReadHexBytes(in, bytes) && !bytes.empty()) {
    out << bytes.size() << " byte(s) of garbage go before the next radio frame\n";
    radio_.GarbageBeforeNextFrame(std::move(bytes));
  } else if (command == "pause" && count(ms)) {
    radio_.PauseInsideNextFrame(std::chrono::milliseconds(ms));
    out << "the next radio frame stops for " << ms << " ms in its middle\n";
  } else if (command == "refuse-writes" && count(n)) {
    radio_.RefuseWriteChunks(n);
    out << "the next " << n << " memory write(s) are refused\n";
  } else if (command == "dump" && in >> word) {
    const RadioMemory memory = radio_.Memory();
    std::ofstream file(word, std::ios::binary);
    file.write(reinterpret_cast<const char*>(memory.Bytes().data()),
               static_cast<std::streamsize>(memory.Bytes().size()));
    file.close();
    out << (file ? "memory written to " + word : "cannot write " + word) << "\n";
  } else if (command == "off") {
    radio_.SetSilent(true);
    out << "radio off\n";
  } else if (command == "on") {
    radio_.SetSilent(false);
    out << "radio on\n";
  } else if (command == "send" && ReadHexBytes(in, bytes) && !bytes.empty() &&
             bytes.size() <= 255) {
    radio_.SendFrame(MakeRadioFrame(bytes[0], {bytes.begin() + 1, bytes.end()}));
    out << "frame sent\n";
  } else {
    out << "not understood: " << line << " (type help)\n";
  }
  return true;
}

}  // namespace varim::sim
