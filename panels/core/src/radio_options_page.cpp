#include "varim/panels/radio_options_page.h"

#include <cstddef>
#include <cstring>
#include <string_view>

#include "varim/core/comm_settings.h"
#include "varim/db/radio_option_names.h"
#include "varim/db/value_lists.h"

namespace varim::panels {

namespace {

using OptionList = RadioOptionsPage::OptionList;
using Box = RadioOptionsPage::Box;
using CheckState = RadioOptionsPage::CheckState;
namespace lists = varim::db::lists;

// The radio-wide block the page carries: everything before the service area, with the option
// list and the language.
constexpr std::size_t kWideBytes = offsetof(dbase, band_settings);
static_assert(kWideBytes == 1270);

constexpr int OptionIndex(std::string_view name) {
  int index = 0;
  while (index < kRadioOptions && varim::db::kRadioOptionNames[index] != name) ++index;
  return index;
}
constexpr int kNoiseBlankerOption = OptionIndex("Noise Blanker");
static_assert(kNoiseBlankerOption < kRadioOptions);

// A fresh page differs from a normalised empty record: scan rate 3 and no beep after PTT.
constexpr radio_options kNewPageOptions = {
    .priority_channel = 1,
    .cw_ptt_hold = 50,
    .scan_rate = 3,
    .data_power_level = 5,
    .alert_tone = 0,
    .alternate_display_time = 5,
    .accessory_side_tone = 0,
    .microphone_side_tone = 0,
    .beep_after_keyboard_press = 1,
    .beep_after_ptt_release = 0,
    .frequency_display = 1,
    .baud_rate = 3,
    .noise_blanker = 0,
};

// What Store writes for a list without a selection; the lists not named keep their field.
constexpr int kKeepField = -1;
constexpr int kCwHoldWithoutSelection = 50;
constexpr int kDisplayTimeWithoutSelection = 5;
constexpr int kPowerWithoutSelection = 2;

struct ListRule {
  varim::db::ValueList entries;  // empty for the priority channel, whose entries are 1..200
  int withoutSelection;
};

constexpr ListRule kListRules[RadioOptionsPage::kOptionLists] = {
    {{}, kKeepField},
    {lists::kScanRate, kKeepField},
    {lists::kBaud, kKeepField},
    {lists::kAlertTone, kKeepField},
    {lists::kCwHold, kCwHoldWithoutSelection},
    {lists::kDisplayTime, kDisplayTimeWithoutSelection},
    {lists::kPower, kPowerWithoutSelection},
    {lists::kLanguage, kKeepField},
};

const ListRule& RuleOf(OptionList list) {
  return kListRules[static_cast<std::size_t>(list)];
}

int EntryCount(OptionList list) {
  return list == OptionList::kPriorityChannel ? kMaxChannel
                                              : static_cast<int>(RuleOf(list).entries.size());
}

int CodeAt(OptionList list, int index) {
  if (list == OptionList::kPriorityChannel) return index + 1;
  return RuleOf(list).entries[static_cast<std::size_t>(index)].code;
}

int IndexOfCode(OptionList list, int code) {
  for (int index = 0; index < EntryCount(list); ++index)
    if (CodeAt(list, index) == code) return index;
  return RadioOptionsPage::kNoSelection;
}

int FieldOf(const dbase& radio, OptionList list) {
  const radio_options& o = radio.radio_options;
  switch (list) {
    case OptionList::kPriorityChannel:
      return o.priority_channel;
    case OptionList::kScanRate:
      return o.scan_rate;
    case OptionList::kBaudRate:
      return o.baud_rate;
    case OptionList::kAlertTone:
      return o.alert_tone;
    case OptionList::kCwPttHold:
      return o.cw_ptt_hold;
    case OptionList::kAlternateDisplay:
      return o.alternate_display_time;
    case OptionList::kDataPowerLevel:
      return o.data_power_level;
    case OptionList::kLanguage:
      break;
  }
  return radio.language;
}

void SetField(dbase& radio, OptionList list, int value) {
  radio_options& o = radio.radio_options;
  const auto byte = static_cast<std::uint8_t>(value);
  switch (list) {
    case OptionList::kPriorityChannel:
      o.priority_channel = static_cast<std::uint16_t>(value);
      return;
    case OptionList::kScanRate:
      o.scan_rate = byte;
      return;
    case OptionList::kBaudRate:
      o.baud_rate = byte;
      return;
    case OptionList::kAlertTone:
      o.alert_tone = byte;
      return;
    case OptionList::kCwPttHold:
      o.cw_ptt_hold = byte;
      return;
    case OptionList::kAlternateDisplay:
      o.alternate_display_time = byte;
      return;
    case OptionList::kDataPowerLevel:
      o.data_power_level = byte;
      return;
    case OptionList::kLanguage:
      radio.language = byte;
      return;
  }
}

// The byte of a box before kAmplifier; only those are asked for.
std::uint8_t& FlagOf(dbase& radio, Box box) {
  radio_options& o = radio.radio_options;
  switch (box) {
    case Box::kBeepAfterKeyboardPress:
      return o.beep_after_keyboard_press;
    case Box::kBeepAfterPttRelease:
      return o.beep_after_ptt_release;
    case Box::kAccessorySideTone:
      return o.accessory_side_tone;
    case Box::kMicrophoneSideTone:
      return o.microphone_side_tone;
    case Box::kHideFrequency:
      return o.frequency_display;
    case Box::kNoiseBlanker:
      return o.noise_blanker;
    default:
      return radio.tuner;
  }
}

// The frequency display byte says "View"; its box says "Hide".
bool Inverted(Box box) {
  return box == Box::kHideFrequency;
}

CheckState StateOfFlag(std::uint8_t value, Box box) {
  if (Inverted(box)) return value == 0 ? CheckState::kChecked : CheckState::kUnchecked;
  if (value == 0) return CheckState::kUnchecked;
  return value == 1 ? CheckState::kChecked : CheckState::kIndeterminate;
}

// The accessory_installed value of an accessory box.
std::uint8_t AccessoryOf(Box box) {
  return static_cast<std::uint8_t>(static_cast<int>(box) - static_cast<int>(Box::kAmplifier) + 1);
}

bool IsAccessory(Box box) {
  return box == Box::kAmplifier || box == Box::kAccessory1 || box == Box::kAccessory2;
}

constexpr std::uint8_t kAmplifier = 1;

}  // namespace

RadioOptionsPage::RadioOptionsPage(varim::db::RadioDatabases& databases,
                                   const varim::db::PresenceFlags& flags, varim::core::Operator& op)
    : databases_(databases), flags_(flags), operator_(op) {
  Load();
}

void RadioOptionsPage::Load() {
  const dbase& radio = databases_.radio;
  std::memcpy(&working_, &radio, kWideBytes);
  working_.radio_options = radio.radio_options;
  working_.tuner = radio.tuner;
  // Only the amplifier is offered here; any other accessory is dropped.
  working_.accessory_installed = radio.accessory_installed == kAmplifier ? kAmplifier : 0;
  Show();
}

void RadioOptionsPage::NewPage() {
  std::memset(&working_, 0, sizeof working_);
  working_.radio_options = kNewPageOptions;
  Show();
}

void RadioOptionsPage::Show() {
  isbPresent_ = flags_.isb_present != 0;
  // A CCIR radio speaks English only.
  if (flags_.ccir_present != 0) working_.language = 0;
  for (int list = 0; list < kOptionLists; ++list) {
    const auto which = static_cast<OptionList>(list);
    selections_[Index(which)] = IndexOfCode(which, FieldOf(working_, which));
  }
  for (int flag = 0; flag < kFlagBoxes; ++flag) {
    const auto box = static_cast<Box>(flag);
    states_[Index(box)] = StateOfFlag(FlagOf(working_, box), box);
  }
  Changed();
}

void RadioOptionsPage::Store() {
  Exchange();
  dbase& radio = databases_.radio;
  std::memcpy(&radio, &working_, kWideBytes);
  radio.radio_options = working_.radio_options;
  // Without the extended support mode the radio takes no accessory settings.
  if (flags_.extended_support != 0) {
    radio.accessory_installed = working_.accessory_installed;
    radio.tuner = working_.tuner;
  }
}

void RadioOptionsPage::Exchange() {
  for (int list = 0; list < kOptionLists; ++list) {
    const auto which = static_cast<OptionList>(list);
    const int selection = selections_[Index(which)];
    if (selection != kNoSelection)
      SetField(working_, which, CodeAt(which, selection));
    else if (RuleOf(which).withoutSelection != kKeepField)
      SetField(working_, which, RuleOf(which).withoutSelection);
  }
  for (int flag = 0; flag < kFlagBoxes; ++flag) {
    const auto box = static_cast<Box>(flag);
    const bool checked = states_[Index(box)] == CheckState::kChecked;
    FlagOf(working_, box) = checked != Inverted(box) ? 1 : 0;
  }
}

std::vector<std::string> RadioOptionsPage::Entries(OptionList list) {
  std::vector<std::string> entries;
  if (list == OptionList::kPriorityChannel) {
    for (int channel = 1; channel <= kMaxChannel; ++channel)
      entries.push_back(std::to_string(channel));
    return entries;
  }
  for (const varim::db::ValueEntry& entry : RuleOf(list).entries) entries.emplace_back(entry.text);
  return entries;
}

void RadioOptionsPage::Choose(OptionList list, int index) {
  if (!Enabled(list) || index < 0 || index >= EntryCount(list)) return;
  selections_[Index(list)] = index;
  Changed();
  if (edited_) edited_();
  if (list != OptionList::kPriorityChannel) return;
  // The configuration check reads the program's record, so the new priority goes there now.
  SetField(databases_.radio, list, CodeAt(list, index));
  if (configurationChanged_) configurationChanged_();
}

RadioOptionsPage::CheckState RadioOptionsPage::State(Box box) const {
  if (box == Box::kIsb) return isbPresent_ ? CheckState::kChecked : CheckState::kUnchecked;
  if (IsAccessory(box))
    return working_.accessory_installed == AccessoryOf(box) ? CheckState::kChecked
                                                            : CheckState::kUnchecked;
  return states_[Index(box)];
}

void RadioOptionsPage::Check(Box box, bool checked) {
  if (!Enabled(box)) return;
  if (IsAccessory(box)) {
    if (checked) {
      working_.accessory_installed = AccessoryOf(box);
      // The tuner and the amplifier exclude each other.
      if (box == Box::kAmplifier) states_[Index(Box::kTuner)] = CheckState::kUnchecked;
    } else if (working_.accessory_installed == AccessoryOf(box)) {
      working_.accessory_installed = 0;
    }
  } else {
    states_[Index(box)] = checked ? CheckState::kChecked : CheckState::kUnchecked;
    if (box == Box::kTuner && checked) working_.accessory_installed = 0;
  }
  Changed();
  if (edited_) edited_();
}

bool RadioOptionsPage::Enabled(OptionList list) const {
  return !transferRunning_ && !(list == OptionList::kLanguage && flags_.ccir_present != 0);
}

bool RadioOptionsPage::Enabled(Box box) const {
  if (transferRunning_ || !Shown(box) || box == Box::kIsb) return false;
  return box != Box::kNoiseBlanker || NoiseBlankerOptionEnabled();
}

bool RadioOptionsPage::NoiseBlankerOptionEnabled() const {
  return working_.options[kNoiseBlankerOption].status == 1;
}

void RadioOptionsPage::SetTransferRunning(bool running) {
  transferRunning_ = running;
  Changed();
}

void RadioOptionsPage::SetIsbPresent(bool present) {
  isbPresent_ = present;
  Changed();
}

int RadioOptionsPage::BaudRate() const {
  return varim::core::BaudFromIndex(Selection(OptionList::kBaudRate), operator_);
}

void RadioOptionsPage::Changed() const {
  if (listener_) listener_();
}

}  // namespace varim::panels
