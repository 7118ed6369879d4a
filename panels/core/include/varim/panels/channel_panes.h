#pragma once

#include <functional>

#include "varim/core/connection_controller.h"
#include "varim/panels/clarifier_pane.h"
#include "varim/panels/notch_pane.h"

namespace varim::panels {

// The clarifier and notch-filter panes of the Computer Interface panel, kept in step with the
// controller: they take input by the panes' enabling rule, start from the positions the last
// read found in the radio, and write what the radio acknowledged back into the controller's
// picture so that a later refresh does not undo the operator's setting. Runs on the window's
// thread, and lives as long as the controller: the window tears both down together.
class ChannelPanes {
 public:
  explicit ChannelPanes(varim::core::ConnectionController& controller);
  ChannelPanes(const ChannelPanes&) = delete;
  ChannelPanes& operator=(const ChannelPanes&) = delete;

  // Follows the radio's state (link, ALE, CCIR) from now on.
  void Install(varim::core::RadioState& state);
  // The controller's flags or picture changed: enabling, positions and visibility follow.
  void Refresh();
  // Told after every refresh, to mirror the panes.
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

  ClarifierPane& Clarifier() { return clarifier_; }
  NotchPane& Notch() { return notch_; }
  // The operator's "View Clarifier On/Off" and "View Notch Filter On/Off" toggles.
  bool ClarifierShown() const { return controller_.Picture().clarifierShown; }
  bool NotchShown() const { return controller_.Picture().notchShown; }

 private:
  bool SendClarifier(const CRadioMessage& frame);
  bool SendNotch(const CRadioMessage& frame);

  varim::core::ConnectionController& controller_;
  ClarifierPane clarifier_;
  NotchPane notch_;
  std::function<void()> listener_;
};

}  // namespace varim::panels
