#include "varim/panels/calls.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "varim/core/call_lists.h"
#include "varim/core/connection_controller.h"
#include "varim/db/channel_set.h"
#include "varim/db/field_text.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::panels {

using varim::core::PendingOperation;

namespace {

constexpr int kStation = 0;
constexpr int kNet = 1;
constexpr int kAllCallType = 2;
constexpr int kBiDirectional = 0;
constexpr int kSounding = 1;
constexpr int kNotScanning = 0;
constexpr int kScanning = 1;
constexpr int kScanUnavailable = -1;
// Channels above this receive frequency are not HF channels a call can use.
constexpr std::uint32_t kMaxReceiveHz = 30'000'000;
constexpr std::size_t kMaxAddress = 15;

struct CallKind {
  int type;
  int opcode;
  int pending;
  const char* logText;
};

constexpr CallKind kCallKinds[] = {
    {kStation, opcode::kStationCall, PendingOperation::kCallSent, "Station"},
    {kNet, opcode::kNetCall, PendingOperation::kNetCallPlaced, "Net"},
    {kAllCallType, opcode::kAllCall, PendingOperation::kAllCallPlaced, "All Call"},
};

const CallKind* KindOf(int type) {
  for (const CallKind& kind : kCallKinds) {
    if (kind.type == type) return &kind;
  }
  return nullptr;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string WithoutTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// Channel bytes as the library takes them: 0 and the number, or 255 255 for the radio's choice.
struct ChannelBytes {
  std::uint8_t bytes[2];
  int logged;
};

ChannelBytes BytesOf(const std::string& text) {
  if (text == Calls::kAuto) return {{0xFF, 0xFF}, Calls::kAutoChannel};
  const int number = std::stoi(text);
  return {{0x00, static_cast<std::uint8_t>(number)}, number};
}

}  // namespace

bool Choice::Select(const std::string& text) {
  const auto found = std::find(items.begin(), items.end(), text);
  if (found == items.end()) return false;
  index = static_cast<int>(found - items.begin());
  return true;
}

Calls::Calls(const varim::db::RadioDatabases& databases, varim::core::RadioState& state,
             PendingOperation& pending, varim::core::RadioReports& reports,
             varim::core::Operator& op, Send send, std::function<bool()> databaseRead,
             std::string historyPath)
    : databases_(databases),
      state_(state),
      pending_(pending),
      reports_(reports),
      operator_(op),
      send_(std::move(send)),
      databaseRead_(std::move(databaseRead)),
      history_(std::move(historyPath)) {
  history_.Load();
}

std::unique_ptr<Calls> Calls::For(varim::core::ConnectionController& controller,
                                  varim::core::Operator& op) {
  auto calls = std::make_unique<Calls>(
      controller.Session().Databases(), controller.State(), controller.Dispatcher().Pending(),
      controller.Reports(), op,
      [&controller](const CRadioMessage& frame) { return controller.SendCommand(frame); },
      [&controller] { return controller.RadioReady(); },
      controller.StartupDirectory() + "/msg.txt");
  calls->Install(controller.Reports());
  return calls;
}

void Calls::SetScanState(int state) {
  if (state == kScanning && scanState_ != kScanning && scannedNet_ >= 0) selectedNet_ = scannedNet_;
  scanState_ = state;
  UpdateLinkInfo();
  RefreshLinkQualityTab();
}

void Calls::FollowScannedNet(int net) {
  if (net < 1 || net > kNets) return;
  scannedNet_ = net - 1;
  // A call moving the selector to its own net keeps what the operator set up for it.
  if (following_) return;
  selectedNet_ = scannedNet_;
  if (scanState_ != kScanning) return;
  UpdateLinkInfo();
  RefreshLinkQualityTab();
}

void Calls::AleScanStopped() {
  lq_.channel = Choice{};
  lq_.to = Choice{};
  lq_.channel.enabled = lq_.to.enabled = lq_.fieldsEnabled = false;
  lq_.sendEnabled = lq_.abortEnabled = false;
  lq_.netNumber.clear();
  lq_.netName.clear();
  lq_.frequency.clear();
  lq_.linkQuality.clear();
  Changed();
}

bool Calls::NetHasChannels(int net) const {
  return varim::db::AnyChannel(databases_.ale.nets[net].scanned_channels);
}

std::vector<int> Calls::NetChannels(int net) const {
  std::vector<int> channels;
  for (int number = 1; number <= kMaxChannel; ++number) {
    if (varim::db::HasChannel(databases_.ale.nets[net].scanned_channels, number))
      channels.push_back(number);
  }
  return channels;
}

std::vector<std::string> Calls::Addresses() const {
  std::vector<std::string> addresses;
  for (const auto& entry : databases_.ale.directory) {
    std::string address = varim::db::FieldText(entry);
    if (!address.empty()) addresses.push_back(std::move(address));
  }
  return addresses;
}

std::string Calls::NetName(int net) const {
  return varim::db::FieldText(databases_.ale.nets[net].net_name);
}

std::string Calls::FrequencyText(int channel) const {
  // Copied out first: the record is packed.
  const std::uint32_t hz = databases_.radio.channels[channel - 1].rx_frequency;
  char text[32];
  std::snprintf(text, sizeof text, "%.5f MHz", (hz / 10) * 0.00001);
  return text;
}

std::string Calls::QualityText(int channel) const {
  return std::to_string(reports_.ChannelLinkQuality(channel));
}

void Calls::ShowChannel(const std::string& text, std::string& frequency,
                        std::string& quality) const {
  if (text.empty() || text == kAuto) {
    frequency.clear();
    quality = text.empty() ? "" : " ";
    return;
  }
  const int number = std::stoi(text);
  frequency = FrequencyText(number);
  quality = QualityText(number);
}

void Calls::FillChannelList(Choice& list, int net) const {
  list.items.clear();
  for (const int number : NetChannels(net)) list.items.push_back(std::to_string(number));
  list.items.push_back(kAuto);
  list.Select(kAuto);
}

void Calls::RebuildTo() {
  ale_.to.items = Addresses();
  ale_.to.items.push_back(kAllCall);
  if (!ale_.net.items.empty()) ale_.to.items.push_back(NetName(selectedNet_));
  ale_.to.index = 0;
}

void Calls::UpdateLinkInfo() {
  std::vector<int> programmed;
  for (int number = 1; number <= kMaxChannel; ++number) {
    const ::channel& entry = databases_.radio.channels[number - 1];
    const std::uint32_t tx = entry.tx_frequency;
    const std::uint32_t rx = entry.rx_frequency;
    if ((tx != 0 || rx != 0) && rx <= kMaxReceiveHz) programmed.push_back(number);
  }
  ale_.net.items.clear();
  int firstNet = -1;
  for (int net = 0; net < kNets; ++net) {
    if (!NetHasChannels(net)) continue;
    if (firstNet < 0) firstNet = net;
    ale_.net.items.push_back(std::to_string(net + 1));
  }
  if (!following_) {
    ale_.callType = kStation;
    ale_.channel.enabled = true;
  }
  const bool anyNet = firstNet >= 0;
  if (scanState_ == kNotScanning) {
    if (anyNet) selectedNet_ = firstNet;
    ale_.net.enabled = false;
    ale_.channel.items.clear();
    for (const int number : programmed) ale_.channel.items.push_back(std::to_string(number));
    ale_.channel.index = programmed.empty() ? -1 : 0;
    ale_.frequency = programmed.empty() ? "" : FrequencyText(programmed.front());
    // A call needs a net to call in: without one there is nothing to send or answer.
    ale_.sendEnabled = ale_.stackEnabled = anyNet;
  } else if (scanState_ == kScanning) {
    if (!anyNet) {
      ale_.channel.items.clear();
      ale_.channel.index = -1;
    } else {
      if (!NetHasChannels(selectedNet_)) selectedNet_ = firstNet;
      if (!following_) ale_.sendEnabled = true;
      ale_.net.enabled = true;
      const std::string before = ale_.channel.Text();
      FillChannelList(ale_.channel, selectedNet_);
      if (following_) ale_.channel.Select(before);
      ShowChannel(ale_.channel.Text(), ale_.frequency, ale_.linkQuality);
      ale_.net.Select(std::to_string(selectedNet_ + 1));
    }
    ale_.sendEnabled = ale_.sendEnabled && anyNet;
  } else if (scanState_ != kScanUnavailable) {
    operator_.Notify("LinkDlg::UpdateLinkInfo: Incorrect Scan Button state!",
                     varim::core::Operator::Icon::kExclamation);
  }
  ale_.netName = anyNet ? NetName(selectedNet_) : "";
  if (!following_) RebuildTo();
  following_ = false;
  ale_.message.clear();
  Changed();
}

void Calls::ApplyCallType() {
  switch (ale_.callType) {
    case kStation:
      ale_.to.index = std::min(lastStation_, static_cast<int>(ale_.to.items.size()) - 1);
      ale_.channel.enabled = true;
      break;
    case kNet:
      ale_.to.Select(NetName(selectedNet_));
      ale_.channel.enabled = true;
      break;
    case kAllCallType:
      ale_.to.Select(kAllCall);
      ale_.channel.Select(kAuto);
      ShowChannel(kAuto, ale_.frequency, ale_.linkQuality);
      ale_.channel.enabled = false;
      break;
    default:
      operator_.Notify("LinkDlg: Call Type is not correct!",
                       varim::core::Operator::Icon::kExclamation);
  }
}

void Calls::ChooseCallType(int type) {
  ale_.callType = type;
  ApplyCallType();
  Changed();
}

void Calls::ChooseNet(int number) {
  if (number < 1 || number > kNets || !NetHasChannels(number - 1)) return;
  selectedNet_ = number - 1;
  ale_.net.Select(std::to_string(number));
  ale_.netName = NetName(selectedNet_);
  RebuildTo();
  if (scanState_ == kScanning) {
    FillChannelList(ale_.channel, selectedNet_);
    ShowChannel(kAuto, ale_.frequency, ale_.linkQuality);
  }
  ApplyCallType();
  Changed();
}

void Calls::ChooseChannel(const std::string& text) {
  if (!ale_.channel.Select(text)) return;
  ShowChannel(text, ale_.frequency, ale_.linkQuality);
  Changed();
}

void Calls::ChooseTo(const std::string& text) {
  if (!ale_.to.Select(text)) return;
  if (text == kAllCall) {
    ale_.callType = kAllCallType;
    ale_.channel.Select(kAuto);
    ShowChannel(kAuto, ale_.frequency, ale_.linkQuality);
  } else if (!ale_.net.items.empty() && text == NetName(selectedNet_)) {
    ale_.callType = kNet;
  } else {
    ale_.callType = kStation;
    lastStation_ = ale_.to.index;
  }
  ale_.channel.enabled = text != kAllCall;
  Changed();
}

void Calls::EnterTo(const std::string& text) {
  if (!ale_.to.Select(text)) ale_.to.items.push_back(text);
  ChooseTo(text);
}

void Calls::EnterLinkQualityTo(const std::string& text) {
  if (!lq_.to.Select(text)) lq_.to.items.push_back(text);
  lq_.to.Select(text);
  Changed();
}

void Calls::ClearMessage() {
  ale_.message.clear();
  Changed();
}

void Calls::Dial() {
  ale_.message = kDial;
  Changed();
}

bool Calls::DatabaseRead() {
  if (databaseRead_()) return true;
  operator_.Notify(kReadDatabaseFirst, varim::core::Operator::Icon::kExclamation);
  return false;
}

bool Calls::TakeMessage(const std::string& text, std::string& upper, std::string* reason) {
  // Refused rather than cut: the operator decides what of the message to keep.
  if (text.size() > kMaxMessage) {
    operator_.Notify(kMessageTooLong, varim::core::Operator::Icon::kExclamation);
    if (reason != nullptr) *reason = kMessageTooLong;
    return false;
  }
  upper = Upper(text);
  return true;
}

bool Calls::Transmit(const CRadioMessage& frame) {
  lastCommand_ = frame.GetOpcode();
  return send_(frame);
}

void Calls::EnableSelection(bool enabled) {
  ale_.callTypeEnabled = enabled;
  ale_.net.enabled = enabled && scanState_ == kScanning;
  ale_.channel.enabled = enabled && ale_.callType != kAllCallType;
  ale_.to.enabled = enabled;
}

bool Calls::SendCall(std::string* reason) {
  if (!DatabaseRead()) {
    if (reason != nullptr) *reason = kReadDatabaseFirst;
    return false;
  }
  // Without a net there is no self address to call from.
  if (ale_.channel.index < 0 || ale_.net.items.empty()) return false;
  const CallKind* kind = KindOf(ale_.callType);
  if (kind == nullptr) {
    operator_.Notify("LinkDlg::OnSendButton: Incorrect Call Type!",
                     varim::core::Operator::Icon::kExclamation);
    return false;
  }
  std::string message;
  if (!TakeMessage(ale_.message, message, reason)) return false;
  const std::string address = ale_.to.Text();
  // The library refuses such an address; the operator hears why and nothing changes.
  if (kind->type != kAllCallType && (address.empty() || address.size() > kMaxAddress)) {
    operator_.Notify(kAddressInvalid, varim::core::Operator::Icon::kExclamation);
    if (reason != nullptr) *reason = kAddressInvalid;
    return false;
  }
  const std::string channelText = ale_.channel.Text();
  const ChannelBytes channel = BytesOf(channelText);
  CRadioMessage frame;
  const int addressLength = static_cast<int>(address.size()) + 1;
  const int messageLength = static_cast<int>(message.size()) + 1;
  if (kind->type == kStation) {
    StationCall(&frame, address.c_str(), addressLength, channel.bytes, message.c_str(),
                messageLength);
  } else if (kind->type == kNet) {
    NetCall(&frame, address.c_str(), addressLength, channel.bytes, message.c_str(), messageLength);
  } else {
    AllCall(&frame, channel.bytes, message.c_str(), messageLength);
  }

  aleSavedScan_ = scanState_;
  if (scanState_ == kNotScanning && form_.enableChannelControls) form_.enableChannelControls(false);
  ale_.replaceEnabled = false;
  ale_.sendEnabled = false;
  ale_.abortEnabled = true;
  lq_.sendEnabled = false;
  lq_.abortEnabled = false;
  if (scanState_ == kScanning && state_.Now().currentNet != selectedNet_) {
    following_ = true;
    pending_.Set(PendingOperation::kLinkQualityDone);
    if (form_.enterNet) {
      form_.enterNet(selectedNet_ + 1);
    } else {
      CRadioMessage enter;
      EnterNetwork(&enter, static_cast<std::uint8_t>(selectedNet_ + 1));
      Transmit(enter);
      const int net = selectedNet_;
      state_.Change([net](varim::core::RadioStatus& s) { s.currentNet = net; });
    }
    following_ = false;
  }
  EnableSelection(false);
  if (channelText != kAuto && form_.selectChannel) form_.selectChannel(channel.logged);
  history_.Add(message);
  pending_.Set(state_.Now().linkUp ? PendingOperation::kReturnToIdle : kind->pending);
  Transmit(frame);
  callInProgress_ = true;

  varim::core::CallRecord& record = reports_.CurrentCall();
  record.Clear();
  record.channel = std::to_string(channel.logged);
  record.message = message;
  record.to = kind->type == kAllCallType ? kAllCall : address;
  record.net = std::to_string(selectedNet_ + 1);
  record.from = varim::db::FieldText(databases_.ale.nets[selectedNet_].self_address);
  record.callType = kind->logText;
  record.status = ale_.linkQuality;
  record.start = varim::core::LocalTimeOfDay();
  record.date = varim::core::LocalDate();
  Changed();
  return true;
}

void Calls::SendAbortLink() {
  CRadioMessage abort;
  AbortLink(&abort);
  Transmit(abort);
  pending_.Set(PendingOperation::kLinkAborted);
  state_.Change([](varim::core::RadioStatus& s) { s.callStatus.clear(); });
}

void Calls::Abort() {
  if (!DatabaseRead()) return;
  SendAbortLink();
  ale_.sendEnabled = true;
  if (scanState_ == kScanning) lq_.sendEnabled = true;
  scanState_ = aleSavedScan_;
  if (form_.setScanState) form_.setScanState(scanState_);
  if (scanState_ == kNotScanning && form_.enableChannelControls) form_.enableChannelControls(true);
  callInProgress_ = false;
  Changed();
}

void Calls::Replace() {
  if (!DatabaseRead()) return;
  // Saved as Send saves it, so an Abort after a Replace restores the scan state it found.
  aleSavedScan_ = scanState_;
  ale_.replaceEnabled = false;
  ale_.sendEnabled = false;
  ale_.abortEnabled = true;
  CRadioMessage frame;
  ReplaceLinkChannel(&frame, 1, 1, 0);
  Transmit(frame);
  pending_.Set(PendingOperation::kIgnoreCallEnded);
  Changed();
}

void Calls::RefreshLinkQualityTab() {
  if (scanState_ != kScanning) return;
  lqNet_ = selectedNet_;
  const bool anyNet = NetHasChannels(lqNet_);
  lq_.channel.enabled = lq_.to.enabled = lq_.fieldsEnabled = true;
  lq_.sendEnabled = anyNet && !callInProgress_;
  lq_.abortEnabled = true;
  lq_.channel.items.clear();
  lq_.channel.index = -1;
  lq_.to.items = Addresses();
  if (anyNet) {
    FillChannelList(lq_.channel, lqNet_);
    lq_.to.items.push_back(NetName(lqNet_));
  }
  lq_.to.index = lq_.to.items.empty() ? -1 : 0;
  lq_.netName = anyNet ? NetName(lqNet_) : "";
  lq_.netNumber = anyNet ? std::to_string(lqNet_ + 1) : "";
  lq_.soundingAllowed = anyNet && databases_.ale.nets[lqNet_].sounding == 0;
  if (lq_.type == kSounding && !lq_.soundingAllowed) lq_.type = kBiDirectional;
  ChooseLinkQualityType(lq_.type);
}

void Calls::ChooseLinkQualityType(int type) {
  lq_.type = type;
  if (type == kBiDirectional) {
    lq_.fieldsEnabled = lq_.to.enabled = lq_.channel.enabled = true;
    if (!lq_.channel.items.empty()) lq_.channel.index = 0;
    ShowChannel(lq_.channel.Text(), lq_.frequency, lq_.linkQuality);
    if (!callInProgress_) lq_.sendEnabled = !lq_.biDirectionalRunning;
  } else {
    lq_.channel.Select(kAuto);
    lq_.frequency.clear();
    lq_.linkQuality.clear();
    lq_.fieldsEnabled = lq_.to.enabled = lq_.channel.enabled = false;
    if (!callInProgress_)
      lq_.sendEnabled = lq_.soundingAllowed && !lq_.biDirectionalRunning && !lq_.soundingRunning;
  }
  Changed();
}

void Calls::ChooseLinkQualityChannel(const std::string& text) {
  if (!lq_.channel.Select(text)) return;
  ShowChannel(text, lq_.frequency, lq_.linkQuality);
  Changed();
}

void Calls::ClearLinkQualityMessage() {
  lq_.message.clear();
  Changed();
}

bool Calls::SendLinkQuality(std::string* reason) {
  if (scanState_ == kScanUnavailable) {
    operator_.Notify(kScanDisabled, varim::core::Operator::Icon::kExclamation);
    if (reason != nullptr) *reason = kScanDisabled;
    return false;
  }
  if (!DatabaseRead()) {
    if (reason != nullptr) *reason = kReadDatabaseFirst;
    return false;
  }
  if (lq_.channel.index < 0) return false;
  CRadioMessage frame;
  if (lq_.type == kBiDirectional) {
    std::string message;
    if (!TakeMessage(lq_.message, message, reason)) return false;
    const std::string address = lq_.to.Text();
    if (address.empty() || address.size() > kMaxAddress) {
      operator_.Notify(kAddressInvalid, varim::core::Operator::Icon::kExclamation);
      if (reason != nullptr) *reason = kAddressInvalid;
      return false;
    }
    lqSavedScan_ = scanState_;
    history_.Add(message);
    const ChannelBytes channel = BytesOf(lq_.channel.Text());
    const bool toNet = address == NetName(lqNet_);
    const int addressLength = static_cast<int>(address.size()) + 1;
    const int messageLength = static_cast<int>(message.size()) + 1;
    if (toNet) {
      BiDirectionalNet(&frame, address.c_str(), addressLength, channel.bytes, message.c_str(),
                       messageLength);
    } else {
      BiDirectionalStation(&frame, address.c_str(), addressLength, channel.bytes, message.c_str(),
                           messageLength);
    }
    lq_.biDirectionalRunning = true;
    pending_.Set(toNet ? PendingOperation::kBiDirectionalNetSent
                       : PendingOperation::kBiDirectionalStationSent);
    ale_.sendEnabled = false;
    biDirectionalInProgress_ = true;
    state_.Change([](varim::core::RadioStatus& s) { s.linkExchange = true; });
  } else if (lq_.type == kSounding) {
    // Nets that sound by themselves are not sounded by hand.
    if (!lq_.soundingAllowed) return false;
    lqSavedScan_ = scanState_;
    SetSoundOnOff(&frame, 0, 1);
    lq_.soundingRunning = true;
    pending_.Set(PendingOperation::kSoundingSent);
  } else {
    operator_.Notify("CUpdateLinkQualityDlg::OnSendButton: Incorrect Call Type!",
                     varim::core::Operator::Icon::kExclamation);
    return false;
  }
  Transmit(frame);
  lq_.sendEnabled = false;
  lq_.abortEnabled = true;
  Changed();
  return true;
}

void Calls::AbortLinkQuality() {
  if (!DatabaseRead()) return;
  if (lq_.type == kSounding) {
    if (lq_.soundingRunning) {
      lq_.soundingRunning = false;
      CRadioMessage frame;
      SetSoundOnOff(&frame, 0, 0);
      Transmit(frame);
    }
    lq_.sendEnabled = !lq_.biDirectionalRunning && !biDirectionalInProgress_;
  } else if (lq_.biDirectionalRunning) {
    lq_.biDirectionalRunning = false;
    SendAbortLink();
    pending_.Set(PendingOperation::kSoundingSent);
    lq_.sendEnabled = true;
    ale_.sendEnabled = true;
    scanState_ = lqSavedScan_;
    if (form_.setScanState) form_.setScanState(scanState_);
    biDirectionalInProgress_ = false;
    // The radio may never report the end of an exchange it was told to abort.
    state_.Change([](varim::core::RadioStatus& s) { s.linkExchange = false; });
  }
  Changed();
}

void Calls::LinkUp() {
  ale_.linkShown = true;
  ale_.abortEnabled = ale_.sendEnabled = true;
  EnableSelection(false);
  lq_.sendEnabled = false;
  Changed();
}

void Calls::LinkEnded() {
  ale_.linkShown = false;
  ale_.abortEnabled = ale_.replaceEnabled = false;
  ale_.sendEnabled = true;
  EnableSelection(true);
  lq_.abortEnabled = true;
  if (scanState_ == kScanning) lq_.sendEnabled = true;
  if (form_.enableChannelControls) form_.enableChannelControls(true);
  biDirectionalInProgress_ = false;
  callInProgress_ = false;
  Changed();
}

void Calls::ResetLinkQuality(int part) {
  if (part == 0) {
    lq_.biDirectionalRunning = false;
  } else {
    lq_.soundingRunning = false;
  }
  if (!callInProgress_) lq_.sendEnabled = lq_.type == kBiDirectional || lq_.soundingAllowed;
  Changed();
}

void Calls::HideLinkWindow() {
  ale_.linkShown = false;
  // No link came of the call: Abort ends the attempt, Send and Replace wait for a link.
  ale_.abortEnabled = true;
  ale_.sendEnabled = ale_.replaceEnabled = state_.Now().linkUp;
  EnableSelection(false);
  Changed();
}

void Calls::ShowEstablishedLink(int channel, int quality) {
  const std::string number = std::to_string(channel);
  if (!ale_.channel.Select(number)) {
    ale_.channel.items.insert(ale_.channel.items.end() - (ale_.channel.items.empty() ? 0 : 1),
                              number);
    ale_.channel.Select(number);
  }
  ale_.frequency = channel >= 1 && channel <= kMaxChannel ? FrequencyText(channel) : "";
  ale_.linkQuality = std::to_string(quality);
  ale_.replaceEnabled = true;
  Changed();
}

void Calls::AcceptIncomingCall(const varim::core::IncomingCall& call) {
  EnterTo(call.caller);
  ale_.message = call.message;
  ShowEstablishedLink(call.channel, call.value);
}

void Calls::IncomingCallLogged(const varim::core::IncomingCall&) {
  LinkEnded();
}

void Calls::Reply(const varim::core::CallRecord& record) {
  ale_.callType = kStation;
  ale_.channel.enabled = true;
  if (scanState_ == kScanning) {
    const int net = std::atoi(record.net.c_str());
    ChooseNet(net);
    ChooseChannel(record.channel == std::to_string(kAutoChannel) ? kAuto : record.channel);
  }
  EnterTo(record.from);
  ale_.message = WithoutTrailingBlanks(record.message);
  Changed();
}

void Calls::AleUnusable(bool unusable) {
  ale_.aleUnusable = unusable;
  Changed();
}

void Calls::Changed() {
  if (changed_) changed_();
}

}  // namespace varim::panels
