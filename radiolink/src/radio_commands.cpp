#include "varim/radio_commands.h"

#include <cstring>
#include <initializer_list>

#include "varim/radio_opcodes.h"

namespace {

constexpr int kMaxChannel = 200;
constexpr int kMaxSectionBytes = 200;
constexpr int kMinAddressLength = 2;
constexpr int kMaxAddressLength = 16;
constexpr int kMinTextLength = 1;
constexpr int kMaxTextLength = 91;

// Fills a frame in the building order every frame follows: opcode, length, data, checksum.
int Fill(CRadioMessage* frame, std::uint8_t code, const std::uint8_t* data, int count) {
  frame->SetOpcode(code);
  frame->SetLen(static_cast<std::uint8_t>(count + 1));
  frame->SetData(static_cast<std::uint8_t>(count), data);
  frame->CalcChecksum();
  return 1;
}

int Fill(CRadioMessage* frame, std::uint8_t code, std::initializer_list<std::uint8_t> data) {
  return Fill(frame, code, data.begin(), static_cast<int>(data.size()));
}

std::uint8_t Flag(int value) {
  return value != 0 ? 1 : 0;
}

std::uint8_t LowByte(int value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

bool InRange(int value, int low, int high) {
  return value >= low && value <= high;
}

bool InRangeOrNoValue(int value, int low, int high) {
  return InRange(value, low, high) || value == opcode::kUnchanged;
}

int FillFrequency(CRadioMessage* frame, std::uint8_t code, std::uint8_t flag, int kHz) {
  const std::uint32_t hz = static_cast<std::uint32_t>(kHz) * 1000u;
  return Fill(frame, code,
              {Flag(flag), static_cast<std::uint8_t>(hz >> 24), static_cast<std::uint8_t>(hz >> 16),
               static_cast<std::uint8_t>(hz >> 8), static_cast<std::uint8_t>(hz)});
}

bool CallArgumentsValid(const char* text, int textLength) {
  return text != nullptr && InRange(textLength, kMinTextLength, kMaxTextLength);
}

bool AddressValid(const char* address, int addressLength) {
  return address != nullptr && InRange(addressLength, kMinAddressLength, kMaxAddressLength);
}

// Appends the text flag and the text. A text of just its terminator goes out as flag 0 and
// one further byte that carries nothing; the length still counts it.
int AppendText(std::uint8_t* data, int at, const char* text, int textLength) {
  if (textLength >= 2) {
    data[at++] = 1;
    std::memcpy(data + at, text, static_cast<std::size_t>(textLength));
  } else {
    data[at++] = 0;
    data[at] = 0;
  }
  return at + textLength;
}

// Station and net calls: 0x01, address, channel, 0x00, text flag, text.
int FillCall(CRadioMessage* frame, std::uint8_t code, const char* address, int addressLength,
             const std::uint8_t channel[2], const char* text, int textLength) {
  if (!AddressValid(address, addressLength) || channel == nullptr ||
      !CallArgumentsValid(text, textLength)) {
    return 0;
  }
  std::uint8_t data[kMaxDataBytes] = {};
  int at = 0;
  data[at++] = 0x01;
  std::memcpy(data + at, address, static_cast<std::size_t>(addressLength));
  at += addressLength;
  data[at++] = channel[0];
  data[at++] = channel[1];
  data[at++] = 0x00;
  at = AppendText(data, at, text, textLength);
  return Fill(frame, code, data, at);
}

// Bidirectional exchanges: 0x00, channel, address, 0x00, text flag, text.
int FillBiDirectional(CRadioMessage* frame, std::uint8_t code, const char* address,
                      int addressLength, const std::uint8_t channel[2], const char* text,
                      int textLength) {
  if (!AddressValid(address, addressLength) || channel == nullptr ||
      !CallArgumentsValid(text, textLength)) {
    return 0;
  }
  std::uint8_t data[kMaxDataBytes] = {};
  int at = 0;
  data[at++] = 0x00;
  data[at++] = channel[0];
  data[at++] = channel[1];
  std::memcpy(data + at, address, static_cast<std::size_t>(addressLength));
  at += addressLength;
  data[at++] = 0x00;
  at = AppendText(data, at, text, textLength);
  return Fill(frame, code, data, at);
}

}  // namespace

int SendReportCommand(CRadioMessage* frame, std::uint8_t code) {
  return Fill(frame, code, nullptr, 0);
}

int TwoLengthCommands(CRadioMessage* frame, int value, std::uint8_t code) {
  return Fill(frame, code, {LowByte(value)});
}

int ThreeLengthCommands(CRadioMessage* frame, int first, int second, std::uint8_t code) {
  return Fill(frame, code, {LowByte(first), LowByte(second)});
}

int FourLengthCommands(CRadioMessage* frame, int first, int second, int third, std::uint8_t code) {
  return Fill(frame, code, {LowByte(first), LowByte(second), LowByte(third)});
}

int ReportActiveChannel(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportActiveChannel);
}
int ReportSideBand(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportSideBand);
}
int ReportRecieverFrequency(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportRecieverFrequency);
}
int ReportTransmitterFrequency(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportTransmitterFrequency);
}
int ReportSquelchState(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportSquelchState);
}
int ReportDisplayingRecieveLevel(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportDisplayingRecieveLevel);
}
int ReportTransceiverMode(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportTransceiverMode);
}
int ReportClarifierPosition(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportClarifierPosition);
}
int ReportTransmitterPower(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportTransmitterPower);
}
int PttOn(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kPttOn);
}
int PttOff(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kPttOff);
}
int ReportDspMenuParameters(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportDspMenuParameters);
}
int ReportRadioOperationMode(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportRadioOperationMode);
}
int PerformReset(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kPerformReset);
}
int ReportCurrentChannelParameters(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportCurrentChannelParameters);
}
int ReportCardVersion(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportCardVersion);
}
int ReportStateOfSpecialReports(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportStateOfSpecialReports);
}
int ReportRadioVolume(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportRadioVolume);
}
int ReportRadioScanMode(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportRadioScanMode);
}
int ReportChannelScanRate(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportChannelScanRate);
}
int ReportAleMode(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportAleMode);
}
int AcceptLink(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kAcceptLink);
}
int ReportAleON_OFF(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportAleOnOff);
}
int ReportMonitorState(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kReportMonitorState);
}
int AbortLink(CRadioMessage* f) {
  return SendReportCommand(f, opcode::kAbortLink);
}

