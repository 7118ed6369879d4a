#include "radio_wide_info_dlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>
#include <string>
#include <vector>

#include "twips.h"

namespace varim::ui {

namespace {

using varim::panels::RadioOptionRow;

struct GridColumn {
  const char* header;
  int twips;
  std::string RadioOptionRow::*text;
};

const GridColumn kColumns[] = {
    {"Option", 2070, &RadioOptionRow::name},
    {"S/W Ver.", 1050, &RadioOptionRow::swVersion},
    {"H/W Ver.", 1050, &RadioOptionRow::hwVersion},
    {"Status", 1000, &RadioOptionRow::status},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));
// Room for the vertical scroll bar, so every column shows whole.
constexpr int kScrollBarRoom = 24;

// A list under its label, the label naming it for a screen reader too.
QListWidget* AddList(const char* text, const std::vector<std::string>& entries, QBoxLayout* layout,
                     QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setAccessibleName(text);
  for (const std::string& entry : entries) list->addItem(QString::fromStdString(entry));
  auto* label = new QLabel(text, parent);
  label->setBuddy(list);
  auto* column = new QVBoxLayout;
  column->addWidget(label);
  column->addWidget(list);
  layout->addLayout(column);
  return list;
}

}  // namespace

CRadioWideInfoDlg::CRadioWideInfoDlg(const varim::panels::RadioWideInfo& info, QWidget* parent)
    : QDialog(parent) {
  setObjectName("RadioWideInfoDlg");
  setWindowTitle("Radio Wide Information");
  auto* layout = new QVBoxLayout(this);

  auto* form = new QGridLayout;
  for (std::size_t index = 0; index < info.fields.size(); ++index) {
    const varim::panels::RadioWideField& field = info.fields[index];
    auto* edit = new QLineEdit(QString::fromStdString(field.text), this);
    edit->setReadOnly(true);
    edit->setAccessibleName(field.label);
    auto* label = new QLabel(field.label, this);
    label->setBuddy(edit);
    // Two pairs a row: the identity, the radio's versions, the control head's versions.
    const int row = static_cast<int>(index / 2);
    const int column = static_cast<int>(index % 2) * 2;
    form->addWidget(label, row, column);
    form->addWidget(edit, row, column + 1);
    fields_[index] = edit;
  }
  layout->addLayout(form);

  auto* lists = new QHBoxLayout;
  ecnList_ = AddList("E.C.N. List", info.ecnList, lists, this);
  spList_ = AddList("S.P. List", info.spList, lists, this);
  layout->addLayout(lists);

  const int rows = static_cast<int>(info.options.size());
  optionsGrid_ = new QTableWidget(rows, kColumnCount, this);
  optionsGrid_->setAccessibleName("Radio Options List");
  optionsGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  optionsGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  optionsGrid_->setTabKeyNavigation(false);
  optionsGrid_->verticalHeader()->hide();
  optionsGrid_->setWordWrap(false);
  int width = 0;
  for (int column = 0; column < kColumnCount; ++column) {
    optionsGrid_->setHorizontalHeaderItem(column, new QTableWidgetItem(kColumns[column].header));
    optionsGrid_->setColumnWidth(column, TwipsToPixels(kColumns[column].twips, *this));
    width += optionsGrid_->columnWidth(column);
    for (int row = 0; row < rows; ++row) {
      const RadioOptionRow& option = info.options[static_cast<std::size_t>(row)];
      optionsGrid_->setItem(
          row, column, new QTableWidgetItem(QString::fromStdString(option.*kColumns[column].text)));
    }
  }
  optionsGrid_->setMinimumWidth(width + 2 * optionsGrid_->frameWidth() + kScrollBarRoom);
  auto* gridLabel = new QLabel("Radio Options List", this);
  gridLabel->setBuddy(optionsGrid_);
  layout->addWidget(gridLabel);
  layout->addWidget(optionsGrid_, 1);

  auto* ok = new QPushButton("OK", this);
  ok->setAccessibleName(ok->text());
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace varim::ui
