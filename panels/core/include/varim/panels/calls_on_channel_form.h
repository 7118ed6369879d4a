#pragma once

#include "varim/core/connection_controller.h"
#include "varim/panels/calls.h"
#include "varim/panels/channel_control.h"

namespace varim::panels {

// The calls panel working the channel form it sits in: a call moves the scan selector to its
// net and the channel list to its channel, holds the channel area while it runs, and writes
// the scan state back; the form's scan state and the net it scans reach the calls panel. Calls, form and
// controller live as long as each other, as the window's features do.
class CallsOnChannelForm {
 public:
  static void Install(Calls& calls, ChannelControl& form,
                      varim::core::ConnectionController& controller);

 private:
  CallsOnChannelForm(Calls& calls, ChannelControl& form,
                     varim::core::ConnectionController& controller)
      : calls_(calls), form_(form), controller_(controller) {}

  void EnterNet(int net);
  void SelectChannel(int number);
  void EnableChannelControls(bool enabled);
  void ScanStateChanged(ChannelControl::ScanButton state);

  Calls& calls_;
  ChannelControl& form_;
  varim::core::ConnectionController& controller_;
  // Set while the calls panel works the form: what it does there is its own doing, not news.
  bool callsAtWork_ = false;
};

}  // namespace varim::panels
