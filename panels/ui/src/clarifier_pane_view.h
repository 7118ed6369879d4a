#pragma once

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QWidget>

#include "varim/panels/clarifier_pane.h"

namespace varim::ui {

// The clarifier pane: the slider with its scale, the "0" button in place of the centre label
// while the clarifier is on, the step buttons and the "OFF"/"ON" indicator.
class CClarifierPaneView : public QWidget {
  Q_OBJECT

 public:
  explicit CClarifierPaneView(varim::panels::ClarifierPane& pane, QWidget* parent = nullptr);

  // Shows what the pane holds now.
  void Mirror();

 private:
  varim::panels::ClarifierPane& pane_;
  QSlider* slider_;
  QStackedLayout* centreStack_;
  QLabel* centre_;
  QPushButton* zero_;
  QLabel* indicator_;
};

}  // namespace varim::ui
