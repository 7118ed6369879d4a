#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "varim/core/connection_controller.h"
#include "varim/core/controller_view.h"
#include "varim/core/operator.h"
#include "varim/panels/channel_fields.h"
#include "varim/panels/frequency_entry.h"

namespace varim::panels {

// The radio's current channel as the Computer Interface panel works it: which channel is
// active, its fields as read and as edited, programming it back, the priority channel, and
// scanning with its selector and the tab row. The widgets only mirror what this decides.
class ChannelControl {
 public:
  // 0 ALE scan (the radio's ALE is on), 1 group scan.
  enum class ScanMode { kAle = 0, kGroups = 1 };
  // Unavailable, idle, scanning.
  enum class ScanButton { kUnavailable = -1, kIdle = 0, kScanning = 1 };
  enum class Tab { kChannel, kAle, kLinkQuality };

  static constexpr int kGroupCount = 5;
  static constexpr int kNetCount = 20;
  // 600 rounds of 10 ms for the radio to store the channel, then the done box.
  static constexpr int kProgramWaitRounds = 600;
  // What the radio reports as its operation mode once a channel was programmed.
  static constexpr int kProgrammedMode = 7;

  // The scan selector: groups "A".."E" or nets "1".."20" with something to scan.
  struct ScanSelector {
    std::string label;
    std::vector<std::string> entries;
    int selectedRow = -1;
    bool shown = false;
    // Locked while a link-quality exchange runs: the exchange keeps the net it started in.
    bool enabled = true;
    bool netFieldsShown = false;
    std::string netNumber;
    std::string netName;
  };

  ChannelControl(varim::core::ConnectionController& controller, varim::core::ControllerView& view,
                 varim::core::Operator& op);

  // The radio switched to channel number and its channel read into current, as the channel
  // list does it; false when the radio did not follow.
  static bool SwitchRadio(varim::core::RadioSession& session, int number, channel& current);
  // Starts or stops scanning in mode; groupOrNet is the group 0..4 or the net 1..20 to start in.
  static bool SendScan(varim::core::RadioSession& session, ScanMode mode, bool start,
                       int groupOrNet);
  // The scan mode the radio's ALE state asks for; nothing when the radio did not answer.
  static std::optional<ScanMode> AskScanMode(varim::core::RadioSession& session);

  // Follows the radio's ISB and the controller's reads of the radio.
  void Install();
  // Told of every change the widgets are to mirror.
  void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }
  // What the calls panel beside the widgets hears of scanning; each may be left empty.
  struct ScanEvents {
    std::function<void(ScanButton)> stateChanged;
    // ALE scanning works in net n (from 1): scanning started, or the operator chose the net.
    std::function<void(int)> netChosen;
    std::function<void()> aleScanStopped;
  };
  void SetScanEvents(ScanEvents events) { scanEvents_ = std::move(events); }

  // The channel list.
  const std::vector<int>& ChannelNumbers() const;
  int ActiveRow() const { return activeRow_; }
  // Switches the radio to the channel at row and reads it; false when the radio did not follow.
  bool SelectRow(int row);
  // Reads the radio's current channel into the form.
  bool ReadCurrentChannel();
  const channel& Current() const { return current_; }
  const channel& Edited() const { return edited_; }

  // Power, Band, Mode, AGC and BW: the row a field shows, and the operator's choice.
  int RowOf(ChannelSetting field) const;
  ChannelChoices Choices(ChannelSetting field) const;
  void Choose(ChannelSetting field, int row);

  // Tx. Freq. and Rx. Freq., Simplex and Duplex.
  void ChangeFrequency(FrequencyEntry::Box box, const std::string& text);
  void FocusFrequency(FrequencyEntry::Box box) { entry_.Focus(box); }
  void ChooseSimplex();
  void ChooseDuplex();
  const FrequencyEntry& Frequencies() const { return entry_; }

  bool ProgramChannel();
  bool ProgramEnabled() const;
  bool Priority();
  bool PriorityEnabled() const { return areaEnabled_ && channelControlsShown_; }

  // Start Scan and Stop Scan share one handler.
  void OnScanButton();
  ScanButton ScanState() const { return scanButton_; }
  // The calls panel writes back the state it saved (-1, 0 or 1); a disabled area keeps it
  // unavailable until it is enabled again.
  void WriteScanState(int state);
  // Start Scan and Stop Scan are held on a CCIR radio whose ALE is off.
  bool CcirHoldsScanning() const;
  bool StartScanShown() const { return scanButton_ != ScanButton::kScanning; }
  bool StartScanEnabled() const;
  bool StopScanShown() const { return scanButton_ == ScanButton::kScanning; }
  bool StopScanEnabled() const;
  bool Scanning() const { return controller_.Picture().aleCapable; }
  ScanMode Mode() const { return scanMode_; }
  const ScanSelector& Selector() const { return selector_; }
  // The operator picked another group or net in the selector.
  void SelectScanEntry(int row);
  // The calls panel moved the selector: the entry is remembered, nothing is sent.
  void UpdateCurrentScanNetNumber(int row);

  // The whole channel area, as the connection and the calls switch it.
  void EnableArea(bool enabled);
  bool AreaEnabled() const { return areaEnabled_; }
  bool ChannelControlsShown() const { return channelControlsShown_; }

  void ChooseTab(Tab tab);
  Tab CurrentTab() const { return tab_; }
  bool AleTabsPresent() const { return aleTabsPresent_; }

  const std::string& StatusText() const { return status_; }

  // The radio was read or reset: the channel, the list and the scan state from what it holds.
  void Refresh();

 private:
  void FillFromRecord(const channel& record);
  bool SendActiveChannel(int number);
  bool StartScanning();
  bool StopScanning();
  void FitToScanning(bool shown);
  int LoadGroups();
  bool AnyScanGroup() const;
  void MakeScanningUnavailable();
  void ReportFirstStop();
  void TellNetChosen();
  bool Send(const CRadioMessage& frame);
  void Notify(const char* text);
  void Changed();

  varim::core::ConnectionController& controller_;
  varim::core::ControllerView& view_;
  varim::core::Operator& operator_;
  std::function<void()> changed_;
  ScanEvents scanEvents_;
  ScanButton reportedScanButton_ = ScanButton::kUnavailable;
  channel current_{};
  channel edited_{};
  int activeRow_ = -1;
  FrequencyEntry entry_;
  ScanButton scanButton_ = ScanButton::kUnavailable;
  ScanMode scanMode_ = ScanMode::kGroups;
  ScanSelector selector_;
  // The remembered group (0..4) and net (1..20) of the selector.
  int selectedGroup_ = 0;
  int selectedNet_ = 1;
  bool areaEnabled_ = false;
  bool channelControlsShown_ = true;
  bool aleTabsPresent_ = true;
  Tab tab_ = Tab::kChannel;
  std::string status_;
};

}  // namespace varim::panels
