#include "varim/sim/radio_model.h"

#include <algorithm>
#include <cstring>

#include "varim/byte_order.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::sim {

namespace {

// The power byte of the current-channel answer, by power code.
struct PowerLevel {
  std::uint8_t code;
  std::uint8_t answerValue;
};

constexpr PowerLevel kPowerLevels[] = {{2, 25}, {3, 62}, {4, 100}, {5, 150}};

constexpr long kFirstChannelAddress = 1675;  // channel n at 1675 + 13 n
constexpr int kChannelBytes = 13;
constexpr char kCardVersion[] = "01.20";
// An incoming call that nobody answers ends after this long.
constexpr std::chrono::seconds kIncomingCallTimeout{30};
constexpr int kSelfTestDots = 5;
// The texts of an incoming-call report, without their terminating zero.
constexpr std::size_t kMaxCallerAddress = 15;
constexpr std::size_t kMaxCallMessage = 90;

std::uint8_t PowerAnswerValue(std::uint8_t code) {
  for (const auto& level : kPowerLevels) {
    if (level.code == code) return level.answerValue;
  }
  return kPowerLevels[3].answerValue;
}

long Address(const std::uint8_t* bytes) {
  return (long{bytes[0]} << 16) | (long{bytes[1]} << 8) | long{bytes[2]};
}

// A frequency as the radio reports it: a leading 0x00, then the Hz big-endian.
std::vector<std::uint8_t> FrequencyAnswer(std::uint32_t hz) {
  std::vector<std::uint8_t> bytes(5, 0x00);
  WriteBigEndian32(bytes.data() + 1, hz);
  return bytes;
}

// The four bytes before the data of a memory answer. requestLead is the request's first four
// data bytes, address the three address bytes among them.
std::vector<std::uint8_t> LeadBytes(AnswerLead style, const std::uint8_t* requestLead,
                                    const std::uint8_t* address) {
  std::vector<std::uint8_t> lead(4, 0x00);
  switch (style) {
    case AnswerLead::kEcho:
      std::copy_n(requestLead, 4, lead.begin());
      break;
    case AnswerLead::kAddress:
      std::copy_n(address, 3, lead.begin() + 1);
      break;
    case AnswerLead::kZero:
      break;
  }
  return lead;
}

// The key whose pattern the frame carries; -1 for none.
int KeyOfPattern(const std::uint8_t* pattern) {
  for (int number = 0; number < key::kCount; ++number) {
    if (std::memcmp(key::kPatterns[number], pattern, 4) == 0) return number;
  }
  return -1;
}

}  // namespace

CRadioMessage MakeRadioFrame(std::uint8_t code, const std::vector<std::uint8_t>& data) {
  CRadioMessage frame;
  frame.SetOpcode(code);
  frame.SetLen(static_cast<std::uint8_t>(data.size() + 1));
  frame.SetData(static_cast<std::uint8_t>(data.size()), data.data());
  frame.CalcChecksum();
  return frame;
}

RadioModel::RadioModel(RadioProfile profile) : profile_(std::move(profile)) {
  SelectChannel(1);
}

void RadioModel::Program(const RadioMemory& memory) {
  memory_ = memory;
  SelectChannel(1);
}

void RadioModel::SelectChannel(int number) {
  std::uint8_t record[kChannelBytes];
  memory_.Read(kFirstChannelAddress + kChannelBytes * number, kChannelBytes, record);
  state_.activeChannel = number;
  state_.current = {
      record[0],  record[1], record[2], ReadBigEndian32(record + 3), ReadBigEndian32(record + 7),
      record[11], record[12]};
}

// The next programmed channel up or down, as the head's arrow keys step.
void RadioModel::StepChannel(int direction) {
  int channel = state_.activeChannel;
  for (int step = 0; step < kMaxChannel; ++step) {
    channel = (channel - 1 + direction + kMaxChannel) % kMaxChannel + 1;
    std::uint8_t frequencies[8];
    memory_.Read(kFirstChannelAddress + kChannelBytes * channel + 3, 8, frequencies);
    if (ReadBigEndian32(frequencies) != 0 || ReadBigEndian32(frequencies + 4) != 0) {
      SelectChannel(channel);
      return;
    }
  }
}

