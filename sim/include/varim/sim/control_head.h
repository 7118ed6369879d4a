#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "varim/radio_message.h"
#include "varim/sim/display_reports.h"

namespace varim::sim {

struct RadioState;

// What the control head's display shows at one moment.
struct HeadScreen {
  std::string channelField;    // "CH  5"
  std::string frequencyField;  // receive kHz, "12500"
  std::string line1;
  std::string line2;
  std::optional<std::uint8_t> number;  // a number in positions 7 to 9 of line 1
  std::array<std::string, 4> softKeys;
  std::array<bool, display_report::kIndicators> indicators{};
  std::uint16_t flags = 0;
  bool indicatorEleven = false;

  bool operator==(const HeadScreen&) const = default;
};

// The radio's own control head: a small menu worked with its keys, and the display reports
// that mirror it whenever something on it changes.
//
// Keys (the control-head key numbers): navigation 1 and 2 step the channel up and down,
// "MORE" (2) and "MENU" (23) switch between the two soft-key pages, F1..F4 (4..7) work the
// soft keys, digits (13..22) enter a channel number that "Enter" (11) selects, "Esc" (10) goes
// back to the channel screen.
class ControlHead {
 public:
  enum class Function { kSquelch, kMonitor, kScan, kAle, kNoiseBlanker, kAttenuator, kClipper };
  // What a key asks the radio to do.
  struct Action {
    enum class Kind { kNone, kSelectChannel, kChannelUp, kChannelDown, kToggle } kind = Kind::kNone;
    int channel = 0;
    Function function = Function::kSquelch;
  };

  // Indicator positions on the head.
  enum IndicatorIndex {
    kSquelchLamp,
    kMonitorLamp,
    kScanLamp,
    kAleLamp,
    kNoiseBlankerLamp,
    kAttenuatorLamp,
    kClipperLamp,
    kClarifierLamp,
    kLinkLamp,
    kRemoteLamp,
  };
  // Display flag bits.
  enum FlagBit : std::uint16_t {
    kTransmitFlag = 1 << 0,
    kProgrammingFlag = 1 << 1,
    kSelfTestFlag = 1 << 2,
    kCallingFlag = 1 << 3,
  };

  Action PressKey(int key);
  // A message in line 1 in place of the channel screen (call progress, self test), until
  // cleared.
  void ShowMessage(std::string text) { message_ = std::move(text); }
  void ClearMessage() { message_.reset(); }
  const std::optional<std::string>& Message() const { return message_; }
  // Back to the channel screen, as after a restart.
  void Reset();

  HeadScreen Screen(const RadioState& state) const;
  // Appends a display report for every part of the screen that changed since the last call,
  // or for all of them after ResendAll.
  void Report(const RadioState& state, std::vector<CRadioMessage>& out);
  void ResendAll() { sent_.reset(); }

 private:
  enum class Mode { kChannel, kEntry, kMenu };

  Mode mode_ = Mode::kChannel;
  int entry_ = 0;
  int entryDigits_ = 0;
  bool secondPage_ = false;
  std::optional<std::string> message_;
  std::optional<HeadScreen> sent_;
};

}  // namespace varim::sim
