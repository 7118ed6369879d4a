#include "varim/db/database_diff.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>

#include "varim/byte_order.h"
#include "varim/db/channel_set.h"
#include "varim/db/field_text.h"
#include "varim/db/radio_option_names.h"
#include "varim/db/record_rules.h"
#include "varim/db/value_lists.h"

namespace varim::db {

namespace {

using Lines = std::vector<std::string>;

constexpr char kArrow[] = " → ";
constexpr char kNone[] = "none";
// A global member's directory index is in the low bits; the high bit marks the priority member.
constexpr std::uint8_t kGlobalIndexBits = 0x7F;
constexpr std::uint8_t kGlobalPriorityBit = 0x80;

std::string Shown(const std::string& text) {
  return text.empty() ? kNone : text;
}

// A code the list does not know shows as its number, so two such codes still differ.
std::string ListText(ValueList list, int code) {
  for (const ValueEntry& entry : list) {
    if (entry.code == code) return entry.text;
  }
  return std::to_string(code);
}

std::string YesNo(int value) {
  return value != 0 ? "Yes" : "No";
}

std::string ChannelNumberText(int number) {
  return number >= 1 && number <= kMaxChannel ? std::to_string(number) : "";
}

void Change(Lines& lines, const std::string& prefix, const std::string& before,
            const std::string& after) {
  if (before != after) lines.push_back(prefix + Shown(before) + kArrow + Shown(after));
}

// Hertz in MHz to the 10 Hz the program shows, or to the hertz when there is one.
std::string Megahertz(std::uint32_t hz) {
  char text[24];
  if (hz % 10 == 0) {
    std::snprintf(text, sizeof text, "%u.%05u", hz / 1'000'000, hz % 1'000'000 / 10);
  } else {
    std::snprintf(text, sizeof text, "%u.%06u", hz / 1'000'000, hz % 1'000'000);
  }
  return text;
}

std::string FrequencyText(std::uint32_t hz) {
  return hz == 0 ? kNone : Megahertz(hz) + " MHz";
}

void FrequencyChange(Lines& lines, const std::string& prefix, std::uint32_t before,
                     std::uint32_t after) {
  if (before == after) return;
  if (before != 0 && after != 0) {
    lines.push_back(prefix + Megahertz(before) + kArrow + Megahertz(after) + " MHz");
  } else {
    lines.push_back(prefix + FrequencyText(before) + kArrow + FrequencyText(after));
  }
}

// "added" and "removed" lines for the channels one set has and the other has not.
void ChannelSetChanges(Lines& lines, const std::string& prefix,
                       const std::uint8_t (&before)[kChannelSetBytes],
                       const std::uint8_t (&after)[kChannelSetBytes]) {
  for (int c = 1; c <= kMaxChannel; ++c) {
    const bool had = HasChannel(before, c);
    if (had != HasChannel(after, c))
      lines.push_back(prefix + std::to_string(c) + (had ? " removed" : " added"));
  }
}

// The same for texts, wherever they stand in their lists.
void TextSetChanges(Lines& lines, const std::string& prefix, const std::set<std::string>& before,
                    const std::set<std::string>& after) {
  Lines removed, added;
  std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                      std::back_inserter(removed));
  std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                      std::back_inserter(added));
  for (const std::string& text : removed) lines.push_back(prefix + Shown(text) + " removed");
  for (const std::string& text : added) lines.push_back(prefix + Shown(text) + " added");
}

std::string Joined(const Lines& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
  return joined;
}

// The radio record ------------------------------------------------------------------------

struct TextField {
  const char* key;
  std::string (*text)(const dbase& radio);
};

constexpr TextField kIdentityFields[] = {
    {"Serial_Number", [](const dbase& r) { return FieldText(r.serial_number); }},
    {"Radio_Code", [](const dbase& r) { return FieldText(r.radio_code); }},
    {"Software_Version", [](const dbase& r) { return FieldText(r.software_version); }},
    {"Hardware_Version", [](const dbase& r) { return FieldText(r.hardware_version); }},
    {"Control_Head_Software_Version",
     [](const dbase& r) { return FieldText(r.control_head_software_version); }},
    {"Control_Head_Hardware_Version",
     [](const dbase& r) { return FieldText(r.control_head_hardware_version); }},
};

