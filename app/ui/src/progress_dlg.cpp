#include "progress_dlg.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QVBoxLayout>

namespace varim::ui {

CProgressDlg::CProgressDlg(std::function<void()> abort, QWidget* parent)
    : QDialog(parent), abortTransfer_(std::move(abort)) {
  setObjectName("CProgressDlg");
  setWindowTitle("Progress Dialog");
  // The rest of the window waits while the transfer runs; this dialog keeps its Abort.
  setWindowModality(Qt::ApplicationModal);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  status_ = new QLabel(this);
  status_->setObjectName("Status");
  status_->setMinimumWidth(260);
  percent_ = new QLabel(this);
  percent_->setObjectName("Percent");
  // A screen reader names the bar by the section it shows.
  status_->setBuddy(bar_);
  abort_ = new QPushButton(QIcon(":/icons/cancel.svg"), "Abort", this);
  abort_->setObjectName("Abort");
  auto* row = new QHBoxLayout;
  row->addWidget(status_, 1);
  row->addWidget(percent_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
  layout->addLayout(row);
  layout->addWidget(abort_, 0, Qt::AlignHCenter);
  connect(abort_, &QPushButton::clicked, this, [this] {
    abort_->setEnabled(false);
    abortTransfer_();
  });
}

void CProgressDlg::Start(varim::core::TransferMode /*mode*/) {
  setWindowTitle("Progress Dialog");
  bar_->setValue(0);
  status_->clear();
  percent_->setText("0%");
  abort_->setEnabled(true);
  show();
}

void CProgressDlg::Update(const varim::core::ProgressView& view) {
  if (view.percent >= 100) {
    hide();
    return;
  }
  bar_->setValue(view.percent);
  percent_->setText(QString("%1%").arg(view.percent));
  setWindowTitle(QString::fromStdString(view.caption));
  status_->setText(QString::fromStdString(view.status));
  emit Updated(view.percent, status_->text());
}

void CProgressDlg::Finish() {
  hide();
}

}  // namespace varim::ui
