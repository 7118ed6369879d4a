#include "listen_command.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <deque>
#include <iterator>
#include <mutex>
#include <variant>
#include <vector>

#include "json_text.h"
#include "session_link.h"
#include "terminal_io.h"
#include "varim/core/call_reports.h"
#include "varim/core/radio_reports.h"
#include "varim/core/radio_session.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"
#include "varim/port_names.h"
#include "varim/radio_opcodes.h"

namespace varimctl {

namespace {

using varim::core::IncomingCallAnswer;

// The ALE state in which a CCIR radio logs its incoming calls without a question.
constexpr int kSelectiveCalling = 2;

// Messages for the operator: those a report gives rise to belong to the report's line, the
// rest go to the error stream.
class ListenOperator : public varim::core::Operator {
 public:
  explicit ListenOperator(std::ostream& err) : err_(err) {}
  void Notify(const std::string& text, Icon) override {
    if (collecting_) {
      notes_.push_back(text);
    } else {
      err_ << text << "\n";
    }
  }
  bool Ask(const std::string&) override { return false; }
  void Collect() {
    notes_.clear();
    collecting_ = true;
  }
  std::vector<std::string> Collected() {
    collecting_ = false;
    return notes_;
  }

 private:
  std::ostream& err_;
  bool collecting_ = false;
  std::vector<std::string> notes_;
};

// Answers incoming calls as told and remembers what it answered.
class ListenPrompt : public varim::core::IncomingCallPrompt {
 public:
  explicit ListenPrompt(IncomingCallAnswer answer) : answer_(answer) {}
  bool IsOpen() const override { return false; }
  bool Ask(const varim::core::IncomingCallView&) override {
    return answer_ == IncomingCallAnswer::kAccept;
  }
  IncomingCallAnswer Answer(const varim::core::IncomingCallView&) override {
    given_ = answer_;
    return answer_;
  }
  void Refresh(const varim::core::IncomingCallView&) override {}
  void Close() override {}
  void Forget() { given_.reset(); }
  std::optional<IncomingCallAnswer> Given() const { return given_; }

 private:
  IncomingCallAnswer answer_;
  std::optional<IncomingCallAnswer> given_;
};

// What the incoming thread hands over: a report, or the mode flags it keeps itself.
struct ModeFlags {
  int aleOnOffState;
  bool aleOff;
  bool ccirPresent;
};
using Event = std::variant<CRadioMessage, ModeFlags>;

class EventQueue {
 public:
  void Push(Event event) {
    {
      std::lock_guard lock(mutex_);
      events_.push_back(std::move(event));
    }
    ready_.notify_one();
  }
  // Waits at most until the deadline for events.
  std::vector<Event> Take(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    ready_.wait_until(lock, deadline, [this] { return !events_.empty(); });
    std::vector<Event> taken(std::make_move_iterator(events_.begin()),
                             std::make_move_iterator(events_.end()));
    events_.clear();
    return taken;
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Event> events_;
};

// A printed line: a kind, its fields in order, and the sentence a person reads.
struct Line {
  using Value = std::variant<int, bool, std::string>;
  std::string report;
  std::optional<int> opcode;
  std::vector<std::pair<std::string, Value>> fields;
  std::string text;
};

std::string TimeNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%H:%M:%S", &local);
  std::snprintf(text + length, sizeof text - length, ".%03d", static_cast<int>(ms.count()));
  return text;
}

void Print(const Line& line, bool json, std::ostream& out) {
  const std::string time = TimeNow();
  if (!json) {
    out << time << " " << line.text << std::endl;
    return;
  }
  out << "{\"time\":" << JsonString(time) << ",\"report\":" << JsonString(line.report);
  if (line.opcode) out << ",\"opcode\":" << *line.opcode;
  for (const auto& [key, value] : line.fields) {
    out << "," << JsonString(key) << ":";
    if (const int* number = std::get_if<int>(&value)) {
      out << *number;
    } else if (const bool* flag = std::get_if<bool>(&value)) {
      out << (*flag ? "true" : "false");
    } else {
      out << JsonString(std::get<std::string>(value));
    }
  }
  out << ",\"text\":" << JsonString(line.text) << "}" << std::endl;
}

struct CallEnd {
  int how;
  const char* text;
};

constexpr CallEnd kCallEnds[] = {
    {call_end::kExchangeEnded, "call ended"},
    {call_end::kSoundingEnded, "sounding ended"},
    {call_end::kIncomingAborted, "incoming call aborted"},
    {call_end::kIncomingTimedOut, "incoming call timed out"},
};

const char* AnswerText(std::optional<IncomingCallAnswer> answer, bool selective) {
  if (!answer) return selective ? "logged" : "shown";
  switch (*answer) {
    case IncomingCallAnswer::kAccept:
      return "accepted";
    case IncomingCallAnswer::kDecline:
      return "declined";
    case IncomingCallAnswer::kNone:
      break;
  }
  return "unanswered";
}

std::string Joined(const std::vector<std::string>& notes) {
  std::string text;
  for (const std::string& note : notes) text += (text.empty() ? "" : " ") + note;
  return text;
}

// Everything the program keeps to handle the radio's reports, over one link.
class Listener {
 public:
  Listener(const ListenOptions& options, std::ostream& out, std::ostream& err)
      : options_(options),
        out_(out),
        operator_(err),
        prompt_(options.answer),
        session_(operator_, pump_, [this](CRadioMessage frame) { events_.Push(frame); }),
        calls_(options.dir),
        reports_(dispatcher_, session_, state_, calls_, operator_, prompt_,
                 [this](const CRadioMessage& frame) { return session_.SendCommand(frame); }) {
    // Runs on the incoming thread, which alone writes these flags.
    session_.SetFlagsListener([this] {
      events_.Push(ModeFlags{session_.AleOnOffState(), session_.AleOff(),
                             session_.Flags().ccir_present == 1});
    });
    calls_.Load();
  }

