#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "varim/core/calls_panel.h"
#include "varim/core/operator.h"
#include "varim/core/pending_operation.h"
#include "varim/core/radio_reports.h"
#include "varim/core/radio_state.h"
#include "varim/db/radio_databases.h"
#include "varim/panels/message_history.h"
#include "varim/radio_message.h"

namespace varim::core {
class ConnectionController;
}

namespace varim::panels {

// A drop-down list as the operator sees it: its entries, the chosen one (-1 none) and whether
// it can be worked.
struct Choice {
  std::vector<std::string> items;
  int index = -1;
  bool enabled = true;

  std::string Text() const { return index >= 0 ? items[index] : std::string(); }
  bool Select(const std::string& text);
};

// The ALE tab: station, net and all calls, Replace and Abort.
struct AleTab {
  int callType = 0;  // CallType: 0 Station, 1 Net, 2 All Call
  bool callTypeEnabled = true;
  Choice net;
  Choice channel;
  Choice to;
  std::string netName;
  std::string frequency;
  std::string linkQuality;
  std::string message;
  bool sendEnabled = true;
  bool stackEnabled = true;
  bool replaceEnabled = false;
  bool abortEnabled = false;
  bool linkShown = false;  // the link picture beside the lists
  // The radio's ALE state says no call can be placed: Send, Stack, Abort and Replace wait for
  // it to say otherwise, whatever the call's course allows them.
  bool aleUnusable = false;

  // Whether a button of the four the ALE state holds can be pressed.
  bool Usable(bool enabled) const { return enabled && !aleUnusable; }
};

// The Update Link Quality tab: a bidirectional exchange, or sounding.
struct LinkQualityTab {
  int type = 0;  // LinkQualityType: 0 BiDirectional, 1 Sounding
  bool soundingAllowed = false;
  // The indicators: red while their exchange runs.
  bool biDirectionalRunning = false;
  bool soundingRunning = false;
  std::string netNumber;
  std::string netName;
  std::string frequency;
  std::string linkQuality;
  Choice channel;
  Choice to;
  std::string message;
  bool fieldsEnabled = true;
  bool sendEnabled = true;
  bool abortEnabled = true;
};

// The rules of the two ALE tabs, without a window: which nets, channels and addressees are
// offered, the calls and exchanges they send and the pending operation they leave, and how
// the radio's reports move them on. The widgets mirror the tabs and forward the operator's
// choices; varimctl drives the same rules.
class Calls : public varim::core::CallsPanel {
 public:
  using Send = std::function<bool(const CRadioMessage&)>;

  // What the channel form (which owns the scan selector and the channel controls) does for a
  // call; each may be left empty.
  struct ChannelForm {
    // Moves the scan selector to net n (from 1), which sends EnterNetwork.
    std::function<void(int)> enterNet;
    // Selects channel n on the Channel tab, which tunes the radio.
    std::function<void(int)> selectChannel;
    std::function<void(bool)> enableChannelControls;
    // The scan state is written back (after Abort, or when a link ends).
    std::function<void(int)> setScanState;
  };

  static constexpr const char* kAuto = "Auto";
  static constexpr const char* kAllCall = "All Call";
  static constexpr const char* kDial = "Dial";
  static constexpr const char* kReadDatabaseFirst = "You must read Data Base from radio!";
  static constexpr const char* kScanDisabled = "Scan Button is disable!";
  static constexpr const char* kMessageTooLong = "A message can have at most 90 characters.";
  static constexpr const char* kAddressInvalid = "An address has 1 to 15 characters.";
  static constexpr int kAutoChannel = 255;
  static constexpr std::size_t kMaxMessage = 90;

  Calls(const varim::db::RadioDatabases& databases, varim::core::RadioState& state,
        varim::core::PendingOperation& pending, varim::core::RadioReports& reports,
        varim::core::Operator& op, Send send, std::function<bool()> databaseRead,
        std::string historyPath);

  // The tabs of the controller's radio, with msg.txt in its start-up folder.
  static std::unique_ptr<Calls> For(varim::core::ConnectionController& controller,
                                    varim::core::Operator& op);
  // Takes the radio's call reports from now on.
  void Install(varim::core::RadioReports& reports) { reports.SetCallsPanel(this); }