void RadioModel::Toggle(ControlHead::Function function) {
  switch (function) {
    case ControlHead::Function::kSquelch:
      state_.squelchOn = !state_.squelchOn;
      break;
    case ControlHead::Function::kMonitor:
      state_.monitorOn = !state_.monitorOn;
      break;
    case ControlHead::Function::kScan:
      state_.operationMode = state_.operationMode == opcode::kOperationGroupScan
                                 ? opcode::kOperationChannel
                                 : opcode::kOperationGroupScan;
      break;
    case ControlHead::Function::kAle:
      state_.aleOnOff = state_.aleOnOff == 1 ? 0 : 1;
      state_.operationMode =
          state_.aleOnOff == 1 ? opcode::kOperationAleScan : opcode::kOperationChannel;
      break;
    case ControlHead::Function::kNoiseBlanker:
      state_.noiseBlankerOn = !state_.noiseBlankerOn;
      break;
    case ControlHead::Function::kAttenuator:
      state_.attenuatorOn = !state_.attenuatorOn;
      break;
    case ControlHead::Function::kClipper:
      state_.clipperOn = !state_.clipperOn;
      break;
  }
}

std::array<std::uint8_t, 16> RadioModel::CurrentChannelParameters() const {
  const WorkingChannel& c = state_.current;
  std::array<std::uint8_t, 16> d{};
  d[1] = static_cast<std::uint8_t>(state_.activeChannel);
  WriteBigEndian32(&d[2], c.rxHz);
  WriteBigEndian32(&d[6], c.txHz);
  d[10] = c.mode;
  d[11] = c.agc;
  d[12] = c.sideband;
  d[14] = PowerAnswerValue(c.powerCode);
  d[15] = c.bandwidth;
  return d;
}

// GetMemorySection: the lead, then the bytes.
CRadioMessage RadioModel::ReadMemory(const std::uint8_t* request) const {
  const int count = std::min<int>(request[3], 200);
  std::vector<std::uint8_t> data = LeadBytes(behaviour_.answerLead, request, request);
  data.resize(4 + static_cast<std::size_t>(count));
  memory_.Read(Address(request), count, data.data() + 4);
  return MakeRadioFrame(answer::kMemorySection, data);
}

// ProgramMemorySection: written only in programming mode; byte 4 of the answer says whether.
CRadioMessage RadioModel::WriteMemory(const std::uint8_t* request, int dataCount) {
  const int count = std::min(static_cast<int>(request[4]), dataCount - 5);
  bool written = false;
  if (state_.programming && count >= 0) {
    if (refusedWrites_ > 0) {
      --refusedWrites_;
    } else {
      written = memory_.Write(Address(request + 1), count, request + 5);
    }
  }
  std::vector<std::uint8_t> data = LeadBytes(behaviour_.answerLead, request, request + 1);
  data.push_back(std::uint8_t{written});
  return MakeRadioFrame(answer::kProgramResult, data);
}

CRadioMessage RadioModel::ModeAnswer(std::uint8_t mode) const {
  switch (mode) {
    case opcode::kModeIsb:
      return MakeRadioFrame(report::kIsbMode, {std::uint8_t{profile_.isb}});
    case opcode::kModeCcir:
      return MakeRadioFrame(report::kCcirMode, {std::uint8_t{profile_.ccir}, state_.aleOnOff});
    default:
      return MakeRadioFrame(report::kSupportMode, {std::uint8_t{profile_.extendedSupport}});
  }
}

void RadioModel::After(Clock::time_point when, std::function<void(Frames&)> action) {
  timers_.emplace(when, std::move(action));
}

void RadioModel::ShowBriefly(const std::string& text, Clock::time_point now) {
  head_.ShowMessage(text);
  const int generation = ++messageGeneration_;
  After(now + behaviour_.messageTime, [this, generation](Frames&) {
    if (generation == messageGeneration_) head_.ClearMessage();
  });
}

