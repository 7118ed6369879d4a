#pragma once

#include <functional>

#include "varim/core/connection_controller.h"
#include "varim/panels/scroll_action.h"
#include "varim/radio_message.h"

namespace varim::panels {

// The notch filter: a notch at 300..2700 Hz that the radio moves in steps of 240 Hz, counted
// from 300 Hz as its notch index 0..10; 300 Hz (index 0) is the filter switched off.
class NotchPane {
 public:
  // Sends one frame to the radio; true when the radio acknowledged it.
  using Sender = std::function<bool(const CRadioMessage&)>;

  // The controller reads the radio's notch index on the same scale.
  static constexpr int kMinimum = varim::core::ConnectionController::kNotchMinimum;
  static constexpr int kMaximum = varim::core::ConnectionController::kNotchMaximum;
  static constexpr int kStep = varim::core::ConnectionController::kNotchLineSize;

  explicit NotchPane(Sender send) : send_(std::move(send)) {}

  // The nearest step from 300 Hz within the range, halves upwards.
  static int Snap(int position);

  // The slider moved to position; the radio hears of it unless the thumb is still dragged.
  // True when a command went out and was acknowledged.
  bool Scroll(ScrollAction action, int position);
  // The "OFF" button.
  bool Off() { return Scroll(ScrollAction::kRelease, kMinimum); }
  // A step button: one step down (-1) or up (+1), held at the ends of the range.
  bool Step(int direction) { return Scroll(ScrollAction::kLine, position_ + direction * kStep); }
  // Takes the radio's own setting; nothing is sent.
  void Load(int position) { position_ = Snap(position); }
  // A disabled pane rests at 300 Hz, the filter off.
  void SetEnabled(bool enabled);

  int Position() const { return position_; }
  // The radio's count of steps from 300 Hz.
  int Index() const { return (position_ - kMinimum) / kStep; }
  bool Enabled() const { return enabled_; }
  bool Dragging() const { return dragging_; }

 private:
  Sender send_;
  int position_ = kMinimum;
  bool enabled_ = false;
  bool dragging_ = false;
};

}  // namespace varim::panels
