#include "varim/panels/bite.h"

#include "varim/radio_opcodes.h"

namespace varim::panels {

namespace {

constexpr char kDialogExists[] = "OnBite(): CBiteDlg problem1";
// The radio's own test types; a report with another first byte is not the answer to ours.
constexpr int kSelfTestTypes = 3;

}  // namespace

Bite::Bite(BiteLink link, varim::core::Operator& op, OneShotTimer& watchdog, Show show)
    : link_(std::move(link)), operator_(op), watchdog_(watchdog), show_(std::move(show)) {}

void Bite::Install(varim::core::CommandRegistry& commands,
                   varim::core::ReportDispatcher& dispatcher, varim::core::RadioState& state,
                   varim::core::CommandRegistry::Predicate enabled) {
  state_ = &state;
  lastDisplay_ = state.Now().displayText;
  const std::weak_ptr<Bite*> alive = self_;
  state.Observe([alive](const varim::core::RadioStatus& s) {
    if (const auto self = alive.lock()) (*self)->OnDisplay(s);
  });
  commands.Install(varim::core::CommandId::kBite, {std::move(enabled), {}, [alive] {
                                                     if (const auto self = alive.lock())
                                                       (*self)->Open();
                                                   }});
  dispatcher.On(report::kSelfTest, [alive](const CRadioMessage& f) {
    if (const auto self = alive.lock()) (*self)->OnSelfTest(f);
  });
  dispatcher.On(report::kCommandRefused, [alive](const CRadioMessage& f) {
    if (const auto self = alive.lock()) (*self)->OnCommandRefused(f);
  });
}

void Bite::Open() {
  if (current_) {
    operator_.Notify(kDialogExists, varim::core::Operator::Icon::kExclamation);
    return;
  }
  current_ = std::make_unique<BiteTest>(link_, operator_, watchdog_);
  link_.setBusy(true);
  if (state_ != nullptr) state_->Change([](varim::core::RadioStatus& s) { s.biteOpen = true; });
  show_(*current_);
  if (!current_->Closed()) current_->ClosedByFrame();
  if (state_ != nullptr) state_->Change([](varim::core::RadioStatus& s) { s.biteOpen = false; });
  link_.setBusy(false);
  current_.reset();
}

void Bite::OnDisplay(const varim::core::RadioStatus& status) {
  if (status.displayText == lastDisplay_) return;
  lastDisplay_ = status.displayText;
  if (current_ && status.biteOpen) current_->ShowProgress(lastDisplay_);
}

void Bite::OnSelfTest(const CRadioMessage& report) {
  if (!current_ || state_ == nullptr || !state_->Now().biteOpen) return;
  if (report.GetDataByte(0) < kSelfTestTypes) current_->ShowResults(report);
}

void Bite::OnCommandRefused(const CRadioMessage& report) {
  if (current_ && report.GetDataByte(0) == opcode::kPerformSelfTest) current_->Refused();
}

}  // namespace varim::panels
