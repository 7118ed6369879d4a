#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <array>

#include "varim/panels/ccir_form.h"

namespace varim::ui {

// The CCIR panel's form: the radio's own selcall IDs, the options, the two messages and the
// directory summary with the button to the directory dialog. It mirrors CcirForm and hands it
// what the operator types and chooses.
class CCcirFormView : public QWidget {
  Q_OBJECT

 public:
  using IdBox = varim::panels::CcirForm::IdBox;
  using MessageBox = varim::panels::CcirForm::MessageBox;

  explicit CCcirFormView(varim::panels::CcirForm& form, QWidget* parent = nullptr);
  ~CCcirFormView() override;

  QLineEdit* Id(IdBox box) const { return ids_[static_cast<std::size_t>(box)]; }
  QLineEdit* Message(MessageBox box) const { return messages_[static_cast<std::size_t>(box)]; }
  QComboBox* Preamble() const { return preamble_; }
  QTableWidget* Summary() const { return summary_; }
  QPushButton* DirectoryButton() const { return directoryButton_; }

 private:
  void Mirror();
  void OpenDirectory();

  varim::panels::CcirForm& form_;
  std::array<QLineEdit*, 2> ids_{};
  std::array<QLineEdit*, 2> messages_{};
  QCheckBox* alarm_;
  QCheckBox* beacon_;
  QComboBox* preamble_;
  QTableWidget* summary_;
  QPushButton* directoryButton_;
};

}  // namespace varim::ui
