#include "varim/panels/ale_net_form.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "varim/db/field_text.h"
#include "varim/panels/ale_address_book.h"

namespace varim::panels {

using varim::core::Operator;

namespace {

constexpr int kHighestMaxChannel = 99;
constexpr std::uint8_t kSendAllCallBit = 1;
constexpr std::uint8_t kReceiveAllCallBit = 2;
constexpr std::uint8_t kHighestAllCall = 3;
constexpr std::uint8_t kPriorityBit = 0x80;
constexpr std::uint8_t kIndexBits = 0x7F;
constexpr char kSelfAddress[] = "*SELF_ADDRESS*";
constexpr char kPrioritySuffix[] = "  Priority";

// The lists whose entries stand for values other than their positions.
constexpr int kScanRates[] = {2, 5};
constexpr int kSoundings[] = {0, 30, 60, 90, 120};
constexpr const char* kSoundingTexts[] = {"Manual", "Auto. -30 Min", "Auto. -60 Min",
                                          "Auto. -90 Min", "Auto. -120 Min"};
constexpr int kLongestTuneTime = 20;
constexpr int kLongestPttTimeout = 10;
// Occupancy check: entry 0 is off (stored 0 or 1), entry n stands for n + 2 hundred ms.
constexpr int kOccupancyOffset = 2;
constexpr int kLongestOccupancy = 30;

const AleNetForm::CheckInfo kChecks[] = {
    {AleNetForm::Check::kSilent, "Silent"},
    {AleNetForm::Check::kHomeAck, "Home Ack."},
    {AleNetForm::Check::kMonitorAck, "Mon Ack."},
    {AleNetForm::Check::kLqaRequest, "LQA Request"},
    {AleNetForm::Check::kSendAllCall, "Send All Call"},
    {AleNetForm::Check::kReceiveAllCall, "Receive All Call"},
    {AleNetForm::Check::kExternalAlarm, "Ext. Alarm"},
    {AleNetForm::Check::kAlert, "Alert"},
    {AleNetForm::Check::kQuickPttCall, "Quick PTT Call"},
    {AleNetForm::Check::kAutoAddress, "Auto Address"},
    {AleNetForm::Check::kAnycall, "Anycall"},
    {AleNetForm::Check::kWildcard, "Wildcard"},
    {AleNetForm::Check::kAmd, "AMD"},
    {AleNetForm::Check::kInLink, "In_LINK"},
    {AleNetForm::Check::kMultiNet, "MultiNet"},
    {AleNetForm::Check::kLinkAfterBidirectional, "LINK AFTER BDIR"},
    {AleNetForm::Check::kVcds, "VCDS"},
};

int IndexIn(std::span<const int> values, int value) {
  const auto found = std::find(values.begin(), values.end(), value);
  return found == values.end() ? -1 : static_cast<int>(found - values.begin());
}

}  // namespace

const std::vector<AleNetForm::CheckInfo>& AleNetForm::Checks() {
  static const std::vector<CheckInfo> checks(std::begin(kChecks), std::end(kChecks));
  return checks;
}

const char* AleNetForm::LabelOf(List list) {
  switch (list) {
    case List::kScanRate:
      return "Scan Rate";
    case List::kTuneTime:
      return "Tune Time";
    case List::kSounding:
      return "Sounding";
    case List::kOccupancy:
      return "Occupancy Check";
    case List::kPttTimeout:
      return "PTT Timeout";
    case List::kMaxChannel:
      break;
  }
  return "Mx CH";
}

std::vector<std::string> AleNetForm::Entries(List list) {
  std::vector<std::string> entries;
  switch (list) {
    case List::kScanRate:
      return {"2 Ch/Sec", "5 Ch/Sec"};
    case List::kTuneTime:
      entries.push_back("No Tune Time");
      for (int s = 1; s <= kLongestTuneTime; ++s) entries.push_back(std::to_string(s) + " Sec");
      return entries;
    case List::kSounding:
      return {std::begin(kSoundingTexts), std::end(kSoundingTexts)};
    case List::kOccupancy:
      entries.push_back("  OFF");
      for (int tenths = 3; tenths <= kLongestOccupancy; ++tenths)
        entries.push_back((tenths < 10 ? "  " : "") + std::to_string(tenths * 100) + " ms");
      return entries;
    case List::kPttTimeout:
      entries.push_back("No Timeout");
      for (int m = 1; m <= kLongestPttTimeout; ++m) entries.push_back(std::to_string(m) + " Min");
      return entries;
    case List::kMaxChannel:
      entries.push_back("Auto");
      for (int c = 1; c <= kHighestMaxChannel; ++c) entries.push_back(std::to_string(c));
      return entries;
  }
  return entries;
}

AleNetForm::AleNetForm(varim::db::RadioDatabases& databases, Operator& op)
    : databases_(databases), operator_(op) {}

void AleNetForm::ShowNet(int net) {
  net_ = std::clamp(net, 1, kNets) - 1;
  TellInvalidFields();
}

void AleNetForm::TellInvalidFields() const {
  const ale_net& net = Record();
  const char* invalid = nullptr;
  if (IndexIn(kScanRates, net.scan_rate) < 0) invalid = "Scan Rate is not correct!";
  if (net.all_call > kHighestAllCall) invalid = "All Call Value is not correct!";
  if (IndexIn(kSoundings, net.sounding) < 0) invalid = "Sounding is not correct!";
  if (Row(List::kOccupancy) < 0) invalid = "Occupancy check is not correct!";
  if (invalid != nullptr) operator_.Notify(invalid, Operator::Icon::kExclamation);
}

std::string AleNetForm::NetName() const {
  return varim::db::FieldText(Record().net_name);
}

std::string AleNetForm::SelfAddress() const {
  return varim::db::FieldText(Record().self_address);
}

std::string AleNetForm::GlobalMembersName() const {
  return varim::db::FieldText(databases_.globalMembers.nets[net_].global_members_name);
}

bool AleNetForm::SetAddressField(char (&field)[16], const std::string& text, bool isNetName) {
  if (!text.empty() && !IsAleAddressText(text)) {
    operator_.Notify("'" + text + "' is an invalid address.", Operator::Icon::kExclamation);
    return false;
  }
  // A net's name may not be another net's self address, nor a self address another's name.
  for (int other = 0; other < kNets && !text.empty(); ++other) {
    if (other == net_) continue;
    const ale_net& net = databases_.ale.nets[other];
    const std::string clash =
        isNetName ? varim::db::FieldText(net.self_address) : varim::db::FieldText(net.net_name);
    if (clash != text) continue;
    operator_.Notify("'" + text + "' is net no. " + std::to_string(other + 1) +
                         (isNetName ? " Self Address." : " Net Name."),
                     Operator::Icon::kExclamation);
    return false;
  }
  std::memset(field, 0, sizeof field);
  std::strncpy(field, text.c_str(), sizeof field - 1);
  Edited();
  return true;
}

bool AleNetForm::SetNetName(const std::string& text) {
  return SetAddressField(Record().net_name, text, true);
}

bool AleNetForm::SetSelfAddress(const std::string& text) {
  return SetAddressField(Record().self_address, text, false);
}

void AleNetForm::SetGlobalMembersName(const std::string& text) {
  char (&field)[16] = databases_.globalMembers.nets[net_].global_members_name;
  std::memset(field, 0, sizeof field);
  std::strncpy(field, text.c_str(), sizeof field - 1);
  Edited();
}

std::uint8_t& AleNetForm::Field(Check check) const {
  ale_options& options = databases_.ale.ale_options;
  tag_extra_options& extra = databases_.extraOptions;
  switch (check) {
    case Check::kSilent:
      return Record().silent;
    case Check::kHomeAck:
      return Record().home_ack;
    case Check::kMonitorAck:
      return Record().monitor_ack;
    case Check::kLqaRequest:
      return Record().lqa_request;
    case Check::kSendAllCall:
    case Check::kReceiveAllCall:
      return Record().all_call;
    case Check::kExternalAlarm:
      return options.external_alarm;
    case Check::kAlert:
      return options.alert;
    case Check::kQuickPttCall:
      return options.quick_ptt_call;
    case Check::kAutoAddress:
      return options.auto_address;
    case Check::kAnycall:
      return options.anycall;
    case Check::kWildcard:
      return options.wildcard;
    case Check::kAmd:
      return options.amd_message;
    case Check::kInLink:
      return options.in_link;
    case Check::kMultiNet:
      return extra.multinet;
    case Check::kLinkAfterBidirectional:
      return extra.link_after_bidirectional;
    case Check::kVcds:
      break;
  }
  return extra.vcds;
}

bool AleNetForm::Checked(Check check) const {
  const std::uint8_t field = Field(check);
  switch (check) {
    case Check::kSilent:
      return field == 0;  // "Silent" ticked is stored as 0
    case Check::kSendAllCall:
      return (field & kSendAllCallBit) != 0;
    case Check::kReceiveAllCall:
      return (field & kReceiveAllCallBit) != 0;
    default:
      return field == 1;
  }
}

void AleNetForm::SetChecked(Check check, bool checked) {
  std::uint8_t& field = Field(check);
  switch (check) {
    case Check::kSilent:
      field = checked ? 0 : 1;
      break;
    case Check::kSendAllCall:
    case Check::kReceiveAllCall: {
      const std::uint8_t bit = check == Check::kSendAllCall ? kSendAllCallBit : kReceiveAllCallBit;
      field = static_cast<std::uint8_t>(checked ? (field | bit) : (field & ~bit));
      break;
    }
    default:
      field = checked ? 1 : 0;
  }
  Edited();
}

int AleNetForm::Row(List list) const {
  const ale_net& net = Record();
  const int count = static_cast<int>(Entries(list).size());
  auto within = [count](int row) { return row >= 0 && row < count ? row : -1; };
  switch (list) {
    case List::kScanRate:
      return IndexIn(kScanRates, net.scan_rate);
    case List::kTuneTime:
      return within(net.tune_time);
    case List::kSounding:
      return IndexIn(kSoundings, net.sounding);
    case List::kOccupancy:
      if (net.occupancy_check <= 1) return 0;
      return net.occupancy_check >= 3 && net.occupancy_check <= kLongestOccupancy
                 ? net.occupancy_check - kOccupancyOffset
                 : -1;
    case List::kPttTimeout:
      return within(databases_.ale.ale_options.ptt_timeout);
    case List::kMaxChannel:
      break;
  }
  return within(databases_.extraOptions.max_channel);
}

void AleNetForm::Choose(List list, int row) {
  const int count = static_cast<int>(Entries(list).size());
  if (row < 0 || row >= count) {
    if (list == List::kSounding || list == List::kOccupancy)
      operator_.Notify("Sounding value is not correct!", Operator::Icon::kExclamation);
    return;
  }
  ale_net& net = Record();
  const auto value = static_cast<std::uint8_t>(row);
  switch (list) {
    case List::kScanRate:
      net.scan_rate = static_cast<std::uint8_t>(kScanRates[row]);
      break;
    case List::kTuneTime:
      net.tune_time = value;
      break;
    case List::kSounding:
      net.sounding = static_cast<std::uint8_t>(kSoundings[row]);
      break;
    case List::kOccupancy:
      net.occupancy_check = row == 0 ? 0 : static_cast<std::uint8_t>(row + kOccupancyOffset);
      break;
    case List::kPttTimeout:
      databases_.ale.ale_options.ptt_timeout = value;
      break;
    case List::kMaxChannel:
      databases_.extraOptions.max_channel = value;
      break;
  }
  Edited();
}

int AleNetForm::MasterSlave() const {
  return Record().master_slave;
}

void AleNetForm::SetMasterSlave(int choice) {
  Record().master_slave = static_cast<std::uint8_t>(choice == 0 ? 0 : 1);
  Edited();
}

int AleNetForm::AcceptLinkTimeout() const {
  return databases_.ale.ale_options.accept_link_timeout;
}

void AleNetForm::SetAcceptLinkTimeout(int choice) {
  databases_.ale.ale_options.accept_link_timeout = static_cast<std::uint8_t>(std::clamp(choice, 0, 2));
  Edited();
}

int AleNetForm::MinLqa() const {
  return databases_.ale.ale_options.min_lqa_score;
}

void AleNetForm::SetMinLqa(int value) {
  databases_.ale.ale_options.min_lqa_score = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
  Edited();
}

std::vector<std::string> AleNetForm::Members() const {
  std::vector<std::string> shown;
  for (const std::uint8_t member : Record().members) {
    if (member == kNoEntry) break;
    if (member == kOwnSelfAddress) {
      shown.push_back(kSelfAddress);
    } else if (member < kDirectoryEntries) {
      shown.push_back(varim::db::FieldText(databases_.ale.directory[member]));
    }
  }
  return shown;
}

std::vector<std::string> AleNetForm::GlobalMembers() const {
  const auto& bytes = databases_.globalMembers.nets[net_].global_members;
  std::vector<std::string> shown;
  int priority = -1;
  for (const std::uint8_t member : bytes) {
    if (member == kNoEntry) break;
    const int index = member & kIndexBits;
    if (member == kOwnSelfAddress) {
      shown.push_back(kSelfAddress);
    } else if (index < kDirectoryEntries) {
      shown.push_back(varim::db::FieldText(databases_.ale.directory[index]));
    } else {
      continue;
    }
    if ((member & kPriorityBit) != 0 && member != kOwnSelfAddress && priority < 0)
      priority = static_cast<int>(shown.size()) - 1;
  }
  if (!shown.empty()) shown[static_cast<std::size_t>(std::max(priority, 0))] += kPrioritySuffix;
  return shown;
}

void AleNetForm::Edited() {
  if (edited_) edited_();
}

}  // namespace varim::panels