struct RadioNumberField {
  const char* key;
  ValueList list;  // empty: the number itself
  int (*value)(const dbase& radio);
};

constexpr RadioNumberField kRadioOptionFields[] = {
    {"Priority_Channel",
     {},
     [](const dbase& r) -> int { return r.radio_options.priority_channel; }},
    {"Scan_Rate", lists::kScanRate,
     [](const dbase& r) -> int { return r.radio_options.scan_rate; }},
    {"Baud_Rate", lists::kBaud, [](const dbase& r) -> int { return r.radio_options.baud_rate; }},
    {"Alert_Tone", lists::kAlertTone,
     [](const dbase& r) -> int { return r.radio_options.alert_tone; }},
    {"CW_PTT_Hold", lists::kCwHold,
     [](const dbase& r) -> int { return r.radio_options.cw_ptt_hold; }},
    {"Alternate_Display_Time", lists::kDisplayTime,
     [](const dbase& r) -> int { return r.radio_options.alternate_display_time; }},
    {"Data_Power_Level", lists::kPower,
     [](const dbase& r) -> int { return r.radio_options.data_power_level; }},
    {"Language", lists::kLanguage, [](const dbase& r) -> int { return r.language; }},
    {"Beep_After_Keyboard_Press", lists::kNoYes,
     [](const dbase& r) -> int { return r.radio_options.beep_after_keyboard_press; }},
    {"Beep_After_PTT_Release", lists::kNoYes,
     [](const dbase& r) -> int { return r.radio_options.beep_after_ptt_release; }},
    {"Accessory_Side_Tone", lists::kNoYes,
     [](const dbase& r) -> int { return r.radio_options.accessory_side_tone; }},
    {"Microphone_Side_Tone", lists::kNoYes,
     [](const dbase& r) -> int { return r.radio_options.microphone_side_tone; }},
    {"Frequency_Display", lists::kFrequencyDisplay,
     [](const dbase& r) -> int { return r.radio_options.frequency_display; }},
    {"Noise_Blanker", lists::kNoYes,
     [](const dbase& r) -> int { return r.radio_options.noise_blanker; }},
    {"Accessory_Installed", lists::kAccessory,
     [](const dbase& r) -> int { return r.accessory_installed; }},
    {"Tuner", lists::kNoYes, [](const dbase& r) -> int { return r.tuner; }},
};

struct ChannelField {
  const char* name;
  ValueList list;
  int (*value)(const channel& c);
};

constexpr ChannelField kChannelFields[] = {
    {"Power", lists::kPower, [](const channel& c) -> int { return c.tx_power; }},
    {"Sideband", lists::kSideband, [](const channel& c) -> int { return c.sideband; }},
    {"Bandwidth", lists::kBandwidth, [](const channel& c) -> int { return c.bandwidth; }},
    {"AGC", lists::kAgc, [](const channel& c) -> int { return c.agc; }},
    {"Mode", lists::kMode, [](const channel& c) -> int { return c.mode; }},
};

std::string DescribeChannel(const channel& c) {
  std::string text =
      "Tx " + FrequencyText(c.tx_frequency) + ", Rx " + FrequencyText(c.rx_frequency);
  for (const ChannelField& field : kChannelFields)
    text += std::string(", ") + field.name + " " + ListText(field.list, field.value(c));
  return text;
}

void DiffOptionList(Lines& lines, const dbase& before, const dbase& after) {
  for (int i = 0; i < kRadioOptions; ++i) {
    const radio_option& b = before.options[i];
    const radio_option& a = after.options[i];
    const std::string name = kRadioOptionNames[i];
    Change(lines, name + ": ", ListText(lists::kOptionStatus, b.status),
           ListText(lists::kOptionStatus, a.status));
    Change(lines, name + " software version: ", FieldText(b.sw_version), FieldText(a.sw_version));
    Change(lines, name + " hardware version: ", FieldText(b.hw_version), FieldText(a.hw_version));
  }
}

