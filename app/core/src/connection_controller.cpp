#include "varim/core/connection_controller.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>

#include "varim/core/operator_texts.h"
#include "varim/db/configuration_check.h"
#include "varim/db/database_diff.h"
#include "varim/db/field_text.h"
#include "varim/port_names.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::core {
namespace {

// Without a dialog to ask, an incoming call is declined.
class NobodyAnswers : public IncomingCallPrompt {
 public:
  bool IsOpen() const override { return false; }
  bool Ask(const IncomingCallView&) override { return false; }
  void Refresh(const IncomingCallView&) override {}
  void Close() override {}
};

// Operation modes in which the radio runs ALE and the channel panel shows its ALE parts.
bool AleCapableMode(int mode) {
  return mode == 1 || mode == 4 || mode == 6;
}
// The radio's option list names its noise blanker third.
constexpr int kNoiseBlankerOption = 2;
constexpr int kClarifierPositive = 1;
constexpr int kClarifierNegative = 2;

// The quick toggles of the Computer Interface panel: the flag of the radio's picture each flips
// (its check mark and toolbar picture follow it) and the frame that tells the radio.
struct QuickToggle {
  CommandId command;
  bool RadioPicture::*flag;
  void (*build)(CRadioMessage* frame, int on);
};
constexpr QuickToggle kQuickToggles[] = {
    {CommandId::kSquelch, &RadioPicture::squelch,
     [](CRadioMessage* frame, int on) { SetSquelchOnOff(frame, 0, on); }},
    {CommandId::kMonitor, &RadioPicture::monitor,
     [](CRadioMessage* frame, int on) { SetMonitorOnOff(frame, 0, on); }},
    {CommandId::kNoiseBlanker, &RadioPicture::noiseBlanker,
     [](CRadioMessage* frame, int on) {
       SetDspMenuParameters(frame, 0, opcode::kUnchanged, opcode::kUnchanged, on,
                            opcode::kUnchanged);
     }},
    {CommandId::kAttenuator, &RadioPicture::attenuator,
     [](CRadioMessage* frame, int on) {
       SetDspMenuParameters(frame, 0, opcode::kUnchanged, opcode::kUnchanged, opcode::kUnchanged,
                            on);
     }},
    {CommandId::kClipper, &RadioPicture::clipper,
     [](CRadioMessage* frame, int on) {
       SetDspMenuParameters(frame, 0, opcode::kUnchanged, on, opcode::kUnchanged,
                            opcode::kUnchanged);
     }},
};

// The toggles that only show or hide a panel of the window; the radio is not told.
struct ShownToggle {
  CommandId command;
  bool RadioPicture::*flag;
};
constexpr ShownToggle kShownToggles[] = {
    {CommandId::kClarifier, &RadioPicture::clarifierShown},
    {CommandId::kNotchFilter, &RadioPicture::notchShown},
};

}  // namespace

// Passes the transfer's progress to the window from the thread that runs the transfer.
class ConnectionController::ProgressForwarder : public ProgressObserver {
 public:
  explicit ProgressForwarder(ControllerView& view) : view_(view) {}
  void OnProgress(const ProgressView& progress) override { view_.ProgressChanged(progress); }

 private:
  ControllerView& view_;
};

ConnectionController::ConnectionController(Operator& op, EventPump& pump, ControllerView& view,
                                           Poster post, std::string startupDirectory)
    : operator_(op),
      pump_(pump),
      view_(view),
      post_(std::move(post)),
      startupDirectory_(std::move(startupDirectory)),
      session_(op, pump,
               [this](CRadioMessage frame) { post_([this, frame] { DispatchReport(frame); }); }),
      calls_(startupDirectory_),
      noPrompt_(std::make_unique<NobodyAnswers>()),
      reports_(std::make_unique<RadioReports>(
          dispatcher_, session_, state_, calls_, op, *noPrompt_,
          [this](const CRadioMessage& frame) { return SendCommand(frame); })) {
  session_.SetFlagsListener([this] { post_([this] { SyncRadioState(); }); });
  calls_.OnSaveFailure([this](const std::string& reason) {
    operator_.Notify(texts::CallListsNotSaved(reason), Operator::Icon::kExclamation);
  });
  dispatcher_.On(report::kReset, [this](const CRadioMessage&) { OnReset(); });
  state_.Observe([this](const RadioStatus& status) {
    if (picture_.monitor == status.monitor) return;
    picture_.monitor = status.monitor;
    view_.StateChanged();
  });
  InstallCommands();
}

