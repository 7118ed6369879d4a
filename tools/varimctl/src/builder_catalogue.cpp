#include "builder_catalogue.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "varim/radio_commands.h"

namespace varimctl {

namespace {

using K = ArgKind;
using A = const BuilderArgs&;
using F = CRadioMessage*;

// Report requests and the other commands without arguments.
#define VARIMCTL_NO_ARGS(Name)                    \
  {                                               \
#Name, {}, {}, [](F f, A) { return Name(f); } \
  }

const std::vector<BuilderEntry> kBuilders = {
    {"SendReportCommand",
     {K::kByte},
     {"OPCODE"},
     [](F f, A a) { return SendReportCommand(f, a.Byte(0)); }},
    {"TwoLengthCommands",
     {K::kInt, K::kByte},
     {"VALUE", "OPCODE"},
     [](F f, A a) { return TwoLengthCommands(f, a.Int(0), a.Byte(1)); }},
    {"ThreeLengthCommands",
     {K::kInt, K::kInt, K::kByte},
     {"FIRST", "SECOND", "OPCODE"},
     [](F f, A a) { return ThreeLengthCommands(f, a.Int(0), a.Int(1), a.Byte(2)); }},
    {"FourLengthCommands",
     {K::kInt, K::kInt, K::kInt, K::kByte},
     {"FIRST", "SECOND", "THIRD", "OPCODE"},
     [](F f, A a) { return FourLengthCommands(f, a.Int(0), a.Int(1), a.Int(2), a.Byte(3)); }},

    VARIMCTL_NO_ARGS(ReportActiveChannel),
    VARIMCTL_NO_ARGS(ReportSideBand),
    VARIMCTL_NO_ARGS(ReportRecieverFrequency),
    VARIMCTL_NO_ARGS(ReportTransmitterFrequency),
    VARIMCTL_NO_ARGS(ReportSquelchState),
    VARIMCTL_NO_ARGS(ReportDisplayingRecieveLevel),
    VARIMCTL_NO_ARGS(ReportTransceiverMode),
    VARIMCTL_NO_ARGS(ReportClarifierPosition),
    VARIMCTL_NO_ARGS(ReportTransmitterPower),
    VARIMCTL_NO_ARGS(PttOn),
    VARIMCTL_NO_ARGS(PttOff),
    VARIMCTL_NO_ARGS(ReportDspMenuParameters),
    VARIMCTL_NO_ARGS(ReportRadioOperationMode),
    VARIMCTL_NO_ARGS(PerformReset),
    VARIMCTL_NO_ARGS(ReportCurrentChannelParameters),
    VARIMCTL_NO_ARGS(ReportCardVersion),
    VARIMCTL_NO_ARGS(ReportStateOfSpecialReports),
    VARIMCTL_NO_ARGS(ReportRadioVolume),
    VARIMCTL_NO_ARGS(ReportRadioScanMode),
    VARIMCTL_NO_ARGS(ReportChannelScanRate),
    VARIMCTL_NO_ARGS(ReportAleMode),
    VARIMCTL_NO_ARGS(AcceptLink),
    VARIMCTL_NO_ARGS(ReportAleON_OFF),
    VARIMCTL_NO_ARGS(ReportMonitorState),
    VARIMCTL_NO_ARGS(AbortLink),
    VARIMCTL_NO_ARGS(ReportIsbMode),
    VARIMCTL_NO_ARGS(ReportCcirMode),
    VARIMCTL_NO_ARGS(ReportRadioSupportMode),

    {"SetActiveChannel",
     {K::kByte, K::kInt},
     {"A", "CHANNEL"},
     [](F f, A a) { return SetActiveChannel(f, a.Byte(0), a.Int(1)); }},
    {"SelectSideBand",
     {K::kByte, K::kInt},
     {"A", "B"},
     [](F f, A a) { return SelectSideBand(f, a.Byte(0), a.Int(1)); }},
    {"SetRecieverFrequency",
     {K::kByte, K::kInt},
     {"FLAG", "KHZ"},
     [](F f, A a) { return SetRecieverFrequency(f, a.Byte(0), a.Int(1)); }},
    {"SetTransmitterFrequency",
     {K::kByte, K::kInt},
     {"FLAG", "KHZ"},
     [](F f, A a) { return SetTransmitterFrequency(f, a.Byte(0), a.Int(1)); }},
    {"SetSquelchOnOff",
     {K::kByte, K::kInt},
     {"A", "ON"},
     [](F f, A a) { return SetSquelchOnOff(f, a.Byte(0), a.Int(1)); }},
    {"StartStopDisplayingRecieveLevel",
     {K::kByte, K::kInt},
     {"A", "B"},
     [](F f, A a) { return StartStopDisplayingRecieveLevel(f, a.Byte(0), a.Int(1)); }},
    {"SetTransceiverMode",
     {K::kByte, K::kInt, K::kInt},
     {"A", "B", "C"},
     [](F f, A a) { return SetTransceiverMode(f, a.Byte(0), a.Int(1), a.Int(2)); }},
    {"SetClarifier",
     {K::kByte, K::kInt, K::kInt},
     {"A", "B", "C"},
     [](F f, A a) { return SetClarifier(f, a.Byte(0), a.Int(1), a.Int(2)); }},
    {"SetDspMenuParameters",
     {K::kByte, K::kInt, K::kInt, K::kInt, K::kInt},
     {"A", "B", "C", "D", "E"},
     [](F f, A a) {
       return SetDspMenuParameters(f, a.Byte(0), a.Int(1), a.Int(2), a.Int(3), a.Int(4));
     }},
    {"SetRadioOperationMode",
     {K::kByte, K::kInt},
     {"A", "MODE"},
     [](F f, A a) { return SetRadioOperationMode(f, a.Byte(0), a.Int(1)); }},
    {"PerformSelfTest",
     {K::kByte, K::kInt},
     {"A", "B"},
     [](F f, A a) { return PerformSelfTest(f, a.Byte(0), a.Int(1)); }},
    {"RemoteKeyboard",
     {K::kInt, K::kInt},
     {"A", "B"},
     [](F f, A a) { return RemoteKeyboard(f, a.Int(0), a.Int(1)); }},
    {"EnableDisableSpecialReport",
     {K::kByte, K::kInt, K::kInt},
     {"A", "ON", "REPORT"},
     [](F f, A a) { return EnableDisableSpecialReport(f, a.Byte(0), a.Int(1), a.Int(2)); }},
    {"SetRadioVolume",
     {K::kInt, K::kInt},
     {"VOLUME", "B"},
     [](F f, A a) { return SetRadioVolume(f, a.Int(0), a.Int(1)); }},
    {"SetChannelScanRate",
     {K::kByte, K::kInt},
     {"A", "RATE"},
     [](F f, A a) { return SetChannelScanRate(f, a.Byte(0), a.Int(1)); }},
    {"SetRadioScanMode",
     {K::kByte, K::kInt, K::kInt},
     {"A", "B", "C"},
     [](F f, A a) { return SetRadioScanMode(f, a.Byte(0), a.Int(1), a.Int(2)); }},
    {"ReportControlHeadKeyboard",
     {K::kInt},
     {"KEY"},
     [](F f, A a) { return ReportControlHeadKeyboard(f, a.Int(0)); }},
    {"StopStartTransmitTxBarLevel",
     {K::kInt},
     {"A"},
     [](F f, A a) { return StopStartTransmitTxBarLevel(f, a.Int(0)); }},
    {"SetAleMode",
     {K::kByte, K::kInt},
     {"A", "ON"},
     [](F f, A a) { return SetAleMode(f, a.Byte(0), a.Int(1)); }},
    {"SetSoundOnOff",
     {K::kByte, K::kInt},
     {"A", "ON"},
     [](F f, A a) { return SetSoundOnOff(f, a.Byte(0), a.Int(1)); }},
    {"EnterNetwork", {K::kByte}, {"NET"}, [](F f, A a) { return EnterNetwork(f, a.Byte(0)); }},
    {"EnterRemoteMode", {K::kInt}, {"MODE"}, [](F f, A a) { return EnterRemoteMode(f, a.Int(0)); }},
    {"SetMonitorOnOff",
     {K::kByte, K::kInt},
     {"A", "ON"},
     [](F f, A a) { return SetMonitorOnOff(f, a.Byte(0), a.Int(1)); }},
    {"ReplaceLinkChannel",
     {K::kByte, K::kInt, K::kInt},
     {"A", "B", "C"},
     [](F f, A a) { return ReplaceLinkChannel(f, a.Byte(0), a.Int(1), a.Int(2)); }},
    {"StopRadioProgramming",
     {K::kByte},
     {"A"},
     [](F f, A a) { return StopRadioProgramming(f, a.Byte(0)); }},
    {"StartRadioProgramming",
     {K::kByte},
     {"A"},
     [](F f, A a) { return StartRadioProgramming(f, a.Byte(0)); }},

    {"ProgramMemorySection",
     {K::kAddress, K::kBytes},
     {"ADDRESS", "BYTE..."},
     [](F f, A a) { return ProgramMemorySection(f, a.Address(0), a.Bytes(1), a.ByteCount(1)); }},
    {"GetMemorySection",
     {K::kAddress, K::kInt},
     {"ADDRESS", "COUNT"},
     [](F f, A a) { return GetMemorySection(f, a.Address(0), a.Int(1)); }},
    {"EscapeRemoteMode", {K::kInt}, {"A"}, [](F f, A a) { return EscapeRemoteMode(f, a.Int(0)); }},

    {"BiDirectionalStation",
     {K::kText, K::kChannel, K::kText},
     {"ADDRESS", "CH0 CH1", "MESSAGE"},
     [](F f, A a) {
       return BiDirectionalStation(f, a.Text(0), a.TextLength(0), a.Channel(1), a.Text(2),
                                   a.TextLength(2));
     }},
    {"BiDirectionalNet",
     {K::kText, K::kChannel, K::kText},
     {"ADDRESS", "CH0 CH1", "MESSAGE"},
     [](F f, A a) {
       return BiDirectionalNet(f, a.Text(0), a.TextLength(0), a.Channel(1), a.Text(2),
                               a.TextLength(2));
     }},
    {"StationCall",
     {K::kText, K::kChannel, K::kText},
     {"ADDRESS", "CH0 CH1", "MESSAGE"},
     [](F f, A a) {
       return StationCall(f, a.Text(0), a.TextLength(0), a.Channel(1), a.Text(2), a.TextLength(2));
     }},
    {"NetCall",
     {K::kText, K::kChannel, K::kText},
     {"ADDRESS", "CH0 CH1", "MESSAGE"},
     [](F f, A a) {
       return NetCall(f, a.Text(0), a.TextLength(0), a.Channel(1), a.Text(2), a.TextLength(2));
     }},
    {"AllCall",
     {K::kChannel, K::kText},
     {"CH0 CH1", "MESSAGE"},
     [](F f, A a) { return AllCall(f, a.Channel(0), a.Text(1), a.TextLength(1)); }},
};

#undef VARIMCTL_NO_ARGS

bool ParseByte(const std::string& word, std::uint8_t& byte, std::string& error) {
  long value;
  if (!ParseInteger(word, value) || value < 0 || value > 0xFF) {
    error = "'" + word + "' is not a byte (0..255)";
    return false;
  }
  byte = static_cast<std::uint8_t>(value);
  return true;
}

}  // namespace

bool ParseInteger(const std::string& word, long& value) {
  const bool negative = !word.empty() && word[0] == '-';
  const std::string digits = negative ? word.substr(1) : word;
  const bool hex = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
  const std::string number = hex ? digits.substr(2) : digits;
  if (number.empty() || number[0] == '-' || number[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  const long magnitude = std::strtol(number.c_str(), &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || magnitude > INT_MAX) return false;
  value = negative ? -magnitude : magnitude;
  return true;
}

const std::vector<BuilderEntry>& Builders() {
  return kBuilders;
}

const BuilderEntry* FindBuilder(const std::string& name) {
  for (const auto& entry : kBuilders) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

std::string Usage(const BuilderEntry& entry) {
  std::string usage = entry.name;
  for (const char* argName : entry.argNames) usage += std::string(" ") + argName;
  return usage;
}

bool ParseArgs(const BuilderEntry& entry, std::span<const std::string> words,
               std::vector<ArgValue>& values, std::string& error) {
  values.clear();
  std::size_t next = 0;
  auto take = [&](std::string& word) {
    if (next >= words.size()) {
      error = "missing arguments; usage: " + Usage(entry);
      return false;
    }
    word = words[next++];
    return true;
  };
  for (const ArgKind kind : entry.args) {
    std::string word;
    switch (kind) {
      case ArgKind::kByte:
      case ArgKind::kInt: {
        long value;
        if (!take(word)) return false;
        if (!ParseInteger(word, value) || (kind == ArgKind::kByte && (value < 0 || value > 0xFF))) {
          error = "'" + word +
                  (kind == ArgKind::kByte ? "' is not a byte (0..255)" : "' is not an integer");
          return false;
        }
        values.emplace_back(value);
        break;
      }
      case ArgKind::kAddress: {
        long value;
        if (!take(word)) return false;
        if (!ParseInteger(word, value) || value < 0 || value > 0xFFFFFF) {
          error = "'" + word + "' is not a radio memory address (0..0xFFFFFF)";
          return false;
        }
        values.emplace_back(std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(value >> 16),
                                                        static_cast<std::uint8_t>(value >> 8),
                                                        static_cast<std::uint8_t>(value)});
        break;
      }
      case ArgKind::kChannel: {
        std::array<std::uint8_t, 2> channel{};
        for (auto& byte : channel) {
          if (!take(word) || !ParseByte(word, byte, error)) return false;
        }
        values.emplace_back(channel);
        break;
      }
      case ArgKind::kText:
        if (!take(word)) return false;
        values.emplace_back(word);
        break;
      case ArgKind::kBytes: {
        std::vector<std::uint8_t> bytes;
        while (next < words.size()) {
          std::uint8_t byte;
          if (!ParseByte(words[next++], byte, error)) return false;
          bytes.push_back(byte);
        }
        values.emplace_back(std::move(bytes));
        break;
      }
    }
  }
  if (next < words.size()) {
    error = "too many arguments; usage: " + Usage(entry);
    return false;
  }
  return true;
}

}  // namespace varimctl