void RadioModel::PlaceCall(std::uint8_t code, Clock::time_point now) {
  state_.link = RadioState::Link::kCalling;
  head_.ShowMessage("CALLING");
  const int generation = ++messageGeneration_;
  After(now + behaviour_.callDelay, [this, code, generation, now](Frames& out) {
    if (generation != messageGeneration_ || state_.link != RadioState::Link::kCalling) return;
    const auto result = static_cast<std::uint8_t>(behaviour_.callOutcome);
    const auto channel = static_cast<std::uint8_t>(state_.activeChannel);
    const std::uint8_t quality = behaviour_.linkQuality;
    if (code == opcode::kAllCall) {
      out.push_back(MakeRadioFrame(report::kAllCallSent, {0x00, channel, quality}));
    } else {
      out.push_back(MakeRadioFrame(code, {result, 0x00, channel, quality}));
    }
    const bool linked = code == opcode::kAllCall || behaviour_.callOutcome == CallOutcome::kLink ||
                        behaviour_.callOutcome == CallOutcome::kSilentNet;
    if (linked) {
      state_.link = RadioState::Link::kUp;
      head_.ShowMessage("LINKED");
      out.push_back(MakeRadioFrame(report::kAleState, {1, 0, 0, quality}));
      return;
    }
    state_.link = RadioState::Link::kNone;
    constexpr const char* kResultTexts[] = {"NO LINK", "LINKED", "CHAN BUSY", "STN BUSY", "LINKED"};
    ShowBriefly(kResultTexts[result], now + behaviour_.callDelay);
  });
}

void RadioModel::EndLink(std::uint8_t how, Clock::time_point now, Frames& out) {
  if (state_.link == RadioState::Link::kNone) return;
  state_.link = RadioState::Link::kNone;
  out.push_back(MakeRadioFrame(report::kCallEnded, {how}));
  ShowBriefly("END CALLING", now);
}

void RadioModel::StartSelfTest(std::uint8_t type, Clock::time_point now) {
  state_.selfTesting = true;
  head_.ShowMessage("BITE");
  const int generation = ++messageGeneration_;
  for (int dots = 1; dots <= kSelfTestDots; ++dots) {
    After(now + behaviour_.selfTestStep * dots, [this, dots, generation](Frames&) {
      if (generation == messageGeneration_) head_.ShowMessage("BITE" + std::string(dots, '.'));
    });
  }
  After(now + behaviour_.selfTestStep * (kSelfTestDots + 1), [this, type, generation](Frames& out) {
    if (generation != messageGeneration_) return;
    std::vector<std::uint8_t> data = {type};
    data.insert(data.end(), behaviour_.selfTestResults.begin(), behaviour_.selfTestResults.end());
    out.push_back(MakeRadioFrame(report::kSelfTest, data));
    state_.selfTesting = false;
    head_.ClearMessage();
  });
}

// A reset: the radio restarts, hears nothing meanwhile, and comes back out of remote mode with
// its display reports off, saying it was reset.
void RadioModel::Restart(Clock::time_point now) {
  offlineUntil_ = now + behaviour_.restartDelay;
  timers_.clear();
  ++messageGeneration_;
  const int channel = state_.activeChannel;
  const RadioState before = state_;
  state_ = RadioState{};
  state_.squelchOn = before.squelchOn;
  state_.volume = before.volume;
  SelectChannel(channel);
  head_.Reset();
  After(offlineUntil_, [](Frames& out) { out.push_back(MakeRadioFrame(report::kReset, {0})); });
}

std::vector<CRadioMessage> RadioModel::ReceiveCall(IncomingCall kind, const std::string& address,
                                                   const std::string& message,
                                                   Clock::time_point now) {
  constexpr std::uint8_t kOpcodes[] = {report::kIncomingStationCall, report::kIncomingNetCall,
                                       report::kIncomingPriorityCall,
                                       report::kIncomingStationCallOther};
  Frames out;
  std::vector<std::uint8_t> data = {0x00, static_cast<std::uint8_t>(state_.activeChannel),
                                    behaviour_.linkQuality,
                                    message.empty() ? std::uint8_t{0} : std::uint8_t{1}};
  data.insert(data.end(), address.begin(),
              address.begin() + std::min(address.size(), kMaxCallerAddress));
  data.push_back(0);
  if (!message.empty()) {
    data.insert(data.end(), message.begin(),
                message.begin() + std::min(message.size(), kMaxCallMessage));
    data.push_back(0);
  }
  out.push_back(MakeRadioFrame(kOpcodes[static_cast<int>(kind)], data));
  state_.link = RadioState::Link::kIncoming;
  head_.ShowMessage("CALL " + address.substr(0, 6));
  const int generation = ++messageGeneration_;
  After(now + kIncomingCallTimeout, [this, generation, now](Frames& timeout) {
    if (generation == messageGeneration_ && state_.link == RadioState::Link::kIncoming)
      EndLink(call_end::kIncomingTimedOut, now + kIncomingCallTimeout, timeout);
  });
  ReportDisplay(out);
  return out;
}

