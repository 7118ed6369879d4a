#include "varim/panels/clarifier_pane.h"

#include <algorithm>
#include <cstdlib>

#include "varim/radio_commands.h"

namespace varim::panels {

namespace {

// How SetClarifier tells the radio the sign of the offset.
constexpr int kDirectionOff = 0;
constexpr int kDirectionUp = 1;
constexpr int kDirectionDown = 2;

}  // namespace

int ClarifierPane::Snap(int position) {
  const int magnitude = (std::abs(position) + kStep / 2) / kStep * kStep;
  return std::clamp(position < 0 ? -magnitude : magnitude, kMinimum, kMaximum);
}

bool ClarifierPane::Scroll(ScrollAction action, int position) {
  position_ = Snap(position);
  dragging_ = action == ScrollAction::kTrack;
  return TellsRadio(action) && Send();
}

void ClarifierPane::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) {
    position_ = 0;
    dragging_ = false;
  }
}

bool ClarifierPane::Send() {
  const int direction = position_ > 0   ? kDirectionUp
                        : position_ < 0 ? kDirectionDown
                                        : kDirectionOff;
  CRadioMessage frame;
  SetClarifier(&frame, 0, direction, std::abs(position_));
  return send_(frame);
}

}  // namespace varim::panels
