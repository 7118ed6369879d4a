#pragma once

#include <QDialog>
#include <QPushButton>

#include "call_list_pane.h"
#include "varim/core/operator.h"
#include "varim/panels/call_log_feature.h"

namespace varim::ui {

// The stack list: the incoming calls that wait for a reply, newest first. Reply hands the
// chosen call to the calls panel and closes the list.
class CStackListDlg : public QDialog {
  Q_OBJECT

 public:
  CStackListDlg(varim::panels::CallLogFeature& feature, varim::core::Operator& op,
                std::function<void()> help, QWidget* parent = nullptr);

  CCallListPane* Pane() const { return pane_; }
  QPushButton* ReplyButton() const { return reply_; }

 private:
  void Reply();

  varim::panels::CallLogFeature& feature_;
  varim::core::Operator& operator_;
  CCallListPane* pane_;
  QPushButton* reply_;
};

}  // namespace varim::ui
