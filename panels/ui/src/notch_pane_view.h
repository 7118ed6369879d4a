#pragma once

#include <QSlider>
#include <QWidget>

#include "varim/panels/notch_pane.h"

namespace varim::ui {

// The notch-filter pane: the slider with its scale, the "OFF" button and the step buttons.
class CNotchPaneView : public QWidget {
  Q_OBJECT

 public:
  explicit CNotchPaneView(varim::panels::NotchPane& pane, QWidget* parent = nullptr);

  // Shows what the pane holds now.
  void Mirror();

 private:
  varim::panels::NotchPane& pane_;
  QSlider* slider_;
};

}  // namespace varim::ui
