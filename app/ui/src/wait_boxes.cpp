#include "wait_boxes.h"

#include <QLabel>
#include <QVBoxLayout>

#include "varim/core/operator_texts.h"

namespace varim::ui {

namespace texts = varim::core::texts;

WaitBoxes::WaitBoxes(QWidget* parent) : parent_(parent) {
  doneTimer_.setSingleShot(true);
  QObject::connect(&doneTimer_, &QTimer::timeout, [this] {
    if (done_ != nullptr) {
      done_->hide();
      done_->deleteLater();
      done_ = nullptr;
    }
  });
}

QDialog* WaitBoxes::MakeBox(const char* name, const char* text) {
  auto* box = new QDialog(parent_, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  box->setObjectName(name);
  box->setWindowTitle("KLV");
  auto* label = new QLabel(text, box);
  label->setMargin(16);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(label);
  box->show();
  return box;
}

void WaitBoxes::ShowPleaseWait(bool shown) {
  if (shown && pleaseWait_ == nullptr) {
    pleaseWait_ = MakeBox("CPleaseWaitDlg", texts::kPleaseWait);
  } else if (!shown && pleaseWait_ != nullptr) {
    pleaseWait_->hide();
    pleaseWait_->deleteLater();
    pleaseWait_ = nullptr;
  }
}

void WaitBoxes::ShowOperationDone(int ms) {
  if (done_ == nullptr) done_ = MakeBox("COperationDoneDlg", texts::kOperationDone);
  doneTimer_.start(ms);
}

}  // namespace varim::ui