ConnectionController::~ConnectionController() {
  session_.Close();
}

void ConnectionController::Initialise() {
  session_.SetReportCommErrors(true);
  settings_ = LoadCommSettings(startupDirectory_);
  calls_.Load();
  radioReady_ = false;
  busy_ = false;
}

// The commands of the connection; the window installs those that open its own dialogs.
void ConnectionController::InstallCommands() {
  auto install = [this](CommandId id, CommandRegistry::Action run) {
    commands_.Install(id, {[this, id] { return StateOf(id).enabled; },
                           [this, id] { return StateOf(id).checked; }, std::move(run)});
  };
  install(CommandId::kReadDevice, [this] { ReadDevice(); });
  for (const CommandId write :
       {CommandId::kRssWriteDevice, CommandId::kAleWriteDevice, CommandId::kCcirWriteDevice})
    install(write, [this] { WriteDevice(); });
  install(CommandId::kReset, [this] { Reset(); });
  install(CommandId::kRemoteControl, [this] { RemoteControl(); });
  install(CommandId::kVerifyWrites,
          [this] { session_.SetVerifyWrites(!session_.VerifyWrites()); });
  for (const QuickToggle& toggle : kQuickToggles)
    install(toggle.command, [this, id = toggle.command] { Toggle(id); });
  for (const ShownToggle& toggle : kShownToggles)
    install(toggle.command, [this, id = toggle.command] { Toggle(id); });
}

void ConnectionController::SetDeviceForPort(int port, const std::string& device) {
  deviceForPort_[port] = device;
}

std::string ConnectionController::DeviceForPort(int port) const {
  const auto given = deviceForPort_.find(port);
  return given != deviceForPort_.end() ? given->second : ComPortDevice(port);
}

void ConnectionController::DeferredConnect() {
  radioReady_ = false;
  EnablePanels(false);
  SetBusy(true);
  const bool remote = OpenConnection() && session_.EnterRemote();
  view_.EnableEditors();
  if (remote) {
    const bool read = ResetAndRead(true) > 0;
    ClosePleaseWait();
    // The sequence counts the radio ready from the reset on; a later failure takes it back.
    radioReady_ = read;
    EnablePanels(read);
  }
  view_.StateChanged();
  SetBusy(false);
}

bool ConnectionController::OpenConnection() {
  // The session tells the operator "Can't open port." itself.
  return session_.Open(DeviceForPort(settings_.commPort), settings_.baudRate);
}

void ConnectionController::CloseConnection() {
  session_.Close();
}

bool ConnectionController::UpdateSocket(int port, int baudRate) {
  if (port == settings_.commPort && baudRate == settings_.baudRate) return true;
  CloseConnection();
  settings_ = {port, baudRate};
  view_.StateChanged();
  return OpenConnection();
}

bool ConnectionController::CommunicationTest() {
  return session_.CommunicationTest();
}

void ConnectionController::PumpWait(int rounds) {
  for (int round = 0; round < rounds; ++round) pump_.Wait(10);
}

void ConnectionController::SetBusy(bool busy) {
  busy_ = busy;
  view_.BusyChanged(busy);
}

void ConnectionController::EnablePanels(bool enabled) {
  panelsEnabled_ = enabled;
  view_.EnablePanels(enabled);
}

void ConnectionController::ShowPleaseWait() {
  if (pleaseWaitShown_) return;
  pleaseWaitShown_ = true;
  view_.ShowPleaseWait(true);
}

