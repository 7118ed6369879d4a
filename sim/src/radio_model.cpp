#include "varim/sim/radio_model.h"

#include <algorithm>

#include "varim/byte_order.h"
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

std::uint8_t PowerAnswerValue(std::uint8_t code) {
  for (const auto& level : kPowerLevels) {
    if (level.code == code) return level.answerValue;
  }
  return kPowerLevels[3].answerValue;
}

long Address(const std::uint8_t* bytes) {
  return (long{bytes[0]} << 16) | (long{bytes[1]} << 8) | long{bytes[2]};
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

// GetMemorySection: the address and count echoed, then the bytes.
CRadioMessage RadioModel::ReadMemory(const std::uint8_t* request) const {
  const int count = std::min<int>(request[3], 200);
  std::vector<std::uint8_t> data(request, request + 4);
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
  return MakeRadioFrame(answer::kProgramResult,
                        {0x00, request[1], request[2], request[3], std::uint8_t{written}});
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

std::vector<CRadioMessage> RadioModel::Handle(const CRadioMessage& request) {
  const std::uint8_t* d = request.GetData();
  const int dataCount = request.GetLen() - 1;
  auto has = [dataCount](int bytes) { return dataCount >= bytes; };
  RadioState& s = state_;

  switch (request.GetOpcode()) {
    case opcode::kSetActiveChannel:
      if (has(3) && d[2] >= 1 && d[2] <= kMaxChannel) SelectChannel(d[2]);
      return {};
    case opcode::kReportActiveChannel:
      return {MakeRadioFrame(answer::kActiveChannel,
                             {0x00, static_cast<std::uint8_t>(s.activeChannel)})};
    case opcode::kSelectSideBand:
      if (has(2)) s.current.sideband = d[1];
      return {};
    case opcode::kSetRecieverFrequency:
      if (has(5)) s.current.rxHz = ReadBigEndian32(d + 1);
      return {};
    case opcode::kSetTransmitterFrequency:
      if (has(5)) s.current.txHz = ReadBigEndian32(d + 1);
      return {};
    case opcode::kSetSquelchOnOff:
      if (has(2)) s.squelchOn = d[1] != 0;
      return {};
    case opcode::kReportSquelchState:
      // The squelch is bit 1 of the answer.
      return {
          MakeRadioFrame(answer::kSquelchState, {static_cast<std::uint8_t>(s.squelchOn ? 2 : 0)})};
    case opcode::kSetClarifier:
      if (has(3)) {
        s.clarifierSign = d[1];
        s.clarifierMagnitude = d[2];
      }
      return {};
    case opcode::kReportClarifierPosition:
      return {MakeRadioFrame(answer::kClarifierPosition, {s.clarifierSign, s.clarifierMagnitude})};
    case opcode::kSetDspMenuParameters:
      if (has(5)) {
        if (d[1] != kUnchanged) s.notchIndex = d[1];
        if (d[2] != kUnchanged) s.clipperOn = d[2] != 0;
        if (d[3] != kUnchanged) s.noiseBlankerOn = d[3] != 0;
        if (d[4] != kUnchanged) s.attenuatorOn = d[4] != 0;
      }
      return {};
    case opcode::kReportDspMenuParameters:
      return {MakeRadioFrame(answer::kDspMenuParameters,
                             {s.notchIndex, static_cast<std::uint8_t>(s.clipperOn),
                              static_cast<std::uint8_t>(s.noiseBlankerOn),
                              static_cast<std::uint8_t>(s.attenuatorOn)})};
    case opcode::kSetRadioOperationMode:
      if (has(2)) s.operationMode = d[1];
      return {};
    case opcode::kReportRadioOperationMode:
      return {MakeRadioFrame(answer::kRadioOperationMode, {s.operationMode})};
    case opcode::kSetAleMode:
      if (has(2)) s.aleOnOff = d[1] != 0 ? 1 : 0;
      return {};
    case opcode::kReportAleOnOff:
      return {MakeRadioFrame(answer::kAleOnOff, {s.aleOnOff})};
    case opcode::kReportCurrentChannelParameters: {
      const auto parameters = CurrentChannelParameters();
      return {MakeRadioFrame(answer::kCurrentChannelParameters,
                             {parameters.begin(), parameters.end()})};
    }
    case opcode::kGetMemorySection:
      if (!has(4)) return {};
      return {ReadMemory(d)};
    case opcode::kProgramMemorySection:
      if (!has(5)) return {};
      return {WriteMemory(d, dataCount)};
    case opcode::kStartRadioProgramming:
      s.programming = true;
      return {};
    case opcode::kStopRadioProgramming:
      s.programming = false;
      SelectChannel(s.activeChannel);  // the channel may have been reprogrammed
      return {};
    case opcode::kReportMode:
      if (!has(1)) return {};
      return {ModeAnswer(d[0])};
    default:
      return {};
  }
}

}  // namespace varim::sim
