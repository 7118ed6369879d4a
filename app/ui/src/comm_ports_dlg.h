#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <functional>

#include "varim/core/connection_controller.h"

namespace varim::ui {

// "Communication Ports": the COM port and baud rate, with a communication test (Check) that
// already applies the values it tries.
class CCommPortsDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kPorts = 6;

  CCommPortsDlg(varim::core::ConnectionController& controller, varim::core::Operator& op,
                std::function<void()> openHelp, QWidget* parent = nullptr);

  // Takes the controller's settings into the controls; call before each showing.
  void Load();
  // The baud rate's button; a rate not in the table is reported and leaves the choice.
  bool SetBaudIndex(int baudRate, bool show);
  int PortIndex() const { return portIndex_; }
  int BaudIndex() const { return baudIndex_; }
  bool BusyLabelShown() const { return busyLabel_->isVisible(); }

  void Check();
  void Ok();

 private:
  void ShowDevice();
  void SetBusyLabel(bool shown);

  varim::core::ConnectionController& controller_;
  varim::core::Operator& operator_;
  std::function<void()> openHelp_;
  int portIndex_ = 0;
  int baudIndex_ = 3;
  QComboBox* ports_;
  QLabel* device_;
  QButtonGroup* bauds_;
  QLabel* busyLabel_;
};

}  // namespace varim::ui