int ReportIsbMode(CRadioMessage* f) {
  return Fill(f, opcode::kReportMode, {opcode::kModeIsb});
}
int ReportCcirMode(CRadioMessage* f) {
  return Fill(f, opcode::kReportMode, {opcode::kModeCcir});
}
int ReportRadioSupportMode(CRadioMessage* f) {
  return Fill(f, opcode::kReportMode, {opcode::kModeRadioSupport});
}

int SetActiveChannel(CRadioMessage* frame, std::uint8_t a, int channel) {
  if (a > 1 || !InRange(channel, 0, kMaxChannel)) return 0;
  return Fill(frame, opcode::kSetActiveChannel, {a, 0x00, LowByte(channel)});
}

int SelectSideBand(CRadioMessage* frame, std::uint8_t a, int b) {
  return Fill(frame, opcode::kSelectSideBand, {Flag(a), Flag(b)});
}

int SetRecieverFrequency(CRadioMessage* frame, std::uint8_t flag, int kHz) {
  if (!InRange(kHz, 101, 30000)) return 0;
  return FillFrequency(frame, opcode::kSetRecieverFrequency, flag, kHz);
}

int SetTransmitterFrequency(CRadioMessage* frame, std::uint8_t flag, int kHz) {
  if (!InRange(kHz, 1600, 30000)) return -1;
  return FillFrequency(frame, opcode::kSetTransmitterFrequency, flag, kHz);
}

int SetSquelchOnOff(CRadioMessage* frame, std::uint8_t a, int on) {
  return Fill(frame, opcode::kSetSquelchOnOff, {Flag(a), Flag(on)});
}

