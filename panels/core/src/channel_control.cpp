#include "varim/panels/channel_control.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "varim/core/operator_texts.h"
#include "varim/core/pending_operation.h"
#include "varim/db/channel_set.h"
#include "varim/panels/channel_texts.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::panels {

namespace texts = channel_texts;
using varim::core::Operator;

namespace {

constexpr int kAleOn = 1;
constexpr char kNetPrefix[] = "NET";

bool FoundScanningOnItsOwn(int operationMode) {
  return operationMode == 1 || operationMode == 4;
}

}  // namespace

ChannelControl::ChannelControl(varim::core::ConnectionController& controller,
                               varim::core::ControllerView& view, Operator& op)
    : controller_(controller), view_(view), operator_(op) {}

bool ChannelControl::SwitchRadio(varim::core::RadioSession& session, int number, channel& current) {
  CRadioMessage frame;
  SetActiveChannel(&frame, 0, number);
  return session.SendCommand(frame) && session.ReadCurrentChannel(current);
}

bool ChannelControl::SendScan(varim::core::RadioSession& session, ScanMode mode, bool start,
                              int groupOrNet) {
  CRadioMessage frame;
  if (mode == ScanMode::kAle) {
    SetAleMode(&frame, 0, start ? 1 : 0);
    if (!session.SendCommand(frame)) return false;
    if (!start) return true;
    EnterNetwork(&frame, static_cast<std::uint8_t>(groupOrNet));
    return session.SendCommand(frame);
  }
  SetRadioScanMode(&frame, 1, start ? 1 : 0, start ? groupOrNet : 0);
  return session.SendCommand(frame);
}

std::optional<ChannelControl::ScanMode> ChannelControl::AskScanMode(
    varim::core::RadioSession& session) {
  CRadioMessage request, answer;
  ReportAleON_OFF(&request);
  if (!session.Request(request, answer::kAleOnOff, answer)) return std::nullopt;
  return answer.GetData()[0] == kAleOn ? ScanMode::kAle : ScanMode::kGroups;
}

void ChannelControl::Install() {
  controller_.OnRead([this] { Refresh(); });
  // ISB grows the Mode list; CCIR with ALE off holds the scan buttons; a link-quality exchange
  // locks the scan selector.
  controller_.State().Observe([this, seen = varim::core::RadioStatus{}](
                                  const varim::core::RadioStatus& s) mutable {
    if (s.isbPresent == seen.isbPresent && s.ccirPresent == seen.ccirPresent &&
        s.aleOff == seen.aleOff && s.linkExchange == seen.linkExchange)
      return;
    seen = s;
    selector_.enabled = !s.linkExchange;
    Changed();
  });
}

const std::vector<int>& ChannelControl::ChannelNumbers() const {
  return controller_.Channels().numbers;
}

bool ChannelControl::SendActiveChannel(int number) {
  CRadioMessage frame;
  SetActiveChannel(&frame, 0, number);
  return Send(frame);
}

bool ChannelControl::SelectRow(int row) {
  const std::vector<int>& numbers = ChannelNumbers();
  if (row < 0 || row >= static_cast<int>(numbers.size())) return false;
  if (row == activeRow_) return true;
  if (!SendActiveChannel(numbers[static_cast<std::size_t>(row)])) return false;
  activeRow_ = row;
  return ReadCurrentChannel();
}

bool ChannelControl::ReadCurrentChannel() {
  channel read{};
  const bool answered = controller_.Session().ReadCurrentChannel(read);
  if (answered) {
    current_ = read;
    FillFromRecord(read);
  }
  Changed();
  return answered;
}

void ChannelControl::FillFromRecord(const channel& record) {
  edited_ = record;
  entry_.Load(FrequencyText(record.tx_frequency), FrequencyText(record.rx_frequency));
}

ChannelChoices ChannelControl::Choices(ChannelSetting field) const {
  return ChoicesOf(field, controller_.State().Now().isbPresent);
}

int ChannelControl::RowOf(ChannelSetting field) const {
  channel shown = edited_;
  return RowOfCode(field, FieldOf(shown, field), controller_.State().Now().isbPresent);
}

void ChannelControl::Choose(ChannelSetting field, int row) {
  const ChannelChoices choices = Choices(field);
  if (row < 0 || row >= static_cast<int>(choices.size())) return;
  FieldOf(edited_, field) = choices[static_cast<std::size_t>(row)].code;
}

