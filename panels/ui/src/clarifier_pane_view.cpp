#include "clarifier_pane_view.h"

#include <QGridLayout>

#include "pane_scale.h"

namespace varim::ui {

using varim::panels::ClarifierPane;

CClarifierPaneView::CClarifierPaneView(ClarifierPane& pane, QWidget* parent)
    : QWidget(parent), pane_(pane) {
  setObjectName("ClarifierPane");
  slider_ = PaneSlider("Clarifier", ClarifierPane::kMinimum, ClarifierPane::kMaximum,
                       ClarifierPane::kStep, ClarifierPane::kPage, this);
  auto* down = PaneButton("<", "Clarifier Down", this);
  auto* up = PaneButton(">", "Clarifier Up", this);
  indicator_ = new QLabel(this);
  indicator_->setObjectName("ClarifierIndicator");
  // The centre of the scale: the "0" label while off, the "0" button that switches it off
  // while on.
  auto* centre = new QWidget(this);
  centreStack_ = new QStackedLayout(centre);
  centre_ = new QLabel("0", centre);
  zero_ = PaneButton("0", "0", centre);
  centreStack_->addWidget(centre_);
  centreStack_->addWidget(zero_);

  QList<QWidget*> marks = ScaleLabels({"-200", "-100"}, this);
  marks.append(centre);
  marks.append(ScaleLabels({"100", "200"}, this));
  auto* grid = new QGridLayout(this);
  grid->addWidget(down, 0, 0);
  grid->addWidget(slider_, 0, 1);
  grid->addWidget(up, 0, 2);
  grid->addWidget(indicator_, 0, 3);
  grid->addLayout(PaneScale(marks), 1, 1);

  DrivePane(pane_, *slider_, down, up, [this] { Mirror(); });
  connect(zero_, &QPushButton::clicked, this, [this] {
    pane_.Centre();
    Mirror();
  });
  Mirror();
}

void CClarifierPaneView::Mirror() {
  setEnabled(pane_.Enabled());
  slider_->setValue(pane_.Position());
  indicator_->setText(pane_.On() ? "ON" : "OFF");
  centreStack_->setCurrentWidget(pane_.On() ? static_cast<QWidget*>(zero_) : centre_);
}

}  // namespace varim::ui
