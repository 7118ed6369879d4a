#pragma once

#include <atomic>
#include <initializer_list>
#include <ostream>
#include <string>

#include "varim/core/event_pump.h"
#include "varim/core/operator.h"
#include "varim/core/radio_session.h"

namespace varimctl {

// The operator on a terminal: messages go to the error stream one per line; questions are
// asked when the input is a terminal, else answered by --yes.
class TerminalOperator : public varim::core::Operator {
 public:
  TerminalOperator(std::ostream& err, bool assumeYes) : err_(err), assumeYes_(assumeYes) {}
  void Notify(const std::string& text, Icon icon) override;
  bool Ask(const std::string& text) override;
  bool Confirm(const std::string& text) override;

 private:
  // Asks on the terminal; true when the answer is one of the accepted words.
  bool AskTerminal(const std::string& text, const char* choices,
                   std::initializer_list<const char*> accepted);

  std::ostream& err_;
  bool assumeYes_;
};

// Nothing to keep live on a terminal: waits are plain waits.
class TerminalPump : public varim::core::EventPump {
 public:
  void Dispatch() override {}
  void Wait(int ms) override;
};

// A one-line progress bar ("[#####.....]  42% Reading Channels Section") on a terminal, a line
// per section in a log, or nothing. Ends the transfer at the next chunk once the stop flag is
// set (Ctrl-C).
class TerminalProgress : public varim::core::ProgressObserver {
 public:
  enum class Style { kNone, kLines, kBar };

  TerminalProgress(std::ostream& err, Style style, const std::atomic<bool>& stop,
                   varim::core::RadioSession& session)
      : err_(err), style_(style), stop_(stop), session_(session) {}
  ~TerminalProgress() override { Finish(); }
  void OnProgress(const varim::core::ProgressView& view) override;
  // Ends the bar's line.
  void Finish();

 private:
  std::ostream& err_;
  Style style_;
  const std::atomic<bool>& stop_;
  varim::core::RadioSession& session_;
  std::string lastStatus_;
  bool drawn_ = false;
};

}  // namespace varimctl
