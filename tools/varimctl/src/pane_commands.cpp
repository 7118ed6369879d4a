#include "pane_commands.h"

#include <charconv>
#include <optional>

#include "frame_text.h"
#include "session_link.h"
#include "terminal_io.h"
#include "varim/core/radio_session.h"
#include "varim/panels/clarifier_pane.h"
#include "varim/panels/notch_pane.h"
#include "varim/port_names.h"

namespace varimctl {

namespace {

using varim::panels::ClarifierPane;
using varim::panels::NotchPane;
using varim::panels::ScrollAction;

// One command to the radio through a pane: the pane decides what goes out, the link takes it.
struct PaneLink {
  explicit PaneLink(std::ostream& err) : op(err, false), session(op, pump) {}

  bool Open(const LinkOptions& options, std::ostream& err) {
    return OpenSession(session, options, err);
  }

  // Sends the frame and keeps its image for the report.
  bool Send(const CRadioMessage& frame) {
    sent = FrameHex(frame);
    return session.SendCommand(frame);
  }

  TerminalOperator op;
  TerminalPump pump;
  varim::core::RadioSession session;
  std::string sent;
};

std::optional<int> Hertz(const std::string& text) {
  int hz = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, hz);
  if (error != std::errc() || stop != end) return std::nullopt;
  return hz;
}

}  // namespace

int RunClarifier(const LinkOptions& options, int hz, std::ostream& out, std::ostream& err) {
  if (hz < ClarifierPane::kMinimum || hz > ClarifierPane::kMaximum) {
    err << "varimctl: the clarifier goes from " << ClarifierPane::kMinimum << " to "
        << ClarifierPane::kMaximum << " Hz\n";
    return kExitUsage;
  }
  PaneLink link(err);
  if (!link.Open(options, err)) return kExitPortUnavailable;
  ClarifierPane pane([&link](const CRadioMessage& frame) { return link.Send(frame); });
  const bool taken = pane.Scroll(ScrollAction::kRelease, hz);
  out << "clarifier " << (pane.On() ? std::to_string(pane.Position()) + " Hz" : "off") << ": "
      << link.sent << "\n";
  return taken ? kExitOk : kExitNoResponse;
}

int RunNotch(const LinkOptions& options, const std::string& value, std::ostream& out,
             std::ostream& err) {
  const bool off = value == "off" || value == "OFF";
  const std::optional<int> hz = off ? NotchPane::kMinimum : Hertz(value);
  if (!hz || *hz < NotchPane::kMinimum || *hz > NotchPane::kMaximum) {
    err << "varimctl: the notch filter goes from " << NotchPane::kMinimum << " to "
        << NotchPane::kMaximum << " Hz, or off\n";
    return kExitUsage;
  }
  PaneLink link(err);
  if (!link.Open(options, err)) return kExitPortUnavailable;
  NotchPane pane([&link](const CRadioMessage& frame) { return link.Send(frame); });
  const bool taken = off ? pane.Off() : pane.Scroll(ScrollAction::kRelease, *hz);
  out << "notch filter " << pane.Position() << " Hz (step " << pane.Index() << "): " << link.sent
      << "\n";
  return taken ? kExitOk : kExitNoResponse;
}

}  // namespace varimctl
