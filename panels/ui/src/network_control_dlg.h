#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <functional>
#include <string>

#include "varim/panels/network_control.h"

namespace varim::ui {

// Preferences › Network Control: whether other programs may control the radio, where they
// connect, and whether they may key the transmitter. OK applies the choice and closes only when
// it is served as chosen; otherwise the reason stays in the dialog.
class CNetworkControlDlg : public QDialog {
  Q_OBJECT

 public:
  // Serves as chosen; the status line afterwards, and whether it serves as chosen.
  using Apply = std::function<bool(const varim::panels::NetworkControlSettings&, std::string*)>;

  CNetworkControlDlg(const varim::panels::NetworkControlSettings& settings,
                     const std::string& status, Apply apply, QWidget* parent = nullptr);

  varim::panels::NetworkControlSettings Chosen() const;

 private:
  void Ok();
  void EnableChoices();

  Apply apply_;
  QCheckBox* enabled_;
  QLineEdit* address_;
  QSpinBox* port_;
  QCheckBox* allowPtt_;
  QLabel* status_;
};

}  // namespace varim::ui