void ChannelControl::ChangeFrequency(FrequencyEntry::Box box, const std::string& text) {
  const FrequencyEntry::Verdict verdict = entry_.Change(box, text, controller_.RadioReady());
  if (verdict.message) Notify(verdict.message);
  Changed();
}

void ChannelControl::ChooseSimplex() {
  const FrequencyEntry::Verdict verdict = entry_.ChooseSimplex();
  if (verdict.message) Notify(verdict.message);
  Changed();
}

void ChannelControl::ChooseDuplex() {
  entry_.ChooseDuplex();
  Changed();
}

bool ChannelControl::ProgramEnabled() const {
  return areaEnabled_ && channelControlsShown_ && activeRow_ >= 0 && entry_.ProgramEnabled();
}

bool ChannelControl::ProgramChannel() {
  const auto tx = FrequencyHertz(entry_.Text(FrequencyEntry::Box::kTx));
  const auto rx = FrequencyHertz(entry_.Text(FrequencyEntry::Box::kRx));
  if (!ProgramEnabled() || !tx || !rx) return false;
  const int number = ChannelNumbers()[static_cast<std::size_t>(activeRow_)];
  edited_.tx_frequency = *tx;
  edited_.rx_frequency = *rx;
  areaEnabled_ = false;
  scanButton_ = ScanButton::kUnavailable;
  controller_.SetBusy(true);
  status_ = varim::core::texts::kCommandInProgress;
  Changed();
  const bool programmed = controller_.Session().ProgramChannel(number, edited_);
  if (programmed) {
    current_ = edited_;
    controller_.Session().Databases().radio.channels[number - 1] = edited_;
    view_.ShowPleaseWait(true);
    controller_.PumpWait(kProgramWaitRounds);
    view_.ShowPleaseWait(false);
    view_.ShowOperationDone(varim::core::ConnectionController::kOperationDoneMs);
    controller_.Picture().operationMode = kProgrammedMode;
  }
  // After a failure too the operator gets the panel back, to try again or choose otherwise.
  status_.clear();
  controller_.SetBusy(false);
  EnableArea(true);
  return programmed;
}

bool ChannelControl::Priority() {
  if (!PriorityEnabled()) return false;
  const int priority = controller_.Session().Databases().radio.radio_options.priority_channel;
  const std::vector<int>& numbers = ChannelNumbers();
  const auto found = std::find(numbers.begin(), numbers.end(), priority);
  if (found == numbers.end()) return SendActiveChannel(priority) && ReadCurrentChannel();
  if (!SelectRow(static_cast<int>(found - numbers.begin()))) return false;
  return SendActiveChannel(priority);
}

bool ChannelControl::CcirHoldsScanning() const {
  const varim::core::RadioStatus& now = controller_.State().Now();
  return now.ccirPresent && now.aleOff;
}

bool ChannelControl::StartScanEnabled() const {
  return scanButton_ != ScanButton::kUnavailable && !CcirHoldsScanning();
}

bool ChannelControl::StopScanEnabled() const {
  return scanButton_ == ScanButton::kScanning && !CcirHoldsScanning();
}

void ChannelControl::OnScanButton() {
  if (scanButton_ == ScanButton::kUnavailable) return;
  if (!controller_.Session().CommunicationTest()) return;
  switch (scanButton_) {
    case ScanButton::kIdle:
      scanButton_ = ScanButton::kScanning;
      controller_.Picture().aleCapable = true;
      // A radio that did not start must not be shown scanning: Stop Scan would stop nothing.
      if (!StartScanning()) {
        scanButton_ = ScanButton::kIdle;
        controller_.Picture().aleCapable = false;
        FitToScanning(true);
        selector_.shown = false;
      }
      break;
    case ScanButton::kScanning:
      scanButton_ = ScanButton::kIdle;
      controller_.Picture().aleCapable = false;
      StopScanning();
      break;
    default:
      Notify(texts::kScanButtonState);
      break;
  }
  Changed();
}

void ChannelControl::WriteScanState(int state) {
  if (state < static_cast<int>(ScanButton::kUnavailable) ||
      state > static_cast<int>(ScanButton::kScanning)) {
    Notify(texts::kScanButtonState);
    return;
  }
  if (!areaEnabled_) return;
  scanButton_ = static_cast<ScanButton>(state);
  Changed();
}

