#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <vector>

#include "varim/core/call_record.h"

namespace varim::ui {

// The grid of calls the log window and the stack list share: one line per call, newest
// first, the chosen call's message under it, the quantity, and the Delete, Delete All and
// Help buttons. The dialogs add their own buttons to the same row.
class CCallListPane : public QWidget {
  Q_OBJECT

 public:
  // The list the pane shows and edits.
  struct Source {
    std::function<const std::vector<varim::core::CallRecord>&()> records;
    std::function<void(std::size_t)> remove;
    std::function<void()> removeAll;
  };

  CCallListPane(const QString& gridName, Source source, std::function<void()> help,
                QWidget* parent = nullptr);

  // Shows the list anew; nothing is chosen afterwards.
  void Refresh();
  // The grid line chosen, counted from 1; 0 when none is.
  int CurrentLine() const;
  // A row to add the dialog's own buttons to.
  QHBoxLayout* Buttons() const { return buttons_; }

  QTableWidget* Grid() const { return grid_; }
  QPlainTextEdit* MessageBox() const { return message_; }
  QLabel* Quantity() const { return quantity_; }
  QPushButton* DeleteButton() const { return delete_; }
  QPushButton* DeleteAllButton() const { return deleteAll_; }

 signals:
  // A line of the grid was chosen (or none is any more); any: the list holds a call.
  void LineChosen(bool any);

 private:
  void Delete();
  void DeleteAll();
  void ShowLine(int row, const varim::core::CallRecord* record);
  void BlankFirstLine();
  // Count, message box and buttons after the list changed or a line was chosen.
  void Update();
  std::size_t Count() const { return source_.records().size(); }

  Source source_;
  QTableWidget* grid_;
  QPlainTextEdit* message_;
  QLabel* quantity_;
  QPushButton* deleteAll_;
  QPushButton* delete_;
  QHBoxLayout* buttons_;
};

}  // namespace varim::ui
