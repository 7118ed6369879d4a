#include "varim/sim/radio_model.h"

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

struct SampleChannel {
  int number;
  std::uint32_t hz;
  std::uint8_t sideband;
  std::uint8_t powerCode;
};

// Frequencies that HF stations really work: maritime calling, aeronautical and fixed services.
constexpr SampleChannel kSampleChannels[] = {
    {1, 2182000, 1, 5},  {2, 4125000, 1, 5},   {3, 6215000, 1, 4}, {4, 8291000, 1, 4},
    {5, 12290000, 1, 5}, {6, 16420000, 1, 5},  {7, 3023000, 1, 3}, {8, 5680000, 1, 3},
    {9, 7150000, 0, 2},  {10, 10100000, 1, 4},
};

constexpr std::uint8_t kUnchanged = 255;

std::uint8_t PowerAnswerValue(std::uint8_t code) {
  for (const auto& level : kPowerLevels) {
    if (level.code == code) return level.answerValue;
  }
  return kPowerLevels[3].answerValue;
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

RadioModel::RadioModel() {
  for (const auto& sample : kSampleChannels) {
    WorkingChannel& channel = state_.channels[sample.number];
    channel.txHz = sample.hz;
    channel.rxHz = sample.hz;
    channel.sideband = sample.sideband;
    channel.powerCode = sample.powerCode;
  }
  SelectChannel(1);
}

void RadioModel::SelectChannel(int channel) {
  state_.activeChannel = channel;
  state_.current = state_.channels[channel];
}

std::array<std::uint8_t, 16> RadioModel::CurrentChannelParameters() const {
  const WorkingChannel& c = state_.current;
  std::array<std::uint8_t, 16> d{};
  d[0] = 0;
  d[1] = static_cast<std::uint8_t>(state_.activeChannel);
  WriteBigEndian32(&d[2], c.rxHz);
  WriteBigEndian32(&d[6], c.txHz);
  d[10] = c.mode;
  d[11] = c.agc;
  d[12] = c.sideband;
  d[13] = 0;
  d[14] = PowerAnswerValue(c.powerCode);
  d[15] = c.bandwidth;
  return d;
}

std::vector<CRadioMessage> RadioModel::Handle(const CRadioMessage& request) {
  const std::uint8_t* d = request.GetData();
  const int dataCount = request.GetLen() - 1;
  auto has = [dataCount](int bytes) { return dataCount >= bytes; };
  RadioState& s = state_;

  switch (request.GetOpcode()) {
    case opcode::kSetActiveChannel:
      if (has(3) && d[2] >= 1 && d[2] <= RadioState::kChannels) SelectChannel(d[2]);
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
      return {MakeRadioFrame(answer::kSquelchState,
                             {s.squelchOn ? std::uint8_t{0x02} : std::uint8_t{0x00}})};
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
    default:
      return {};
  }
}

}  // namespace varim::sim
