#pragma once

#include <QBoxLayout>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <utility>

#include "slider_scrolls.h"

namespace varim::ui {

// The parts both channel panes are built of.

// A horizontal slider named for screen readers, with a tick at every step.
QSlider* PaneSlider(const QString& name, int minimum, int maximum, int step, int page,
                    QWidget* parent);
// A button whose accessible name says what it does when its face cannot.
QPushButton* PaneButton(const QString& text, const QString& name, QWidget* parent);
// The marks of the scale under a slider, one label each.
QList<QWidget*> ScaleLabels(const QStringList& texts, QWidget* parent);
// The scale: the marks spread evenly from end to end.
QHBoxLayout* PaneScale(const QList<QWidget*>& marks);

// The slider's moves and the step buttons handed to the pane; the view shows the pane anew
// after each.
template <typename Pane>
void DrivePane(Pane& pane, QSlider& slider, QPushButton* down, QPushButton* up,
               const std::function<void()>& mirror) {
  ForwardScrolls(slider, [&pane, mirror](varim::panels::ScrollAction action, int position) {
    pane.Scroll(action, position);
    mirror();
  });
  for (auto [button, direction] : {std::pair{down, -1}, std::pair{up, +1}}) {
    QObject::connect(button, &QPushButton::clicked, &slider,
                     [&pane, mirror, direction = direction] {
                       pane.Step(direction);
                       mirror();
                     });
  }
}

}  // namespace varim::ui
