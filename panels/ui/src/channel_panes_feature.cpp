#include "channel_panes_feature.h"

namespace varim::ui {

CChannelPanesFeature::CChannelPanesFeature(varim::core::ConnectionController& controller,
                                           QObject* parent)
    : QObject(parent), panes_(controller) {
  panes_.Install(controller.State());
}

}  // namespace varim::ui
