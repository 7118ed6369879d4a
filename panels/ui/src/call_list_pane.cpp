#include "call_list_pane.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QVBoxLayout>
#include <iterator>
#include <string>

#include "twips.h"

namespace varim::ui {

using varim::core::CallRecord;

namespace {

struct GridColumn {
  const char* header;
  int twips;
  Qt::Alignment alignment;
  std::string CallRecord::*text;
};

const GridColumn kColumns[] = {
    {"From", 1700, Qt::AlignLeft | Qt::AlignBottom, &CallRecord::from},
    {"To", 1700, Qt::AlignLeft | Qt::AlignBottom, &CallRecord::to},
    {"Date", 800, Qt::AlignCenter, &CallRecord::date},
    {"Start", 800, Qt::AlignCenter, &CallRecord::start},
    {"End", 800, Qt::AlignCenter, &CallRecord::end},
    {"CallType", 850, Qt::AlignCenter, &CallRecord::callType},
    {"Net", 500, Qt::AlignCenter, &CallRecord::net},
    {"Channel", 750, Qt::AlignCenter, &CallRecord::channel},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

const QColor kGridBackground(100, 200, 255);

QPushButton* AddButton(const QString& text, QHBoxLayout* row, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAccessibleName(text);
  row->addWidget(button);
  return button;
}

}  // namespace

CCallListPane::CCallListPane(const QString& gridName, Source source, std::function<void()> help,
                             QWidget* parent)
    : QWidget(parent), source_(std::move(source)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  grid_ = new QTableWidget(1, kColumnCount, this);
  grid_->setObjectName("CallGrid");
  grid_->setAccessibleName(gridName);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setTabKeyNavigation(false);
  grid_->verticalHeader()->hide();
  grid_->setCornerButtonEnabled(false);
  // The corner button has no name of its own; a screen reader must still be able to say it.
  if (auto* corner = grid_->findChild<QAbstractButton*>()) corner->setAccessibleName("Select All");
  QPalette palette = grid_->palette();
  palette.setColor(QPalette::Base, kGridBackground);
  grid_->setPalette(palette);
  int width = 0;
  for (int column = 0; column < kColumnCount; ++column) {
    auto* header = new QTableWidgetItem(kColumns[column].header);
    header->setTextAlignment(kColumns[column].alignment);
    grid_->setHorizontalHeaderItem(column, header);
    grid_->setColumnWidth(column, TwipsToPixels(kColumns[column].twips, *this));
    width += grid_->columnWidth(column);
  }
  grid_->setMinimumWidth(width + 2 * grid_->frameWidth() + 24);
  layout->addWidget(grid_);

  auto* messageLabel = new QLabel("Message Box", this);
  message_ = new QPlainTextEdit(this);
  message_->setObjectName("MessageBox");
  message_->setReadOnly(true);
  message_->setAccessibleName(messageLabel->text());
  message_->setMaximumHeight(4 * fontMetrics().lineSpacing());
  messageLabel->setBuddy(message_);
  layout->addWidget(messageLabel);
  layout->addWidget(message_);

  auto* quantityRow = new QHBoxLayout;
  quantityRow->addWidget(new QLabel("Quantity:", this));
  quantity_ = new QLabel("0", this);
  quantity_->setObjectName("Quantity");
  quantity_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  quantityRow->addWidget(quantity_);
  quantityRow->addStretch();
  layout->addLayout(quantityRow);

  buttons_ = new QHBoxLayout;
  deleteAll_ = AddButton("Delete All", buttons_, this);
  delete_ = AddButton("Delete", buttons_, this);
  QPushButton* helpButton = AddButton("Help", buttons_, this);
  layout->addLayout(buttons_);

  connect(deleteAll_, &QPushButton::clicked, this, &CCallListPane::DeleteAll);
  connect(delete_, &QPushButton::clicked, this, &CCallListPane::Delete);
  connect(helpButton, &QPushButton::clicked, this, [help] {
    if (help) help();
  });
  // Keyboard and mouse choose a line alike.
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] { Update(); });
  Refresh();
}

void CCallListPane::ShowLine(int row, const CallRecord* record) {
  for (int column = 0; column < kColumnCount; ++column) {
    auto* item = new QTableWidgetItem(
        record != nullptr ? QString::fromStdString(record->*kColumns[column].text) : QString());
    item->setTextAlignment(kColumns[column].alignment);
    grid_->setItem(row, column, item);
  }
}

void CCallListPane::BlankFirstLine() {
  grid_->setRowCount(1);
  ShowLine(0, nullptr);
}

void CCallListPane::Refresh() {
  const std::vector<CallRecord>& records = source_.records();
  grid_->clearContents();
  // The grid always keeps one line, blank while the list is empty.
  grid_->setRowCount(records.size() > 1 ? static_cast<int>(records.size()) : 1);
  if (records.empty()) {
    ShowLine(0, nullptr);
  } else {
    for (std::size_t i = 0; i < records.size(); ++i) ShowLine(static_cast<int>(i), &records[i]);
  }
  grid_->setCurrentCell(-1, -1);
  Update();
}

int CCallListPane::CurrentLine() const {
  return grid_->currentRow() + 1;
}

void CCallListPane::Delete() {
  const int line = CurrentLine();
  if (line < 1) return;
  const auto index = static_cast<std::size_t>(line - 1);
  if (index >= Count()) return;
  source_.remove(index);
  if (Count() > 0) {
    grid_->removeRow(line - 1);
  } else {
    BlankFirstLine();
  }
  Update();
}

void CCallListPane::DeleteAll() {
  source_.removeAll();
  BlankFirstLine();
  grid_->setCurrentCell(-1, -1);
  Update();
}

void CCallListPane::Update() {
  const std::vector<CallRecord>& records = source_.records();
  const int line = CurrentLine();
  const bool any = !records.empty();
  quantity_->setText(QString::asprintf("%d", static_cast<int>(records.size())));
  const bool onCall = line >= 1 && static_cast<std::size_t>(line) <= records.size();
  message_->setPlainText(onCall ? QString::fromStdString(records[line - 1].MessageText())
                                : QString());
  deleteAll_->setEnabled(any);
  delete_->setEnabled(any && line >= 1);
  emit LineChosen(any && line >= 1);
}

}  // namespace varim::ui
