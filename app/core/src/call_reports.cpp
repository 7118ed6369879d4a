#include "varim/core/call_reports.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>

#include "varim/radio_opcodes.h"

namespace varim::core {

namespace {

struct ResultText {
  int result;
  const char* text;
};

constexpr ResultText kResultTexts[] = {
    {0, "No link was established."},
    {1, "Link was established."},
    {2, "Channel busy."},
    {3, "Station busy."},
    {4, "Link was established on silent net."},
    {5, "Command in progress, please wait!!!"},
    {7, "Last command was not completed successfully."},
};

constexpr const char* kAleUnusableTexts[] = {
    "Wrong net.",
    "ALE Busy.",
    "Empty net.",
    "ALE not programmed.",
};

struct IncomingReport {
  int opcode;
  IncomingKind kind;
  IncomingCallTexts texts;
};

constexpr IncomingReport kIncomingReports[] = {
    {report::kIncomingStationCall, IncomingKind::kStation, {"Incoming Station Call.", "Station"}},
    {report::kIncomingStationCallOther,
     IncomingKind::kStation,
     {"Incoming Station Call.", "Station"}},
    {report::kIncomingNetCall, IncomingKind::kNet, {"Incoming Net Call.", "Net"}},
    {report::kIncomingPriorityCall,
     IncomingKind::kPriority,
     {"Incoming Priority Call.", "Priority"}},
};

const IncomingReport* FindIncoming(int opcode) {
  const auto found = std::find_if(std::begin(kIncomingReports), std::end(kIncomingReports),
                                  [opcode](const IncomingReport& r) { return r.opcode == opcode; });
  return found == std::end(kIncomingReports) ? nullptr : found;
}

// A zero-terminated text of at most max bytes from data byte from on, within the frame's data.
std::string TextAt(const CRadioMessage& frame, int from, int max) {
  const int dataCount = frame.GetLen() - 1;
  if (from >= dataCount) return {};
  const auto* start = reinterpret_cast<const char*>(frame.GetData() + from);
  return std::string(start,
                     strnlen(start, static_cast<std::size_t>(std::min(max, dataCount - from))));
}

constexpr int kCallerBytes = 16;
constexpr int kMessageBytes = 91;

}  // namespace

int DecodeChannelField(const std::uint8_t* field) {
  if (field[0] == 0) return field[1];
  int channel = 0;
  for (int i = 0; i < 2 && std::isdigit(field[i]); ++i) channel = channel * 10 + (field[i] - '0');
  return channel;
}

CallResult DecodeCallResult(const CRadioMessage& report) {
  const std::uint8_t* d = report.GetData();
  // An all call carries no result: it is sent, and that is its link.
  if (report.GetOpcode() == report::kAllCallSent) return {kResultLink, DecodeChannelField(d), d[2]};
  return {d[0], DecodeChannelField(d + 1), d[3]};
}

bool NamesAleUnusable(const CRadioMessage& report) {
  const int dataCount = std::max(report.GetLen() - 1, 0);
  const std::string data(reinterpret_cast<const char*>(report.GetData()),
                         static_cast<std::size_t>(dataCount));
  return std::any_of(std::begin(kAleUnusableTexts), std::end(kAleUnusableTexts),
                     [&data](const char* text) { return data.find(text) != std::string::npos; });
}

std::string CallResultText(int result) {
  for (const ResultText& text : kResultTexts) {
    if (text.result == result) return text.text;
  }
  return {};
}

bool IsIncomingCall(int opcode) {
  return FindIncoming(opcode) != nullptr;
}

IncomingCallTexts TextsOf(int opcode) {
  const IncomingReport* incoming = FindIncoming(opcode);
  return incoming != nullptr ? incoming->texts : IncomingCallTexts{"", ""};
}

IncomingCall DecodeIncomingCall(const CRadioMessage& report) {
  const std::uint8_t* d = report.GetData();
  IncomingCall call;
  call.opcode = report.GetOpcode();
  if (const IncomingReport* incoming = FindIncoming(call.opcode)) call.kind = incoming->kind;
  call.channel = DecodeChannelField(d);
  call.value = d[2];
  call.caller = TextAt(report, 4, kCallerBytes);
  if (d[3] == 1) {
    // The message follows the caller's terminating zero, or its sixteenth byte without one.
    const auto callerBytes = static_cast<int>(call.caller.size());
    const int messageAt = 4 + std::min(callerBytes + 1, kCallerBytes);
    call.message = TextAt(report, messageAt, kMessageBytes);
  }
  return call;
}

}  // namespace varim::core