int StartStopDisplayingRecieveLevel(CRadioMessage* frame, std::uint8_t a, int b) {
  if (a > 1 || !InRange(b, 0, 1)) return 0;
  return Fill(frame, opcode::kStartStopDisplayingRecieveLevel, {a, LowByte(b)});
}

int SetTransceiverMode(CRadioMessage* frame, std::uint8_t a, int b, int c) {
  if (a > 1 || !InRangeOrNoValue(b, 0, 2) || !InRangeOrNoValue(c, 0, 1)) return 0;
  return Fill(frame, opcode::kSetTransceiverMode, {a, LowByte(b), LowByte(c)});
}

int SetClarifier(CRadioMessage* frame, std::uint8_t a, int b, int c) {
  if (a > 1 || !InRange(b, 0, 2)) return 0;
  return Fill(frame, opcode::kSetClarifier, {a, LowByte(b), LowByte(c)});
}

int SetDspMenuParameters(CRadioMessage* frame, std::uint8_t a, int b, int c, int d, int e) {
  if (a > 1 || !InRangeOrNoValue(b, 0, 12) || !InRangeOrNoValue(c, 0, 1) ||
      !InRangeOrNoValue(d, 0, 1) || !InRangeOrNoValue(e, 0, 1)) {
    return 0;
  }
  return Fill(frame, opcode::kSetDspMenuParameters,
              {a, LowByte(b), LowByte(c), LowByte(d), LowByte(e), 0xFF});
}

int SetRadioOperationMode(CRadioMessage* frame, std::uint8_t a, int b) {
  if (!InRange(b, 0, 4)) return 0;
  return Fill(frame, opcode::kSetRadioOperationMode, {a, LowByte(b)});
}

int PerformSelfTest(CRadioMessage* frame, std::uint8_t a, int b) {
  if (a > 1 || !InRange(b, 0, 2)) return 0;
  return Fill(frame, opcode::kPerformSelfTest, {a, LowByte(b)});
}

int RemoteKeyboard(CRadioMessage* frame, int a, int b) {
  if (!InRange(a, 0, 8) || !InRange(b, 0, 2)) return 0;
  return Fill(frame, opcode::kRemoteKeyboard, {LowByte(a), LowByte(b)});
}

int EnableDisableSpecialReport(CRadioMessage* frame, std::uint8_t a, int on, int report) {
  if (a > 1) return 0;
  return Fill(frame, opcode::kEnableDisableSpecialReport, {a, LowByte(on), LowByte(report)});
}

int SetRadioVolume(CRadioMessage* frame, int volume, int b) {
  if (!InRange(volume, 0, 255) || !InRange(b, 0, 2)) return 0;
  return Fill(frame, opcode::kSetRadioVolume, {LowByte(volume), LowByte(b)});
}

int SetChannelScanRate(CRadioMessage* frame, std::uint8_t a, int rate) {
  if (a > 1 || !InRange(rate, 1, 5)) return 0;
  return Fill(frame, opcode::kSetChannelScanRate, {a, LowByte(rate)});
}

int SetRadioScanMode(CRadioMessage* frame, std::uint8_t a, int b, int c) {
  if (a > 1 || !InRange(b, 0, 3) || !InRange(c, 0, 4)) return 0;
  return Fill(frame, opcode::kSetRadioScanMode, {a, LowByte(b), LowByte(c)});
}

int ReportControlHeadKeyboard(CRadioMessage* frame, int key) {
  if (!InRange(key, 0, key::kCount - 1)) return 0;
  return Fill(frame, opcode::kReportControlHeadKeyboard, key::kPatterns[key], 4);
}

int StopStartTransmitTxBarLevel(CRadioMessage* frame, int a) {
  if (!InRange(a, 0, 1)) return 0;
  return Fill(frame, opcode::kStopStartTransmitTxBarLevel, {LowByte(a)});
}

int SetAleMode(CRadioMessage* frame, std::uint8_t a, int on) {
  return Fill(frame, opcode::kSetAleMode, {Flag(a), Flag(on)});
}

int SetSoundOnOff(CRadioMessage* frame, std::uint8_t a, int on) {
  return Fill(frame, opcode::kSetSoundOnOff, {Flag(a), Flag(on)});
}

