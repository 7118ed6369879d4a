#pragma once

#include <QLineEdit>
#include <QSpinBox>

namespace varim::ui {

// Names a spin box for screen readers; its text is a box of its own to them and takes the
// same name.
inline void NameSpinBox(QSpinBox* spin, const QString& name) {
  spin->setAccessibleName(name);
  if (auto* text = spin->findChild<QLineEdit*>()) text->setAccessibleName(name);
}

}  // namespace varim::ui
