#include "varim/netcontrol/rigctl_handler.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "varim/netcontrol/hamlib_mode.h"
#include "varim/netcontrol/rig_capabilities.h"

namespace varim::netcontrol {

namespace {

constexpr std::string_view kVfoA = "VFOA";
// Hamlib's PTT values above off: on, on from the microphone, on from the data input.
constexpr int kHighestPtt = 3;
constexpr std::string_view kWhitespace = " \t";

bool Printable(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == '\t' || (byte >= 0x20 && byte < 0x7F);
  });
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  while (true) {
    const std::size_t start = line.find_first_not_of(kWhitespace);
    if (start == std::string_view::npos) return words;
    line.remove_prefix(start);
    const std::size_t end = std::min(line.find_first_of(kWhitespace), line.size());
    words.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
}

// Any punctuation but these asks for the extended form, with itself between the records ('+':
// a line each).
char ExtendedSeparator(char first) {
  constexpr std::string_view kNotExtended = "\\?_#";
  if (std::ispunct(static_cast<unsigned char>(first)) == 0 ||
      kNotExtended.find(first) != std::string_view::npos)
    return '\0';
  return first == '+' ? '\n' : first;
}

std::optional<double> Number(std::string_view word) {
  const std::string text(word);
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> Integer(std::string_view word) {
  const std::optional<double> value = Number(word);
  if (!value || *value != std::trunc(*value) || std::abs(*value) > 1e9) return std::nullopt;
  return static_cast<int>(*value);
}

std::string StatusLine(HamlibStatus status) {
  return "RPRT " + std::to_string(static_cast<int>(status));
}

}  // namespace

const RigctlHandler::Command RigctlHandler::kCommands[] = {
    {'f', "get_freq", 0, true, &RigctlHandler::GetFrequency},
    {'F', "set_freq", 1, true, &RigctlHandler::SetFrequency},
    {'m', "get_mode", 0, true, &RigctlHandler::GetMode},
    {'M', "set_mode", 1, true, &RigctlHandler::SetMode},
    {'v', "get_vfo", 0, false, &RigctlHandler::GetVfo},
    {'V', "set_vfo", 1, false, &RigctlHandler::SetVfo},
    {'t', "get_ptt", 0, false, &RigctlHandler::GetPtt},
    {'T', "set_ptt", 1, false, &RigctlHandler::SetPtt},
    {'s', "get_split_vfo", 0, false, &RigctlHandler::GetSplit},
    {'S', "set_split_vfo", 1, false, &RigctlHandler::SetSplit},
    {'\0', "get_powerstat", 0, false, &RigctlHandler::GetPowerStatus},
    {'\0', "chk_vfo", 0, false, &RigctlHandler::CheckVfo},
    {'\0', "dump_state", 0, false, &RigctlHandler::DumpStateCommand},
    {'1', "dump_caps", 0, false, &RigctlHandler::DumpCapsCommand},
    {'\0', "get_lock_mode", 0, false, &RigctlHandler::GetLockMode},
    {'q', "quit", 0, false, &RigctlHandler::Quit},
    {'Q', "quit", 0, false, &RigctlHandler::Quit},
};

RigctlHandler::RigctlHandler(RadioSide& radio, bool pttAllowed)
    : radio_(radio), pttAllowed_(pttAllowed) {}

Reply RigctlHandler::Handle(ClientId client, std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!Printable(line)) return {StatusLine(HamlibStatus::kProtocolError) + "\n"};
  const std::size_t start = line.find_first_not_of(kWhitespace);
  if (start == std::string_view::npos) return {};
  line.remove_prefix(start);
  const char separator = ExtendedSeparator(line.front());
  if (separator != '\0') line.remove_prefix(1);

