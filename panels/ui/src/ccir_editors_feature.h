#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>

#include "varim/core/connection_controller.h"
#include "varim/panels/ccir_form.h"

namespace varim::ui {

// The CCIR panel's editors: the form in the panel's CCIR box and, from it, the directory
// dialog, both on the program's CCIR record.
class CCcirEditorsFeature : public QObject {
  Q_OBJECT

 public:
  CCcirEditorsFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
                      QWidget* ccirEditor, QWidget* window);

  // The form from the record, after a read or a file was opened or made.
  void Reload() { form_->Load(); }
  // Told after every edit of the record, which the .ccr file does not hold yet.
  void SetEdited(std::function<void()> edited) { form_->SetEdited(std::move(edited)); }

 private:
  std::unique_ptr<varim::panels::CcirForm> form_;
};

}  // namespace varim::ui
