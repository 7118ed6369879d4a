#pragma once

#include <QDialog>
#include <QLabel>

#include "varim/core/incoming_call_prompt.h"

namespace varim::ui {

// The incoming-call dialog: who calls, on which net and channel, with which message; OK
// accepts the call, Cancel declines it.
class CIncomingCallDlg : public QDialog, public varim::core::IncomingCallPrompt {
  Q_OBJECT

 public:
  explicit CIncomingCallDlg(QWidget* parent = nullptr);

  bool IsOpen() const override { return isVisible(); }
  bool Ask(const varim::core::IncomingCallView& call) override;
  void Refresh(const varim::core::IncomingCallView& call) override;
  void Close() override { reject(); }

 private:
  QLabel* AddField(const QString& label);

  QLabel* callType_;
  QLabel* net_;
  QLabel* channel_;
  QLabel* value_;
  QLabel* caller_;
  QLabel* message_;
};

}  // namespace varim::ui
