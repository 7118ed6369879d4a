#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

#include "channel_grid.h"
#include "varim/panels/channel_selection.h"

namespace varim::ui {

// The "Groups" and "Scanned Channels" dialogs: a spin for the group or net, its guard or All
// Call channel and its count, the channel grid and the hint line. OK hands the selections to
// the records; Cancel leaves them as they were.
class CChannelSelectionDlg : public QDialog {
  Q_OBJECT

 public:
  CChannelSelectionDlg(varim::panels::ChannelSelection& selection, std::function<void()> help,
                       QWidget* parent = nullptr);

  CChannelGrid* Grid() const { return grid_; }

 private:
  void Mirror();

  varim::panels::ChannelSelection& selection_;
  QSpinBox* spin_;
  QLineEdit* mark_;
  QLineEdit* count_;
  CChannelGrid* grid_;
  QLabel* hint_;
  QPushButton* deselect_;
};

}  // namespace varim::ui
