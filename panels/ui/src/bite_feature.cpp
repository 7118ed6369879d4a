#include "bite_feature.h"

#include "bite_dlg.h"

namespace varim::ui {

CBiteFeature::CBiteFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
                           QWidget* window)
    : QObject(window),
      watchdog_(this),
      bite_({[&controller](const CRadioMessage& frame) { return controller.SendCommand(frame); },
             [&controller](int rounds) { controller.PumpWait(rounds); },
             [&controller](bool busy) { controller.SetBusy(busy); }},
            op, watchdog_, [window](varim::panels::BiteTest& test) {
              CBiteDlg dialog(test, window);
              dialog.exec();
            }) {
  bite_.Install(controller.Commands(), controller.Dispatcher(), controller.State(), [&controller] {
    return controller.StateOf(varim::core::CommandId::kBite).enabled;
  });
}

}  // namespace varim::ui
