#pragma once

#include <QSlider>
#include <functional>

#include "varim/panels/scroll_action.h"

namespace varim::ui {

// Hands every move of the slider to scrolled, named as the panes know it, with the position
// the slider moved to. A value scrolled sets on the slider is where the slider rests.
void ForwardScrolls(QSlider& slider,
                    std::function<void(varim::panels::ScrollAction, int)> scrolled);

}  // namespace varim::ui
