#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QWidget>
#include <array>

#include "varim/panels/radio_options_page.h"

namespace varim::ui {

// The RSS panel's radio options page: the option lists, the language and the check boxes of
// the options and accessories. It mirrors RadioOptionsPage and hands it the operator's choices.
class CRadioOptionsView : public QWidget {
  Q_OBJECT

 public:
  using OptionList = varim::panels::RadioOptionsPage::OptionList;
  using Box = varim::panels::RadioOptionsPage::Box;

  explicit CRadioOptionsView(varim::panels::RadioOptionsPage& page, QWidget* parent = nullptr);
  ~CRadioOptionsView() override;

  QComboBox* List(OptionList list) const { return lists_[static_cast<std::size_t>(list)]; }
  QCheckBox* CheckBox(Box box) const { return boxes_[static_cast<std::size_t>(box)]; }

 private:
  void Mirror();

  varim::panels::RadioOptionsPage& page_;
  std::array<QComboBox*, varim::panels::RadioOptionsPage::kOptionLists> lists_{};
  std::array<QCheckBox*, varim::panels::RadioOptionsPage::kBoxes> boxes_{};
};

}  // namespace varim::ui
