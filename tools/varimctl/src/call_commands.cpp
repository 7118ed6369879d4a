#include "call_commands.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>

#include "json_text.h"
#include "session_link.h"
#include "terminal_io.h"
#include "varim/core/call_lists.h"
#include "varim/core/call_reports.h"
#include "varim/core/radio_reports.h"
#include "varim/core/radio_session.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"
#include "varim/panels/calls.h"
#include "varim/port_names.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varimctl {

namespace {

using Clock = std::chrono::steady_clock;

// Tells the error stream what the panels would show in a box.
class StreamOperator : public varim::core::Operator {
 public:
  explicit StreamOperator(std::ostream& err) : err_(err) {}
  void Notify(const std::string& text, Icon) override { err_ << "varimctl: " << text << "\n"; }
  bool Ask(const std::string&) override { return false; }

 private:
  std::ostream& err_;
};

// A command-line program has nobody to ask: incoming calls stay unanswered.
class SilentPrompt : public varim::core::IncomingCallPrompt {
 public:
  bool IsOpen() const override { return false; }
  bool Ask(const varim::core::IncomingCallView&) override { return false; }
  varim::core::IncomingCallAnswer Answer(const varim::core::IncomingCallView&) override {
    return varim::core::IncomingCallAnswer::kNone;
  }
  void Refresh(const varim::core::IncomingCallView&) override {}
  void Close() override {}
};

class ReportQueue {
 public:
  void Push(const CRadioMessage& frame) {
    {
      std::lock_guard lock(mutex_);
      frames_.push_back(frame);
    }
    ready_.notify_one();
  }
  std::deque<CRadioMessage> Take(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    ready_.wait_until(lock, deadline, [this] { return !frames_.empty(); });
    std::deque<CRadioMessage> taken;
    taken.swap(frames_);
    return taken;
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<CRadioMessage> frames_;
};

// The program's side of one link for the call commands: the report dispatch and the ALE tabs,
// on the same classes KLV uses.
class CallLink {
 public:
  CallLink(std::ostream& err, const std::string& logDir, bool needsDatabase)
      : operator_(err),
        session_(operator_, pump_, [this](CRadioMessage frame) { reports_.Push(frame); }),
        lists_(logDir),
        radioReports_(dispatcher_, session_, state_, lists_, operator_, prompt_,
                      [this](const CRadioMessage& frame) { return session_.SendCommand(frame); }),
        calls_(
            session_.Databases(), state_, dispatcher_.Pending(), radioReports_, operator_,
            [this](const CRadioMessage& frame) { return session_.SendCommand(frame); },
            [this, needsDatabase] { return !needsDatabase || databaseRead_; }, "") {
    calls_.Install(radioReports_);
  }

  // Opens the line and puts the radio under remote control; with the database, reads it.
  int Open(const LinkOptions& link, bool readDatabase, std::ostream& err) {
    if (!OpenSession(session_, link, err)) return kExitPortUnavailable;
    if (!session_.EnterRemote()) return kExitNoResponse;
    if (readDatabase) {
      if (!session_.ReadRadio(nullptr)) return kExitNoResponse;
      databaseRead_ = true;
      session_.SetSpecialReports();
    }
    return kExitOk;
  }

  // Hands the radio's reports to the dispatch until done holds or the time is up.
  bool DispatchUntil(Clock::time_point deadline, const std::function<bool()>& done) {
    while (!done()) {
      if (Clock::now() >= deadline) return false;
      for (const CRadioMessage& frame : reports_.Take(deadline)) {
        dispatcher_.Dispatch(frame);
        if (observe_) observe_(frame);
      }
    }
    return true;
  }
  void Observe(std::function<void(const CRadioMessage&)> observe) { observe_ = std::move(observe); }

