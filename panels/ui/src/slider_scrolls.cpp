#include "slider_scrolls.h"

namespace varim::ui {

using varim::panels::ScrollAction;

void ForwardScrolls(QSlider& slider,
                    std::function<void(varim::panels::ScrollAction, int)> scrolled) {
  QObject::connect(
      &slider, &QAbstractSlider::actionTriggered, &slider, [&slider, scrolled](int action) {
        ScrollAction scroll = ScrollAction::kLine;
        switch (action) {
          case QAbstractSlider::SliderPageStepAdd:
          case QAbstractSlider::SliderPageStepSub:
            scroll = ScrollAction::kPage;
            break;
          case QAbstractSlider::SliderToMinimum:
          case QAbstractSlider::SliderToMaximum:
            scroll = ScrollAction::kEnd;
            break;
          case QAbstractSlider::SliderMove:
            // The mouse wheel moves the slider too, with the thumb untouched.
            scroll = slider.isSliderDown() ? ScrollAction::kTrack : ScrollAction::kLine;
            break;
          default:
            break;
        }
        scrolled(scroll, slider.sliderPosition());
      });
  QObject::connect(&slider, &QAbstractSlider::sliderReleased, &slider, [&slider, scrolled] {
    scrolled(ScrollAction::kRelease, slider.sliderPosition());
  });
}

}  // namespace varim::ui
