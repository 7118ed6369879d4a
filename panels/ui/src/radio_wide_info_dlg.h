#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <array>

#include "varim/panels/radio_wide_info.h"

namespace varim::ui {

// The read-only "Radio Wide Information" window: the radio's identity and versions, its E.C.N.
// and S.P. lists and its options.
class CRadioWideInfoDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CRadioWideInfoDlg(const varim::panels::RadioWideInfo& info, QWidget* parent = nullptr);

  QLineEdit* Field(std::size_t index) const { return fields_[index]; }
  QListWidget* EcnList() const { return ecnList_; }
  QListWidget* SpList() const { return spList_; }
  QTableWidget* OptionsGrid() const { return optionsGrid_; }

 private:
  std::array<QLineEdit*, std::tuple_size_v<decltype(varim::panels::RadioWideInfo::fields)>>
      fields_{};
  QListWidget* ecnList_;
  QListWidget* spList_;
  QTableWidget* optionsGrid_;
};

}  // namespace varim::ui