bool ChannelControl::StartScanning() {
  CRadioMessage request, answer;
  ReportRadioOperationMode(&request);
  if (!controller_.Session().Request(request, answer::kRadioOperationMode, answer)) return false;
  varim::core::RadioPicture& picture = controller_.Picture();
  picture.operationMode = answer.GetData()[0];
  if (FoundScanningOnItsOwn(picture.operationMode) && picture.firstScanMark == 0)
    picture.firstScanMark = 1;
  const std::optional<ScanMode> mode = AskScanMode(controller_.Session());
  if (!mode) return false;
  scanMode_ = *mode;
  FitToScanning(false);
  LoadGroups();
  selector_.shown = true;
  switch (scanMode_) {
    case ScanMode::kAle:
      controller_.State().Change(
          [this](varim::core::RadioStatus& s) { s.currentNet = selectedNet_ - 1; });
      TellNetChosen();
      return SendScan(controller_.Session(), scanMode_, true, selectedNet_);
    case ScanMode::kGroups:
      return SendScan(controller_.Session(), scanMode_, true, selectedGroup_);
  }
  Notify(texts::kScanButtonMode);
  return false;
}

bool ChannelControl::StopScanning() {
  FitToScanning(true);
  selector_.shown = false;
  switch (scanMode_) {
    case ScanMode::kAle:
    case ScanMode::kGroups:
      if (scanMode_ == ScanMode::kAle && scanEvents_.aleScanStopped) scanEvents_.aleScanStopped();
      if (!SendScan(controller_.Session(), scanMode_, false, 0)) return false;
      ReportFirstStop();
      return true;
  }
  Notify(texts::kScanButtonMode);
  return false;
}

void ChannelControl::ReportFirstStop() {
  varim::core::RadioPicture& picture = controller_.Picture();
  if (picture.firstScanMark != 1) return;
  picture.firstScanMark = 2;
  const int number = controller_.ReadActiveChannel();
  if (number == 0) return;
  const std::vector<int>& numbers = ChannelNumbers();
  const auto found = std::find(numbers.begin(), numbers.end(), number);
  activeRow_ = found == numbers.end() ? -1 : static_cast<int>(found - numbers.begin());
  current_ = controller_.Session().Databases().radio.channels[number - 1];
  FillFromRecord(current_);
}

void ChannelControl::FitToScanning(bool shown) {
  channelControlsShown_ = shown;
  switch (scanMode_) {
    case ScanMode::kAle:
    case ScanMode::kGroups:
      selector_.netFieldsShown = scanMode_ == ScanMode::kAle;
      // Group scanning has no links to show.
      aleTabsPresent_ = scanMode_ == ScanMode::kAle;
      return;
  }
  Notify(texts::kFitMode);
}

int ChannelControl::LoadGroups() {
  const varim::db::RadioDatabases& db = controller_.Session().Databases();
  selector_.entries.clear();
  switch (scanMode_) {
    case ScanMode::kGroups:
      selector_.label = texts::kScanGroupsLabel;
      for (int group = 0; group < kGroupCount; ++group) {
        if (varim::db::AnyChannel(db.radio.groups[group].member_channels))
          selector_.entries.push_back(std::string(1, static_cast<char>('A' + group)));
      }
      break;
    case ScanMode::kAle:
      selector_.label = texts::kScanAleLabel;
      for (int net = 1; net <= kNetCount; ++net) {
        if (varim::db::AnyChannel(db.ale.nets[net - 1].scanned_channels))
          selector_.entries.push_back(std::to_string(net));
      }
      break;
    default:
      Notify(texts::kLoadGroupsMode);
      selector_.selectedRow = -1;
      return -1;
  }
  if (selector_.entries.empty()) {
    selector_.selectedRow = -1;
    return -1;
  }
  const std::string remembered = scanMode_ == ScanMode::kGroups
                                     ? std::string(1, static_cast<char>('A' + selectedGroup_))
                                     : std::to_string(selectedNet_);
  const auto found = std::find(selector_.entries.begin(), selector_.entries.end(), remembered);
  selector_.selectedRow =
      found == selector_.entries.end() ? 0 : static_cast<int>(found - selector_.entries.begin());
  const std::string& chosen = selector_.entries[static_cast<std::size_t>(selector_.selectedRow)];
  if (scanMode_ == ScanMode::kGroups) {
    selectedGroup_ = chosen[0] - 'A';
    return selectedGroup_;
  }
  selectedNet_ = std::stoi(chosen);
  const ale_net& net = db.ale.nets[selectedNet_ - 1];
  selector_.netNumber = kNetPrefix + chosen;
  selector_.netName.assign(net.net_name, strnlen(net.net_name, sizeof net.net_name));
  return selectedNet_;
}