int EnterNetwork(CRadioMessage* frame, std::uint8_t net) {
  if (!InRange(net, 1, 20)) return 0;
  return Fill(frame, opcode::kEnterNetwork, {0x01, net});
}

int EnterRemoteMode(CRadioMessage* frame, int mode) {
  if (!InRange(mode, 0, 2)) return 0;
  return Fill(frame, opcode::kEnterRemoteMode, {LowByte(mode)});
}

int SetMonitorOnOff(CRadioMessage* frame, std::uint8_t a, int on) {
  return Fill(frame, opcode::kSetMonitorOnOff, {Flag(a), Flag(on)});
}

int ReplaceLinkChannel(CRadioMessage* frame, std::uint8_t a, int b, int c) {
  if (a > 1) return 0;
  return Fill(frame, opcode::kReplaceLinkChannel, {a, LowByte(b), LowByte(c)});
}

int StopRadioProgramming(CRadioMessage* frame, std::uint8_t a) {
  if (a > 1) return 0;
  return Fill(frame, opcode::kStopRadioProgramming, {a});
}

int StartRadioProgramming(CRadioMessage* frame, std::uint8_t a) {
  if (a > 1) return 0;
  return Fill(frame, opcode::kStartRadioProgramming, {a});
}

int ProgramMemorySection(CRadioMessage* frame, const std::uint8_t address[3],
                         const std::uint8_t* bytes, int n) {
  // A section is at most 200 bytes: the same bound as a read, and what a frame can carry.
  if (address == nullptr || !InRange(n, 0, kMaxSectionBytes) || (n > 0 && bytes == nullptr))
    return 0;
  std::uint8_t data[kMaxDataBytes] = {0x00, address[0], address[1], address[2], LowByte(n)};
  if (n > 0) std::memcpy(data + 5, bytes, static_cast<std::size_t>(n));
  return Fill(frame, opcode::kProgramMemorySection, data, n + 5);
}

int GetMemorySection(CRadioMessage* frame, const std::uint8_t address[3], int n) {
  if (address == nullptr || !InRange(n, 0, kMaxSectionBytes)) return 0;
  return Fill(frame, opcode::kGetMemorySection, {address[0], address[1], address[2], LowByte(n)});
}

int EscapeRemoteMode(CRadioMessage* frame, int a) {
  if (!InRange(a, 0, 2)) return 0;
  // A memory write of one byte of value 0 at address 135, with a in the leading byte.
  return Fill(frame, opcode::kProgramMemorySection, {LowByte(a), 0x00, 0x00, 0x87, 0x01, 0x00});
}

int BiDirectionalStation(CRadioMessage* frame, const char* address, int addressLength,
                         const std::uint8_t channel[2], const char* text, int textLength) {
  return FillBiDirectional(frame, opcode::kBiDirectionalStation, address, addressLength, channel,
                           text, textLength);
}

int BiDirectionalNet(CRadioMessage* frame, const char* address, int addressLength,
                     const std::uint8_t channel[2], const char* text, int textLength) {
  return FillBiDirectional(frame, opcode::kBiDirectionalNet, address, addressLength, channel, text,
                           textLength);
}

int StationCall(CRadioMessage* frame, const char* address, int addressLength,
                const std::uint8_t channel[2], const char* text, int textLength) {
  return FillCall(frame, opcode::kStationCall, address, addressLength, channel, text, textLength);
}

int NetCall(CRadioMessage* frame, const char* address, int addressLength,
            const std::uint8_t channel[2], const char* text, int textLength) {
  return FillCall(frame, opcode::kNetCall, address, addressLength, channel, text, textLength);
}

int AllCall(CRadioMessage* frame, const std::uint8_t channel[2], const char* text, int textLength) {
  if (channel == nullptr || !CallArgumentsValid(text, textLength)) return 0;
  std::uint8_t data[kMaxDataBytes] = {0x01, channel[0], channel[1], 0x00};
  const int count = AppendText(data, 4, text, textLength);
  return Fill(frame, opcode::kAllCall, data, count);
}