template <std::size_t Count, std::size_t Width>
void DiffTextList(Lines& lines, const char* key, const char (&before)[Count][Width],
                  const char (&after)[Count][Width]) {
  for (std::size_t i = 0; i < Count; ++i)
    Change(lines, key + std::to_string(i + 1) + ": ", FieldText(before[i]), FieldText(after[i]));
}

void DiffGroups(Lines& lines, const dbase& before, const dbase& after) {
  for (int g = 0; g < kGroups; ++g) {
    const scan_group& b = before.groups[g];
    const scan_group& a = after.groups[g];
    const std::string subject = std::string("Group ") + static_cast<char>('A' + g) + ": ";
    const int guardBefore = GuardChannelValid(b) ? b.guard_channel : 0;
    const int guardAfter = GuardChannelValid(a) ? a.guard_channel : 0;
    Change(lines, subject + "guard channel ", ChannelNumberText(guardBefore),
           ChannelNumberText(guardAfter));
    ChannelSetChanges(lines, subject + "channel ", b.member_channels, a.member_channels);
  }
}

void DiffChannel(Lines& lines, int number, const channel& before, const channel& after) {
  const std::string subject = "Channel " + std::to_string(number);
  const bool was = ChannelProgrammed(before);
  const bool is = ChannelProgrammed(after);
  if (!was && !is) return;
  if (!was || !is) {
    lines.push_back(subject + (is ? " added: " + DescribeChannel(after)
                                  : " removed: " + DescribeChannel(before)));
    return;
  }
  FrequencyChange(lines, subject + ": Tx ", before.tx_frequency, after.tx_frequency);
  FrequencyChange(lines, subject + ": Rx ", before.rx_frequency, after.rx_frequency);
  for (const ChannelField& field : kChannelFields) {
    Change(lines, subject + ": " + field.name + " ", ListText(field.list, field.value(before)),
           ListText(field.list, field.value(after)));
  }
}

std::string CcirNumberText(const channel_name& numbers, int channel) {
  const int number = ReadBigEndian16(numbers.number[channel - 1]);
  return number == 0 ? "" : std::to_string(number);
}

// The ALE record --------------------------------------------------------------------------

struct AleOptionField {
  const char* key;
  ValueList list;  // empty: the number itself
  int (*value)(const ale_options& o);
};

constexpr AleOptionField kAleOptionFields[] = {
    {"PTT Timeout", lists::kPttTimeout, [](const ale_options& o) -> int { return o.ptt_timeout; }},
    {"Multinet", lists::kNoYes, [](const ale_options& o) -> int { return o.multinet; }},
    {"Anycall", lists::kNoYes, [](const ale_options& o) -> int { return o.anycall; }},
    {"Min. LQA Score", {}, [](const ale_options& o) -> int { return o.min_lqa_score; }},
    {"AMD message", lists::kNoYes, [](const ale_options& o) -> int { return o.amd_message; }},
    {"External Alarm", lists::kNoYes, [](const ale_options& o) -> int { return o.external_alarm; }},
    {"Alert", lists::kNoYes, [](const ale_options& o) -> int { return o.alert; }},
    {"Wildcard", lists::kNoYes, [](const ale_options& o) -> int { return o.wildcard; }},
    {"Quick PTT Call", lists::kNoYes, [](const ale_options& o) -> int { return o.quick_ptt_call; }},
    {"Auto Address", lists::kNoYes, [](const ale_options& o) -> int { return o.auto_address; }},
    {"Accept Link Timeout", lists::kAcceptLink,
     [](const ale_options& o) -> int { return o.accept_link_timeout; }},
    {"In link", lists::kNoYes, [](const ale_options& o) -> int { return o.in_link; }},
};

// The fields of the net form.
struct NetField {
  const char* key;
  ValueList list;
  int (*value)(const ale_net& net);
};

