#include "stack_list_dlg.h"

#include <QVBoxLayout>

namespace varim::ui {

CStackListDlg::CStackListDlg(varim::panels::CallLogFeature& feature, varim::core::Operator& op,
                             std::function<void()> help, QWidget* parent)
    : QDialog(parent), feature_(feature), operator_(op) {
  setObjectName("StackListDlg");
  setWindowTitle("Stack List");
  setModal(true);
  varim::core::CallLists& calls = feature.Calls();
  auto* layout = new QVBoxLayout(this);
  pane_ = new CCallListPane(
      "Stack List",
      {[&calls]() -> const std::vector<varim::core::CallRecord>& { return calls.Stack(); },
       [&calls](std::size_t index) { calls.DeleteStackRecord(index); },
       [&calls] { calls.DeleteAllStackRecords(); }},
      std::move(help), this);
  layout->addWidget(pane_);
  reply_ = new QPushButton("Reply", this);
  reply_->setAccessibleName(reply_->text());
  reply_->setEnabled(false);
  auto* close = new QPushButton("Close", this);
  close->setAccessibleName(close->text());
  pane_->Buttons()->insertWidget(0, reply_);
  pane_->Buttons()->addWidget(close);
  // Once a call was chosen Reply stays offered; a reply without a chosen line is refused.
  connect(pane_, &CCallListPane::LineChosen, this, [this](bool chosen) {
    if (chosen) reply_->setEnabled(true);
  });
  connect(reply_, &QPushButton::clicked, this, &CStackListDlg::Reply);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CStackListDlg::Reply() {
  const int line = pane_->CurrentLine();
  if (line < 1 || !feature_.ReplyTo(static_cast<std::size_t>(line - 1))) {
    operator_.Notify(QString::asprintf("Grid line is not valid, line = %d", line).toStdString(),
                     varim::core::Operator::Icon::kExclamation);
    return;
  }
  accept();
}

}  // namespace varim::ui
