#pragma once

#include <QObject>
#include <QRadioButton>

#include <functional>
#include <utility>

namespace varim::ui {

// Runs chosen when the operator picks the button, by mouse, keyboard or an assistive tool (the
// accessibility interface toggles a radio button rather than clicking it). The panels mirror
// their state into the buttons with the signals blocked, so only such choices arrive here.
inline void OnChosen(QRadioButton* button, QObject* context, std::function<void()> chosen) {
  QObject::connect(button, &QRadioButton::toggled, context,
                   [chosen = std::move(chosen)](bool on) {
                     if (on) chosen();
                   });
}

}  // namespace varim::ui
