#pragma once

#include <QWidget>

#include "varim/core/operator.h"

namespace varim::ui {

// The operator's messages as modal message boxes over the main window.
class MessageBoxOperator : public varim::core::Operator {
 public:
  explicit MessageBoxOperator(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Notify(const std::string& text, Icon icon) override;
  bool Ask(const std::string& text) override;
  bool Confirm(const std::string& text) override;

 private:
  QWidget* parent_;
};

}  // namespace varim::ui
