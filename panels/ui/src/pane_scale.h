#pragma once

#include <QBoxLayout>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QWidget>

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

}  // namespace varim::ui
