#include "link_dlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "radio_choice.h"

namespace varim::ui {

namespace {

// Red while an exchange runs, black otherwise: the radio buttons are the indicators.
void Indicate(QRadioButton* button, bool running) {
  QPalette palette = button->palette();
  palette.setColor(QPalette::WindowText, running ? QColor(255, 0, 0) : QColor(0, 0, 0));
  button->setPalette(palette);
}

QLineEdit* ReadOnlyField() {
  auto* field = new QLineEdit;
  field->setReadOnly(true);
  return field;
}

// A labelled input in the next row of the grid; the label names it for screen readers.
void AddRow(QGridLayout* grid, const char* label, QWidget* input) {
  const int row = grid->rowCount();
  auto* caption = new QLabel(QString::fromUtf8(label));
  caption->setBuddy(input);
  grid->addWidget(caption, row, 0);
  grid->addWidget(input, row, 1);
}

QComboBox* MessageBox() {
  auto* box = new QComboBox;
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->lineEdit()->setMaxLength(static_cast<int>(varim::panels::Calls::kMaxMessage));
  // The box's own text field is what a screen reader lands on while the operator types.
  box->lineEdit()->setAccessibleName(QObject::tr("Message:"));
  return box;
}

}  // namespace

void MirrorChoice(QComboBox* box, const varim::panels::Choice& choice) {
  const QSignalBlocker blocker(box);
  box->clear();
  for (const std::string& item : choice.items) box->addItem(QString::fromStdString(item));
  box->setCurrentIndex(choice.index);
  box->setEnabled(choice.enabled);
}

void MirrorMessages(QComboBox* box, const varim::panels::MessageHistory& history,
                    const std::string& text) {
  const QSignalBlocker blocker(box);
  box->clear();
  for (const std::string& message : history.Messages())
    box->addItem(QString::fromStdString(message));
  box->setEditText(QString::fromStdString(text));
}

CLinkDlg::CLinkDlg(varim::panels::Calls& calls, std::function<void()> stack, QWidget* parent)
    : QWidget(parent),
      calls_(calls),
      station_(new QRadioButton(tr("Station"))),
      net_(new QRadioButton(tr("Net"))),
      allCall_(new QRadioButton(tr("All Call"))),
      netList_(new QComboBox),
      channel_(new QComboBox),
      netName_(ReadOnlyField()),
      frequency_(ReadOnlyField()),
      linkQuality_(ReadOnlyField()),
      to_(new QComboBox),
      message_(MessageBox()),
      clear_(new QPushButton(tr("Clr Msg:"))),
      dial_(new QPushButton(tr("Dial"))),
      send_(new QPushButton(tr("Send"))),
      stack_(new QPushButton(tr("Stack"))),
      replace_(new QPushButton(tr("Replace"))),
      abort_(new QPushButton(tr("Abort"))),
      linkPicture_(new QLabel(tr("Link is up"))) {
  auto* types = new QGroupBox(tr("Call Type:"));
  auto* typeRow = new QHBoxLayout(types);
  for (QRadioButton* button : {station_, net_, allCall_}) typeRow->addWidget(button);
  auto* grid = new QGridLayout;
  AddRow(grid, "&Net:", netList_);
  AddRow(grid, "&Channel:", channel_);
  AddRow(grid, "Net name:", netName_);
  AddRow(grid, "Frequency:", frequency_);
  AddRow(grid, "Link quality:", linkQuality_);
  AddRow(grid, "&To:", to_);
  AddRow(grid, "&Message:", message_);
  auto* messageButtons = new QHBoxLayout;
  messageButtons->addWidget(clear_);
  messageButtons->addWidget(dial_);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {send_, stack_, replace_, abort_}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(types);
  layout->addLayout(grid);
  layout->addLayout(messageButtons);
  layout->addWidget(linkPicture_);
  layout->addLayout(buttons);

  OnChosen(station_, this, [this] { calls_.ChooseCallType(0); });
  OnChosen(net_, this, [this] { calls_.ChooseCallType(1); });
  OnChosen(allCall_, this, [this] { calls_.ChooseCallType(2); });
  connect(netList_, &QComboBox::textActivated, this,
          [this](const QString& text) { calls_.ChooseNet(text.toInt()); });
  connect(channel_, &QComboBox::textActivated, this,
          [this](const QString& text) { calls_.ChooseChannel(text.toStdString()); });
  connect(to_, &QComboBox::textActivated, this,
          [this](const QString& text) { calls_.ChooseTo(text.toStdString()); });
  connect(message_, &QComboBox::editTextChanged, this,
          [this](const QString& text) { calls_.SetMessage(text.toStdString()); });
  connect(clear_, &QPushButton::clicked, this, [this] { calls_.ClearMessage(); });
  connect(dial_, &QPushButton::clicked, this, [this] { calls_.Dial(); });
  connect(send_, &QPushButton::clicked, this, [this] { calls_.SendCall(); });
  connect(abort_, &QPushButton::clicked, this, [this] { calls_.Abort(); });
  connect(replace_, &QPushButton::clicked, this, [this] { calls_.Replace(); });
  connect(stack_, &QPushButton::clicked, this, [stack = std::move(stack)] {
    if (stack) stack();
  });
  Mirror();
}

void CLinkDlg::Mirror() {
  const varim::panels::AleTab& tab = calls_.Ale();
  QRadioButton* types[] = {station_, net_, allCall_};
  for (int type = 0; type < 3; ++type) {
    const QSignalBlocker blocker(types[type]);
    types[type]->setChecked(tab.callType == type);
    types[type]->setEnabled(tab.callTypeEnabled);
  }
  MirrorChoice(netList_, tab.net);
  MirrorChoice(channel_, tab.channel);
  MirrorChoice(to_, tab.to);
  netName_->setText(QString::fromStdString(tab.netName));
  frequency_->setText(QString::fromStdString(tab.frequency));
  linkQuality_->setText(QString::fromStdString(tab.linkQuality));
  MirrorMessages(message_, calls_.History(), tab.message);
  send_->setEnabled(tab.Usable(tab.sendEnabled));
  stack_->setEnabled(tab.Usable(tab.stackEnabled));
  replace_->setEnabled(tab.Usable(tab.replaceEnabled));
  abort_->setEnabled(tab.Usable(tab.abortEnabled));
  linkPicture_->setVisible(tab.linkShown);
}

CUpdateLinkQualityDlg::CUpdateLinkQualityDlg(varim::panels::Calls& calls, QWidget* parent)
    : QWidget(parent),
      calls_(calls),
      biDirectional_(new QRadioButton(tr("BiDirectional"))),
      sounding_(new QRadioButton(tr("Sounding"))),
      netNumber_(ReadOnlyField()),
      netName_(ReadOnlyField()),
      frequency_(ReadOnlyField()),
      linkQuality_(ReadOnlyField()),
      channel_(new QComboBox),
      to_(new QComboBox),
      message_(MessageBox()),
      clear_(new QPushButton(tr("Clr Msg:"))),
      send_(new QPushButton(tr("Send"))),
      abort_(new QPushButton(tr("Abort"))) {
  auto* types = new QGroupBox(tr("Type:"));
  auto* typeRow = new QHBoxLayout(types);
  typeRow->addWidget(biDirectional_);
  typeRow->addWidget(sounding_);
  auto* grid = new QGridLayout;
  AddRow(grid, "Net number:", netNumber_);
  AddRow(grid, "Net name:", netName_);
  AddRow(grid, "Frequency:", frequency_);
  AddRow(grid, "Link quality:", linkQuality_);
  AddRow(grid, "&Channel:", channel_);
  AddRow(grid, "&To:", to_);
  AddRow(grid, "&Message:", message_);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {clear_, send_, abort_}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(types);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  OnChosen(biDirectional_, this, [this] { calls_.ChooseLinkQualityType(0); });
  OnChosen(sounding_, this, [this] { calls_.ChooseLinkQualityType(1); });
  connect(channel_, &QComboBox::textActivated, this,
          [this](const QString& text) { calls_.ChooseLinkQualityChannel(text.toStdString()); });
  connect(to_, &QComboBox::textActivated, this,
          [this](const QString& text) { calls_.ChooseLinkQualityTo(text.toStdString()); });
  connect(message_, &QComboBox::editTextChanged, this,
          [this](const QString& text) { calls_.SetLinkQualityMessage(text.toStdString()); });
  connect(clear_, &QPushButton::clicked, this, [this] { calls_.ClearLinkQualityMessage(); });
  connect(send_, &QPushButton::clicked, this, [this] { calls_.SendLinkQuality(); });
  connect(abort_, &QPushButton::clicked, this, [this] { calls_.AbortLinkQuality(); });
  Mirror();
}

void CUpdateLinkQualityDlg::Mirror() {
  const varim::panels::LinkQualityTab& tab = calls_.LinkQuality();
  {
    const QSignalBlocker one(biDirectional_);
    const QSignalBlocker two(sounding_);
    biDirectional_->setChecked(tab.type == 0);
    sounding_->setChecked(tab.type == 1);
  }
  sounding_->setEnabled(tab.soundingAllowed);
  Indicate(biDirectional_, tab.biDirectionalRunning);
  Indicate(sounding_, tab.soundingRunning);
  netNumber_->setText(QString::fromStdString(tab.netNumber));
  netName_->setText(QString::fromStdString(tab.netName));
  frequency_->setText(QString::fromStdString(tab.frequency));
  linkQuality_->setText(QString::fromStdString(tab.linkQuality));
  MirrorChoice(channel_, tab.channel);
  MirrorChoice(to_, tab.to);
  MirrorMessages(message_, calls_.History(), tab.message);
  message_->setEnabled(tab.fieldsEnabled);
  clear_->setEnabled(tab.fieldsEnabled);
  send_->setEnabled(tab.sendEnabled);
  abort_->setEnabled(tab.abortEnabled);
}

}  // namespace varim::ui