constexpr NetField kNetFields[] = {
    {"Scan_Rate", lists::kScanRate, [](const ale_net& n) -> int { return n.scan_rate; }},
    {"Tune Time", lists::kTuneTime, [](const ale_net& n) -> int { return n.tune_time; }},
    {"Master/Slave", lists::kMasterSlave, [](const ale_net& n) -> int { return n.master_slave; }},
    {"Silent", lists::kSilent, [](const ale_net& n) -> int { return n.silent; }},
    {"Home Ack", lists::kNoYes, [](const ale_net& n) -> int { return n.home_ack; }},
    {"Monitor Ack", lists::kNoYes, [](const ale_net& n) -> int { return n.monitor_ack; }},
    {"All Call", lists::kAllCall, [](const ale_net& n) -> int { return n.all_call; }},
    {"LQA Request", lists::kNoYes, [](const ale_net& n) -> int { return n.lqa_request; }},
    {"Sounding", lists::kSounding, [](const ale_net& n) -> int { return n.sounding; }},
    {"Occupancy Check", lists::kOccupancy,
     [](const ale_net& n) -> int { return n.occupancy_check; }},
};

std::string DirectoryText(const ale_dbase& ale, int index) {
  return index < kDirectoryEntries ? FieldText(ale.directory[index]) : "#" + std::to_string(index);
}

template <std::size_t Count, std::size_t Width>
std::set<std::string> TextsOf(const char (&texts)[Count][Width]) {
  std::set<std::string> set;
  for (const auto& text : texts) {
    if (text[0] != '\0') set.insert(FieldText(text));
  }
  return set;
}

std::string DialText(const ale_dbase& ale, int dial) {
  const std::uint8_t address = ale.auto_dials[dial][0];
  const std::uint8_t message = ale.auto_dials[dial][1];
  const std::string addressText = address == kNoEntry ? "" : DirectoryText(ale, address);
  const std::string messageText =
      message < kAleMessages ? FieldText(ale.messages[message]) : std::string();
  if (addressText.empty() && messageText.empty()) return "";
  return Shown(addressText) + (messageText.empty() ? "" : " \"" + messageText + "\"");
}

Lines MemberTexts(const ale_dbase& ale, const ale_net& net) {
  Lines members;
  for (const std::uint8_t member : net.members) {
    if (member == kOwnSelfAddress) {
      members.push_back(FieldText(net.self_address));
    } else if (member != kNoEntry) {
      members.push_back(DirectoryText(ale, member));
    }
  }
  return members;
}

void DiffMembers(Lines& lines, const std::string& subject, const Lines& before,
                 const Lines& after) {
  const std::set<std::string> had(before.begin(), before.end());
  const std::set<std::string> has(after.begin(), after.end());
  TextSetChanges(lines, subject + "member ", had, has);
  if (had == has && before != after)
    lines.push_back(subject + "member order " + Joined(before) + kArrow + Joined(after));
}

struct GlobalMembers {
  std::set<std::string> members;
  std::string priority;
};

GlobalMembers GlobalMembersOf(const ale_dbase& ale, const ale_net& net,
                              const global_members_entry& entry) {
  GlobalMembers global;
  for (const std::uint8_t member : entry.global_members) {
    if (member == kNoEntry) continue;
    const bool self = member == kOwnSelfAddress;
    const std::string text =
        self ? FieldText(net.self_address) : DirectoryText(ale, member & kGlobalIndexBits);
    global.members.insert(text);
    if (!self && (member & kGlobalPriorityBit) != 0) global.priority = text;
  }
  return global;
}

