#include "varim/netcontrol/session_radio.h"

#include "varim/byte_order.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::netcontrol {

namespace {

// The frequency answer: a leading byte, then the hertz.
constexpr int kFrequencyAnswerLength = 6;
// The leading flag of the frequency and sideband commands: 0, as the program sends it in every
// command that carries one.
constexpr std::uint8_t kLeadingFlag = 0;

}  // namespace

std::optional<std::uint32_t> SessionRadio::ReceiveFrequencyHz() {
  CRadioMessage request, answer;
  ReportRecieverFrequency(&request);
  // The radio answers with the opcode of the command that sets the frequency.
  if (!session_.Request(request, opcode::kSetRecieverFrequency, answer) ||
      answer.GetLen() != kFrequencyAnswerLength)
    return std::nullopt;
  return ReadBigEndian32(answer.GetData() + 1);
}

bool SessionRadio::TuneReceiver(int kHz) {
  CRadioMessage frame;
  return SetRecieverFrequency(&frame, kLeadingFlag, kHz) == 1 && session_.SendCommand(frame);
}

bool SessionRadio::TuneTransmitter(int kHz) {
  CRadioMessage frame;
  return SetTransmitterFrequency(&frame, kLeadingFlag, kHz) == 1 && session_.SendCommand(frame);
}

std::optional<channel> SessionRadio::WorkingChannel() {
  channel working{};
  if (!session_.ReadCurrentChannel(working)) return std::nullopt;
  return working;
}

bool SessionRadio::SelectSideband(std::uint8_t sideband) {
  CRadioMessage frame;
  return SelectSideBand(&frame, kLeadingFlag, sideband) == 1 && session_.SendCommand(frame);
}

bool SessionRadio::Transmit(bool on) {
  CRadioMessage frame;
  const int built = on ? PttOn(&frame) : PttOff(&frame);
  return built == 1 && session_.SendCommand(frame);
}

}  // namespace varim::netcontrol
