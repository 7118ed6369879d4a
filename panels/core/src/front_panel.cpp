#include "varim/panels/front_panel.h"

#include "varim/core/operator_texts.h"
#include "varim/panels/display_report.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::panels {

using varim::core::Operator;
using varim::core::RadioGeneration;
using varim::core::RadioStatus;

FrontPanel::FrontPanel(varim::core::RadioSession& session, Operator& op)
    : session_(session), operator_(op) {}

void FrontPanel::Install(varim::core::ReportDispatcher& dispatcher,
                         varim::core::RadioState& state) {
  state_ = &state;
  dispatcher.On(report::kDisplay, [this](const CRadioMessage& frame) { OnDisplayReport(frame); });
}

void FrontPanel::SetPanels(DisplayPanel& varim2e, DisplayPanel& varim) {
  varim2e_ = &varim2e;
  varim_ = &varim;
}

void FrontPanel::OnDisplayReport(const CRadioMessage& frame) {
  DisplayPanel& panel = state_->Now().generation == RadioGeneration::kVarim2E ? *varim2e_ : *varim_;
  ApplyDisplayReport(frame, model_, panel);
  const std::string line1 = FieldText(model_.line1);
  state_->Change([&line1](RadioStatus& s) { s.displayText = line1; });
}

bool FrontPanel::Press(int key) {
  // A press waits for its acknowledgements with the window live: a second click meanwhile would
  // put its press between this press and its release.
  if (pressing_) return false;
  if (!session_.IsOpen()) {
    operator_.Notify(varim::core::texts::kRadioDoesNotRespond, Operator::Icon::kExclamation);
    return false;
  }
  CRadioMessage press;
  CRadioMessage release;
  if (ReportControlHeadKeyboard(&press, key) != 1 ||
      ReportControlHeadKeyboard(&release, key::kIdle) != 1)
    return false;
  pressing_ = true;
  const bool pressed = session_.SendCommand(press) && session_.SendCommand(release);
  pressing_ = false;
  return pressed;
}

}  // namespace varim::panels
