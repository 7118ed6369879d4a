#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "varim/core/operator.h"
#include "varim/panels/bite_tables.h"
#include "varim/panels/one_shot_timer.h"
#include "varim/radio_message.h"

namespace varim::panels {

struct Rgb {
  int red;
  int green;
  int blue;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBiteBusyColour{255, 255, 0};
inline constexpr Rgb kBiteIdleColour{192, 192, 192};

// What the built-in test needs of the connection: the way every command is sent (false when
// the radio did not take it, the operator has been told), and a wait that keeps the window live.
struct BiteLink {
  std::function<bool(const CRadioMessage&)> send;
  // Rounds of 10 ms.
  std::function<void(int rounds)> pumpWait;
  std::function<void(bool busy)> setBusy;
};

struct BiteItemResult {
  int number;
  std::string name;
  BiteResultClass resultClass;
  bool operator==(const BiteItemResult&) const = default;
};

// Everything the dialog shows.
struct BitePicture {
  int testType = 0;
  std::string prompt = kBiteTestTypes[0].prompt;
  bool controlsEnabled = true;
  std::vector<BiteItemResult> items;
  int progress = 0;
  std::string status;
  Rgb statusColour = kBiteIdleColour;
  int passed = 0;
  int failed = 0;
  int notPerformed = 0;
  bool resultsReceived = false;
};

// One open built-in test dialog without its widgets: the operator's choices, the radio's
// progress and results, the watchdog that gives up on a silent radio, and the reset that ends a
// test. Runs on the window's thread.
class BiteTest {
 public:
  static constexpr std::chrono::milliseconds kWatchdog{10000};
  static constexpr int kFullProgress = 12;
  // How long the radio is given to restart after the closing reset, in rounds of 10 ms.
  static constexpr int kResetRounds = 200;

  BiteTest(BiteLink link, varim::core::Operator& op, OneShotTimer& watchdog);
  ~BiteTest();
  BiteTest(const BiteTest&) = delete;
  BiteTest& operator=(const BiteTest&) = delete;

  // Told after every change of the picture.
  void SetListener(std::function<void(const BitePicture&)> changed);
  // What closes the dialog when the test ends it (Close, the watchdog, a refused test).
  void SetCloser(std::function<void()> close) { close_ = std::move(close); }

  void ChooseType(int type);
  // The Run button. True when the radio took the request; false when the operator cancelled
  // the load question (nothing sent) or the send failed.
  bool Run();
  // The radio's display line changed.
  void ShowProgress(std::string_view displayText);
  // The radio's self-test report.
  void ShowResults(const CRadioMessage& report);
  // The Close button: a started test is ended with a reset and the radio given time for it.
  void Close();
  // The window's frame closed the dialog: no reset.
  void ClosedByFrame();
  // The radio refused the test.
  void Refused();

  const BitePicture& Picture() const { return picture_; }
  bool TestStarted() const { return testStarted_; }
  bool Closed() const { return closed_; }

 private:
  void SetStatus(std::string text, Rgb colour);
  void ArmWatchdog();
  void WatchdogExpired();
  void End();
  void Changed();

  BiteLink link_;
  varim::core::Operator& operator_;
  OneShotTimer& watchdog_;
  std::function<void(const BitePicture&)> changed_;
  std::function<void()> close_;
  BitePicture picture_;
  bool testStarted_ = false;
  // From the Close button on, nothing the radio reports changes the dialog any more.
  bool closing_ = false;
  bool closed_ = false;
};

}  // namespace varim::panels
