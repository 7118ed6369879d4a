#pragma once

#include <cstdint>
#include <string>

#include "varim/radio_message.h"

namespace varim::core {

// What a call report (a station, net or all call the radio placed) says of the call.
struct CallResult {
  int result = 0;  // see CallResultText
  int channel = 0;
  int value = 0;  // the link quality
};

// The radio's call results as the call status line shows them.
inline constexpr int kResultNoLink = 0;
inline constexpr int kResultLink = 1;
inline constexpr int kResultChannelBusy = 2;
inline constexpr int kResultStationBusy = 3;
inline constexpr int kResultLinkOnSilentNet = 4;
inline constexpr int kResultNotCompleted = 7;

CallResult DecodeCallResult(const CRadioMessage& report);
// "No link was established.", ...; an empty line for a result without a text.
std::string CallResultText(int result);
// A channel field of two bytes: with a first byte, the channel number in decimal digits;
// without, the second byte is the number.
int DecodeChannelField(const std::uint8_t* field);

// The radio's ALE state report names a state in which no call can be placed ("Wrong net.",
// "ALE Busy.", "Empty net.", "ALE not programmed."). The state is recognised by its text
// wherever the report's data carry it, so no numbering of the radio's states is assumed.
bool NamesAleUnusable(const CRadioMessage& report);

// An incoming call as the radio reports it.
enum class IncomingKind { kStation = 0, kNet = 1, kPriority = 2 };

struct IncomingCall {
  int opcode = 0;
  IncomingKind kind = IncomingKind::kStation;
  int channel = 0;
  int value = 0;
  std::string caller;
  std::string message;
};

// The dialog's title and the call type text of each kind of incoming call report.
struct IncomingCallTexts {
  const char* title;
  const char* callType;
};

bool IsIncomingCall(int opcode);
IncomingCall DecodeIncomingCall(const CRadioMessage& report);
IncomingCallTexts TextsOf(int opcode);

}  // namespace varim::core
