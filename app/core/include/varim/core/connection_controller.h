#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "varim/core/call_lists.h"
#include "varim/core/comm_settings.h"
#include "varim/core/command_registry.h"
#include "varim/core/command_rules.h"
#include "varim/core/controller_view.h"
#include "varim/core/event_pump.h"
#include "varim/core/operator.h"
#include "varim/core/programmed_channels.h"
#include "varim/core/radio_backups.h"
#include "varim/core/radio_reports.h"
#include "varim/core/radio_session.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"

namespace varim::core {

// The program's picture of the radio's switches and sliders, from the last state queries and
// the operator's toggles.
struct RadioPicture {
  bool squelch = false;
  bool monitor = false;
  bool noiseBlanker = false;
  bool attenuator = false;
  bool clipper = false;
  // The clarifier and notch-filter panels are shown from the start.
  bool clarifierShown = true;
  bool notchShown = true;
  int notchPosition = 300;    // hertz, 300..2700
  int clarifierPosition = 0;  // -200..200
  bool clarifierOff = false;  // the radio reported no clarifier setting
  int operationMode = 0;
  bool aleCapable = false;  // operation mode 1, 4 or 6
  int firstScanMark = 0;    // 0 never scanned, 1 may scan, 2 scanned once
  bool noiseBlankerAvailable = false;
};

// The connection logic of the program's main window: it opens and closes the link, keeps the
// flags every panel consults before it talks to the radio, runs the read-device sequence and
// the commands of the connection, and tears everything down at exit. Runs on the window's
// thread; the radio's reports reach it through DispatchReport on that thread.
class ConnectionController {
 public:
  // Hands work to the window's thread from any thread.
  using Poster = std::function<void(std::function<void()>)>;

  // How long the radio is given to restart: 1000 rounds of 10 ms after a reset during a read,
  // 400 after the Reset command. Both end early once the radio reports that it is back.
  static constexpr int kRestartRounds = 1000;
  static constexpr int kResetRounds = 400;
  static constexpr int kOperationDoneMs = 4000;
  static constexpr int kSplashMs = 4000;
  // The notch filter moves in 11 steps of 240 Hz from 300 Hz; the radio counts the steps.
  static constexpr int kNotchLineSize = 240;
  static constexpr int kNotchMinimum = 300;
  static constexpr int kNotchMaximum = 2700;

  ConnectionController(Operator& op, EventPump& pump, ControllerView& view, Poster post,
                       std::string startupDirectory);
  ~ConnectionController();
  ConnectionController(const ConnectionController&) = delete;
  ConnectionController& operator=(const ConnectionController&) = delete;

  // The first update: the communication settings from the start-up folder.
  void Initialise();
  // Keeps a backup of every whole read of the radio under base (see RadioBackups); without
  // this none is kept.
  void KeepBackupsIn(std::filesystem::path base) { backups_.emplace(std::move(base)); }
  // Uses device for COM port n during this run instead of the system's name for it.
  void SetDeviceForPort(int port, const std::string& device);
  // The device behind COM port n.
  std::string DeviceForPort(int port) const;
  // Connects once the window is on screen: opens the link, puts the radio into remote mode
  // and reads it.
  void DeferredConnect();

  bool OpenConnection();
  void CloseConnection();
  // Applies a port and baud rate: nothing when both are the current ones, else the link is
  // closed, the values stored and the link opened again.
  bool UpdateSocket(int port, int baudRate);
  bool CommunicationTest();
  bool SendCommand(const CRadioMessage& frame) { return session_.SendCommand(frame); }
  bool AwaitAnswer(CRadioMessage& answer, int opcode) {
    return session_.AwaitAnswer(answer, opcode);
  }
  // n rounds of 10 ms in which the window stays live.
  void PumpWait(int rounds);
  void SetBusy(bool busy);
  void EnablePanels(bool enabled);

  // The commands.
  void ReadDevice();
  // Puts the records into the radio: the editors hand in their data first, the operator is
  // asked when the radio's speed differs from the line's, the line follows the speed the
  // records give the radio, and the panels are refreshed from it.
  void WriteDevice();
  // Told before a write, to move what the editors hold into the records.
  void OnBeforeWrite(std::function<void()> listener) {
    beforeWriteListeners_.push_back(std::move(listener));
  }
  void Reset();
  void RemoteControl();
  void Toggle(CommandId command);
  // Comm. Ports: BeginCommPorts before the dialog, Check and Ok from its buttons,
  // EndCommPorts after it with the settings BeginCommPorts gave.
  CommSettings BeginCommPorts();
  // The dialog's Check: applies the values and tests the radio without the "does not respond"
  // box; the dialog then has the verdict told.
  bool CommPortsCheck(int port, int baudRate);
  void ReportCommunicationTest(bool passed);
  bool CommPortsOk(int port, int baudRate);
  void EndCommPorts(bool accepted, const CommSettings& before);
  // The progress dialog's Abort button.
  void AbortTransfer() { session_.AbortTransfer(); }

