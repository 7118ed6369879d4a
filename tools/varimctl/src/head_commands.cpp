#include "head_commands.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>

#include "json_text.h"
#include "session_link.h"
#include "terminal_io.h"
#include "varim/core/radio_session.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"
#include "varim/panels/front_panel.h"
#include "varim/panels/head_keys.h"
#include "varim/port_names.h"

namespace varimctl {

namespace {

using varim::panels::DisplayModel;
using varim::panels::FieldText;

constexpr char kKeyNames[] = "0-9, F1-F4, #, *, ESC, ENTER, MENU, NAV1-NAV4, UP, DOWN, MORE";

// The radio's reports as the incoming thread hands them over, taken on this thread.
class ReportQueue {
 public:
  void Push(CRadioMessage report) {
    {
      std::lock_guard lock(mutex_);
      reports_.push_back(report);
    }
    arrived_.notify_one();
  }
  // Waits up to the time for reports and takes all that came.
  std::deque<CRadioMessage> Take(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, wait, [this] { return !reports_.empty(); });
    std::deque<CRadioMessage> taken;
    taken.swap(reports_);
    return taken;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<CRadioMessage> reports_;
};

// A session whose reports come to a queue; false (after saying why) when the port cannot be
// opened.
struct HeadLink {
  explicit HeadLink(std::ostream& err)
      : op(err, false), session(op, pump, [this](CRadioMessage r) { reports.Push(r); }) {}

  bool Open(const LinkOptions& options, std::ostream& err) {
    return OpenSession(session, options, err);
  }

  ReportQueue reports;
  TerminalOperator op;
  TerminalPump pump;
  varim::core::RadioSession session;
};

// A terminal takes no control characters from the radio: they show as dots.
std::string Printable(const std::string& text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F) {
      shown += '.';
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace

std::string DisplayJson(const DisplayModel& model) {
  std::string json = "{\"channel\": " + JsonString(FieldText(model.channel)) +
                     ", \"frequency\": " + JsonString(FieldText(model.frequency)) +
                     ", \"line1\": " + JsonString(FieldText(model.line1)) +
                     ", \"line2\": " + JsonString(FieldText(model.line2)) + ", \"softkeys\": [";
  for (std::size_t i = 0; i < model.softKeys.size(); ++i)
    json += (i == 0 ? "" : ", ") + JsonString(FieldText(model.softKeys[i]));
  json += "], \"indicators\": [";
  for (std::size_t i = 0; i < model.indicators.size(); ++i)
    json += (i == 0 ? "" : ", ") + std::to_string(model.indicators[i]);
  json += "], \"flags\": [";
  for (std::size_t i = 0; i < model.flags.size(); ++i)
    json += std::string(i == 0 ? "" : ", ") + (model.flags[i] ? "true" : "false");
  return json + "]}";
}

std::string DisplayLines(const DisplayModel& model) {
  std::string text =
      Printable(FieldText(model.channel)) + "  " + Printable(FieldText(model.frequency)) + "\n" +
      Printable(FieldText(model.line1)) + "\n" + Printable(FieldText(model.line2)) + "\n";
  for (const auto& label : model.softKeys) text += "[" + Printable(FieldText(label)) + "]";
  text += "\nindicators";
  for (const int state : model.indicators) text += " " + std::to_string(state);
  text += "  flags ";
  for (const bool flag : model.flags) text += flag ? '1' : '0';
  return text + "\n";
}

int RunDisplay(const LinkOptions& options, std::optional<double> seconds, bool json,
               const std::atomic<bool>& stop, std::ostream& out, std::ostream& err) {
  HeadLink link(err);
  if (!link.Open(options, err)) return kExitPortUnavailable;
  varim::core::ReportDispatcher dispatcher;
  varim::core::RadioState state;
  varim::panels::FrontPanel panel(link.session, link.op);
  panel.Install(dispatcher, state);
  // As the program does once it is connected: the radio sends its whole display, then changes.
  link.session.SetReportsEnabled(true);
  if (!link.session.SetSpecialReports()) return kExitNoResponse;

  using Clock = std::chrono::steady_clock;
  const auto end = seconds ? Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                std::chrono::duration<double>(*seconds))
                           : Clock::time_point::max();
  DisplayModel shown = panel.Model();
  while (!stop && Clock::now() < end) {
    // Reports that come together (the whole display at once) make one change.
    for (const CRadioMessage& report : link.reports.Take(std::chrono::milliseconds(100)))
      dispatcher.Dispatch(report);
    if (panel.Model() == shown) continue;
    shown = panel.Model();
    out << (json ? DisplayJson(shown) + "\n" : DisplayLines(shown) + "\n") << std::flush;
  }
  return kExitOk;
}

int RunKey(const LinkOptions& options, const std::vector<std::string>& names, std::ostream& err) {
  std::vector<int> keys;
  for (const std::string& name : names) {
    const auto key = varim::panels::HeadKeyNamed(name);
    if (!key) {
      err << "varimctl: no key is called '" << name << "' (keys: " << kKeyNames << ")\n";
      return kExitUsage;
    }
    keys.push_back(key->number);
  }
  HeadLink link(err);
  if (!link.Open(options, err)) return kExitPortUnavailable;
  varim::panels::FrontPanel panel(link.session, link.op);
  for (const int key : keys) {
    if (!panel.Press(key)) return kExitNoResponse;
  }
  return kExitOk;
}

}  // namespace varimctl
