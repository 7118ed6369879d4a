#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <array>

#include "scan_group_dlg.h"
#include "varim/panels/channel_control.h"

namespace varim::ui {

// The channel area of the Computer Interface panel: the tab row, the current channel's form,
// its buttons and the scan selector. It mirrors ChannelControl and hands it the operator's input.
class CChannelDlg : public QWidget {
  Q_OBJECT

 public:
  // The status line is the panel's; the dialog writes the call results into it.
  CChannelDlg(varim::core::ConnectionController& controller, varim::core::ControllerView& view,
              varim::core::Operator& op, QLabel* statusLine, QWidget* parent = nullptr);

  // The two ALE tabs, built by the calls feature, in place of the placeholders.
  void SetAleTabs(QWidget* ale, QWidget* linkQuality);
  void EnableArea(bool enabled);

  varim::panels::ChannelControl& Control() { return control_; }
  QComboBox* ChannelList() const { return channelList_; }
  QLineEdit* FrequencyEdit(varim::panels::FrequencyEntry::Box box) const;
  QComboBox* FieldList(varim::panels::ChannelSetting field) const;
  QTabWidget* Tabs() const { return tabs_; }
  QPushButton* ProgramButton() const { return program_; }
  QPushButton* StartScanButton() const { return startScan_; }
  QPushButton* StopScanButton() const { return stopScan_; }
  CScanGroupDlg* ScanSelector() const { return scanSelector_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QComboBox* AddList(const char* label, varim::panels::ChannelSetting field);
  void Mirror();
  void MirrorTabs();

  varim::panels::ChannelControl control_;
  QLabel* statusLine_;
  QTabWidget* tabs_;
  QWidget* channelPage_;
  QWidget* channelControls_;
  QWidget* aleTab_;
  QWidget* linkQualityTab_;
  QComboBox* channelList_;
  QLineEdit* txEdit_;
  QLineEdit* rxEdit_;
  std::array<QComboBox*, 5> fieldLists_{};
  QRadioButton* simplex_;
  QRadioButton* duplex_;
  QPushButton* program_;
  QPushButton* priority_;
  QPushButton* startScan_;
  QPushButton* stopScan_;
  CScanGroupDlg* scanSelector_;
};

}  // namespace varim::ui
