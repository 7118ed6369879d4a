#include "front_panel_feature.h"

namespace varim::ui {

CFrontPanelFeature::CFrontPanelFeature(varim::core::ConnectionController& controller,
                                       varim::core::Operator& op, QObject* parent)
    : QObject(parent), panel_(controller.Session(), op) {
  panel_.Install(controller.Dispatcher(), controller.State());
}

}  // namespace varim::ui