  bool Open(const LinkOptions& link, std::ostream& err) { return OpenSession(session_, link, err); }

  // Remote mode with the display reports on, as the program keeps the radio.
  bool StartReports() {
    session_.SetReportsEnabled(true);
    return session_.EnterRemote();
  }

  void Run(const std::atomic<bool>& stop, std::chrono::steady_clock::time_point end) {
    constexpr auto kPoll = std::chrono::milliseconds(100);
    while (!stop) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= end) break;
      for (Event& event : events_.Take(std::min(end, now + kPoll))) {
        if (const auto* frame = std::get_if<CRadioMessage>(&event)) {
          Handle(*frame);
        } else {
          Print(ModeLine(std::get<ModeFlags>(event)), options_.json, out_);
        }
      }
    }
  }

 private:
  void Handle(const CRadioMessage& frame) {
    prompt_.Forget();
    operator_.Collect();
    dispatcher_.Dispatch(frame);
    const std::vector<std::string> notes = operator_.Collected();
    if (std::optional<Line> line = Describe(frame, notes)) {
      if (!notes.empty() && line->report != "refused") line->text += " [" + Joined(notes) + "]";
      Print(*line, options_.json, out_);
    }
  }

  static Line ModeLine(const ModeFlags& flags) {
    return {
        "mode",
        std::nullopt,
        {{"aleState", flags.aleOnOffState}, {"aleOff", flags.aleOff}, {"ccir", flags.ccirPresent}},
        "ALE state " + std::to_string(flags.aleOnOffState) +
            (flags.aleOff ? " (ALE off)" : " (ALE on)") +
            (flags.ccirPresent ? ", CCIR present" : "")};
  }