  // The ALE tab ready for a call in the given net (the first with channels when none).
  std::string PrepareNet(std::optional<int> net) {
    calls_.SetScanState(1);
    const auto& nets = calls_.Ale().net.items;
    if (nets.empty()) return "the radio has no net with scanned channels";
    if (net) {
      if (std::find(nets.begin(), nets.end(), std::to_string(*net)) == nets.end())
        return "net " + std::to_string(*net) + " has no scanned channels";
      // Which net the radio scans is not known here: it is moved to the call's net first.
      state_.Change([](varim::core::RadioStatus& s) { s.currentNet = -1; });
      calls_.ChooseNet(*net);
    } else {
      const int first = std::stoi(nets.front());
      state_.Change([first](varim::core::RadioStatus& s) { s.currentNet = first - 1; });
    }
    return "";
  }

  varim::panels::Calls& Calls() { return calls_; }
  varim::core::RadioState& State() { return state_; }
  varim::core::RadioSession& Session() { return session_; }
  varim::core::CallLists& Lists() { return lists_; }

 private:
  StreamOperator operator_;
  SilentPrompt prompt_;
  TerminalPump pump_;
  ReportQueue reports_;
  varim::core::RadioSession session_;
  varim::core::RadioState state_;
  varim::core::ReportDispatcher dispatcher_;
  varim::core::CallLists lists_;
  varim::core::RadioReports radioReports_;
  varim::panels::Calls calls_;
  std::function<void(const CRadioMessage&)> observe_;
  bool databaseRead_ = false;
};

Clock::time_point After(double seconds) {
  return Clock::now() +
         std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

bool IsCallReport(int opcode) {
  return opcode == report::kStationCallSent || opcode == report::kNetCallSent ||
         opcode == report::kAllCallSent;
}

// Chooses the addressee and the channel on the tab; a usage error's reason when they cannot
// be chosen.
std::string Choose(varim::panels::Calls& calls, const CallOptions& options, bool linkQuality) {
  using varim::panels::Calls;
  const auto& to = linkQuality ? calls.LinkQuality().to : calls.Ale().to;
  if (options.to == Addressee::kStation) {
    linkQuality ? calls.EnterLinkQualityTo(options.address) : calls.EnterTo(options.address);
  } else if (options.to == Addressee::kNet) {
    if (linkQuality) {
      calls.ChooseLinkQualityTo(to.items.back());
    } else {
      calls.ChooseCallType(1);
    }
  } else {
    calls.ChooseCallType(2);
  }
  if (options.to == Addressee::kAll) return "";
  const std::string channel = options.channel == "auto" ? Calls::kAuto : options.channel;
  const bool chosen =
      linkQuality
          ? (calls.ChooseLinkQualityChannel(channel), calls.LinkQuality().channel.Text() == channel)
          : (calls.ChooseChannel(channel), calls.Ale().channel.Text() == channel);
  return chosen ? "" : "channel " + options.channel + " is not scanned in the net";
}

}  // namespace

int RunCall(const LinkOptions& link, const CallOptions& options, std::ostream& out,
            std::ostream& err) {
  CallLink radio(err, options.logDir.value_or(""), true);
  if (options.logDir) radio.Lists().Load();
  if (const int opened = radio.Open(link, true, err); opened != kExitOk) return opened;
  std::string problem = radio.PrepareNet(options.net);
  if (problem.empty()) problem = Choose(radio.Calls(), options, false);
  if (!problem.empty()) {
    err << "varimctl: " << problem << "\n";
    return kExitUsage;
  }
  radio.Calls().SetMessage(options.message);
  std::string reason;
  if (!radio.Calls().SendCall(&reason)) return reason.empty() ? kExitNoResponse : kExitUsage;

  std::optional<varim::core::CallResult> result;
  radio.Observe([&result](const CRadioMessage& frame) {
    if (IsCallReport(frame.GetOpcode())) result = varim::core::DecodeCallResult(frame);
  });
  if (!radio.DispatchUntil(After(options.seconds), [&result] { return result.has_value(); })) {
    err << "varimctl: no call result within " << options.seconds << " s\n";
    return kExitNoResponse;
  }
  if (options.logDir && !radio.Lists().Save()) {
    err << "varimctl: cannot write the log in " << *options.logDir << "\n";
    return kExitPortUnavailable;
  }
  const std::string text = varim::core::CallResultText(result->result);
  if (options.json) {
    out << "{\"result\": " << result->result << ", \"text\": " << JsonString(text)
        << ", \"channel\": " << result->channel << ", \"quality\": " << result->value << "}\n";
  } else {
    out << text << " (channel " << result->channel << ", link quality " << result->value << ")\n";
  }
  const bool linked = result->result == varim::core::kResultLink ||
                      result->result == varim::core::kResultLinkOnSilentNet;
  return linked ? kExitOk : kExitNoResponse;
}

int RunLinkCommand(const LinkOptions& link, bool replace, std::ostream& out, std::ostream& err) {
  // Abort and Replace act on the radio's link, not on the tab's lists.
  CallLink radio(err, "", false);
  if (const int opened = radio.Open(link, false, err); opened != kExitOk) return opened;
  if (replace) {
    std::optional<varim::core::CallResult> result;
    radio.Observe([&result](const CRadioMessage& frame) {
      if (IsCallReport(frame.GetOpcode())) result = varim::core::DecodeCallResult(frame);
    });
    radio.Calls().Replace();
    if (!radio.DispatchUntil(After(10), [&result] { return result.has_value(); })) {
      err << "varimctl: the radio has no link to move\n";
      return kExitNoResponse;
    }
    out << "link moved to channel " << result->channel << ", link quality " << result->value
        << "\n";
    return kExitOk;
  }
  radio.Calls().Abort();
  out << "link aborted\n";
  return kExitOk;
}

int RunLinkQuality(const LinkOptions& link, const CallOptions& options, std::ostream& out,
                   std::ostream& err) {
  CallLink radio(err, "", true);
  if (const int opened = radio.Open(link, true, err); opened != kExitOk) return opened;
  std::string problem = radio.PrepareNet(options.net);
  if (problem.empty()) {
    radio.Calls().RefreshLinkQualityTab();
    problem = Choose(radio.Calls(), options, true);
  }
  if (!problem.empty()) {
    err << "varimctl: " << problem << "\n";
    return kExitUsage;
  }
  if (options.net) {
    // The exchange runs in the net the radio scans: it is moved there first.
    CRadioMessage enter;
    EnterNetwork(&enter, static_cast<std::uint8_t>(*options.net));
    if (!radio.Session().SendCommand(enter)) return kExitNoResponse;
  }
  radio.Calls().SetLinkQualityMessage(options.message);
  std::string reason;
  if (!radio.Calls().SendLinkQuality(&reason)) return reason.empty() ? kExitNoResponse : kExitUsage;
  const auto& lq = radio.Calls().LinkQuality();
  if (!radio.DispatchUntil(After(options.seconds), [&lq] { return !lq.biDirectionalRunning; })) {
    err << "varimctl: the exchange did not end within " << options.seconds << " s\n";
    return kExitNoResponse;
  }
  out << "link-quality exchange ended\n";
  return kExitOk;
}

int RunSound(const LinkOptions& link, bool start, std::ostream& out, std::ostream& err) {
  CallLink radio(err, "", true);
  if (const int opened = radio.Open(link, start, err); opened != kExitOk) return opened;
  if (!start) {
    // A sounding another program started is stopped all the same.
    CRadioMessage frame;
    SetSoundOnOff(&frame, 0, 0);
    if (!radio.Session().SendCommand(frame)) return kExitNoResponse;
    out << "sounding stopped\n";
    return kExitOk;
  }
  if (const std::string problem = radio.PrepareNet(std::nullopt); !problem.empty()) {
    err << "varimctl: " << problem << "\n";
    return kExitUsage;
  }
  radio.Calls().RefreshLinkQualityTab();
  if (!radio.Calls().LinkQuality().soundingAllowed) {
    err << "varimctl: the net sounds by itself (its sounding is not Manual)\n";
    return kExitUsage;
  }
  radio.Calls().ChooseLinkQualityType(1);
  if (!radio.Calls().SendLinkQuality()) return kExitNoResponse;
  out << "sounding started\n";
  return kExitOk;
}

}  // namespace varimctl