void ConnectionController::ClosePleaseWait() {
  if (!pleaseWaitShown_) return;
  pleaseWaitShown_ = false;
  view_.ShowPleaseWait(false);
  view_.ShowOperationDone(kOperationDoneMs);
}

void ConnectionController::ReadDevice() {
  if (busy_ || !view_.MayReplaceRecords()) return;
  radioReady_ = false;
  EnablePanels(false);
  SetBusy(true);
  const int result = ResetAndRead(true);
  ClosePleaseWait();
  SetBusy(false);
  if (result >= 1 && result <= kMaxChannel + 1) {
    radioReady_ = true;
    EnablePanels(true);
  } else {
    radioReady_ = false;
  }
  view_.StateChanged();
}

void ConnectionController::Reset() {
  if (!session_.IsOpen()) {
    operator_.Notify(texts::kRadioDoesNotRespond, Operator::Icon::kExclamation);
    return;
  }
  EnablePanels(false);
  SetBusy(true);
  CRadioMessage frame;
  PerformReset(&frame);
  if (SendCommand(frame)) {
    ShowPleaseWait();
    const int before = resetReports_;
    for (int round = 0; round < kResetRounds && resetReports_ == before; ++round) pump_.Wait(10);
    ClosePleaseWait();
  }
  SetBusy(false);
  if (radioReady_) EnablePanels(true);
}

void ConnectionController::RemoteControl() {
  session_.SetRemoteModeValue(session_.RemoteModeValue() > 0 ? 0 : 2);
  CRadioMessage frame;
  EnterRemoteMode(&frame, session_.RemoteModeValue());
  SendCommand(frame);
  view_.StateChanged();
}

void ConnectionController::Toggle(CommandId command) {
  const auto shown = std::find_if(std::begin(kShownToggles), std::end(kShownToggles),
                                  [command](const ShownToggle& t) { return t.command == command; });
  if (shown != std::end(kShownToggles)) {
    bool& flag = picture_.*(shown->flag);
    flag = !flag;
    view_.StateChanged();
    return;
  }
  const auto toggle =
      std::find_if(std::begin(kQuickToggles), std::end(kQuickToggles),
                   [command](const QuickToggle& t) { return t.command == command; });
  if (toggle == std::end(kQuickToggles)) return;
  bool& flag = picture_.*(toggle->flag);
  flag = !flag;
  CRadioMessage frame;
  toggle->build(&frame, flag ? 1 : 0);
  // The radio did not take it: the picture stays as the radio has it.
  if (!SendCommand(frame)) flag = !flag;
  view_.StateChanged();
}

CommSettings ConnectionController::BeginCommPorts() {
  EnablePanels(false);
  SetBusy(true);
  return settings_;
}

bool ConnectionController::CommPortsCheck(int port, int baudRate) {
  UpdateSocket(port, baudRate);
  session_.SetReportCommErrors(false);
  const bool passed = CommunicationTest();
  session_.SetReportCommErrors(true);
  return passed;
}

void ConnectionController::ReportCommunicationTest(bool passed) {
  if (passed) {
    operator_.Notify(texts::kCommTestSucceeded, Operator::Icon::kInformation);
  } else {
    operator_.Notify(texts::kCommTestFailed, Operator::Icon::kError);
  }
}

bool ConnectionController::CommPortsOk(int port, int baudRate) {
  return UpdateSocket(port, baudRate);
}

void ConnectionController::EndCommPorts(bool accepted, const CommSettings& before) {
  if (!accepted) UpdateSocket(before.commPort, before.baudRate);
  SetBusy(false);
  radioReady_ = CommunicationTest();
  if (session_.ReportsEnabled() && radioReady_) EnablePanels(true);
  view_.StateChanged();
}