  // The line of a report the dispatch acts on, after it acted; none for the others.
  std::optional<Line> Describe(const CRadioMessage& frame, const std::vector<std::string>& notes) {
    const int opcode = frame.GetOpcode();
    const std::uint8_t* data = frame.GetData();
    Line line{"", opcode, {}, ""};
    switch (opcode) {
      case report::kStationCallSent:
      case report::kNetCallSent:
      case report::kAllCallSent: {
        const varim::core::CallResult call = varim::core::DecodeCallResult(frame);
        const std::string status = state_.Now().callStatus;
        line.report = "call-result";
        line.fields = {{"result", call.result},
                       {"channel", call.channel},
                       {"quality", call.value},
                       {"status", status}};
        line.text = (status.empty() ? "call result " + std::to_string(call.result) : status) +
                    " (channel " + std::to_string(call.channel) + ", link quality " +
                    std::to_string(call.value) + ")";
        return line;
      }
      case report::kIncomingStationCall:
      case report::kIncomingNetCall:
      case report::kIncomingPriorityCall:
      case report::kIncomingStationCallOther: {
        const varim::core::IncomingCall call = varim::core::DecodeIncomingCall(frame);
        const varim::core::IncomingCallTexts texts = varim::core::TextsOf(opcode);
        const bool selective =
            session_.Flags().ccir_present == 1 && session_.AleOnOffState() == kSelectiveCalling;
        const std::string answer = AnswerText(prompt_.Given(), selective);
        line.report = "incoming-call";
        line.fields = {{"type", std::string(texts.callType)},
                       {"caller", call.caller},
                       {"channel", call.channel},
                       {"value", call.value},
                       {"message", call.message},
                       {"answer", answer}};
        line.text = std::string(texts.title) + " from " + call.caller + " on channel " +
                    std::to_string(call.channel) + " (" + std::to_string(call.value) + ")" +
                    (call.message.empty() ? "" : ", message \"" + call.message + "\"") + ": " +
                    answer;
        return line;
      }
      case report::kCommandRefused: {
        line.report = "refused";
        line.fields = {{"command", static_cast<int>(data[0])}};
        line.text = notes.empty() ? "refused command " + std::to_string(data[0]) + " (ignored)"
                                  : Joined(notes);
        return line;
      }
      case report::kAleState: {
        line.report = "ale-state";
        line.fields = {{"state", static_cast<int>(data[0])}, {"value", static_cast<int>(data[3])}};
        line.text = "ALE state " + std::to_string(data[0]) +
                    (data[0] == 1 ? ", value " + std::to_string(data[3]) : "");
        return line;
      }
      case report::kIsbMode: {
        line.report = "isb";
        line.fields = {{"isb", static_cast<int>(data[0])}};
        line.text = data[0] == 1 ? "ISB on" : data[0] == 0 ? "ISB off" : "ISB report ignored";
        return line;
      }
      case report::kCallEnded: {
        line.report = "call-ended";
        line.fields = {{"how", static_cast<int>(data[0])}};
        line.text = "call end report " + std::to_string(data[0]) + " (ignored)";
        for (const CallEnd& end : kCallEnds) {
          if (end.how == data[0]) line.text = end.text;
        }
        return line;
      }
      case report::kMonitorState: {
        line.report = "monitor";
        line.fields = {{"monitor", state_.Now().monitor}};
        line.text = state_.Now().monitor ? "monitor on" : "monitor off";
        return line;
      }
      default:
        return std::nullopt;
    }
  }

  const ListenOptions& options_;
  std::ostream& out_;
  ListenOperator operator_;
  ListenPrompt prompt_;
  TerminalPump pump_;
  EventQueue events_;
  varim::core::RadioSession session_;
  varim::core::RadioState state_;
  varim::core::ReportDispatcher dispatcher_;
  varim::core::CallLists calls_;
  varim::core::RadioReports reports_;
};

}  // namespace

int RunListen(const LinkOptions& link, const ListenOptions& options, const std::atomic<bool>& stop,
              std::ostream& out, std::ostream& err) {
  Listener listener(options, out, err);
  if (!listener.Open(link, err)) return kExitPortUnavailable;
  if (!listener.StartReports()) return kExitNoResponse;
  using Clock = std::chrono::steady_clock;
  const auto end = options.seconds
                       ? Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                            std::chrono::duration<double>(*options.seconds))
                       : Clock::time_point::max();
  listener.Run(stop, end);
  return kExitOk;
}

}  // namespace varimctl
