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

constexpr std::uint8_t kUnchanged = 255;
constexpr long kFirstChannelAddress = 1675;  // channel n at 1675 + 13 n
constexpr int kChannelBytes = 13;
constexpr std::uint8_t kOperationChannel = 0;
constexpr std::uint8_t kOperationAleScan = 1;
constexpr std::uint8_t kOperationGroupScan = 4;
constexpr char kCardVersion[] = "01.20";
// An incoming call that nobody answers ends after this long.
constexpr std::chrono::seconds kIncomingCallTimeout{30};
constexpr int kSelfTestDots = 5;

// How a link ended, as the call-ended report says.
enum LinkEnd : std::uint8_t {
  kExchangeEnded = 0,  // a call or the bidirectional exchange
  kSoundingEnded = 1,
  kIncomingAborted = 2,
  kIncomingTimedOut = 3,
};

std::uint8_t PowerAnswerValue(std::uint8_t code) {
  for (const auto& level : kPowerLevels) {
    if (level.code == code) return level.answerValue;
  }
  return kPowerLevels[3].answerValue;
}

long Address(const std::uint8_t* bytes) {
  return (long{bytes[0]} << 16) | (long{bytes[1]} << 8) | long{bytes[2]};
}

std::vector<std::uint8_t> BigEndian(std::uint32_t value) {
  std::vector<std::uint8_t> bytes(4);
  WriteBigEndian32(bytes.data(), value);
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
  for (int key = 0; key < kControlHeadKeys; ++key) {
    if (std::memcmp(kControlHeadKeyPatterns[key], pattern, 4) == 0) return key;
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
      state_.operationMode =
          state_.operationMode == kOperationGroupScan ? kOperationChannel : kOperationGroupScan;
      break;
    case ControlHead::Function::kAle:
      state_.aleOnOff = state_.aleOnOff == 1 ? 0 : 1;
      state_.operationMode = state_.aleOnOff == 1 ? kOperationAleScan : kOperationChannel;
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
  constexpr std::uint8_t kOpcodes[] = {79, 80, 82, 90};
  Frames out;
  std::vector<std::uint8_t> data = {0x00, static_cast<std::uint8_t>(state_.activeChannel),
                                    behaviour_.linkQuality,
                                    message.empty() ? std::uint8_t{0} : std::uint8_t{1}};
  data.insert(data.end(), address.begin(),
              address.begin() + std::min<std::size_t>(address.size(), 15));
  data.push_back(0);
  if (!message.empty()) {
    data.insert(data.end(), message.begin(),
                message.begin() + std::min<std::size_t>(message.size(), 90));
    data.push_back(0);
  }
  out.push_back(MakeRadioFrame(kOpcodes[static_cast<int>(kind)], data));
  state_.link = RadioState::Link::kIncoming;
  head_.ShowMessage("CALL " + address.substr(0, 6));
  const int generation = ++messageGeneration_;
  After(now + kIncomingCallTimeout, [this, generation, now](Frames& timeout) {
    if (generation == messageGeneration_ && state_.link == RadioState::Link::kIncoming)
      EndLink(kIncomingTimedOut, now + kIncomingCallTimeout, timeout);
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

void RadioModel::Apply(const CRadioMessage& request, Clock::time_point now, Frames& out) {
  const std::uint8_t* d = request.GetData();
  const int dataCount = request.GetLen() - 1;
  auto has = [dataCount](int bytes) { return dataCount >= bytes; };
  RadioState& s = state_;
  auto answer = [&out](std::uint8_t code, std::vector<std::uint8_t> data) {
    out.push_back(MakeRadioFrame(code, data));
  };

  switch (request.GetOpcode()) {
    case opcode::kSetActiveChannel:
      if (has(3) && d[2] >= 1 && d[2] <= kMaxChannel) SelectChannel(d[2]);
      return;
    case opcode::kReportActiveChannel:
      return answer(answer::kActiveChannel, {0x00, static_cast<std::uint8_t>(s.activeChannel)});
    case opcode::kSelectSideBand:
      if (has(2)) s.current.sideband = d[1];
      return;
    case opcode::kReportSideBand:
      return answer(opcode::kSelectSideBand, {0x00, s.current.sideband});
    case opcode::kSetRecieverFrequency:
      if (has(5)) s.current.rxHz = ReadBigEndian32(d + 1);
      return;
    case opcode::kReportRecieverFrequency: {
      auto data = BigEndian(s.current.rxHz);
      data.insert(data.begin(), 0x00);
      return answer(opcode::kSetRecieverFrequency, data);
    }
    case opcode::kSetTransmitterFrequency:
      if (has(5)) s.current.txHz = ReadBigEndian32(d + 1);
      return;
    case opcode::kReportTransmitterFrequency: {
      auto data = BigEndian(s.current.txHz);
      data.insert(data.begin(), 0x00);
      return answer(opcode::kSetTransmitterFrequency, data);
    }
    case opcode::kSetSquelchOnOff:
      if (has(2)) s.squelchOn = d[1] != 0;
      return;
    case opcode::kReportSquelchState:
      // The squelch is bit 1 of the answer.
      return answer(answer::kSquelchState, {static_cast<std::uint8_t>(s.squelchOn ? 2 : 0)});
    case opcode::kStartStopDisplayingRecieveLevel:
      if (has(2)) s.receiveLevelReports = d[1] != 0;
      return;
    case opcode::kReportDisplayingRecieveLevel:
      return answer(opcode::kStartStopDisplayingRecieveLevel,
                    {0x00, static_cast<std::uint8_t>(s.receiveLevelReports)});
    case opcode::kSetTransceiverMode:
      if (has(3)) {
        if (d[1] != kUnchanged) s.transceiverMode[0] = d[1];
        if (d[2] != kUnchanged) s.transceiverMode[1] = d[2];
      }
      return;
    case opcode::kReportTransceiverMode:
      return answer(opcode::kSetTransceiverMode,
                    {0x00, s.transceiverMode[0], s.transceiverMode[1]});
    case opcode::kSetClarifier:
      if (has(3)) {
        s.clarifierSign = d[1];
        s.clarifierMagnitude = d[2];
      }
      return;
    case opcode::kReportClarifierPosition:
      return answer(answer::kClarifierPosition, {s.clarifierSign, s.clarifierMagnitude});
    case opcode::kReportTransmitterPower:
      return answer(17, {s.current.powerCode});
    case opcode::kPttOn:
      s.pttOn = true;
      return;
    case opcode::kPttOff:
      s.pttOn = false;
      return;
    case opcode::kSetDspMenuParameters:
      if (has(5)) {
        if (d[1] != kUnchanged) s.notchIndex = d[1];
        if (d[2] != kUnchanged) s.clipperOn = d[2] != 0;
        if (d[3] != kUnchanged) s.noiseBlankerOn = d[3] != 0;
        if (d[4] != kUnchanged) s.attenuatorOn = d[4] != 0;
      }
      return;
    case opcode::kReportDspMenuParameters:
      return answer(
          answer::kDspMenuParameters,
          {s.notchIndex, static_cast<std::uint8_t>(s.clipperOn),
           static_cast<std::uint8_t>(s.noiseBlankerOn), static_cast<std::uint8_t>(s.attenuatorOn)});
    case opcode::kSetRadioOperationMode:
      if (has(2)) s.operationMode = d[1];
      return;
    case opcode::kReportRadioOperationMode:
      return answer(answer::kRadioOperationMode, {s.operationMode});
    case opcode::kPerformSelfTest:
      if (has(2)) StartSelfTest(d[1], now);
      return;
    case opcode::kPerformReset:
      return Restart(now);
    case opcode::kReportCurrentChannelParameters: {
      const auto parameters = CurrentChannelParameters();
      return answer(answer::kCurrentChannelParameters, {parameters.begin(), parameters.end()});
    }
    case opcode::kReportCardVersion:
      return answer(opcode::kReportCardVersion, {kCardVersion, kCardVersion + sizeof kCardVersion});
    case opcode::kGetMemorySection:
      if (has(4)) out.push_back(ReadMemory(d));
      return;
    case opcode::kProgramMemorySection:
      if (!has(5)) return;
      if (d[0] != 0) {  // leaving remote mode is a memory write with a leading byte
        s.remoteMode = 0;
        return;
      }
      out.push_back(WriteMemory(d, dataCount));
      return;
    case opcode::kRemoteKeyboard:
      return;
    case opcode::kEnableDisableSpecialReport:
      if (has(3) && d[2] == report::kDisplay) {
        s.specialReports = d[1] != 0;
        if (s.specialReports) head_.ResendAll();
      }
      return;
    case opcode::kReportStateOfSpecialReports:
      return answer(opcode::kEnableDisableSpecialReport,
                    {0x00, static_cast<std::uint8_t>(s.specialReports), report::kDisplay});
    case opcode::kSetRadioVolume:
      if (has(1)) s.volume = d[0];
      return;
    case opcode::kReportRadioVolume:
      return answer(opcode::kSetRadioVolume, {s.volume, 0x00});
    case opcode::kSetChannelScanRate:
      if (has(2)) s.scanRate = d[1];
      return;
    case opcode::kReportChannelScanRate:
      return answer(opcode::kSetChannelScanRate, {0x00, s.scanRate});
    case opcode::kSetRadioScanMode:
      if (has(3)) {
        s.operationMode = d[1] != 0 ? kOperationGroupScan : kOperationChannel;
        s.scanGroup = d[2];
      }
      return;
    case opcode::kReportRadioScanMode:
      return answer(
          opcode::kSetRadioScanMode,
          {0x00, static_cast<std::uint8_t>(s.operationMode == kOperationGroupScan), s.scanGroup});
    case opcode::kReportControlHeadKeyboard:
      if (has(4)) {
        const int key = KeyOfPattern(d);
        if (key >= 0 && key != kIdleKey) {
          const Frames pressed = PressKey(key, now);
          out.insert(out.end(), pressed.begin(), pressed.end());
        }
      }
      return;
    case opcode::kStopStartTransmitTxBarLevel:
      if (has(1)) s.txBarLevel = d[0] != 0;
      return;
    case opcode::kReportMode:
      if (has(1)) out.push_back(ModeAnswer(d[0]));
      return;
    case opcode::kSetAleMode:
      if (has(2)) {
        s.aleOnOff = d[1] != 0 ? 1 : 0;
        s.operationMode = s.aleOnOff == 1 ? kOperationAleScan : kOperationChannel;
      }
      return;
    case opcode::kReportAleMode:
      return answer(report::kAleState, {1, s.aleOnOff, static_cast<std::uint8_t>(s.currentNet),
                                        behaviour_.linkQuality});
    case opcode::kBiDirectionalStation:
    case opcode::kBiDirectionalNet: {
      head_.ShowMessage("BIDIR");
      const int generation = ++messageGeneration_;
      const auto quality = behaviour_.linkQuality;
      After(now + behaviour_.callDelay, [quality](Frames& progress) {
        progress.push_back(MakeRadioFrame(opcode::kBiDirectionalStation, {1}));
        progress.push_back(MakeRadioFrame(report::kAleState, {4, 0, 0, quality}));
      });
      After(now + behaviour_.callDelay * 2, [this, generation](Frames& end) {
        end.push_back(MakeRadioFrame(report::kCallEnded, {kExchangeEnded}));
        if (generation == messageGeneration_) head_.ClearMessage();
      });
      return;
    }
    case opcode::kStationCall:
    case opcode::kNetCall:
    case opcode::kAllCall:
      return PlaceCall(static_cast<std::uint8_t>(request.GetOpcode()), now);
    case opcode::kSetSoundOnOff:
      if (!has(2)) return;
      if (d[1] != 0 && !s.sounding) {
        s.sounding = true;
        head_.ShowMessage("SOUNDING");
        const int generation = ++messageGeneration_;
        answer(opcode::kSetSoundOnOff, {1});
        After(now + behaviour_.callDelay * 2, [this, generation](Frames& end) {
          if (generation != messageGeneration_ || !state_.sounding) return;
          state_.sounding = false;
          head_.ClearMessage();
          end.push_back(MakeRadioFrame(report::kCallEnded, {kSoundingEnded}));
        });
      } else if (d[1] == 0 && s.sounding) {
        s.sounding = false;
        ++messageGeneration_;
        head_.ClearMessage();
        answer(report::kCallEnded, {kSoundingEnded});
      }
      return;
    case opcode::kEnterNetwork:
      if (has(2) && d[1] >= 1 && d[1] <= kNets) s.currentNet = d[1];
      return;
    case opcode::kAcceptLink:
      if (s.link == RadioState::Link::kIncoming) {
        s.link = RadioState::Link::kUp;
        ++messageGeneration_;
        head_.ShowMessage("LINKED");
      }
      return;
    case opcode::kEnterRemoteMode:
      if (has(1)) s.remoteMode = d[0];
      return;
    case opcode::kReportAleOnOff:
      return answer(answer::kAleOnOff, {s.aleOnOff});
    case opcode::kSetMonitorOnOff:
      if (has(2)) s.monitorOn = d[1] != 0;
      return;
    case opcode::kReportMonitorState:
      return answer(report::kMonitorState, {static_cast<std::uint8_t>(s.monitorOn)});
    case opcode::kAbortLink:
      return EndLink(s.link == RadioState::Link::kIncoming ? kIncomingAborted : kExchangeEnded, now,
                     out);
    case opcode::kReplaceLinkChannel:
      if (s.link == RadioState::Link::kUp) {
        StepChannel(1);
        answer(opcode::kStationCall,
               {static_cast<std::uint8_t>(CallOutcome::kLink), 0x00,
                static_cast<std::uint8_t>(s.activeChannel), behaviour_.linkQuality});
      }
      return;
    case opcode::kStartRadioProgramming:
      s.programming = true;
      return;
    case opcode::kStopRadioProgramming:
      s.programming = false;
      SelectChannel(s.activeChannel);  // the channel may have been reprogrammed
      return;
    default:
      return;
  }
}

}  // namespace varim::sim
