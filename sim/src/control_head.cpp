#include "varim/sim/control_head.h"

#include <cstdio>

#include "varim/radio_opcodes.h"
#include "varim/radio_records.h"
#include "varim/sim/radio_model.h"

namespace varim::sim {

namespace {

constexpr int kMaxEntryDigits = 3;

// The soft keys of the two pages and what F1..F4 do on each.
constexpr std::array<const char*, 4> kFirstPageLabels = {"SQL", "MON", "SCAN", "ALE"};
constexpr std::array<const char*, 4> kSecondPageLabels = {"NB", "ATT", "CLIP", "RET"};
constexpr std::array<ControlHead::Function, 3> kFirstPageFunctions = {
    ControlHead::Function::kSquelch, ControlHead::Function::kMonitor, ControlHead::Function::kScan};
constexpr std::array<ControlHead::Function, 3> kSecondPageFunctions = {
    ControlHead::Function::kNoiseBlanker, ControlHead::Function::kAttenuator,
    ControlHead::Function::kClipper};

constexpr const char* kSidebands[] = {"LSB", "USB"};
constexpr const char* kModes[] = {"SSB", "PLT", "AME", "ISB"};
constexpr const char* kPowers[] = {"", "", "LOW", "MED", "HI", "MAX"};

std::string Printf(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

ControlHead::Action ControlHead::PressKey(int pressed) {
  Action action;
  if (pressed >= key::kDigit0 && pressed <= key::kDigit9) {
    if (mode_ != Mode::kEntry) {
      mode_ = Mode::kEntry;
      entry_ = 0;
      entryDigits_ = 0;
    }
    if (entryDigits_ < kMaxEntryDigits) {
      entry_ = entry_ * 10 + (pressed - key::kDigit0);
      ++entryDigits_;
    }
    return action;
  }
  switch (pressed) {
    case key::kNavigation1:
      action.kind = Action::Kind::kChannelUp;
      break;
    case key::kNavigation2:
      action.kind = Action::Kind::kChannelDown;
      break;
    case key::kMore:
      secondPage_ = !secondPage_;
      break;
    case key::kMenu:
      mode_ = mode_ == Mode::kMenu ? Mode::kChannel : Mode::kMenu;
      secondPage_ = mode_ == Mode::kMenu;
      break;
    case key::kEscape:
      mode_ = Mode::kChannel;
      secondPage_ = false;
      message_.reset();
      break;
    case key::kEnter:
      if (mode_ == Mode::kEntry && entry_ >= 1 && entry_ <= kMaxChannel) {
        action.kind = Action::Kind::kSelectChannel;
        action.channel = entry_;
      }
      mode_ = Mode::kChannel;
      break;
    default:
      if (pressed >= key::kF1 && pressed <= key::kF4) {
        const int index = pressed - key::kF1;
        if (index == 3) {
          if (secondPage_) {
            secondPage_ = false;
            if (mode_ == Mode::kMenu) mode_ = Mode::kChannel;
          } else {
            action.kind = Action::Kind::kToggle;
            action.function = Function::kAle;
          }
        } else {
          action.kind = Action::Kind::kToggle;
          action.function = secondPage_ ? kSecondPageFunctions[static_cast<std::size_t>(index)]
                                        : kFirstPageFunctions[static_cast<std::size_t>(index)];
        }
      }
      break;
  }
  return action;
}

void ControlHead::Reset() {
  mode_ = Mode::kChannel;
  secondPage_ = false;
  message_.reset();
  sent_.reset();
}

HeadScreen ControlHead::Screen(const RadioState& state) const {
  HeadScreen screen;
  const WorkingChannel& c = state.current;
  screen.channelField = Printf("CH%3d", state.activeChannel);
  const std::uint32_t hz = c.rxHz != 0 ? c.rxHz : c.txHz;
  screen.frequencyField = Printf("%5d", static_cast<int>(hz / 1000));
  char line2[24];
  std::snprintf(line2, sizeof line2, "RX%9.5f", hz / 1e6);
  screen.line2 = line2;
  if (message_) {
    screen.line1 = *message_;
  } else if (mode_ == Mode::kEntry) {
    screen.line1 = "CHANNEL";
    screen.number = static_cast<std::uint8_t>(entry_);
  } else if (mode_ == Mode::kMenu) {
    screen.line1 = "MENU";
  } else if (state.operationMode == 4) {
    screen.line1 = Printf("SCAN GRP %c", 'A' + state.scanGroup % 5);
  } else if (state.aleOnOff == 1) {
    screen.line1 = Printf("ALE NET %d", state.currentNet);
  } else {
    screen.line1 = std::string(kSidebands[c.sideband & 1]) + " " + kModes[c.mode & 3] + " " +
                   kPowers[c.powerCode <= 5 ? c.powerCode : 5];
  }
  const auto& labels = secondPage_ ? kSecondPageLabels : kFirstPageLabels;
  for (std::size_t i = 0; i < labels.size(); ++i) screen.softKeys[i] = labels[i];
  screen.indicators[kSquelchLamp] = state.squelchOn;
  screen.indicators[kMonitorLamp] = state.monitorOn;
  screen.indicators[kScanLamp] = state.operationMode == 1 || state.operationMode == 4;
  screen.indicators[kAleLamp] = state.aleOnOff == 1;
  screen.indicators[kNoiseBlankerLamp] = state.noiseBlankerOn;
  screen.indicators[kAttenuatorLamp] = state.attenuatorOn;
  screen.indicators[kClipperLamp] = state.clipperOn;
  screen.indicators[kClarifierLamp] = state.clarifierSign == 1 || state.clarifierSign == 2;
  screen.indicators[kLinkLamp] = state.link == RadioState::Link::kUp;
  screen.indicators[kRemoteLamp] = state.remoteMode != 0;
  screen.flags = static_cast<std::uint16_t>(
      (state.pttOn ? kTransmitFlag : 0) | (state.programming ? kProgrammingFlag : 0) |
      (state.selfTesting ? kSelfTestFlag : 0) |
      (state.link == RadioState::Link::kCalling ? kCallingFlag : 0));
  screen.indicatorEleven = state.pttOn;
  return screen;
}

void ControlHead::Report(const RadioState& state, std::vector<CRadioMessage>& out) {
  const HeadScreen screen = Screen(state);
  const bool all = !sent_;
  const HeadScreen before = sent_ ? *sent_ : HeadScreen{};
  if (all || screen.channelField != before.channelField ||
      screen.frequencyField != before.frequencyField) {
    out.push_back(display_report::ChannelAndFrequency(screen.channelField, screen.frequencyField));
  }
  const bool linesChanged = all || screen.line1 != before.line1 || screen.line2 != before.line2;
  if (linesChanged) {
    const bool longForm = all || screen.line2 != before.line2;
    out.push_back(
        display_report::Lines(screen.line1, longForm ? std::optional(screen.line2) : std::nullopt));
  }
  if (screen.number && (linesChanged || screen.number != before.number))
    out.push_back(display_report::Number(*screen.number));
  if (all || screen.softKeys != before.softKeys)
    out.push_back(display_report::SoftKeys(screen.softKeys));
  if (all || screen.indicators != before.indicators) {
    std::array<display_report::Indicator, display_report::kIndicators> indicators{};
    for (std::size_t i = 0; i < indicators.size(); ++i) {
      indicators[i] =
          screen.indicators[i] ? display_report::Indicator::kOn : display_report::Indicator::kOff;
    }
    out.push_back(display_report::Indicators(indicators));
  }
  bool flagsCleared = false;
  if (all || screen.indicatorEleven != before.indicatorEleven) {
    if (screen.indicatorEleven) {
      out.push_back(display_report::IndicatorElevenOn());
    } else {
      out.push_back(display_report::IndicatorElevenOffAndFlagsCleared());
      flagsCleared = true;
    }
  }
  // After sub-type 15 the head has cleared its flags already; only set ones need a report.
  const bool flagsOutdated = flagsCleared ? screen.flags != 0 : screen.flags != before.flags;
  if (all || flagsOutdated) out.push_back(display_report::Flags(screen.flags));
  sent_ = screen;
}

}  // namespace varim::sim
