#include "ccir_form_view.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ccir_directory_dlg.h"

namespace varim::ui {

namespace {

using varim::panels::CcirForm;

constexpr char kDirectoryGroup[] = "CCIR Directory Configuration";
constexpr char kSummaryCaption[] = "CCIR Configuration Summary";

// A box under its label, the label naming it for a screen reader too.
QLineEdit* AddBox(const char* label, int maxLength, QFormLayout* form, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setMaxLength(maxLength);
  box->setAccessibleName(label);
  form->addRow(label, box);
  return box;
}

// The operator's text goes to the form; what comes back cleaned is put in the box, the caret at
// its end, under blocked signals so it is not taken for typing.
void PutBack(QLineEdit* box, const std::string& text) {
  const QString cleaned = QString::fromStdString(text);
  if (box->text() == cleaned) return;
  const QSignalBlocker blocker(box);
  box->setText(cleaned);
}

void Mark(QCheckBox* check, bool on) {
  const QSignalBlocker blocker(check);
  check->setChecked(on);
}

}  // namespace

CCcirFormView::CCcirFormView(CcirForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName("CcirFormView");

  auto* self = new QGroupBox("Self Address Configuration", this);
  auto* selfForm = new QFormLayout(self);
  const std::pair<IdBox, const char*> idBoxes[] = {{IdBox::kFourDigit, "Four-Digit ID"},
                                                   {IdBox::kSixDigit, "Six-Digit ID"}};
  for (const auto& [box, label] : idBoxes) {
    QLineEdit* edit = AddBox(label, CcirForm::MaxDigits(box), selfForm, self);
    ids_[static_cast<std::size_t>(box)] = edit;
    connect(edit, &QLineEdit::textChanged, this,
            [this, box](const QString& text) { form_.TypeId(box, text.toStdString()); });
  }

  auto* options = new QGroupBox("Options", this);
  alarm_ = new QCheckBox("Alarm", options);
  alarm_->setAccessibleName("Alarm");
  beacon_ = new QCheckBox("Beacon", options);
  beacon_->setAccessibleName("Beacon");
  preamble_ = new QComboBox(options);
  preamble_->setAccessibleName("Preamble");
  for (int preamble = 1; preamble <= CcirForm::kPreambles; ++preamble)
    preamble_->addItem(QString::number(preamble));
  auto* optionsForm = new QFormLayout(options);
  optionsForm->addRow(alarm_);
  optionsForm->addRow(beacon_);
  optionsForm->addRow("Preamble", preamble_);
  connect(alarm_, &QCheckBox::toggled, this, [this](bool on) { form_.SetAlarm(on); });
  connect(beacon_, &QCheckBox::toggled, this, [this](bool on) { form_.SetBeacon(on); });
  connect(preamble_, &QComboBox::activated, this,
          [this](int index) { form_.ChoosePreamble(index); });

  auto* messageForm = new QFormLayout;
  const std::pair<MessageBox, const char*> messageBoxes[] = {
      {MessageBox::kFirst, "Message no. 1"}, {MessageBox::kSecond, "Message no. 2"}};
  for (const auto& [box, label] : messageBoxes) {
    QLineEdit* edit = AddBox(label, CcirForm::kLongestMessage, messageForm, this);
    messages_[static_cast<std::size_t>(box)] = edit;
    connect(edit, &QLineEdit::textChanged, this,
            [this, box](const QString& text) { form_.TypeMessage(box, text.toStdString()); });
  }

  auto* directory = new QGroupBox(kDirectoryGroup, this);
  summary_ = new QTableWidget(kCcirDirectoryEntries, 1, directory);
  summary_->setObjectName("CcirSummary");
  // The caption above names the one column; the row headers are the directory positions.
  summary_->horizontalHeader()->hide();
  summary_->horizontalHeader()->setStretchLastSection(true);
  summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  summary_->setAccessibleName(kSummaryCaption);
  if (auto* corner = summary_->findChild<QAbstractButton*>())
    corner->setAccessibleName("Select All");
  auto* caption = new QLabel(kSummaryCaption, directory);
  caption->setBuddy(summary_);
  directoryButton_ = new QPushButton(QString(kDirectoryGroup) + "...", directory);
  directoryButton_->setAccessibleName(kDirectoryGroup);
  connect(directoryButton_, &QPushButton::clicked, this, [this] { OpenDirectory(); });
  auto* directoryLayout = new QVBoxLayout(directory);
  directoryLayout->addWidget(caption);
  directoryLayout->addWidget(summary_, 1);
  directoryLayout->addWidget(directoryButton_, 0, Qt::AlignLeft);

  auto* left = new QVBoxLayout;
  left->addWidget(self);
  left->addWidget(options);
  left->addLayout(messageForm);
  left->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addWidget(directory, 1);

  form_.SetListener([this] { Mirror(); });
  Mirror();
}

CCcirFormView::~CCcirFormView() {
  form_.SetListener({});
}

void CCcirFormView::Mirror() {
  for (const IdBox box : {IdBox::kFourDigit, IdBox::kSixDigit}) PutBack(Id(box), form_.IdText(box));
  for (const MessageBox box : {MessageBox::kFirst, MessageBox::kSecond})
    PutBack(Message(box), form_.MessageText(box));
  Mark(alarm_, form_.Alarm());
  Mark(beacon_, form_.Beacon());
  {
    const QSignalBlocker blocker(preamble_);
    preamble_->setCurrentIndex(form_.PreambleIndex());
  }
  const std::vector<std::string> rows = form_.DirectorySummary();
  for (int row = 0; row < summary_->rowCount(); ++row) {
    const QString text = QString::fromStdString(rows[static_cast<std::size_t>(row)]);
    if (QTableWidgetItem* item = summary_->item(row, 0)) {
      item->setText(text);
    } else {
      summary_->setItem(row, 0, new QTableWidgetItem(text));
    }
  }
}

void CCcirFormView::OpenDirectory() {
  varim::panels::CcirDirectory directory = form_.Directory();
  CCcirDirectoryDlg(directory, window()).exec();
}

}  // namespace varim::ui
