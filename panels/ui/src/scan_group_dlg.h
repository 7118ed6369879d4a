#pragma once

#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include "varim/panels/channel_control.h"

namespace varim::ui {

// The scan selector shown while the radio scans: the groups or the nets it may scan, and the
// net it works in.
class CScanGroupDlg : public QWidget {
  Q_OBJECT

 public:
  CScanGroupDlg(varim::panels::ChannelControl& control, QWidget* parent);

  void Mirror();
  QComboBox* List() const { return list_; }
  QLabel* NetNumber() const { return netNumber_; }

 private:
  varim::panels::ChannelControl& control_;
  QLabel* label_;
  QComboBox* list_;
  QLabel* netNumber_;
  QLabel* netName_;
};

}  // namespace varim::ui
