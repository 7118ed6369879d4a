#include "selftest_command.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "json_text.h"
#include "session_link.h"
#include "terminal_io.h"
#include "varim/core/command_registry.h"
#include "varim/core/radio_reports.h"
#include "varim/core/radio_session.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"
#include "varim/panels/bite.h"
#include "varim/panels/deadline_timer.h"
#include "varim/panels/front_panel.h"
#include "varim/port_names.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varimctl {

namespace {

using varim::panels::BitePicture;
using varim::panels::BiteTest;

constexpr char kCannotPerform[] = "Can not perform ";

// The radio's reports, taken on the session's incoming thread and handled on ours whenever the
// command waits: the watchdog is polled there too, as the window's event loop would.
class ReportPump : public varim::core::EventPump {
 public:
  ReportPump(varim::core::ReportDispatcher& dispatcher, varim::panels::DeadlineTimer& watchdog)
      : dispatcher_(dispatcher), watchdog_(watchdog) {}

  void Take(CRadioMessage frame) {
    std::lock_guard lock(mutex_);
    reports_.push_back(frame);
  }
  void Dispatch() override {
    for (;;) {
      CRadioMessage frame;
      {
        std::lock_guard lock(mutex_);
        if (reports_.empty()) break;
        frame = reports_.front();
        reports_.pop_front();
      }
      dispatcher_.Dispatch(frame);
    }
    watchdog_.Poll();
  }
  void Wait(int ms) override {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
      Dispatch();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (std::chrono::steady_clock::now() < until);
  }

 private:
  varim::core::ReportDispatcher& dispatcher_;
  varim::panels::DeadlineTimer& watchdog_;
  std::mutex mutex_;
  std::deque<CRadioMessage> reports_;
};

void PrintResults(const BitePicture& picture, bool json, std::ostream& out) {
  if (json) {
    out << "{\"items\": [";
    const char* separator = "";
    for (const varim::panels::BiteItemResult& item : picture.items) {
      out << separator << "{\"number\": " << item.number << ", \"name\": " << JsonString(item.name)
          << ", \"result\": " << JsonString(varim::panels::BiteResultWord(item.resultClass)) << "}";
      separator = ", ";
    }
    out << "], \"passed\": " << picture.passed << ", \"failed\": " << picture.failed
        << ", \"not_performed\": " << picture.notPerformed << "}\n";
    return;
  }
  for (const varim::panels::BiteItemResult& item : picture.items) {
    char line[96];
    std::snprintf(line, sizeof line, "%2d %-32s %s", item.number, item.name.c_str(),
                  varim::panels::BiteResultWord(item.resultClass));
    out << line << "\n";
  }
  out << picture.status << "\n";
}

// What became of the test.
enum class Outcome { kNotRun, kNoAnswer, kResults };

}  // namespace

int RunSelfTest(const LinkOptions& options, int testType, bool assumeYes, bool json,
                std::ostream& out, std::ostream& err) {
  TerminalOperator op(err, assumeYes);
  varim::core::RadioState state;
  varim::core::ReportDispatcher dispatcher;
  varim::core::CommandRegistry commands;
  varim::panels::DeadlineTimer watchdog;
  ReportPump pump(dispatcher, watchdog);
  varim::core::RadioSession session(op, pump, [&pump](CRadioMessage frame) { pump.Take(frame); });
  if (!OpenSession(session, options, err)) return kExitPortUnavailable;

  // The test's progress dots come in the radio's display line, as the front panel reads it.
  varim::panels::FrontPanel frontPanel(session, op);
  frontPanel.Install(dispatcher, state);
  dispatcher.On(report::kCommandRefused, [&op](const CRadioMessage& frame) {
    if (frame.GetDataByte(0) != opcode::kPerformSelfTest) return;
    op.Notify(std::string(kCannotPerform) +
                  varim::core::RadioReports::RefusedCommandText(opcode::kPerformSelfTest),
              varim::core::Operator::Icon::kExclamation);
  });

  // Without display reports the radio shows its progress on its own head only.
  CRadioMessage displayOn;
  EnableDisableSpecialReport(&displayOn, 0, 1, report::kDisplay);
  if (!session.SendCommand(displayOn)) return kExitNoResponse;

  Outcome outcome = Outcome::kNotRun;
  BitePicture results;
  varim::panels::Bite bite(
      {[&session](const CRadioMessage& frame) { return session.SendCommand(frame); },
       [&pump](int rounds) { pump.Wait(rounds * 10); }, [](bool) {}},
      op, watchdog, [&](BiteTest& test) {
        int shownProgress = 0;
        std::string shownStatus;
        test.SetListener([&](const BitePicture& picture) {
          if (picture.progress != shownProgress && picture.progress > 0)
            err << "progress " << picture.progress << "/" << BiteTest::kFullProgress << "\n";
          shownProgress = picture.progress;
          // The summary goes out with the results.
          const bool summary = picture.resultsReceived && picture.controlsEnabled;
          if (picture.status != shownStatus && !picture.status.empty() && !summary)
            err << picture.status << "\n";
          shownStatus = picture.status;
        });
        test.ChooseType(testType);
        if (!test.Run()) {
          // The request did not reach the radio: nothing to wait for and nothing to reset.
          outcome = test.TestStarted() ? Outcome::kNoAnswer : Outcome::kNotRun;
          return;
        }
        while (!test.Closed() && !test.Picture().resultsReceived) pump.Wait(10);
        if (!test.Picture().resultsReceived) {
          outcome = Outcome::kNoAnswer;
          return;
        }
        outcome = Outcome::kResults;
        results = test.Picture();
        PrintResults(results, json, out);
        test.Close();
      });
  bite.Install(commands, dispatcher, state, [] { return true; });
  bite.Open();

  switch (outcome) {
    case Outcome::kNotRun:
      err << "varimctl: no test was run\n";
      return kExitNoResponse;
    case Outcome::kNoAnswer:
      return kExitNoResponse;
    case Outcome::kResults:
      break;
  }
  return results.failed > 0 ? kExitNoResponse : kExitOk;
}

}  // namespace varimctl
