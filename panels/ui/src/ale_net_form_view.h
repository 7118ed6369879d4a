#pragma once

#include <QWidget>

#include <map>

#include "varim/panels/ale_net_form.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;

namespace varim::ui {

// The RSS ALE panel's net form: it mirrors the form's model and forwards each change.
class CAleNetFormView : public QWidget {
  Q_OBJECT

 public:
  explicit CAleNetFormView(varim::panels::AleNetForm& form, QWidget* parent = nullptr);

  // Shows the records as they stand (after a read, a file, an edit in a dialog).
  void Mirror();

 private:
  QLineEdit* AddressEdit(const char* label, QWidget* parent);

  varim::panels::AleNetForm& form_;
  QSpinBox* net_;
  QLineEdit* netName_;
  QLineEdit* selfAddress_;
  QLineEdit* globalName_;
  QSpinBox* minLqa_;
  QRadioButton* master_;
  QRadioButton* slave_;
  std::array<QRadioButton*, 3> acceptLink_{};
  std::map<varim::panels::AleNetForm::Check, QCheckBox*> checks_;
  std::map<varim::panels::AleNetForm::List, QComboBox*> lists_;
  QListWidget* members_;
  QListWidget* globalMembers_;
};

}  // namespace varim::ui
