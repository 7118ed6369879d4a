#pragma once

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <array>
#include <functional>

#include "varim/panels/channel_configuration.h"

namespace varim::ui {

// The "Channel Configuration" dialog: one channel at a time, mirrored from the editor's model.
class CChannelConfigurationDlg : public QDialog {
  Q_OBJECT

 public:
  CChannelConfigurationDlg(varim::panels::ChannelConfiguration& editor, std::function<void()> help,
                           QWidget* parent = nullptr);

  QLineEdit* Edit(varim::panels::ChannelConfiguration::Box box) const {
    return boxes_[static_cast<std::size_t>(box)];
  }

 private:
  void Mirror();

  varim::panels::ChannelConfiguration& editor_;
  QSpinBox* channel_;
  std::array<QRadioButton*, 4> types_{};
  std::array<QLineEdit*, 5> boxes_{};
  std::array<QComboBox*, 5> lists_{};
  QSpinBox* ccirNumber_ = nullptr;
  QLabel* warning_;
  QDialogButtonBox* buttons_;
};

}  // namespace varim::ui
