#include "radio_options_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <span>
#include <utility>

namespace varim::ui {

namespace {

using varim::panels::RadioOptionsPage;
using CheckState = RadioOptionsPage::CheckState;

// The boxes in the order they stand, the options before the accessories.
constexpr RadioOptionsPage::Box kOptionBoxes[] = {
    RadioOptionsPage::Box::kBeepAfterKeyboardPress, RadioOptionsPage::Box::kBeepAfterPttRelease,
    RadioOptionsPage::Box::kAccessorySideTone,      RadioOptionsPage::Box::kMicrophoneSideTone,
    RadioOptionsPage::Box::kHideFrequency,          RadioOptionsPage::Box::kNoiseBlanker};
constexpr RadioOptionsPage::Box kAccessoryBoxes[] = {
    RadioOptionsPage::Box::kTuner, RadioOptionsPage::Box::kAmplifier,
    RadioOptionsPage::Box::kAccessory1, RadioOptionsPage::Box::kAccessory2,
    RadioOptionsPage::Box::kIsb};

Qt::CheckState QtState(CheckState state) {
  switch (state) {
    case CheckState::kChecked:
      return Qt::Checked;
    case CheckState::kIndeterminate:
      return Qt::PartiallyChecked;
    case CheckState::kUnchecked:
      break;
  }
  return Qt::Unchecked;
}

}  // namespace

CRadioOptionsView::CRadioOptionsView(RadioOptionsPage& page, QWidget* parent)
    : QWidget(parent), page_(page) {
  setObjectName("RadioOptionsView");
  auto* form = new QGridLayout;
  for (int index = 0; index < RadioOptionsPage::kOptionLists; ++index) {
    const auto list = static_cast<OptionList>(index);
    const char* text = RadioOptionsPage::kListLabels[static_cast<std::size_t>(index)];
    auto* combo = new QComboBox(this);
    combo->setAccessibleName(text);
    for (const std::string& entry : RadioOptionsPage::Entries(list))
      combo->addItem(QString::fromStdString(entry));
    auto* label = new QLabel(text, this);
    label->setBuddy(combo);
    form->addWidget(label, index, 0);
    form->addWidget(combo, index, 1);
    lists_[static_cast<std::size_t>(index)] = combo;
    connect(combo, &QComboBox::activated, this, [this, list](int row) {
      page_.Choose(list, row);
      Mirror();
    });
  }
  form->setRowStretch(RadioOptionsPage::kOptionLists, 1);

  auto* options = new QVBoxLayout;
  auto* accessories = new QVBoxLayout;
  using Column = std::pair<QVBoxLayout*, std::span<const Box>>;
  for (auto [column, order] :
       {Column{options, kOptionBoxes}, Column{accessories, kAccessoryBoxes}}) {
    for (const Box box : order) {
      auto* check =
          new QCheckBox(RadioOptionsPage::kBoxLabels[static_cast<std::size_t>(box)], this);
      check->setAccessibleName(check->text());
      check->setVisible(RadioOptionsPage::Shown(box));
      column->addWidget(check);
      boxes_[static_cast<std::size_t>(box)] = check;
      // Neither clicked, which the accessibility interface's toggle does not send, nor toggled,
      // which a box leaving the indeterminate state for checked does not send: to the button
      // both states are checked.
      connect(check, &QCheckBox::stateChanged, this, [this, box](int state) {
        if (state == Qt::PartiallyChecked) return;
        page_.Check(box, state == Qt::Checked);
        Mirror();
      });
    }
    column->addStretch();
  }

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(options);
  layout->addLayout(accessories);
  layout->addStretch();

  page_.SetListener([this] { Mirror(); });
  Mirror();
}

CRadioOptionsView::~CRadioOptionsView() {
  page_.SetListener({});
}

void CRadioOptionsView::Mirror() {
  for (int index = 0; index < RadioOptionsPage::kOptionLists; ++index) {
    const auto list = static_cast<OptionList>(index);
    QComboBox* combo = List(list);
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(page_.Selection(list));
    combo->setEnabled(page_.Enabled(list));
  }
  for (int index = 0; index < RadioOptionsPage::kBoxes; ++index) {
    const auto box = static_cast<Box>(index);
    QCheckBox* check = CheckBox(box);
    const QSignalBlocker blocker(check);
    const CheckState state = page_.State(box);
    // Only a field the page cannot show as a choice is indeterminate; the operator's clicks
    // give checked or unchecked.
    check->setTristate(state == CheckState::kIndeterminate);
    check->setCheckState(QtState(state));
    check->setEnabled(page_.Enabled(box));
  }
}

}  // namespace varim::ui