std::vector<CRadioMessage> RadioModel::PressKey(int key, Clock::time_point /*now*/) {
  Frames out;
  const ControlHead::Action action = head_.PressKey(key);
  switch (action.kind) {
    case ControlHead::Action::Kind::kSelectChannel:
      SelectChannel(action.channel);
      break;
    case ControlHead::Action::Kind::kChannelUp:
      StepChannel(1);
      break;
    case ControlHead::Action::Kind::kChannelDown:
      StepChannel(-1);
      break;
    case ControlHead::Action::Kind::kToggle:
      Toggle(action.function);
      break;
    case ControlHead::Action::Kind::kNone:
      break;
  }
  ReportDisplay(out);
  return out;
}

void RadioModel::ReportDisplay(Frames& out) {
  if (state_.specialReports) head_.Report(state_, out);
}

std::vector<CRadioMessage> RadioModel::Tick(Clock::time_point now) {
  Frames out;
  while (!timers_.empty() && timers_.begin()->first <= now) {
    auto action = std::move(timers_.begin()->second);
    timers_.erase(timers_.begin());
    action(out);
  }
  ReportDisplay(out);
  return out;
}

RadioModel::Clock::time_point RadioModel::NextTimer() const {
  return timers_.empty() ? Clock::time_point::max() : timers_.begin()->first;
}

std::vector<CRadioMessage> RadioModel::Handle(const CRadioMessage& request, Clock::time_point now) {
  Frames out;
  const auto code = static_cast<std::uint8_t>(request.GetOpcode());
  if (behaviour_.refusedOpcodes.count(code) != 0) {
    out.push_back(MakeRadioFrame(report::kCommandRefused, {code}));
    return out;
  }
  Apply(request, now, out);
  ReportDisplay(out);
  return out;
}

// One frame from the program as its handler sees it.
struct RadioModel::Request {
  std::uint8_t opcode;
  const std::uint8_t* data;
  int dataCount;
  Clock::time_point now;
  Frames& out;

  bool Has(int bytes) const { return dataCount >= bytes; }
  void Answer(std::uint8_t code, const std::vector<std::uint8_t>& answerData) const {
    out.push_back(MakeRadioFrame(code, answerData));
  }
};

void RadioModel::SetDspMenu(const std::uint8_t* settings) {
  if (settings[0] != opcode::kUnchanged) state_.notchIndex = settings[0];
  if (settings[1] != opcode::kUnchanged) state_.clipperOn = settings[1] != 0;
  if (settings[2] != opcode::kUnchanged) state_.noiseBlankerOn = settings[2] != 0;
  if (settings[3] != opcode::kUnchanged) state_.attenuatorOn = settings[3] != 0;
}

// ProgramMemorySection is a memory write, or with a leading byte the way out of remote mode.
void RadioModel::ProgramMemory(const Request& in) {
  if (!in.Has(5)) return;
  if (in.data[0] != 0) {
    state_.remoteMode = 0;
    return;
  }
  in.out.push_back(WriteMemory(in.data, in.dataCount));
}

void RadioModel::PressHeadKey(const Request& in) {
  if (!in.Has(4)) return;
  const int pressedKey = KeyOfPattern(in.data);
  if (pressedKey < 0 || pressedKey == key::kIdle) return;
  const Frames pressed = PressKey(pressedKey, in.now);
  in.out.insert(in.out.end(), pressed.begin(), pressed.end());
}

void RadioModel::StartBidirectional(Clock::time_point now) {
  head_.ShowMessage("BIDIR");
  const int generation = ++messageGeneration_;
  const auto quality = behaviour_.linkQuality;
  After(now + behaviour_.callDelay, [quality](Frames& progress) {
    progress.push_back(MakeRadioFrame(report::kBidirectionalProgress, {1}));
    progress.push_back(MakeRadioFrame(report::kAleState, {4, 0, 0, quality}));
  });
  After(now + behaviour_.callDelay * 2, [this, generation](Frames& end) {
    end.push_back(MakeRadioFrame(report::kCallEnded, {call_end::kExchangeEnded}));
    if (generation == messageGeneration_) head_.ClearMessage();
  });
}