bool ConnectionController::LoadProgressDlg(TransferMode mode) {
  if (progressRunning_) {
    operator_.Notify(texts::kProgressDialogProblem, Operator::Icon::kExclamation);
    return false;
  }
  progressRunning_ = true;
  view_.ProgressStarted(mode);
  ProgressForwarder forwarder(view_);
  const bool completed = mode == TransferMode::kWrite ? session_.WriteRadio(&forwarder)
                                                      : session_.ReadRadio(&forwarder);
  view_.ProgressFinished();
  progressRunning_ = false;
  // Only here does the whole radio come in: refreshes after a write read its channel alone.
  if (completed && mode == TransferMode::kRead) BackUpTheRead();
  const dbase& radio = session_.Databases().radio;
  serialNumberText_ = varim::db::FieldText(radio.serial_number);
  radioCodeText_ = varim::db::FieldText(radio.radio_code);
  SyncRadioState();
  return completed;
}

int ConnectionController::ResetAndRead(bool withProgress) {
  if (withProgress && !LoadProgressDlg(TransferMode::kRead)) return 0;
  radioReady_ = true;
  CRadioMessage reset;
  PerformReset(&reset);
  const int before = resetReports_;
  if (!SendCommand(reset)) return 0;
  // The session keeps the header of the records as read, for a later write to restore.
  ShowPleaseWait();
  for (int round = 0; round < kRestartRounds && resetReports_ == before; ++round) pump_.Wait(10);
  session_.SetReportsEnabled(true);
  session_.SetSpecialReports();
  if (!ReadAfterReset()) return 0;
  return static_cast<int>(channels_.numbers.size()) + 1;
}

// Steps 6 to 12 of the read: the radio's state after its restart, then the panels.
bool ConnectionController::ReadAfterReset() {
  if (!QueryOperationMode()) return false;
  if (picture_.operationMode == 2) {
    if (!QueryAleOnOff()) return false;
    const bool ccirFree = session_.Flags().ccir_present == 1 && session_.AleOnOffState() == 2;
    CRadioMessage mode;
    SetRadioOperationMode(&mode, 0, session_.AleOff() && !ccirFree ? 3 : 0);
    if (!SendCommand(mode)) return false;
    // About 100 ms for the radio to settle into the mode before it is asked anything else.
    PumpWait(10);
  }
  const int active = ReadActiveChannel();
  if (active == 0) return false;
  ListProgrammedChannels(active);
  if (!UpdateToolBarAndSliders()) return false;
  if (radioReady_) EnablePanels(true);
  if (!session_.ReportsEnabled()) return false;
  if (!LoadActiveChannel()) return false;
  const dbase& radio = session_.Databases().radio;
  picture_.noiseBlankerAvailable = radio.options[kNoiseBlankerOption].status == 1;
  RunConfigurationChecks();
  for (const auto& listener : readListeners_) listener();
  view_.StateChanged();
  return true;
}

// The operator sees what the write will change in the radio, as its last backup holds it, and
// may stop. True when there is nothing to ask or the operator goes on.
bool ConnectionController::ConfirmChanges() {
  if (!backups_ || !session_.ReportsEnabled()) return true;
  const varim::db::RadioDatabases& records = session_.Databases();
  const std::optional<varim::db::RadioDatabases> held = backups_->Latest(records.radio);
  if (!held) return true;
  // What the write puts in: the records, with the radio's own header as the write restores it.
  auto written = std::make_unique<varim::db::RadioDatabases>(records);
  std::memcpy(&written->radio, &held->radio, RadioSession::kRestoredHeaderBytes);
  std::vector<std::string> changes = varim::db::DiffRadio(*held, *written);
  const std::vector<std::string> ale = varim::db::DiffAle(*held, *written);
  changes.insert(changes.end(), ale.begin(), ale.end());
  if (changes.empty()) return true;
  return operator_.Ask(texts::ChangesToWrite(changes));
}

