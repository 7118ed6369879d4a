#include "varim/panels/channel_panes.h"

#include "varim/panels/pane_enabling.h"

namespace varim::panels {

ChannelPanes::ChannelPanes(varim::core::ConnectionController& controller)
    : controller_(controller),
      clarifier_([this](const CRadioMessage& frame) { return SendClarifier(frame); }),
      notch_([this](const CRadioMessage& frame) { return SendNotch(frame); }) {}

void ChannelPanes::Install(varim::core::RadioState& state) {
  state.Observe([this](const varim::core::RadioStatus&) { Refresh(); });
  Refresh();
}

void ChannelPanes::Refresh() {
  const varim::core::RadioStatus& status = controller_.State().Now();
  const varim::core::RadioPicture& picture = controller_.Picture();
  const PaneEnabling enabling =
      EnablingOf({controller_.PanelsEnabled(), controller_.Session().ReportsEnabled(),
                  picture.aleCapable, status.linkUp, status.ccirPresent, status.aleOff});
  clarifier_.SetEnabled(enabling.clarifier);
  notch_.SetEnabled(enabling.notch);
  // The picture holds the radio's setting; a thumb in the operator's hand is left alone.
  if (clarifier_.Enabled() && !clarifier_.Dragging()) clarifier_.Load(picture.clarifierPosition);
  if (notch_.Enabled() && !notch_.Dragging()) notch_.Load(picture.notchPosition);
  if (listener_) listener_();
}

bool ChannelPanes::SendClarifier(const CRadioMessage& frame) {
  if (!controller_.SendCommand(frame)) return false;
  varim::core::RadioPicture& picture = controller_.Picture();
  picture.clarifierPosition = clarifier_.Position();
  picture.clarifierOff = !clarifier_.On();
  return true;
}

bool ChannelPanes::SendNotch(const CRadioMessage& frame) {
  if (!controller_.SendCommand(frame)) return false;
  controller_.Picture().notchPosition = notch_.Position();
  return true;
}

}  // namespace varim::panels