void RadioModel::SwitchSounding(const Request& in) {
  if (!in.Has(2)) return;
  if (in.data[1] != 0 && !state_.sounding) {
    state_.sounding = true;
    head_.ShowMessage("SOUNDING");
    const int generation = ++messageGeneration_;
    in.Answer(report::kSoundingProgress, {1});
    After(in.now + behaviour_.callDelay * 2, [this, generation](Frames& end) {
      if (generation != messageGeneration_ || !state_.sounding) return;
      state_.sounding = false;
      head_.ClearMessage();
      end.push_back(MakeRadioFrame(report::kCallEnded, {call_end::kSoundingEnded}));
    });
  } else if (in.data[1] == 0 && state_.sounding) {
    state_.sounding = false;
    ++messageGeneration_;
    head_.ClearMessage();
    in.Answer(report::kCallEnded, {call_end::kSoundingEnded});
  }
}

void RadioModel::AcceptIncomingLink() {
  if (state_.link != RadioState::Link::kIncoming) return;
  state_.link = RadioState::Link::kUp;
  ++messageGeneration_;
  head_.ShowMessage("LINKED");
}

// The radio moves a link that is up to its next channel and says so as a call result.
void RadioModel::ReplaceLinkChannel(const Request& in) {
  if (state_.link != RadioState::Link::kUp) return;
  StepChannel(1);
  in.Answer(report::kStationCallSent,
            {static_cast<std::uint8_t>(CallOutcome::kLink), 0x00,
             static_cast<std::uint8_t>(state_.activeChannel), behaviour_.linkQuality});
}