void ConnectionController::WriteDevice() {
  SetBusy(true);
  for (const auto& listener : beforeWriteListeners_) listener();
  if (!ConfirmChanges()) {
    SetBusy(false);
    return;
  }
  const bool speedsDiffer =
      FindBaudIndex(settings_.baudRate) != session_.RadioBaudIndex();
  const bool written = (!speedsDiffer || operator_.Ask(texts::kBaudRateDiffers)) &&
                       LoadProgressDlg(TransferMode::kWrite);
  if (written) {
    const int baudRate =
        BaudFromIndex(session_.Databases().radio.radio_options.baud_rate, operator_);
    if (baudRate == 0 || !UpdateSocket(settings_.commPort, baudRate)) {
      operator_.Notify(texts::kUpdateSocketFault, Operator::Icon::kExclamation);
    } else if (!speedsDiffer && session_.ReportsEnabled()) {
      // A second for the radio to come back from programming before it is asked anything.
      PumpWait(100);
      RefreshFromRadio();
    } else {
      operator_.Notify(texts::kReadDatabaseFirst, Operator::Icon::kExclamation);
      radioReady_ = false;
    }
  }
  view_.StateChanged();
  SetBusy(false);
}

bool ConnectionController::RefreshFromRadio() {
  const int active = ReadActiveChannel();
  if (active == 0) return false;
  ListProgrammedChannels(active);
  if (!LoadActiveChannel()) return false;
  RunConfigurationChecks();
  for (const auto& listener : readListeners_) listener();
  view_.StateChanged();
  return true;
}

void ConnectionController::BackUpTheRead() {
  if (!backups_) return;
  const RadioBackups::Outcome outcome =
      backups_->Keep(session_.Databases(), session_.Flags(), std::chrono::system_clock::now());
  if (!outcome.failure.empty())
    operator_.Notify(texts::BackupFailed(outcome.failure), Operator::Icon::kExclamation);
}

bool ConnectionController::LoadActiveChannel() {
  // The session has told the operator when the radio did not answer.
  return session_.ReadCurrentChannel(activeChannelParameters_);
}

bool ConnectionController::RunConfigurationChecks() {
  const varim::db::RadioDatabases& db = session_.Databases();
  configurationValid_ = varim::db::CheckConfiguration(db.radio, db.ale, db.globalMembers,
                                                      session_.Flags().global_ale_present == 1)
                            .configurationValid;
  return configurationValid_;
}

bool ConnectionController::QueryOperationMode() {
  CRadioMessage request, answer;
  ReportRadioOperationMode(&request);
  if (!session_.Request(request, answer::kRadioOperationMode, answer)) return false;
  picture_.operationMode = answer.GetData()[0];
  return true;
}

bool ConnectionController::QueryAleOnOff() {
  CRadioMessage request, answer;
  ReportAleON_OFF(&request);
  if (!session_.Request(request, answer::kAleOnOff, answer)) return false;
  SetAleOnOff(answer.GetData()[0]);
  return true;
}

void ConnectionController::SetAleOnOff(int state) {
  session_.SetAleOnOffState(state);
  SyncRadioState();
}

int ConnectionController::ReadActiveChannel() {
  CRadioMessage request, answer;
  ReportActiveChannel(&request);
  if (!session_.Request(request, answer::kActiveChannel, answer)) return 0;
  const int number = answer.GetData()[1];
  return number >= 1 && number <= kMaxChannel ? number : 0;
}

int ConnectionController::ListProgrammedChannels(int activeChannel) {
  channels_ = varim::core::ListProgrammedChannels(session_.Databases().radio, activeChannel);
  view_.StateChanged();
  return static_cast<int>(channels_.numbers.size());
}

