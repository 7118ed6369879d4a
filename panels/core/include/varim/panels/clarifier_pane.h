#pragma once

#include <functional>

#include "varim/panels/scroll_action.h"
#include "varim/radio_message.h"

namespace varim::panels {

// The clarifier: a receive offset of -200..200 Hz in steps of 10 that the operator sets with a
// slider, a "0" button and two step buttons. Position 0 is the clarifier switched off.
class ClarifierPane {
 public:
  // Sends one frame to the radio; true when the radio acknowledged it.
  using Sender = std::function<bool(const CRadioMessage&)>;

  static constexpr int kMinimum = -200;
  static constexpr int kMaximum = 200;
  static constexpr int kStep = 10;
  static constexpr int kPage = 50;

  explicit ClarifierPane(Sender send) : send_(std::move(send)) {}

  // The nearest step within the range, halves away from zero.
  static int Snap(int position);

  // The slider moved to position; the radio hears of it unless the thumb is still dragged.
  // True when a command went out and was acknowledged.
  bool Scroll(ScrollAction action, int position);
  // The "0" button.
  bool Centre() { return Scroll(ScrollAction::kRelease, 0); }
  // A step button: one step down (-1) or up (+1), held at the ends of the range.
  bool Step(int direction) { return Scroll(ScrollAction::kLine, position_ + direction * kStep); }
  // Takes the radio's own setting; nothing is sent.
  void Load(int position) { position_ = Snap(position); }
  // A disabled pane rests at 0, so it never shows an offset the operator cannot change.
  void SetEnabled(bool enabled);

  int Position() const { return position_; }
  bool On() const { return position_ != 0; }
  bool Enabled() const { return enabled_; }
  bool Dragging() const { return dragging_; }

 private:
  bool Send();

  Sender send_;
  int position_ = 0;
  bool enabled_ = false;
  bool dragging_ = false;
};

}  // namespace varim::panels