  const Arguments words = Words(line);
  const std::string_view name = words.empty() ? std::string_view() : words.front();
  const auto command =
      std::find_if(std::begin(kCommands), std::end(kCommands), [name](const Command& c) {
        return name.size() == 1
                   ? c.shortName == name.front()
                   : name.size() > 1 && name.front() == '\\' && c.longName == name.substr(1);
      });
  if (command == std::end(kCommands)) return {StatusLine(HamlibStatus::kNotAvailable) + "\n"};
  const Arguments arguments(words.begin() + 1, words.end());
  const Outcome outcome = arguments.size() < command->arguments
                              ? Outcome{HamlibStatus::kInvalidParameter}
                          : command->asksRadio && !radio_.Free()
                              ? Outcome{HamlibStatus::kBusBusy}
                              : (this->*command->run)(client, arguments);
  return {Answer(command->longName, arguments, outcome, separator), outcome.closeClient};
}

// The default form: the values a line each, or the status alone; the extended form: the request
// echoed, the values with their keys, the status.
std::string RigctlHandler::Answer(std::string_view longName, const Arguments& arguments,
                                  const Outcome& outcome, char separator) {
  std::vector<std::string> records;
  if (separator != '\0') {
    std::string header(longName);
    header += ":";
    for (const std::string_view argument : arguments) (header += " ") += argument;
    records.push_back(header);
  }
  const bool values = outcome.status == HamlibStatus::kOk && !outcome.fields.empty();
  if (values) {
    for (const Field& field : outcome.fields) {
      records.push_back(separator == '\0' || field.key.empty() ? field.value
                                                               : field.key + ": " + field.value);
    }
  }
  if (separator != '\0' || !values) records.push_back(StatusLine(outcome.status));
  const char between = separator == '\0' ? '\n' : separator;
  std::string text;
  for (std::size_t i = 0; i < records.size(); ++i)
    (text += records[i]) += i + 1 < records.size() ? between : '\n';
  return text;
}

void RigctlHandler::ClientLeft(ClientId client) {
  if (transmitter_ == client && radio_.Transmit(false)) transmitter_.reset();
}

void RigctlHandler::EndTransmit() {
  if (transmitter_ && radio_.Transmit(false)) transmitter_.reset();
}

RigctlHandler::Outcome RigctlHandler::GetFrequency(ClientId, const Arguments&) {
  const std::optional<std::uint32_t> hz = radio_.ReceiveFrequencyHz();
  if (!hz) return {HamlibStatus::kTimedOut};
  return {HamlibStatus::kOk, {{"Frequency", std::to_string(*hz)}}};
}

RigctlHandler::Outcome RigctlHandler::SetFrequency(ClientId, const Arguments& arguments) {
  const std::optional<double> hz = Number(arguments[0]);
  // The radio tunes in whole kHz: a frequency between two goes to the nearer one.
  const double kHz = hz ? std::round(*hz / 1000.0) : 0.0;
  if (kHz < kLowestReceiveKHz || kHz > kHighestKHz) return {HamlibStatus::kInvalidParameter};
  const int whole = static_cast<int>(kHz);
  // Below the transmit range only the receiver follows, as a receive-only radio would.
  const bool tuned =
      radio_.TuneReceiver(whole) && (whole < kLowestTransmitKHz || radio_.TuneTransmitter(whole));
  return {tuned ? HamlibStatus::kOk : HamlibStatus::kTimedOut};
}

RigctlHandler::Outcome RigctlHandler::GetMode(ClientId, const Arguments&) {
  const std::optional<channel> working = radio_.WorkingChannel();
  if (!working) return {HamlibStatus::kTimedOut};
  const ModeReading reading = ReadingOf(*working);
  return {HamlibStatus::kOk,
          {{"Mode", std::string(NameOf(reading.mode))},
           {"Passband", std::to_string(reading.passbandHz)}}};
}

