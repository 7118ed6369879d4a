#pragma once

namespace varim::panels {

// What moved a pane's slider. The radio is told where the slider settled, never while the
// operator is still dragging it, so a drag across the range is one command, not dozens.
enum class ScrollAction {
  kLine,     // an arrow key, the mouse wheel
  kPage,     // Page Up/Down, a click beside the thumb
  kEnd,      // Home/End
  kTrack,    // the thumb is being dragged
  kRelease,  // the thumb was let go
};

inline bool TellsRadio(ScrollAction action) {
  return action != ScrollAction::kTrack;
}

}  // namespace varim::panels
