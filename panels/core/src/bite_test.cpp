#include "varim/panels/bite_test.h"

#include <algorithm>
#include <cstdio>

#include "varim/core/operator_texts.h"
#include "varim/radio_commands.h"

namespace varim::panels {

namespace {

constexpr char kWaitForReset[] = "Wait to perform RESET!!!";
constexpr char kSummaryFormat[] = "Summary: %d Passed, %d Failed, %d Not Performed";
// The radio shows its own label in the first positions and adds a dot at every step after.
constexpr std::size_t kFirstProgressDot = 3;
constexpr int kProgressPerDot = 3;

}  // namespace

BiteTest::BiteTest(BiteLink link, varim::core::Operator& op, OneShotTimer& watchdog)
    : link_(std::move(link)), operator_(op), watchdog_(watchdog) {}

BiteTest::~BiteTest() {
  watchdog_.Stop();
}

void BiteTest::SetListener(std::function<void(const BitePicture&)> changed) {
  changed_ = std::move(changed);
  Changed();
}

void BiteTest::Changed() {
  if (changed_) changed_(picture_);
}

void BiteTest::SetStatus(std::string text, Rgb colour) {
  picture_.status = std::move(text);
  picture_.statusColour = colour;
}

void BiteTest::ChooseType(int type) {
  if (type < 0 || type >= kBiteTestTypeCount) return;
  picture_.testType = type;
  picture_.prompt = kBiteTestTypes[type].prompt;
  Changed();
}

bool BiteTest::Run() {
  if (closing_ || closed_) return false;
  const std::string prompt = kBiteTestTypes[picture_.testType].prompt;
  if (!prompt.empty() && !operator_.Confirm(prompt)) return false;
  picture_.controlsEnabled = false;
  picture_.items.clear();
  picture_.progress = 0;
  SetStatus("", kBiteIdleColour);
  picture_.resultsReceived = false;
  Changed();

  CRadioMessage request;
  PerformSelfTest(&request, 1, picture_.testType);
  const bool sent = link_.send(request);
  if (sent) {
    SetStatus(varim::core::texts::kCommandInProgress, kBiteBusyColour);
  } else {
    picture_.controlsEnabled = true;
    picture_.progress = 0;
  }
  // Even after a failed send: the radio may still have heard the request, and the watchdog is
  // what closes the dialog when it stays silent.
  testStarted_ = true;
  ArmWatchdog();
  Changed();
  return sent;
}

void BiteTest::ArmWatchdog() {
  watchdog_.Start(kWatchdog, [this] { WatchdogExpired(); });
}

void BiteTest::WatchdogExpired() {
  if (closed_) return;
  operator_.Notify(varim::core::texts::kRadioDoesNotRespond,
                   varim::core::Operator::Icon::kExclamation);
  End();
}

void BiteTest::ShowProgress(std::string_view displayText) {
  if (closing_ || closed_) return;
  watchdog_.Stop();
  const int dots = displayText.size() > kFirstProgressDot
                       ? static_cast<int>(std::count(displayText.begin() + kFirstProgressDot,
                                                     displayText.end(), '.'))
                       : 0;
  if (dots > 1) {
    // A radio that adds more dots than its steps must not overrun the bar.
    picture_.progress = std::min(kProgressPerDot * dots - kProgressPerDot, kFullProgress);
    Changed();
  }
  if (!picture_.resultsReceived) ArmWatchdog();
}

void BiteTest::ShowResults(const CRadioMessage& report) {
  if (closing_ || closed_) return;
  picture_.resultsReceived = true;
  watchdog_.Stop();
  picture_.passed = picture_.failed = picture_.notPerformed = 0;
  picture_.items.clear();
  // A short report carries no result for the items past its end: they are not listed rather
  // than read from whatever the frame held before.
  const int reported = std::min(report.GetLen() - 1 - 1, kBiteItems);
  for (int number = 1; number <= reported; ++number) {
    const BiteResultClass resultClass = BiteResultClassOf(report.GetDataByte(number));
    switch (resultClass) {
      case BiteResultClass::kIgnored:
        continue;
      case BiteResultClass::kPassed:
        ++picture_.passed;
        break;
      case BiteResultClass::kFailed:
        ++picture_.failed;
        break;
      case BiteResultClass::kNotPerformed:
        ++picture_.notPerformed;
        break;
    }
    picture_.items.push_back({number, BiteItemName(number), resultClass});
  }
  picture_.controlsEnabled = true;
  picture_.progress = kFullProgress;
  char summary[96];
  std::snprintf(summary, sizeof summary, kSummaryFormat, picture_.passed, picture_.failed,
                picture_.notPerformed);
  SetStatus(summary, kBiteIdleColour);
  Changed();
}

void BiteTest::Close() {
  if (closed_) return;
  closing_ = true;
  // The reset wait keeps the window live: a watchdog firing in it would close the dialog twice.
  watchdog_.Stop();
  if (testStarted_) {
    // Nothing may start again while the radio restarts.
    picture_.controlsEnabled = false;
    CRadioMessage reset;
    PerformReset(&reset);
    link_.send(reset);
    SetStatus(kWaitForReset, kBiteBusyColour);
    Changed();
    link_.pumpWait(kResetRounds);
  }
  End();
}

void BiteTest::ClosedByFrame() {
  testStarted_ = false;
  watchdog_.Stop();
  closed_ = true;
}

void BiteTest::Refused() {
  if (closed_) return;
  End();
}

void BiteTest::End() {
  if (closed_) return;
  watchdog_.Stop();
  closed_ = true;
  if (close_) close_();
}

}  // namespace varim::panels
