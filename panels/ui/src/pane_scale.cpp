#include "pane_scale.h"

namespace varim::ui {

QSlider* PaneSlider(const QString& name, int minimum, int maximum, int step, int page,
                    QWidget* parent) {
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->setAccessibleName(name);
  slider->setRange(minimum, maximum);
  slider->setSingleStep(step);
  slider->setPageStep(page);
  slider->setTickInterval(step);
  slider->setTickPosition(QSlider::TicksBelow);
  return slider;
}

QPushButton* PaneButton(const QString& text, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAccessibleName(name);
  return button;
}

QList<QWidget*> ScaleLabels(const QStringList& texts, QWidget* parent) {
  QList<QWidget*> labels;
  for (const QString& text : texts) labels.append(new QLabel(text, parent));
  return labels;
}

QHBoxLayout* PaneScale(const QList<QWidget*>& marks) {
  auto* scale = new QHBoxLayout;
  for (int i = 0; i < marks.size(); ++i) {
    if (i > 0) scale->addStretch();
    scale->addWidget(marks[i]);
  }
  return scale;
}

}  // namespace varim::ui