  // The read-device sequence: 0 failed, else the number of programmed channels + 1.
  int ResetAndRead(bool withProgress);
  // The transfer under the progress dialog; true when it completed.
  bool LoadProgressDlg(TransferMode mode);
  RadioGeneration CheckSoftwareVersion() { return session_.CheckSoftwareVersion(); }
  int ReadActiveChannel();
  int ListProgrammedChannels(int activeChannel);
  // Told at the end of every read of the radio, once the channel list and the active channel's
  // parameters are in.
  void OnRead(std::function<void()> listener) { readListeners_.push_back(std::move(listener)); }
  // Read the radio's active channel and list again, and tell the read listeners.
  bool RefreshFromRadio();
  bool UpdateToolBarAndSliders();

  // Where every report the incoming thread hands over arrives, on the window's thread.
  void DispatchReport(const CRadioMessage& frame);
  // The window closes: the link, then the communication settings.
  void Shutdown();

  // Re-runs the configuration checks on the records.
  bool RunConfigurationChecks();

  CommandState StateOf(CommandId command) const;
  CommandContext Context() const;
  std::string SerialNumberPane() const;
  std::string RadioCodePane() const;
  std::string PortPane() const;

  RadioSession& Session() { return session_; }
  // The seams the panels plug into: the radio's state they observe, the reports they handle,
  // the commands they install, the call log and the radio's own reports.
  RadioState& State() { return state_; }
  const RadioState& State() const { return state_; }
  ReportDispatcher& Dispatcher() { return dispatcher_; }
  CommandRegistry& Commands() { return commands_; }
  CallLists& Calls() { return calls_; }
  RadioReports& Reports() { return *reports_; }
  // Who answers incoming calls; without one they are declined.
  void SetIncomingCallPrompt(IncomingCallPrompt& prompt) { reports_->SetPrompt(prompt); }
  const CommSettings& Settings() const { return settings_; }
  bool RadioReady() const { return radioReady_; }
  bool Busy() const { return busy_; }
  bool ConfigurationValid() const { return configurationValid_; }
  void SetConfigurationValid(bool valid) { configurationValid_ = valid; }
  bool PanelsEnabled() const { return panelsEnabled_; }
  Panel CurrentPanel() const { return currentPanel_; }
  void SetCurrentPanel(Panel panel) { currentPanel_ = panel; }
  const RadioPicture& Picture() const { return picture_; }
  RadioPicture& Picture() { return picture_; }
  const ProgrammedChannels& Channels() const { return channels_; }
  const channel& ActiveChannelParameters() const { return activeChannelParameters_; }
  const std::string& StartupDirectory() const { return startupDirectory_; }

 private:
  class ProgressForwarder;

  void ShowPleaseWait();
  void ClosePleaseWait();
  bool QueryOperationMode();
  bool QueryAleOnOff();
  void SetAleOnOff(int state);
  bool ReadAfterReset();
  bool LoadActiveChannel();
  bool ConfirmChanges();
  // A backup that fails is told to the operator; the read stands.
  void BackUpTheRead();
  void InstallCommands();
  // The radio's state from what the session keeps and the picture.
  void SyncRadioState();
  void OnReset();

  Operator& operator_;
  EventPump& pump_;
  ControllerView& view_;
  Poster post_;
  std::string startupDirectory_;
  RadioSession session_;
  RadioState state_;
  ReportDispatcher dispatcher_;
  CommandRegistry commands_;
  CallLists calls_;
  std::unique_ptr<IncomingCallPrompt> noPrompt_;
  std::unique_ptr<RadioReports> reports_;
  CommSettings settings_;
  std::map<int, std::string> deviceForPort_;
  std::optional<RadioBackups> backups_;

  bool radioReady_ = false;
  bool busy_ = false;
  bool panelsEnabled_ = false;
  bool configurationValid_ = false;
  bool progressRunning_ = false;
  bool pleaseWaitShown_ = false;
  Panel currentPanel_ = Panel::kComputerInterface;
  // Counts the radio's reports that it was reset, so a wait for its restart can end.
  int resetReports_ = 0;
  RadioPicture picture_;
  ProgrammedChannels channels_;
  channel activeChannelParameters_{};
  std::vector<std::function<void()>> readListeners_;
  std::vector<std::function<void()>> beforeWriteListeners_;
  std::string serialNumberText_;
  std::string radioCodeText_;
};

}  // namespace varim::core
