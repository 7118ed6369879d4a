#pragma once

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>

namespace varim::ui {

// Shows entries with row chosen, without telling the list's listeners. The entries are replaced
// only when they differ, so an operator browsing the list is not disturbed.
inline void FillList(QComboBox* list, const QStringList& entries, int row) {
  const QSignalBlocker blocker(list);
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
  if (shown != entries) {
    list->clear();
    list->addItems(entries);
  }
  list->setCurrentIndex(row);
}

}  // namespace varim::ui