bool ConnectionController::UpdateToolBarAndSliders() {
  CRadioMessage request, answer;
  ReportSquelchState(&request);
  if (!session_.Request(request, answer::kSquelchState, answer)) return false;
  picture_.squelch = (answer.GetData()[0] & 0x02) != 0;

  // The radio answers with a report of its own, which the report dispatch takes.
  ReportMonitorState(&request);
  if (!SendCommand(request)) return false;

  ReportDspMenuParameters(&request);
  if (!session_.Request(request, answer::kDspMenuParameters, answer)) return false;
  const std::uint8_t* dsp = answer.GetData();
  picture_.notchPosition = dsp[0] * kNotchLineSize + kNotchMinimum;
  picture_.clipper = dsp[1] != 0;
  picture_.noiseBlanker = dsp[2] != 0;
  picture_.attenuator = dsp[3] != 0;

  ReportClarifierPosition(&request);
  if (!session_.Request(request, answer::kClarifierPosition, answer)) return false;
  const std::uint8_t sign = answer.GetData()[0];
  const int magnitude = answer.GetData()[1];
  picture_.clarifierOff = sign != kClarifierPositive && sign != kClarifierNegative;
  picture_.clarifierPosition = sign == kClarifierPositive   ? magnitude
                               : sign == kClarifierNegative ? -magnitude
                                                            : 0;

  if (!QueryOperationMode() || !QueryAleOnOff()) return false;
  const int mode = picture_.operationMode;
  if ((mode == 1 || mode == 4) && picture_.firstScanMark == 0) picture_.firstScanMark = 1;
  picture_.aleCapable = AleCapableMode(mode);
  view_.StateChanged();
  return true;
}

void ConnectionController::DispatchReport(const CRadioMessage& frame) {
  dispatcher_.Dispatch(frame);
}

void ConnectionController::SyncRadioState() {
  state_.Change([this](RadioStatus& s) {
    s.generation = session_.RadioGeneration();
    s.aleOnOffState = session_.AleOnOffState();
    s.aleOff = session_.AleOff();
    s.ccirPresent = session_.Flags().ccir_present == 1;
    s.isbPresent = session_.Flags().isb_present == 1;
  });
  view_.StateChanged();
}

void ConnectionController::OnReset() {
  // The radio restarted and left remote mode: take it back when the program relies on it.
  ++resetReports_;
  if (radioReady_) {
    CRadioMessage remote;
    EnterRemoteMode(&remote, session_.RemoteModeValue());
    if (SendCommand(remote)) session_.SetSpecialReports();
  }
}

void ConnectionController::Shutdown() {
  CloseConnection();
  if (pleaseWaitShown_) {
    pleaseWaitShown_ = false;
    view_.ShowPleaseWait(false);
  }
  SaveCommSettings(startupDirectory_, settings_);
  if (std::string error; !calls_.Save(&error))
    operator_.Notify(texts::CallListsNotSaved(error), Operator::Icon::kExclamation);
}

CommandContext ConnectionController::Context() const {
  CommandContext c;
  c.portOpen = session_.IsOpen();
  c.radioReady = radioReady_;
  c.busy = busy_;
  c.reportsEnabled = session_.ReportsEnabled();
  c.configurationValid = configurationValid_;
  c.verifyWrites = session_.VerifyWrites();
  c.ccirPresent = session_.Flags().ccir_present == 1;
  c.radioGeneration = session_.RadioGeneration();
  c.currentPanel = currentPanel_;
  c.aleOff = session_.AleOff();
  c.aleOnOffState = session_.AleOnOffState();
  c.aleCapable = picture_.aleCapable;
  c.linkUp = state_.Now().linkUp;
  c.noiseBlankerAvailable = picture_.noiseBlankerAvailable;
  c.squelch = picture_.squelch;
  c.monitor = picture_.monitor;
  c.noiseBlanker = picture_.noiseBlanker;
  c.attenuator = picture_.attenuator;
  c.clipper = picture_.clipper;
  c.clarifier = picture_.clarifierShown;
  c.notchFilter = picture_.notchShown;
  c.remoteModeValue = session_.RemoteModeValue();
  return c;
}

CommandState ConnectionController::StateOf(CommandId command) const {
  return varim::core::StateOf(command, Context());
}

std::string ConnectionController::SerialNumberPane() const {
  return texts::kSerialNumberPane + serialNumberText_;
}

std::string ConnectionController::RadioCodePane() const {
  return texts::kRadioCodePane + radioCodeText_;
}

std::string ConnectionController::PortPane() const {
  return texts::PortPane(settings_.commPort, settings_.baudRate);
}

}  // namespace varim::core
