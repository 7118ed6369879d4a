#pragma once

#include "varim/core/operator.h"
#include "varim/core/radio_session.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"
#include "varim/panels/display_model.h"
#include "varim/panels/display_panel.h"

namespace varim::panels {

// The radio's control head on the computer: the display the radio reports, decoded into one
// model and drawn by the rendering of the radio's generation, and the head's keys pressed and
// released over the link. Line 1 of the display is the radio's display text for the rest of
// the program. Runs on the window's thread.
class FrontPanel {
 public:
  FrontPanel(varim::core::RadioSession& session, varim::core::Operator& op);
  FrontPanel(const FrontPanel&) = delete;
  FrontPanel& operator=(const FrontPanel&) = delete;

  // Takes the display reports from the dispatcher and publishes line 1 in the state.
  void Install(varim::core::ReportDispatcher& dispatcher, varim::core::RadioState& state);
  // The renderings: one for the VARIM-2E head, the other for every other radio.
  void SetPanels(DisplayPanel& varim2e, DisplayPanel& varim);

  // Presses the key and, once the radio took the press, releases it; true only when both were
  // acknowledged. With the port closed nothing is sent and the operator is told.
  bool Press(int key);

  const DisplayModel& Model() const { return model_; }

 private:
  void OnDisplayReport(const CRadioMessage& frame);

  varim::core::RadioSession& session_;
  varim::core::Operator& operator_;
  varim::core::RadioState* state_ = nullptr;
  NoDisplayPanel noPanel_;
  DisplayPanel* varim2e_ = &noPanel_;
  DisplayPanel* varim_ = &noPanel_;
  DisplayModel model_;
  bool pressing_ = false;
};

}  // namespace varim::panels
