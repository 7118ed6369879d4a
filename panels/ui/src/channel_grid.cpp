#include "channel_grid.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace varim::ui {

namespace {

using Cell = varim::panels::ChannelSelection::Cell;
using Button = varim::panels::ChannelSelection::Button;

const QColor kNotSelected(192, 192, 192);
const QColor kSelected(0, 128, 120);
const QColor kMarked(255, 255, 0);
const QColor kProgrammed(0, 0, 255);

// What a screen reader says of a cell besides its number.
QString StateText(Cell cell, varim::panels::ChannelSelection::Kind kind) {
  switch (cell) {
    case Cell::kSelected:
      return "selected";
    case Cell::kMarked:
      return kind == varim::panels::ChannelSelection::Kind::kGroups ? "guard channel"
                                                                     : "All Call channel";
    case Cell::kNotSelected:
      break;
  }
  return "not selected";
}

}  // namespace

CChannelGrid::CChannelGrid(varim::panels::ChannelSelection& selection, QWidget* parent)
    : QTableWidget(kRows, kColumns, parent), selection_(selection) {
  setObjectName("ChannelGrid");
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  setMouseTracking(true);
  viewport()->installEventFilter(this);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      auto* item = new QTableWidgetItem(QString::number(ChannelAt(row, column)));
      item->setTextAlignment(Qt::AlignCenter);
      setItem(row, column, item);
    }
  }
  setCurrentCell(0, 0);
  Mirror();
}

void CChannelGrid::Mirror() {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const int channel = ChannelAt(row, column);
      const Cell cell = selection_.CellOf(channel);
      QTableWidgetItem* shown = item(row, column);
      shown->setBackground(cell == Cell::kMarked     ? kMarked
                           : cell == Cell::kSelected ? kSelected
                                                     : kNotSelected);
      const bool programmed = selection_.Programmed(channel);
      shown->setForeground(programmed ? kProgrammed : QColor(Qt::black));
      shown->setData(Qt::AccessibleDescriptionRole,
                     StateText(cell, selection_.WhatIsEdited()) +
                         (programmed ? "" : ", not programmed"));
    }
  }
}

void CChannelGrid::Act(int channel, Button button, bool drag) {
  if (drag) {
    selection_.Drag(channel, button);
  } else {
    selection_.Click(channel, button);
  }
  Mirror();
  emit Changed();
}

bool CChannelGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched != viewport()) return QTableWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QModelIndex index = indexAt(mouse->position().toPoint());
      if (!index.isValid() || (mouse->button() != Qt::LeftButton &&
                               mouse->button() != Qt::RightButton))
        return true;
      setCurrentIndex(index);
      setFocus();
      dragging_ = mouse->button();
      lastChannel_ = ChannelAt(index.row(), index.column());
      Act(lastChannel_, dragging_ == Qt::LeftButton ? Button::kLeft : Button::kRight, false);
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (dragging_ == Qt::NoButton || !(mouse->buttons() & dragging_)) return false;
      const QModelIndex index = indexAt(mouse->position().toPoint());
      if (!index.isValid()) return true;
      const int channel = ChannelAt(index.row(), index.column());
      if (channel == lastChannel_) return true;
      lastChannel_ = channel;
      Act(channel, dragging_ == Qt::LeftButton ? Button::kLeft : Button::kRight, true);
      return true;
    }
    case QEvent::MouseButtonRelease:
      dragging_ = Qt::NoButton;
      return true;
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
      return true;
    default:
      return false;
  }
}

void CChannelGrid::keyPressEvent(QKeyEvent* event) {
  const QModelIndex index = currentIndex();
  const bool mark = event->key() == Qt::Key_Menu || event->key() == Qt::Key_M ||
                    (event->key() == Qt::Key_F10 && event->modifiers() & Qt::ShiftModifier);
  if (index.isValid() && (event->key() == Qt::Key_Space || mark)) {
    Act(ChannelAt(index.row(), index.column()), mark ? Button::kRight : Button::kLeft, false);
    return;
  }
  QTableWidget::keyPressEvent(event);
}

}  // namespace varim::ui
