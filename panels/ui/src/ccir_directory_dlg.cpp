#include "ccir_directory_dlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace varim::ui {

namespace {

constexpr char kTitle[] = "CCIR Directory Configuration";
constexpr char kListLabel[] = "Directory List";
constexpr char kOccupiedLabel[] = "Occupied Addresses:";
constexpr char kEntryGroup[] = "Selcall ID Entry";
constexpr int kLongestEntry = 6;
const QColor kWarningBackground(255, 255, 0);

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAccessibleName(name);
  return button;
}

}  // namespace

CCcirDirectoryDlg::CCcirDirectoryDlg(varim::panels::CcirDirectory& directory, QWidget* parent)
    : QDialog(parent), directory_(directory) {
  setObjectName("CcirDirectoryDlg");
  setWindowTitle(kTitle);

  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  list_->setAccessibleName(kListLabel);
  auto* listLabel = new QLabel(kListLabel, this);
  listLabel->setBuddy(list_);

  auto* status = new QGroupBox("Directory Status", this);
  auto* capacity = new QLabel("Maximum Available:       100", status);
  occupied_ = new QLineEdit(status);
  occupied_->setReadOnly(true);
  occupied_->setAccessibleName(kOccupiedLabel);
  auto* occupiedLabel = new QLabel(kOccupiedLabel, status);
  occupiedLabel->setBuddy(occupied_);
  auto* statusLayout = new QVBoxLayout(status);
  statusLayout->addWidget(capacity);
  auto* occupiedRow = new QHBoxLayout;
  occupiedRow->addWidget(occupiedLabel);
  occupiedRow->addWidget(occupied_);
  statusLayout->addLayout(occupiedRow);

  auto* entryGroup = new QGroupBox(kEntryGroup, this);
  entry_ = new QLineEdit(entryGroup);
  entry_->setMaxLength(kLongestEntry);
  entry_->setAccessibleName(kEntryGroup);
  add_ = Button("&ADD", "ADD", entryGroup);
  delete_ = Button("&DELETE", "DELETE", entryGroup);
  // Enter in the entry box adds the ID rather than closing the dialog.
  add_->setDefault(true);
  auto* entryLayout = new QHBoxLayout(entryGroup);
  entryLayout->addWidget(entry_);
  entryLayout->addWidget(add_);
  entryLayout->addWidget(delete_);

  warning_ = new QLabel(this);
  warning_->setObjectName("Warning");
  warning_->setAutoFillBackground(true);
  QPalette palette = warning_->palette();
  palette.setColor(QPalette::Window, kWarningBackground);
  warning_->setPalette(palette);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  for (QAbstractButton* button : buttons->buttons())
    button->setAccessibleName(button->text().remove('&'));

  auto* side = new QVBoxLayout;
  side->addWidget(status);
  side->addWidget(entryGroup);
  side->addWidget(warning_);
  side->addStretch();
  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(listLabel);
  listColumn->addWidget(list_);
  auto* body = new QHBoxLayout;
  body->addLayout(listColumn);
  body->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);

  connect(entry_, &QLineEdit::textChanged, this, [this](const QString& text) {
    directory_.Type(text.toStdString());
    Mirror();
  });
  connect(add_, &QPushButton::clicked, this, [this] {
    directory_.Add();
    Mirror();
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
      rows.push_back(index.row());
    directory_.Delete(rows);
    Mirror();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    directory_.Ok();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  entry_->setFocus();
  Mirror();
}

void CCcirDirectoryDlg::Mirror() {
  QStringList entries;
  for (const std::string& entry : directory_.Entries()) entries << QString::fromStdString(entry);
  QStringList listed;
  for (int row = 0; row < list_->count(); ++row) listed << list_->item(row)->text();
  // Rebuilt only when it changed: the operator's selection stays while the entry is typed.
  if (listed != entries) {
    list_->clear();
    list_->addItems(entries);
  }
  occupied_->setText(QString::number(directory_.Occupied()));
  if (const QString typed = QString::fromStdString(directory_.Typed()); entry_->text() != typed) {
    const QSignalBlocker blocker(entry_);
    entry_->setText(typed);
  }
  add_->setEnabled(directory_.AddEnabled());
  delete_->setEnabled(directory_.DeleteEnabled());
  warning_->setText(QString::fromStdString(directory_.Warning()));
  warning_->setVisible(!directory_.Warning().empty());
}

}  // namespace varim::ui
