#include "ccir_editors_feature.h"

#include <QVBoxLayout>

#include "ccir_form_view.h"

namespace varim::ui {

CCcirEditorsFeature::CCcirEditorsFeature(varim::core::ConnectionController& controller,
                                         varim::core::Operator& op, QWidget* ccirEditor,
                                         QWidget* window)
    : QObject(window),
      form_(std::make_unique<varim::panels::CcirForm>(controller.Session().Databases(), op)) {
  if (ccirEditor->layout() == nullptr) new QVBoxLayout(ccirEditor);
  ccirEditor->layout()->addWidget(new CCcirFormView(*form_, ccirEditor));
  controller.OnRead([this] { Reload(); });
}

}  // namespace varim::ui
