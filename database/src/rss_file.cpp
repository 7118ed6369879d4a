#include "varim/db/rss_file.h"

#include <cstring>
#include <memory>

#include "file_image.h"
#include "varim/byte_order.h"
#include "varim/db/normalise.h"
#include "varim/db/radio_option_names.h"
#include "varim/db/record_rules.h"
#include "varim/db/value_lists.h"

namespace varim::db {

namespace {

constexpr const char* kOptionsSection = "Options";
constexpr const char* kGroupsSection = "Groups Guard Channels";
constexpr const char* kChannelsSection = "Channels";
constexpr const char* kRadioOptionsSection = "Radio Options";
constexpr const char* kCcirSection = "Ccir Channel Number";
constexpr int kCcirNumberChars = 5;

constexpr std::size_t Radio(std::size_t fieldOffset) {
  return kRadioBase + fieldOffset;
}
constexpr std::size_t RadioOption(std::size_t fieldOffset) {
  return Radio(offsetof(dbase, radio_options) + fieldOffset);
}

const dbase& RadioOf(const std::uint8_t* image) {
  return reinterpret_cast<const RadioFileImage*>(image)->radio;
}

bool EcnPresent(const std::uint8_t* image, int entry) {
  return RadioOf(image).ecn_list[entry][0] != '\0';
}

bool SpPresent(const std::uint8_t* image, int entry) {
  return RadioOf(image).sp_list[entry][0] != '\0';
}

template <int Group>
bool GroupPresent(const std::uint8_t* image, int /*entry*/) {
  return GroupHasMembers(RadioOf(image).groups[Group]);
}

bool ChannelPresent(const std::uint8_t* image, int entry) {
  return ChannelProgrammed(RadioOf(image).channels[entry]);
}

constexpr Column kOptionColumns[] = {
    {Kind::kText, offsetof(radio_option, sw_version), {}, 8},
    {Kind::kText, offsetof(radio_option, hw_version), {}, 8},
    {Kind::kNumber8, offsetof(radio_option, status), lists::kOptionStatus},
};

constexpr Column kTextColumn16[] = {{Kind::kText, 0, {}, 16}};

constexpr Column kGroupColumns[] = {
    {Kind::kNumber16, offsetof(scan_group, guard_channel), {}, 0, "100"},
    {Kind::kChannelSet, offsetof(scan_group, member_channels), {}, 0, "-1", 201},
};

constexpr Column kChannelColumns[] = {
    {Kind::kNumber8, offsetof(channel, tx_power), lists::kPower},
    {Kind::kNumber8, offsetof(channel, sideband), lists::kSideband},
    {Kind::kLong, offsetof(channel, tx_frequency), {}, 0, "0"},
    {Kind::kLong, offsetof(channel, rx_frequency), {}, 0, "0"},
    {Kind::kNumber8, offsetof(channel, agc), lists::kAgc},
    {Kind::kNumber8, offsetof(channel, mode), lists::kMode},
    {Kind::kNumber8, offsetof(channel, bandwidth), lists::kBandwidth},
};

constexpr std::size_t Option(int index) {
  return Radio(offsetof(dbase, options) + sizeof(radio_option) * static_cast<std::size_t>(index));
}

constexpr std::size_t Group(int index) {
  return Radio(offsetof(dbase, groups) + sizeof(scan_group) * static_cast<std::size_t>(index));
}

#define OPTION_ROW(i)                                                                    \
  {                                                                                      \
    kOptionsSection, kRadioOptionNames[i], ",,Disable", Kind::kRecord, Option(i), 0, {}, \
        kOptionColumns                                                                   \
  }
#define GROUP_ROW(i, key) \
  { kGroupsSection, key, "", Kind::kRecord, Group(i), 0, {}, kGroupColumns, 0, 1, &GroupPresent<i> }
#define RADIO_OPTION_ROW(key, field, list, fallback)         \
  {                                                          \
    kRadioOptionsSection, key, fallback, Kind::kNumber8,     \
        RadioOption(offsetof(radio_options, field)), 0, list \
  }

// Every row after the version, in the order a save writes them.
constexpr MappingRow kRadioRows[] = {
    OPTION_ROW(0),
    OPTION_ROW(1),
    OPTION_ROW(2),
    OPTION_ROW(3),
    OPTION_ROW(4),
    OPTION_ROW(5),
    OPTION_ROW(6),
    OPTION_ROW(7),
    OPTION_ROW(8),
    OPTION_ROW(9),
    OPTION_ROW(10),
    OPTION_ROW(11),
    OPTION_ROW(12),
    OPTION_ROW(13),
    OPTION_ROW(14),
    {"ECN List",
     "ECN",
     "",
     Kind::kRecord,
     Radio(offsetof(dbase, ecn_list)),
     0,
     {},
     kTextColumn16,
     50,
     1,
     &EcnPresent},
    {"SP List",
     "SP",
     "",
     Kind::kRecord,
     Radio(offsetof(dbase, sp_list)),
     0,
     {},
     kTextColumn16,
     6,
     1,
     &SpPresent},
    GROUP_ROW(0, "Group_A"),
    GROUP_ROW(1, "Group_B"),
    GROUP_ROW(2, "Group_C"),
    GROUP_ROW(3, "Group_D"),
    GROUP_ROW(4, "Group_E"),
    {kChannelsSection,
     "Channel",
     "Max,USB,0,0,Slow,SSB",
     Kind::kRecord,
     Radio(offsetof(dbase, channels)),
     0,
     {},
     kChannelColumns,
     kMaxChannel,
     1,
     &ChannelPresent},
    {kRadioOptionsSection, "Priority_Channel", "1", Kind::kNumber16,
     RadioOption(offsetof(radio_options, priority_channel))},
    RADIO_OPTION_ROW("Scan_Rate", scan_rate, lists::kScanRate, "2 Ch/Sec"),
    RADIO_OPTION_ROW("Baud_Rate", baud_rate, lists::kBaud, "9600"),
    RADIO_OPTION_ROW("Alert_Tone", alert_tone, lists::kAlertTone, "Low"),
    RADIO_OPTION_ROW("CW_PTT_Hold", cw_ptt_hold, lists::kCwHold, "500 mSec"),
    RADIO_OPTION_ROW("Alternate_Display_Time", alternate_display_time, lists::kDisplayTime,
                     "5 Sec"),
    RADIO_OPTION_ROW("Data_Power_Level", data_power_level, lists::kPower, "Max"),
    {kRadioOptionsSection, "Language", "ENGLISH", Kind::kNumber8, Radio(offsetof(dbase, language)),
     0, lists::kLanguage},
    RADIO_OPTION_ROW("Beep_After_Keyboard_Press", beep_after_keyboard_press, lists::kNoYes, "Yes"),
    RADIO_OPTION_ROW("Beep_After_PTT_Release", beep_after_ptt_release, lists::kNoYes, "No"),
    RADIO_OPTION_ROW("Accessory_Side_Tone", accessory_side_tone, lists::kNoYes, "No"),
    RADIO_OPTION_ROW("Microphone_Side_Tone", microphone_side_tone, lists::kNoYes, "No"),
    RADIO_OPTION_ROW("Frequency_Display", frequency_display, lists::kFrequencyDisplay, "View"),
    RADIO_OPTION_ROW("Noise_Blanker", noise_blanker, lists::kNoYes, "No"),
    {kRadioOptionsSection, "ISB", "No", Kind::kNumber8, offsetof(RadioFileImage, isb), 0,
     lists::kNoYes},
    {"Accessories", "Accessory_Installed", "None", Kind::kNumber8,
     Radio(offsetof(dbase, accessory_installed)), 0, lists::kAccessory},
    {"Accessories", "Tuner", "No", Kind::kNumber8, Radio(offsetof(dbase, tuner)), 0, lists::kNoYes},
};

#undef OPTION_ROW
#undef GROUP_ROW
#undef RADIO_OPTION_ROW

std::uint8_t* Bytes(RadioFileImage& image) {
  return reinterpret_cast<std::uint8_t*>(&image);
}

}  // namespace

void WriteRadioFile(ProfileFile& file, const FileInformation& info, const dbase& radio,
                    const PresenceFlags& flags) {
  auto image = std::make_unique<RadioFileImage>();
  image->radio = radio;
  NormaliseRadioDatabase(image->radio);
  image->isb = static_cast<std::uint8_t>(flags.isb_present.load() == 1);

  file.WriteString(kVersionRow.section, kVersionRow.key, FileVersionText());
  // Entries no longer present must disappear from a file that already held them.
  file.DeleteSection(kGroupsSection);
  file.DeleteSection(kChannelsSection);
  WriteRows(file, kWideInformationRows, Bytes(*image));
  WriteRows(file, kRadioRows, Bytes(*image));
  file.DeleteSection("RSS");
  WriteFileInformation(file, kVersionRow.section, info);
}

int ReadRadioFile(const ProfileFile& file, FileInformation* info, dbase* radio,
                  PresenceFlags& flags, bool checkVersion, std::string* fileVersion) {
  if (checkVersion && !VersionMatches(file)) return kVersionMismatch;
  if (radio != nullptr) {
    auto image = std::make_unique<RadioFileImage>();
    std::memset(image.get(), 0, sizeof *image);
    ReadRows(file, std::span(&kVersionRow, 1), Bytes(*image));
    ReadRows(file, kWideInformationRows, Bytes(*image));
    ReadRows(file, kRadioRows, Bytes(*image));
    NormaliseRadioDatabase(image->radio);
    *radio = image->radio;
    flags.isb_present = image->isb == 1 ? 1 : 0;
    if (fileVersion != nullptr)
      *fileVersion = std::string(image->version, strnlen(image->version, 8));
  }
  if (info != nullptr) ReadFileInformation(file, kVersionRow.section, *info);
  return 0;
}

void WriteCcirChannelNumbers(ProfileFile& file, const dbase& radio, const channel_name& numbers) {
  for (int n = 1; n <= kMaxChannel; ++n) {
    const channel& c = radio.channels[n - 1];
    if (c.tx_frequency == 0 || c.rx_frequency == 0) continue;
    file.WriteString(kCcirSection, "Channel" + std::to_string(n),
                     std::to_string(ReadBigEndian16(numbers.number[n - 1])));
  }
}

void ReadCcirChannelNumbers(const ProfileFile& file, channel_name& numbers, PresenceFlags& flags) {
  bool anyPresent = false;
  for (int n = 1; n <= kMaxChannel; ++n) {
    const std::string value =
        file.GetString(kCcirSection, "Channel" + std::to_string(n), "", kCcirNumberChars);
    anyPresent = anyPresent || !value.empty();
    WriteBigEndian16(numbers.number[n - 1], static_cast<std::uint16_t>(ParseDecimal(value)));
  }
  if (flags.ccir_from_file.load() == 0) flags.ccir_present = anyPresent ? 1 : 0;
}

void WriteRssFile(ProfileFile& file, const FileInformation& info, const dbase& radio,
                  const channel_name& numbers, const PresenceFlags& flags) {
  WriteRadioFile(file, info, radio, flags);
  if (flags.ccir_present.load() == 1) WriteCcirChannelNumbers(file, radio, numbers);
}

void ReadRssFile(const ProfileFile& file, FileInformation& info, dbase& radio,
                 channel_name& numbers, PresenceFlags& flags) {
  ReadRadioFile(file, &info, &radio, flags, false);
  ReadCcirChannelNumbers(file, numbers, flags);
}

bool SaveRssFile(const std::string& path, FileInformation& info, const dbase& radio,
                 const channel_name& numbers, const PresenceFlags& flags, std::string* error) {
  ProfileFile file;  // a fresh file: the previous one is replaced whole, never patched
  WriteRssFile(file, info, radio, numbers, flags);
  if (!file.Save(path, error)) return false;
  info.file_time = static_cast<std::uint32_t>(FileModificationTime(path));
  return true;
}

bool OpenRssFile(const std::string& path, FileInformation& info, dbase& radio,
                 channel_name& numbers, PresenceFlags& flags, std::string* error) {
  ProfileFile file;
  if (!file.Load(path, error)) return false;
  ReadRssFile(file, info, radio, numbers, flags);
  info.file_time = static_cast<std::uint32_t>(FileModificationTime(path));
  return true;
}

}  // namespace varim::db