  void SetChannelForm(ChannelForm form) { form_ = std::move(form); }
  // Called after every change of the tabs.
  void SetChanged(std::function<void()> changed) { changed_ = std::move(changed); }
  // ScanButtonState: -1 unavailable, 0 not scanning, 1 scanning.
  void SetScanState(int state);
  int ScanState() const { return scanState_; }
  // The channel form's scan selector works in net n (from 1): both tabs follow it, now or
  // when scanning starts.
  void FollowScannedNet(int net);
  // ALE scanning stopped: the Update Link Quality tab has nothing to work until it starts again.
  void AleScanStopped();

  const AleTab& Ale() const { return ale_; }
  const LinkQualityTab& LinkQuality() const { return lq_; }
  const MessageHistory& History() const { return history_; }
  bool CallInProgress() const { return callInProgress_; }
  int LastCommand() const { return lastCommand_; }

  // The ALE tab.
  void UpdateLinkInfo();
  void ChooseCallType(int type);
  void ChooseNet(int number);
  void ChooseChannel(const std::string& text);
  void ChooseTo(const std::string& text);
  // An addressee the To list does not hold yet is added to it, then chosen.
  void EnterTo(const std::string& text);
  void SetMessage(const std::string& text) { ale_.message = text; }
  void ClearMessage();
  void Dial();
  // Places the call; false when nothing was sent, with the reason when one was told.
  bool SendCall(std::string* reason = nullptr);
  void Abort();
  void Replace();

  // The Update Link Quality tab.
  void RefreshLinkQualityTab();
  void ChooseLinkQualityType(int type);
  void ChooseLinkQualityChannel(const std::string& text);
  void ChooseLinkQualityTo(const std::string& text) { lq_.to.Select(text); }
  void EnterLinkQualityTo(const std::string& text);
  void SetLinkQualityMessage(const std::string& text) { lq_.message = text; }
  void ClearLinkQualityMessage();
  bool SendLinkQuality(std::string* reason = nullptr);
  void AbortLinkQuality();

  // The dispatch's side.
  void LinkUp() override;
  void LinkEnded() override;
  void ResetLinkQuality(int part) override;
  void RefreshLinkQuality() override { RefreshLinkQualityTab(); }
  void HideLinkWindow() override;
  void ShowEstablishedLink(int channel, int quality) override;
  void AcceptIncomingCall(const varim::core::IncomingCall& call) override;
  void IncomingCallLogged(const varim::core::IncomingCall& call) override;
  void Reply(const varim::core::CallRecord& record) override;
  void AleUnusable(bool unusable) override;

 private:
  bool NetHasChannels(int net) const;
  std::vector<int> NetChannels(int net) const;
  std::vector<std::string> Addresses() const;
  std::string NetName(int net) const;
  std::string FrequencyText(int channel) const;
  std::string QualityText(int channel) const;
  void ShowChannel(const std::string& text, std::string& frequency, std::string& quality) const;
  void FillChannelList(Choice& list, int net) const;
  void RebuildTo();
  void ApplyCallType();
  void EnableSelection(bool enabled);
  bool DatabaseRead();
  // The message as sent, or none when it is too long.
  bool TakeMessage(const std::string& text, std::string& upper, std::string* reason);
  bool Transmit(const CRadioMessage& frame);
  void SendAbortLink();
  void Changed();

  const varim::db::RadioDatabases& databases_;
  varim::core::RadioState& state_;
  varim::core::PendingOperation& pending_;
  varim::core::RadioReports& reports_;
  varim::core::Operator& operator_;
  Send send_;
  std::function<bool()> databaseRead_;
  MessageHistory history_;
  ChannelForm form_;
  std::function<void()> changed_;
  AleTab ale_;
  LinkQualityTab lq_;
  int scanState_ = -1;
  int aleSavedScan_ = -1;
  int lqSavedScan_ = -1;
  int selectedNet_ = 0;  // from 0
  int scannedNet_ = -1;  // the scan selector's net, from 0; -1 before it has one
  int lqNet_ = 0;
  int lastStation_ = 0;
  bool following_ = false;
  bool callInProgress_ = false;
  bool biDirectionalInProgress_ = false;
  int lastCommand_ = 0;
};

}  // namespace varim::panels