// The filter follows the channel's programming, which no command of the radio changes while
// it works: a passband asked for is taken without effect.
RigctlHandler::Outcome RigctlHandler::SetMode(ClientId, const Arguments& arguments) {
  const std::optional<HamlibMode> wanted = ModeNamed(arguments[0]);
  if (!wanted || (arguments.size() > 1 && !Integer(arguments[1])))
    return {HamlibStatus::kInvalidParameter};
  const std::optional<channel> working = radio_.WorkingChannel();
  if (!working) return {HamlibStatus::kTimedOut};
  const HamlibMode current = ReadingOf(*working).mode;
  if (current == *wanted) return {};
  // Only the sideband can be chosen; AM and CW are channels programmed so.
  if (!IsSideband(current) || !IsSideband(*wanted)) return {HamlibStatus::kInvalidParameter};
  return {radio_.SelectSideband(SidebandOf(*wanted)) ? HamlibStatus::kOk : HamlibStatus::kTimedOut};
}

RigctlHandler::Outcome RigctlHandler::GetVfo(ClientId, const Arguments&) {
  return {HamlibStatus::kOk, {{"VFO", std::string(kVfoA)}}};
}

RigctlHandler::Outcome RigctlHandler::SetVfo(ClientId, const Arguments& arguments) {
  const bool ours = arguments[0] == kVfoA || arguments[0] == "currVFO";
  return {ours ? HamlibStatus::kOk : HamlibStatus::kInvalidParameter};
}

RigctlHandler::Outcome RigctlHandler::GetPtt(ClientId, const Arguments&) {
  // The radio does not report its PTT: this is what was asked of it through here.
  return {HamlibStatus::kOk, {{"PTT", transmitter_ ? "1" : "0"}}};
}

RigctlHandler::Outcome RigctlHandler::SetPtt(ClientId client, const Arguments& arguments) {
  const std::optional<int> ptt = Integer(arguments[0]);
  if (!ptt || *ptt < 0 || *ptt > kHighestPtt) return {HamlibStatus::kInvalidParameter};
  const bool on = *ptt != 0;
  if (on && !pttAllowed_) return {HamlibStatus::kInvalidParameter};
  if (on && !radio_.Free()) return {HamlibStatus::kBusBusy};
  if (!radio_.Transmit(on)) return {HamlibStatus::kTimedOut};
  transmitter_ = on ? std::optional<ClientId>(client) : std::nullopt;
  return {};
}

RigctlHandler::Outcome RigctlHandler::GetSplit(ClientId, const Arguments&) {
  return {HamlibStatus::kOk, {{"Split", "0"}, {"TX VFO", std::string(kVfoA)}}};
}

RigctlHandler::Outcome RigctlHandler::SetSplit(ClientId, const Arguments& arguments) {
  return {arguments[0] == "0" ? HamlibStatus::kOk : HamlibStatus::kInvalidParameter};
}

RigctlHandler::Outcome RigctlHandler::GetPowerStatus(ClientId, const Arguments&) {
  return {HamlibStatus::kOk, {{"Power Status", "1"}}};
}

RigctlHandler::Outcome RigctlHandler::CheckVfo(ClientId, const Arguments&) {
  // 0: requests carry no VFO argument.
  return {HamlibStatus::kOk, {{"ChkVFO", "0"}}};
}

RigctlHandler::Outcome RigctlHandler::DumpStateCommand(ClientId, const Arguments&) {
  Outcome outcome;
  for (std::string& line : DumpState()) outcome.fields.push_back({"", std::move(line)});
  return outcome;
}

RigctlHandler::Outcome RigctlHandler::DumpCapsCommand(ClientId, const Arguments&) {
  Outcome outcome;
  for (std::string& line : DumpCaps()) outcome.fields.push_back({"", std::move(line)});
  return outcome;
}

// Hamlib's clients ask before they set a mode, and set none while it is locked.
RigctlHandler::Outcome RigctlHandler::GetLockMode(ClientId, const Arguments&) {
  return {HamlibStatus::kOk, {{"Locked", "0"}}};
}

RigctlHandler::Outcome RigctlHandler::Quit(ClientId, const Arguments&) {
  return {HamlibStatus::kOk, {}, true};
}

}  // namespace varim::netcontrol
