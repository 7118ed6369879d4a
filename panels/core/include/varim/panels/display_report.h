#pragma once

#include "varim/panels/display_model.h"
#include "varim/panels/display_panel.h"
#include "varim/radio_message.h"

namespace varim::panels {

// Decodes one display report (opcode 46) into the model and tells the panel what to redraw.
// Sub-types the head does not send, and reports too short for their sub-type, change nothing.
void ApplyDisplayReport(const CRadioMessage& frame, DisplayModel& model, DisplayPanel& panel);

}  // namespace varim::panels