bool ChannelControl::AnyScanGroup() const {
  const dbase& radio = controller_.Session().Databases().radio;
  return std::any_of(std::begin(radio.groups), std::end(radio.groups),
                     [](const scan_group& g) { return varim::db::AnyChannel(g.member_channels); });
}

void ChannelControl::MakeScanningUnavailable() {
  selector_.shown = false;
  channelControlsShown_ = true;
  scanButton_ = ScanButton::kUnavailable;
}

void ChannelControl::SelectScanEntry(int row) {
  if (!selector_.enabled || row < 0 || row >= static_cast<int>(selector_.entries.size())) return;
  const std::string& chosen = selector_.entries[static_cast<std::size_t>(row)];
  selector_.selectedRow = row;
  CRadioMessage frame;
  switch (scanMode_) {
    case ScanMode::kGroups:
      selectedGroup_ = chosen[0] - 'A';
      SetRadioScanMode(&frame, 1, 1, selectedGroup_);
      break;
    case ScanMode::kAle: {
      selectedNet_ = std::stoi(chosen);
      EnterNetwork(&frame, static_cast<std::uint8_t>(selectedNet_));
      LoadGroups();
      controller_.State().Change(
          [this](varim::core::RadioStatus& s) { s.currentNet = selectedNet_ - 1; });
      TellNetChosen();
      controller_.Dispatcher().Pending().Set(varim::core::PendingOperation::kBackToIdle);
      break;
    }
    default:
      Notify(texts::kSelchangeMode);
      return;
  }
  Send(frame);
  Changed();
}

void ChannelControl::TellNetChosen() {
  if (scanEvents_.netChosen && !selector_.entries.empty()) scanEvents_.netChosen(selectedNet_);
}

void ChannelControl::UpdateCurrentScanNetNumber(int row) {
  if (row < 0 || row >= static_cast<int>(selector_.entries.size())) return;
  const std::string& chosen = selector_.entries[static_cast<std::size_t>(row)];
  switch (scanMode_) {
    case ScanMode::kGroups:
      selectedGroup_ = chosen[0] - 'A';
      break;
    case ScanMode::kAle:
      selectedNet_ = std::stoi(chosen);
      break;
    default:
      Notify(texts::kUpdateNetMode);
      return;
  }
  selector_.selectedRow = row;
  Changed();
}

void ChannelControl::EnableArea(bool enabled) {
  areaEnabled_ = enabled;
  if (!enabled) {
    scanButton_ = ScanButton::kUnavailable;
  } else if (Scanning()) {
    scanButton_ = ScanButton::kScanning;
  } else if (scanMode_ == ScanMode::kGroups && !AnyScanGroup()) {
    MakeScanningUnavailable();
  } else {
    scanButton_ = ScanButton::kIdle;
  }
  Changed();
}

void ChannelControl::ChooseTab(Tab tab) {
  tab_ = tab;
  if (tab == Tab::kChannel) {
    channelControlsShown_ = !Scanning();
    selector_.shown = Scanning();
    // Scanning cannot be stopped under a running exchange; its end gives the buttons back.
    if (Scanning() && areaEnabled_)
      scanButton_ = controller_.State().Now().linkExchange ? ScanButton::kUnavailable
                                                           : ScanButton::kScanning;
  }
  Changed();
}

void ChannelControl::Refresh() {
  current_ = controller_.ActiveChannelParameters();
  activeRow_ = controller_.Channels().activeRow;
  FillFromRecord(current_);
  scanMode_ = controller_.State().Now().aleOff ? ScanMode::kGroups : ScanMode::kAle;
  if (Scanning()) {
    FitToScanning(false);
    LoadGroups();
    selector_.shown = true;
    if (scanMode_ == ScanMode::kAle) TellNetChosen();
  } else {
    FitToScanning(true);
    selector_.shown = false;
    if (scanMode_ == ScanMode::kGroups) LoadGroups();
  }
  EnableArea(areaEnabled_ || controller_.PanelsEnabled());
}

bool ChannelControl::Send(const CRadioMessage& frame) {
  return controller_.SendCommand(frame);
}

void ChannelControl::Notify(const char* text) {
  operator_.Notify(text, Operator::Icon::kExclamation);
}

void ChannelControl::Changed() {
  if (changed_) changed_();
  if (scanButton_ == reportedScanButton_) return;
  reportedScanButton_ = scanButton_;
  if (scanEvents_.stateChanged) scanEvents_.stateChanged(scanButton_);
}

}  // namespace varim::panels
