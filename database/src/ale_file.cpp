#include "varim/db/ale_file.h"

#include <cstring>
#include <memory>
#include <string_view>

#include "file_image.h"
#include "varim/db/mapping.h"
#include "varim/db/normalise.h"
#include "varim/db/record_rules.h"
#include "varim/db/rss_file.h"
#include "varim/db/value_lists.h"

namespace varim::db {

namespace {

constexpr const char* kOptionsSection = "Options";
constexpr const char* kDialsSection = "Automatic Dials";
constexpr const char* kEmptyIndexText = " ";  // keeps the column in place on the line
constexpr std::size_t kGlobalNameChars = 15;

constexpr std::size_t AleOption(std::size_t fieldOffset) {
  return kAleBase + offsetof(ale_dbase, ale_options) + fieldOffset;
}

const ale_dbase& AleOf(const std::uint8_t* image) {
  return reinterpret_cast<const AleFileImage*>(image)->ale;
}

bool DirectoryPresent(const std::uint8_t* image, int entry) {
  return AleOf(image).directory[entry][0] != '\0';
}

bool MessagePresent(const std::uint8_t* image, int entry) {
  return AleOf(image).messages[entry][0] != '\0';
}

constexpr Column kAddressColumn[] = {{Kind::kText, 0, {}, 16}};
constexpr Column kMessageColumn[] = {{Kind::kText, 0, {}, 91}};

#define ALE_OPTION_ROW(key, field, list, fallback)                                              \
  {                                                                                             \
    kOptionsSection, key, fallback, Kind::kNumber8, AleOption(offsetof(ale_options, field)), 0, \
        list                                                                                    \
  }

// The rows after the wide information, in the order a save writes them.
constexpr MappingRow kAleRows[] = {
    ALE_OPTION_ROW("PTT Timeout", ptt_timeout, lists::kPttTimeout, "No Timeout"),
    ALE_OPTION_ROW("Multinet", multinet, lists::kNoYes, "No"),
    ALE_OPTION_ROW("Anycall", anycall, lists::kNoYes, "Yes"),
    ALE_OPTION_ROW("Min. LQA Score", min_lqa_score, {}, ""),
    ALE_OPTION_ROW("AMD message", amd_message, lists::kNoYes, "Yes"),
    ALE_OPTION_ROW("External Alarm", external_alarm, lists::kNoYes, "Yes"),
    ALE_OPTION_ROW("Alert", alert, lists::kNoYes, "Yes"),
    ALE_OPTION_ROW("Wildcard", wildcard, lists::kNoYes, "Yes"),
    ALE_OPTION_ROW("Quick PTT Call", quick_ptt_call, lists::kNoYes, "Yes"),
    ALE_OPTION_ROW("Auto Address", auto_address, lists::kNoYes, "Yes"),
    ALE_OPTION_ROW("Accept Link Timeout", accept_link_timeout, lists::kAcceptLink, "1"),
    ALE_OPTION_ROW("In link", in_link, lists::kNoYes, "No"),
    {"Directory",
     "Address No. ",
     "",
     Kind::kRecord,
     kAleBase + offsetof(ale_dbase, directory),
     0,
     {},
     kAddressColumn,
     kDirectoryEntries,
     1,
     &DirectoryPresent},
    {"Messages",
     "Message No. ",
     "",
     Kind::kRecord,
     kAleBase + offsetof(ale_dbase, messages),
     0,
     {},
     kMessageColumn,
     kAleMessages,
     0,
     &MessagePresent},
};

#undef ALE_OPTION_ROW

constexpr Column kScannedColumn[] = {{Kind::kChannelSet, 0, {}, 0, nullptr, 201}};

#define NET_ROW(key, field, list, fallback) \
  { nullptr, key, fallback, Kind::kNumber8, offsetof(ale_net, field), 0, list }

// The single-value rows of one net, relative to the net, in the order a save writes them.
constexpr MappingRow kNetRows[] = {
    {nullptr, "Net Name", "", Kind::kText, offsetof(ale_net, net_name), 16},
    {nullptr, "Self Address", "", Kind::kText, offsetof(ale_net, self_address), 16},
    NET_ROW("Scan_Rate", scan_rate, lists::kScanRate, "2 Ch/Sec"),
    NET_ROW("Tune Time", tune_time, lists::kTuneTime, "No Tune Time"),
    NET_ROW("Master/Slave", master_slave, lists::kMasterSlave, "Master"),
    NET_ROW("Silent", silent, lists::kSilent, "No"),
    NET_ROW("Home Ack", home_ack, lists::kNoYes, "Yes"),
    NET_ROW("Monitor Ack", monitor_ack, lists::kNoYes, "Yes"),
    NET_ROW("All Call", all_call, lists::kAllCall, "Send and Receive"),
    NET_ROW("LQA Request", lqa_request, lists::kNoYes, "Yes"),
    NET_ROW("Sounding", sounding, lists::kSounding, "Manual"),
    NET_ROW("Occupancy Check", occupancy_check, lists::kOccupancy, "No"),
    {nullptr, "All Call Channel", "", Kind::kNumber16, offsetof(ale_net, all_call_channel)},
    {nullptr,
     "Scanned Channels",
     "",
     Kind::kRecord,
     offsetof(ale_net, scanned_channels),
     0,
     {},
     kScannedColumn},
};

#undef NET_ROW

std::string Text(const char* field, std::size_t width) {
  return {field, strnlen(field, width)};
}

template <std::size_t N>
std::string Text(const char (&field)[N]) {
  return Text(field, N);
}

std::string NetSection(int net) {
  return "Net No. " + std::to_string(net + 1);
}

std::string NumberedKey(const char* key, int index) {
  return key + std::to_string(index);
}

// The first piece of a one-column value, with its leading blanks skipped.
std::string FirstPiece(const std::string& value) {
  std::string piece = value.substr(0, value.find(','));
  const std::size_t first = piece.find_first_not_of(" \t");
  return piece.erase(0, first == std::string::npos ? piece.size() : first);
}

// The index of the first of the texts equal to the given one; kNoEntry for an empty text or
// one that is not there.
template <std::size_t Count, std::size_t Width>
std::uint8_t IndexOf(const char (&texts)[Count][Width], const std::string& text) {
  if (text.empty()) return kNoEntry;
  for (std::size_t i = 0; i < Count; ++i) {
    if (Text(texts[i]) == text) return static_cast<std::uint8_t>(i);
  }
  return kNoEntry;
}

void WriteDials(ProfileFile& file, const ale_dbase& ale) {
  for (int i = 0; i < kAutoDials; ++i) {
    const std::uint8_t address = ale.auto_dials[i][0];
    const std::uint8_t message = ale.auto_dials[i][1];
    if (address == kNoEntry && message == kNoEntry) continue;
    const std::string addressText = address < kDirectoryEntries ? Text(ale.directory[address]) : "";
    const std::string messageText = message < kAleMessages ? Text(ale.messages[message]) : "";
    file.WriteString(kDialsSection, NumberedKey("Auto Dial No. ", i),
                     (addressText.empty() ? kEmptyIndexText : addressText) + "," +
                         (messageText.empty() ? kEmptyIndexText : messageText));
  }
}

void ReadDials(const ProfileFile& file, ale_dbase& ale) {
  for (int i = 0; i < kAutoDials; ++i) {
    const std::string value = file.GetString(kDialsSection, NumberedKey("Auto Dial No. ", i), "");
    const std::size_t comma = value.find(',');
    const std::string message =
        comma == std::string::npos ? "" : FirstPiece(value.substr(comma + 1));
    ale.auto_dials[i][0] = IndexOf(ale.directory, FirstPiece(value));
    ale.auto_dials[i][1] = IndexOf(ale.messages, message);
  }
}

void WriteMembers(ProfileFile& file, const std::string& section, const ale_dbase& ale,
                  const ale_net& net) {
  for (int j = 0; j < kNetMembers; ++j) {
    const std::uint8_t member = net.members[j];
    if (member > kOwnSelfAddress) continue;
    const std::string text = member == kOwnSelfAddress    ? Text(net.self_address)
                             : member < kDirectoryEntries ? Text(ale.directory[member])
                                                          : "";
    file.WriteString(section, NumberedKey("Member No. ", j + 1), text);
  }
}

void ReadMembers(const ProfileFile& file, const std::string& section, ale_dbase& ale,
                 ale_net& net) {
  const std::string self = Text(net.self_address);
  for (int j = 0; j < kNetMembers; ++j) {
    const std::string text =
        FirstPiece(file.GetString(section, NumberedKey("Member No. ", j + 1), ""));
    net.members[j] = !text.empty() && text == self ? kOwnSelfAddress : IndexOf(ale.directory, text);
  }
}

void WriteGlobalMembers(ProfileFile& file, const std::string& section,
                        const global_members_entry& entry) {
  for (int j = 0; j < kGlobalMembers; ++j) {
    if (entry.global_members[j] < kNoEntry)
      file.WriteString(section, NumberedKey("Global Member No. ", j + 1),
                       std::to_string(entry.global_members[j]));
  }
  const std::string name = Text(entry.global_members_name);
  if (!name.empty()) file.WriteString(section, "Global Members Name", name);
}

void ReadGlobalMembers(const ProfileFile& file, const std::string& section,
                       global_members_entry& entry, PresenceFlags& flags) {
  bool any = false;
  for (int j = 0; j < kGlobalMembers; ++j) {
    entry.global_members[j] = static_cast<std::uint8_t>(
        file.GetInt(section, NumberedKey("Global Member No. ", j + 1), kNoEntry));
    any = any || entry.global_members[j] < kNoEntry;
  }
  if (any) flags.global_ale_present = 1;
  std::memset(entry.global_members_name, 0, sizeof entry.global_members_name);
  if (flags.global_ale_present.load() == 1) {
    const std::string name = file.GetString(section, "Global Members Name", "", kGlobalNameChars);
    std::memcpy(entry.global_members_name, name.data(), name.size());
  }
}

const char* YesNo(std::uint8_t value) {
  return value != 0 ? "Yes" : "No";
}

void WriteExtraOptions(ProfileFile& file, const tag_extra_options& extra,
                       const PresenceFlags& flags) {
  file.WriteString(kOptionsSection, "Max Channel",
                   extra.max_channel == 0 ? "Auto" : std::to_string(extra.max_channel));
  // "Multinet" is one key for both records. Extra options that the radio does not use must
  // not overwrite the ALE option, or every save would lose it.
  if (flags.extended_support.load() == 1)
    file.WriteString(kOptionsSection, "Multinet", YesNo(extra.multinet));
  file.WriteString(kOptionsSection, "Vcds", YesNo(extra.vcds));
  file.WriteString(kOptionsSection, "LinkAfterBidr", YesNo(extra.link_after_bidirectional));
}

void ReadExtraOptions(const ProfileFile& file, tag_extra_options& extra) {
  const std::string maxChannel = file.GetString(kOptionsSection, "Max Channel", "Auto");
  extra.max_channel =
      static_cast<std::uint8_t>(maxChannel == "Auto" ? 0 : ParseDecimal(maxChannel));
  extra.multinet = file.GetString(kOptionsSection, "Multinet", "No") != "No";
  extra.vcds = file.GetString(kOptionsSection, "Vcds", "No") != "No";
  extra.link_after_bidirectional = file.GetString(kOptionsSection, "LinkAfterBidr", "No") != "No";
}

// Older files said "No" and "Yes" for the accept-link timeout.
void ReadOldAcceptLinkTimeout(const ProfileFile& file, ale_dbase& ale) {
  const std::uint16_t old =
      TextToCode(lists::kNoYes, file.GetString(kOptionsSection, "Accept Link Timeout", ""));
  if (old != kNotInList) ale.ale_options.accept_link_timeout = static_cast<std::uint8_t>(old);
}

std::uint8_t* Bytes(AleFileImage& image) {
  return reinterpret_cast<std::uint8_t*>(&image);
}

}  // namespace

void WriteAleFile(ProfileFile& file, const FileInformation& info, const dbase& radio,
                  const ale_dbase& ale, const ale_dbase_global_members& globalMembers,
                  const tag_extra_options& extraOptions, const PresenceFlags& flags) {
  auto image = std::make_unique<AleFileImage>();
  image->radio = radio;
  NormaliseRadioDatabase(image->radio);
  image->ale = ale;
  NormaliseAleDatabase(image->ale);
  const ale_dbase& normalised = image->ale;

  file.WriteString(kVersionRow.section, kVersionRow.key, FileVersionText());
  WriteRows(file, kWideInformationRows, Bytes(*image));
  WriteRows(file, kAleRows, Bytes(*image));
  WriteDials(file, normalised);
  for (int k = 0; k < kNets; ++k) {
    const std::string section = NetSection(k);
    const ale_net& net = normalised.nets[k];
    file.DeleteSection(section);
    if (NetHasScannedChannels(net)) {
      WriteRows(file, kNetRows, Bytes(*image),
                kAleBase + offsetof(ale_dbase, nets) + k * sizeof(ale_net), section.c_str());
    }
    WriteMembers(file, section, normalised, net);
    if (flags.global_ale_present.load() == 1)
      WriteGlobalMembers(file, section, globalMembers.nets[k]);
  }
  WriteExtraOptions(file, extraOptions, flags);
  file.DeleteSection("RSS");
  WriteFileInformation(file, kVersionRow.section, info);
}

int ReadAleFile(const ProfileFile& file, FileInformation* info, ale_dbase* ale,
                ale_dbase_global_members& globalMembers, tag_extra_options& extraOptions,
                PresenceFlags& flags, bool checkVersion) {
  if (checkVersion && !VersionMatches(file)) return kVersionMismatch;
  if (ale != nullptr) {
    auto image = std::make_unique<AleFileImage>();
    std::memset(image.get(), 0, sizeof *image);
    ReadRows(file, kWideInformationRows, Bytes(*image));
    ReadRows(file, kAleRows, Bytes(*image));
    ReadOldAcceptLinkTimeout(file, image->ale);
    ReadDials(file, image->ale);
    for (int k = 0; k < kNets; ++k) {
      const std::string section = NetSection(k);
      ReadRows(file, kNetRows, Bytes(*image),
               kAleBase + offsetof(ale_dbase, nets) + k * sizeof(ale_net), section.c_str());
      ReadMembers(file, section, image->ale, image->ale.nets[k]);
      ReadGlobalMembers(file, section, globalMembers.nets[k], flags);
    }
    NormaliseAleDatabase(image->ale);
    *ale = image->ale;
  }
  ReadExtraOptions(file, extraOptions);
  if (info != nullptr) ReadFileInformation(file, kVersionRow.section, *info);
  return 0;
}

bool SaveAleFile(const std::string& path, FileInformation& info, const dbase& radio,
                 const ale_dbase& ale, const ale_dbase_global_members& globalMembers,
                 const tag_extra_options& extraOptions, const PresenceFlags& flags,
                 std::string* error) {
  ProfileFile file;
  WriteAleFile(file, info, radio, ale, globalMembers, extraOptions, flags);
  if (!file.Save(path, error)) return false;
  info.file_time = static_cast<std::uint32_t>(FileModificationTime(path));
  return true;
}

bool OpenAleFile(const std::string& path, FileInformation& info, ale_dbase& ale,
                 ale_dbase_global_members& globalMembers, tag_extra_options& extraOptions,
                 PresenceFlags& flags, std::string* error) {
  ProfileFile file;
  if (!file.Load(path, error)) return false;
  ReadAleFile(file, &info, &ale, globalMembers, extraOptions, flags, false);
  info.file_time = static_cast<std::uint32_t>(FileModificationTime(path));
  return true;
}

}  // namespace varim::db
