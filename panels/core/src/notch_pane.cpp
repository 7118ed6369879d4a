#include "varim/panels/notch_pane.h"

#include <algorithm>

#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::panels {

int NotchPane::Snap(int position) {
  const int offset = std::clamp(position, kMinimum, kMaximum) - kMinimum;
  return kMinimum + (offset + kStep / 2) / kStep * kStep;
}

bool NotchPane::Scroll(ScrollAction action, int position) {
  position_ = Snap(position);
  dragging_ = action == ScrollAction::kTrack;
  if (!TellsRadio(action)) return false;
  // The notch alone: the clipper, noise blanker and attenuator stay as the radio has them.
  CRadioMessage frame;
  SetDspMenuParameters(&frame, 0, Index(), opcode::kUnchanged, opcode::kUnchanged,
                       opcode::kUnchanged);
  return send_(frame);
}

void NotchPane::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) {
    position_ = kMinimum;
    dragging_ = false;
  }
}

}  // namespace varim::panels