// The requests the radio carries out or answers; any other opcode is acknowledged and ignored.
const RadioModel::Handler RadioModel::kHandlers[] = {
    {opcode::kSetActiveChannel,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(3) && in.data[2] >= 1 && in.data[2] <= kMaxChannel)
         radio.SelectChannel(in.data[2]);
     }},
    {opcode::kReportActiveChannel,
     [](RadioModel& radio, const Request& in) {
       in.Answer(answer::kActiveChannel,
                 {0x00, static_cast<std::uint8_t>(radio.state_.activeChannel)});
     }},
    {opcode::kSelectSideBand,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(2)) radio.state_.current.sideband = in.data[1];
     }},
    {opcode::kReportSideBand,
     [](RadioModel& radio, const Request& in) {
       in.Answer(opcode::kSelectSideBand, {0x00, radio.state_.current.sideband});
     }},
    {opcode::kSetRecieverFrequency,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(5)) radio.state_.current.rxHz = ReadBigEndian32(in.data + 1);
     }},
    {opcode::kReportRecieverFrequency,
     [](RadioModel& radio, const Request& in) {
       in.Answer(opcode::kSetRecieverFrequency, FrequencyAnswer(radio.state_.current.rxHz));
     }},
    {opcode::kSetTransmitterFrequency,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(5)) radio.state_.current.txHz = ReadBigEndian32(in.data + 1);
     }},
    {opcode::kReportTransmitterFrequency,
     [](RadioModel& radio, const Request& in) {
       in.Answer(opcode::kSetTransmitterFrequency, FrequencyAnswer(radio.state_.current.txHz));
     }},
    {opcode::kSetSquelchOnOff,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(2)) radio.state_.squelchOn = in.data[1] != 0;
     }},
    {opcode::kReportSquelchState,
     [](RadioModel& radio, const Request& in) {
       // The squelch is bit 1 of the answer.
       in.Answer(answer::kSquelchState,
                 {static_cast<std::uint8_t>(radio.state_.squelchOn ? 2 : 0)});
     }},
    {opcode::kStartStopDisplayingRecieveLevel,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(2)) radio.state_.receiveLevelReports = in.data[1] != 0;
     }},
    {opcode::kReportDisplayingRecieveLevel,
     [](RadioModel& radio, const Request& in) {
       in.Answer(opcode::kStartStopDisplayingRecieveLevel,
                 {0x00, static_cast<std::uint8_t>(radio.state_.receiveLevelReports)});
     }},
    {opcode::kSetTransceiverMode,
     [](RadioModel& radio, const Request& in) {
       if (!in.Has(3)) return;
       for (int i = 0; i < 2; ++i) {
         if (in.data[1 + i] != opcode::kUnchanged) radio.state_.transceiverMode[i] = in.data[1 + i];
       }
     }},
    {opcode::kReportTransceiverMode,
     [](RadioModel& radio, const Request& in) {
       const RadioState& s = radio.state_;
       in.Answer(opcode::kSetTransceiverMode, {0x00, s.transceiverMode[0], s.transceiverMode[1]});
     }},
    {opcode::kSetClarifier,
     [](RadioModel& radio, const Request& in) {
       if (!in.Has(3)) return;
       radio.state_.clarifierSign = in.data[1];
       radio.state_.clarifierMagnitude = in.data[2];
     }},
    {opcode::kReportClarifierPosition,
     [](RadioModel& radio, const Request& in) {
       in.Answer(answer::kClarifierPosition,
                 {radio.state_.clarifierSign, radio.state_.clarifierMagnitude});
     }},
    {opcode::kReportTransmitterPower,
     [](RadioModel& radio, const Request& in) {
       in.Answer(answer::kTransmitterPower, {radio.state_.current.powerCode});
     }},
    {opcode::kPttOn, [](RadioModel& radio, const Request&) { radio.state_.pttOn = true; }},
    {opcode::kPttOff, [](RadioModel& radio, const Request&) { radio.state_.pttOn = false; }},
    {opcode::kSetDspMenuParameters,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(5)) radio.SetDspMenu(in.data + 1);
     }},
    {opcode::kReportDspMenuParameters,
     [](RadioModel& radio, const Request& in) {
       const RadioState& s = radio.state_;
       in.Answer(answer::kDspMenuParameters,
                 {s.notchIndex, static_cast<std::uint8_t>(s.clipperOn),
                  static_cast<std::uint8_t>(s.noiseBlankerOn),
                  static_cast<std::uint8_t>(s.attenuatorOn)});
     }},
    {opcode::kSetRadioOperationMode,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(2)) radio.state_.operationMode = in.data[1];
     }},
    {opcode::kReportRadioOperationMode,
     [](RadioModel& radio, const Request& in) {
       in.Answer(answer::kRadioOperationMode, {radio.state_.operationMode});
     }},
    {opcode::kPerformSelfTest,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(2)) radio.StartSelfTest(in.data[1], in.now);
     }},
    {opcode::kPerformReset, [](RadioModel& radio, const Request& in) { radio.Restart(in.now); }},
    {opcode::kReportCurrentChannelParameters,
     [](RadioModel& radio, const Request& in) {
       const auto parameters = radio.CurrentChannelParameters();
       in.Answer(answer::kCurrentChannelParameters, {parameters.begin(), parameters.end()});
     }},
    {opcode::kReportCardVersion,
     [](RadioModel&, const Request& in) {
       in.Answer(opcode::kReportCardVersion, {kCardVersion, kCardVersion + sizeof kCardVersion});
     }},
    {opcode::kGetMemorySection,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(4)) in.out.push_back(radio.ReadMemory(in.data));
     }},
    {opcode::kProgramMemorySection,
     [](RadioModel& radio, const Request& in) { radio.ProgramMemory(in); }},
    {opcode::kEnableDisableSpecialReport,
     [](RadioModel& radio, const Request& in) {
       if (!in.Has(3) || in.data[2] != report::kDisplay) return;
       radio.state_.specialReports = in.data[1] != 0;
       if (radio.state_.specialReports) radio.head_.ResendAll();
     }},
    {opcode::kReportStateOfSpecialReports,
     [](RadioModel& radio, const Request& in) {
       in.Answer(opcode::kEnableDisableSpecialReport,
                 {0x00, static_cast<std::uint8_t>(radio.state_.specialReports), report::kDisplay});
     }},
    {opcode::kSetRadioVolume,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(1)) radio.state_.volume = in.data[0];
     }},
    {opcode::kReportRadioVolume,
     [](RadioModel& radio, const Request& in) {
       in.Answer(opcode::kSetRadioVolume, {radio.state_.volume, 0x00});
     }},
    {opcode::kSetChannelScanRate,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(2)) radio.state_.scanRate = in.data[1];
     }},
    {opcode::kReportChannelScanRate,
     [](RadioModel& radio, const Request& in) {
       in.Answer(opcode::kSetChannelScanRate, {0x00, radio.state_.scanRate});
     }},
    {opcode::kSetRadioScanMode,
     [](RadioModel& radio, const Request& in) {
       if (!in.Has(3)) return;
       radio.state_.operationMode = in.data[1] != 0 ? opcode::kOperationGroupScan : opcode::kOperationChannel;
       radio.state_.scanGroup = in.data[2];
     }},
    {opcode::kReportRadioScanMode,
     [](RadioModel& radio, const Request& in) {
       const RadioState& s = radio.state_;
       in.Answer(opcode::kSetRadioScanMode,
                 {0x00, static_cast<std::uint8_t>(s.operationMode == opcode::kOperationGroupScan),
                  s.scanGroup});
     }},
    {opcode::kReportControlHeadKeyboard,
     [](RadioModel& radio, const Request& in) { radio.PressHeadKey(in); }},
    {opcode::kStopStartTransmitTxBarLevel,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(1)) radio.state_.txBarLevel = in.data[0] != 0;
     }},
    {opcode::kReportMode,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(1)) in.out.push_back(radio.ModeAnswer(in.data[0]));
     }},
    {opcode::kSetAleMode,
     [](RadioModel& radio, const Request& in) {
       if (!in.Has(2)) return;
       radio.state_.aleOnOff = in.data[1] != 0 ? 1 : 0;
       radio.state_.operationMode =
           radio.state_.aleOnOff == 1 ? opcode::kOperationAleScan : opcode::kOperationChannel;
     }},
    {opcode::kReportAleMode,
     [](RadioModel& radio, const Request& in) {
       in.Answer(report::kAleState,
                 {1, radio.state_.aleOnOff, static_cast<std::uint8_t>(radio.state_.currentNet),
                  radio.behaviour_.linkQuality});
     }},
    {opcode::kBiDirectionalStation,
     [](RadioModel& radio, const Request& in) { radio.StartBidirectional(in.now); }},
    {opcode::kBiDirectionalNet,
     [](RadioModel& radio, const Request& in) { radio.StartBidirectional(in.now); }},
    {opcode::kStationCall,
     [](RadioModel& radio, const Request& in) { radio.PlaceCall(in.opcode, in.now); }},
    {opcode::kNetCall,
     [](RadioModel& radio, const Request& in) { radio.PlaceCall(in.opcode, in.now); }},
    {opcode::kAllCall,
     [](RadioModel& radio, const Request& in) { radio.PlaceCall(in.opcode, in.now); }},
    {opcode::kSetSoundOnOff,
     [](RadioModel& radio, const Request& in) { radio.SwitchSounding(in); }},
    {opcode::kEnterNetwork,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(2) && in.data[1] >= 1 && in.data[1] <= kNets) radio.state_.currentNet = in.data[1];
     }},
    {opcode::kAcceptLink, [](RadioModel& radio, const Request&) { radio.AcceptIncomingLink(); }},
    {opcode::kEnterRemoteMode,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(1)) radio.state_.remoteMode = in.data[0];
     }},
    {opcode::kReportAleOnOff,
     [](RadioModel& radio, const Request& in) {
       in.Answer(answer::kAleOnOff, {radio.state_.aleOnOff});
     }},
    {opcode::kSetMonitorOnOff,
     [](RadioModel& radio, const Request& in) {
       if (in.Has(2)) radio.state_.monitorOn = in.data[1] != 0;
     }},
    {opcode::kReportMonitorState,
     [](RadioModel& radio, const Request& in) {
       in.Answer(report::kMonitorState, {static_cast<std::uint8_t>(radio.state_.monitorOn)});
     }},
    {opcode::kAbortLink,
     [](RadioModel& radio, const Request& in) {
       const bool incoming = radio.state_.link == RadioState::Link::kIncoming;
       radio.EndLink(incoming ? call_end::kIncomingAborted : call_end::kExchangeEnded, in.now, in.out);
     }},
    {opcode::kReplaceLinkChannel,
     [](RadioModel& radio, const Request& in) { radio.ReplaceLinkChannel(in); }},
    {opcode::kStartRadioProgramming,
     [](RadioModel& radio, const Request&) { radio.state_.programming = true; }},
    {opcode::kStopRadioProgramming,
     [](RadioModel& radio, const Request&) {
       radio.state_.programming = false;
       radio.SelectChannel(radio.state_.activeChannel);  // the channel may have been reprogrammed
     }},
};

void RadioModel::Apply(const CRadioMessage& request, Clock::time_point now, Frames& out) {
  const auto code = static_cast<std::uint8_t>(request.GetOpcode());
  const auto handler = std::find_if(std::begin(kHandlers), std::end(kHandlers),
                                    [code](const Handler& h) { return h.opcode == code; });
  if (handler == std::end(kHandlers)) return;
  handler->handle(*this, {code, request.GetData(), request.GetLen() - 1, now, out});
}

}  // namespace varim::sim
