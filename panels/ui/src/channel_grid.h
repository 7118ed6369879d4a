#pragma once

#include <QTableWidget>

#include "varim/panels/channel_selection.h"

namespace varim::ui {

// The 20 x 10 grid of the channel numbers in which the operator clicks channels in and out of
// a scan group or net. The mouse works it as the editors always have (left click and drag
// select, right click marks the guard or All Call channel, right drag takes out); so does the
// keyboard: the arrows move, Space toggles, and the context-menu key, Shift+F10 or M marks.
class CChannelGrid : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kRows = 20;
  static constexpr int kColumns = 10;

  CChannelGrid(varim::panels::ChannelSelection& selection, QWidget* parent = nullptr);

  // Shows the selection as it stands.
  void Mirror();
  // The channel a cell holds, 1..200.
  static int ChannelAt(int row, int column) { return row * kColumns + column + 1; }

 signals:
  // The operator changed the selection.
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Act(int channel, varim::panels::ChannelSelection::Button button, bool drag);

  varim::panels::ChannelSelection& selection_;
  // The button held since a press on the grid, and the cell it last passed.
  Qt::MouseButton dragging_ = Qt::NoButton;
  int lastChannel_ = 0;
};

}  // namespace varim::ui