void DiffNet(Lines& lines, int k, const RadioDatabases& before, const RadioDatabases& after) {
  const ale_net& b = before.ale.nets[k];
  const ale_net& a = after.ale.nets[k];
  const std::string subject = "Net " + std::to_string(k + 1) + ": ";
  Change(lines, subject + "Net Name ", FieldText(b.net_name), FieldText(a.net_name));
  Change(lines, subject + "Self Address ", FieldText(b.self_address), FieldText(a.self_address));
  DiffMembers(lines, subject, MemberTexts(before.ale, b), MemberTexts(after.ale, a));
  ChannelSetChanges(lines, subject + "scanned channel ", b.scanned_channels, a.scanned_channels);
  for (const NetField& field : kNetFields) {
    Change(lines, subject + field.key + " ", ListText(field.list, field.value(b)),
           ListText(field.list, field.value(a)));
  }
  const int allCallBefore = b.all_call_channel;
  const int allCallAfter = a.all_call_channel;
  Change(lines, subject + "All Call Channel ", ChannelNumberText(allCallBefore),
         ChannelNumberText(allCallAfter));

  const global_members_entry& gb = before.globalMembers.nets[k];
  const global_members_entry& ga = after.globalMembers.nets[k];
  Change(lines, subject + "Global Members Name ", FieldText(gb.global_members_name),
         FieldText(ga.global_members_name));
  const GlobalMembers globalBefore = GlobalMembersOf(before.ale, b, gb);
  const GlobalMembers globalAfter = GlobalMembersOf(after.ale, a, ga);
  TextSetChanges(lines, subject + "global member ", globalBefore.members, globalAfter.members);
  Change(lines, subject + "priority global member ", globalBefore.priority, globalAfter.priority);
}

void DiffExtraOptions(Lines& lines, const tag_extra_options& before,
                      const tag_extra_options& after) {
  auto maxChannel = [](const tag_extra_options& extra) {
    return extra.max_channel == 0 ? std::string("Auto") : std::to_string(extra.max_channel);
  };
  Change(lines, "Max Channel: ", maxChannel(before), maxChannel(after));
  Change(lines, "Vcds: ", YesNo(before.vcds), YesNo(after.vcds));
  Change(lines, "LinkAfterBidr: ", YesNo(before.link_after_bidirectional),
         YesNo(after.link_after_bidirectional));
  // The extra options' multinet is written under the ALE option's key, compared above.
}

}  // namespace

std::vector<std::string> DiffRadio(const RadioDatabases& before, const RadioDatabases& after) {
  Lines lines;
  const dbase& b = before.radio;
  const dbase& a = after.radio;
  for (const TextField& field : kIdentityFields)
    Change(lines, std::string(field.key) + ": ", field.text(b), field.text(a));
  DiffOptionList(lines, b, a);
  DiffTextList(lines, "ECN", b.ecn_list, a.ecn_list);
  DiffTextList(lines, "SP", b.sp_list, a.sp_list);
  DiffGroups(lines, b, a);
  for (int n = 1; n <= kMaxChannel; ++n) {
    const channel channelBefore = b.channels[n - 1];
    const channel channelAfter = a.channels[n - 1];
    DiffChannel(lines, n, channelBefore, channelAfter);
    Change(lines, "Channel " + std::to_string(n) + ": CCIR number ",
           CcirNumberText(before.channelNames, n), CcirNumberText(after.channelNames, n));
  }
  for (const RadioNumberField& field : kRadioOptionFields) {
    Change(lines, std::string(field.key) + ": ", ListText(field.list, field.value(b)),
           ListText(field.list, field.value(a)));
  }
  return lines;
}

std::vector<std::string> DiffAle(const RadioDatabases& before, const RadioDatabases& after) {
  Lines lines;
  const ale_dbase& b = before.ale;
  const ale_dbase& a = after.ale;
  for (const AleOptionField& field : kAleOptionFields) {
    Change(lines, std::string(field.key) + ": ", ListText(field.list, field.value(b.ale_options)),
           ListText(field.list, field.value(a.ale_options)));
  }
  TextSetChanges(lines, "Directory entry ", TextsOf(b.directory), TextsOf(a.directory));
  std::set<std::string> messagesBefore, messagesAfter;
  for (const std::string& text : TextsOf(b.messages)) messagesBefore.insert('"' + text + '"');
  for (const std::string& text : TextsOf(a.messages)) messagesAfter.insert('"' + text + '"');
  TextSetChanges(lines, "Message ", messagesBefore, messagesAfter);
  for (int dial = 0; dial < kAutoDials; ++dial) {
    Change(lines, "Automatic dial " + std::to_string(dial) + ": ", DialText(b, dial),
           DialText(a, dial));
  }
  for (int k = 0; k < kNets; ++k) DiffNet(lines, k, before, after);
  DiffExtraOptions(lines, before.extraOptions, after.extraOptions);
  return lines;
}

}  // namespace varim::db
