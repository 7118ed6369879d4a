#include "notch_pane_view.h"

#include <QGridLayout>

#include "pane_scale.h"

namespace varim::ui {

using varim::panels::NotchPane;

CNotchPaneView::CNotchPaneView(NotchPane& pane, QWidget* parent) : QWidget(parent), pane_(pane) {
  setObjectName("NotchPane");
  slider_ = PaneSlider("Notch Filter", NotchPane::kMinimum, NotchPane::kMaximum, NotchPane::kStep,
                       NotchPane::kStep, this);
  auto* off = PaneButton("OFF", "OFF", this);
  auto* down = PaneButton("<", "Notch Filter Down", this);
  auto* up = PaneButton(">", "Notch Filter Up", this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(off, 0, 0);
  grid->addWidget(down, 0, 1);
  grid->addWidget(slider_, 0, 2);
  grid->addWidget(up, 0, 3);
  grid->addLayout(PaneScale(ScaleLabels({"300", "900", "1500", "2100", "2700"}, this)), 1, 2);

  DrivePane(pane_, *slider_, down, up, [this] { Mirror(); });
  connect(off, &QPushButton::clicked, this, [this] {
    pane_.Off();
    Mirror();
  });
  Mirror();
}

void CNotchPaneView::Mirror() {
  setEnabled(pane_.Enabled());
  slider_->setValue(pane_.Position());
}

}  // namespace varim::ui
