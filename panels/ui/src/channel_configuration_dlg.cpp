#include "channel_configuration_dlg.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "radio_choice.h"
#include "spin_box_name.h"

namespace varim::ui {

namespace {

using varim::panels::ChannelConfiguration;
using varim::panels::ChannelSetting;
using Box = ChannelConfiguration::Box;
using Type = ChannelConfiguration::FrequencyType;

constexpr int kFrequencyLength = 8;

struct TypeRow {
  Type type;
  const char* label;
};

constexpr TypeRow kTypeRows[] = {
    {Type::kSimplex, "Simplex Frequency"},
    {Type::kHalfDuplex, "Half Duplex Frequencies"},
    {Type::kTransmitOnly, "Transmit Only Frequency"},
    {Type::kReceiveOnly, "Receive Only Frequency"},
};

struct ListRow {
  ChannelSetting field;
  const char* label;
};

constexpr ListRow kListRows[] = {
    {ChannelSetting::kPower, "Power"}, {ChannelSetting::kBand, "Band"},
    {ChannelSetting::kMode, "Mode"},   {ChannelSetting::kAgc, "A.G.C"},
    {ChannelSetting::kBandwidth, "BW"},
};

// The box each kind of frequencies is entered in, and the names a screen reader gives them.
struct BoxRow {
  Box box;
  Type type;
  const char* name;
};

constexpr BoxRow kBoxRows[] = {
    {Box::kSimplex, Type::kSimplex, "Simplex Frequency"},
    {Box::kHalfDuplexTx, Type::kHalfDuplex, "Tx:"},
    {Box::kHalfDuplexRx, Type::kHalfDuplex, "Rx:"},
    {Box::kTransmitOnly, Type::kTransmitOnly, "Transmit Only Frequency"},
    {Box::kReceiveOnly, Type::kReceiveOnly, "Receive Only Frequency"},
};

std::size_t Index(auto value) {
  return static_cast<std::size_t>(value);
}

}  // namespace

CChannelConfigurationDlg::CChannelConfigurationDlg(ChannelConfiguration& editor,
                                                   std::function<void()> help, QWidget* parent)
    : QDialog(parent), editor_(editor) {
  setObjectName("ChannelConfigurationDlg");
  setWindowTitle("Channel Configuration");
  channel_ = new QSpinBox(this);
  channel_->setRange(1, kMaxChannel);
  NameSpinBox(channel_, "Channel");

  auto* frequencies = new QGroupBox("Frequency (MHz)", this);
  frequencies->setAccessibleName("Frequency (MHz)");
  auto* grid = new QGridLayout(frequencies);
  for (const BoxRow& row : kBoxRows) {
    auto* box = new QLineEdit(frequencies);
    box->setMaxLength(kFrequencyLength);
    box->setAccessibleName(row.name);
    boxes_[Index(row.box)] = box;
  }
  int line = 0;
  for (const TypeRow& row : kTypeRows) {
    auto* button = new QRadioButton(row.label, frequencies);
    button->setAccessibleName(row.label);
    types_[Index(row.type)] = button;
    grid->addWidget(button, line, 0);
    if (row.type == Type::kHalfDuplex) {
      auto* tx = new QLabel("Tx:", frequencies);
      tx->setBuddy(Edit(Box::kHalfDuplexTx));
      auto* rx = new QLabel("Rx:", frequencies);
      rx->setBuddy(Edit(Box::kHalfDuplexRx));
      grid->addWidget(tx, line, 1);
      grid->addWidget(Edit(Box::kHalfDuplexTx), line, 2);
      grid->addWidget(rx, line, 3);
      grid->addWidget(Edit(Box::kHalfDuplexRx), line, 4);
    } else {
      const Box box = row.type == Type::kSimplex        ? Box::kSimplex
                      : row.type == Type::kTransmitOnly ? Box::kTransmitOnly
                                                        : Box::kReceiveOnly;
      grid->addWidget(Edit(box), line, 2);
    }
    ++line;
  }

  auto* fields = new QFormLayout;
  fields->addRow("Channel", channel_);
  for (const ListRow& row : kListRows) {
    auto* list = new QComboBox(this);
    list->setAccessibleName(row.label);
    for (const varim::panels::ChannelChoice& choice : editor.Choices(row.field))
      list->addItem(choice.text);
    lists_[Index(row.field)] = list;
    fields->addRow(row.label, list);
    connect(list, &QComboBox::activated, this,
            [this, field = row.field](int index) { editor_.Choose(field, index); });
  }
  if (editor.CcirShown()) {
    ccirNumber_ = new QSpinBox(this);
    ccirNumber_->setRange(1, ChannelConfiguration::kLastCcirNumber);
    NameSpinBox(ccirNumber_, "Channel Num");
    fields->addRow("Channel Num", ccirNumber_);
    connect(ccirNumber_, &QSpinBox::valueChanged, this,
            [this](int value) { editor_.SetCcirNumber(value); });
  }
  warning_ = new QLabel(this);
  warning_->setObjectName("Warning");
  warning_->setStyleSheet("color: red;");
  buttons_ = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  for (QAbstractButton* button : buttons_->buttons())
    button->setAccessibleName(button->text().remove('&'));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(frequencies);
  layout->addWidget(warning_);
  layout->addWidget(buttons_);

  connect(channel_, &QSpinBox::valueChanged, this, [this](int value) {
    editor_.Spin(value);
    Mirror();
  });
  for (const TypeRow& row : kTypeRows) {
    OnChosen(types_[Index(row.type)], this, [this, type = row.type] {
      editor_.ChooseType(type);
      Mirror();
    });
  }
  for (const BoxRow& row : kBoxRows) {
    // The editor's own text coming back into the box is no change.
    connect(Edit(row.box), &QLineEdit::textChanged, this, [this, box = row.box](const QString& t) {
      const std::string text = t.toStdString();
      if (text == editor_.Text(box)) return;
      editor_.ChangeText(box, text);
      Mirror();
    });
  }
  connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
    if (editor_.Ok()) accept();
  });
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons_, &QDialogButtonBox::helpRequested, this, [help = std::move(help)] {
    if (help) help();
  });
  Mirror();
}

void CChannelConfigurationDlg::Mirror() {
  {
    const QSignalBlocker blocker(channel_);
    channel_->setValue(editor_.Number());
  }
  channel_->setEnabled(editor_.SpinEnabled());
  for (const TypeRow& row : kTypeRows) {
    const QSignalBlocker blocker(types_[Index(row.type)]);
    types_[Index(row.type)]->setChecked(editor_.Type() == row.type);
  }
  for (const BoxRow& row : kBoxRows) {
    QLineEdit* box = Edit(row.box);
    const QString text = QString::fromStdString(editor_.Text(row.box));
    if (box->text() != text) {
      const QSignalBlocker blocker(box);
      box->setText(text);
    }
    box->setEnabled(editor_.Type() == row.type);
  }
  for (const ListRow& row : kListRows) lists_[Index(row.field)]->setCurrentIndex(editor_.RowOf(row.field));
  if (ccirNumber_ != nullptr) {
    const QSignalBlocker blocker(ccirNumber_);
    ccirNumber_->setValue(editor_.CcirNumber());
  }
  warning_->setText(editor_.WarningShown() ? QString::fromStdString(editor_.Warning()) : "");
  warning_->setVisible(editor_.WarningShown());
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(editor_.OkEnabled());
}

}  // namespace varim::ui
