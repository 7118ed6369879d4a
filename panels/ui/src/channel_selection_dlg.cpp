#include "channel_selection_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "spin_box_name.h"

namespace varim::ui {

namespace {

using Kind = varim::panels::ChannelSelection::Kind;

// Groups are shown by their letters.
class GroupSpin : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

 protected:
  QString textFromValue(int value) const override { return QString(QChar('A' + value - 1)); }
  int valueFromText(const QString& text) const override {
    return text.isEmpty() ? 1 : text.at(0).toUpper().unicode() - 'A' + 1;
  }
  QValidator::State validate(QString& text, int&) const override {
    if (text.isEmpty()) return QValidator::Intermediate;
    const QChar letter = text.at(0).toUpper();
    return text.size() == 1 && letter >= 'A' && letter <= 'E' ? QValidator::Acceptable
                                                              : QValidator::Invalid;
  }
};

QLineEdit* ReadOnlyField(QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setReadOnly(true);
  return field;
}

}  // namespace

CChannelSelectionDlg::CChannelSelectionDlg(varim::panels::ChannelSelection& selection,
                                           std::function<void()> help, QWidget* parent)
    : QDialog(parent), selection_(selection) {
  const bool groups = selection.WhatIsEdited() == Kind::kGroups;
  setObjectName(groups ? "GroupsDlg" : "ScannedChannelsDlg");
  setWindowTitle(groups ? "Groups" : "Scanned Channels");
  spin_ = groups ? new GroupSpin(this) : new QSpinBox(this);
  spin_->setRange(1, selection.Count());
  mark_ = ReadOnlyField(this);
  count_ = ReadOnlyField(this);
  grid_ = new CChannelGrid(selection, this);
  hint_ = new QLabel(this);
  hint_->setAutoFillBackground(true);
  deselect_ = new QPushButton("Deselect", this);
  deselect_->setAccessibleName("Deselect");

  auto* fields = new QFormLayout;
  const char* labels[] = {groups ? "Group" : "Net No.",
                          groups ? "Guard Channel" : "All Call Channel", "Selected Channels"};
  QWidget* inputs[] = {spin_, mark_, count_};
  for (int i = 0; i < 3; ++i) {
    fields->addRow(labels[i], inputs[i]);
    inputs[i]->setAccessibleName(labels[i]);
  }
  NameSpinBox(spin_, labels[0]);
  grid_->setAccessibleName(groups ? "Group channels" : "Net channels");

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                           QDialogButtonBox::Help,
                                       this);
  buttons->addButton(deselect_, QDialogButtonBox::ActionRole);
  for (QAbstractButton* button : buttons->buttons())
    button->setAccessibleName(button->text().remove('&'));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(grid_, 1);
  layout->addWidget(hint_);
  layout->addWidget(buttons);
  resize(480, 560);

  connect(spin_, &QSpinBox::valueChanged, this, [this](int value) {
    selection_.Show(value);
    grid_->Mirror();
    Mirror();
  });
  connect(grid_, &CChannelGrid::Changed, this, [this] { Mirror(); });
  connect(deselect_, &QPushButton::clicked, this, [this] {
    selection_.Deselect();
    grid_->Mirror();
    Mirror();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    selection_.Ok();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, [help = std::move(help)] {
    if (help) help();
  });
  Mirror();
}

void CChannelSelectionDlg::Mirror() {
  mark_->setText(QString::fromStdString(selection_.MarkText()));
  count_->setText(QString::number(selection_.SelectedCount()));
  deselect_->setEnabled(selection_.DeselectEnabled());
  const varim::panels::ChannelSelection::Hint& hint = selection_.HintLine();
  hint_->setText(QString::fromStdString(hint.text));
  QPalette palette = hint_->palette();
  palette.setColor(QPalette::Window, hint.warning ? QColor(255, 255, 0) : QColor(192, 192, 192));
  hint_->setPalette(palette);
}

}  // namespace varim::ui
