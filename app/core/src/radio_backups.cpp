#include "varim/core/radio_backups.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "varim/db/empty_records.h"
#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/field_text.h"
#include "varim/db/rss_file.h"

namespace varim::core {

namespace fs = std::filesystem;
using varim::db::PresenceFlags;
using varim::db::RadioDatabases;

namespace {

constexpr char kUnknownSerial[] = "unknown";
// A backup folder's name starts with its time in this shape ('d' a digit).
constexpr std::string_view kStampPattern = "dddd-dd-dd_dd-dd-dd";

// The place of a backup folder in time: its stamp, then its number within that second.
using TimeOrder = std::pair<std::string, unsigned long>;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

fs::path HomeFolder() {
  const std::string home = Environment("HOME");
  if (!home.empty()) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The serial number is whatever the radio holds; as a folder name it must stay one plain name
// on any file system (no slash, no dots that climb, nothing a shell trips over).
std::string SerialFolderName(const dbase& radio) {
  std::string name = varim::db::FieldText(radio.serial_number);
  for (char& c : name) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '-' && c != '_') c = '_';
  }
  return name.empty() ? kUnknownSerial : name;
}

std::string Stamp(std::chrono::system_clock::time_point at) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(at);
  std::tm utc{};
  ::gmtime_r(&seconds, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &utc);
  return text;
}

// Nothing for a name that is not a backup's: those are the operator's and stay.
std::optional<TimeOrder> TimeOrderOf(const std::string& name) {
  if (name.size() < kStampPattern.size()) return std::nullopt;
  for (std::size_t i = 0; i < kStampPattern.size(); ++i) {
    const bool fits = kStampPattern[i] == 'd' ? IsAsciiDigit(name[i]) : name[i] == kStampPattern[i];
    if (!fits) return std::nullopt;
  }
  const std::string stamp = name.substr(0, kStampPattern.size());
  if (name.size() == stamp.size()) return TimeOrder{stamp, 1};
  const std::string number = name.substr(stamp.size() + 1);
  const bool numbered = name[stamp.size()] == '-' && !number.empty() && number.size() <= 9 &&
                        std::all_of(number.begin(), number.end(), IsAsciiDigit);
  if (!numbered) return std::nullopt;
  return TimeOrder{stamp, std::stoul(number)};
}

// The radio's backups by their place in time; names that are no backup's are the operator's.
std::vector<std::pair<TimeOrder, fs::path>> BackupsIn(const fs::path& radioFolder,
                                                      std::error_code& error) {
  std::vector<std::pair<TimeOrder, fs::path>> backups;
  for (fs::directory_iterator entry(radioFolder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code notDirectory;
    const auto order = TimeOrderOf(entry->path().filename().string());
    if (order && entry->is_directory(notDirectory)) backups.emplace_back(*order, entry->path());
  }
  std::sort(backups.begin(), backups.end());
  return backups;
}

// The number goes past every backup of the same second, so the new one sorts as the newest even
// after older ones of that second were removed. mkdir either makes the folder or fails, so a
// folder another read made meanwhile, in this program or another, is never written into.
bool MakeReadFolder(const fs::path& radioFolder, const std::string& stamp, fs::path& made,
                    std::string& failure) {
  std::error_code error;
  fs::create_directories(radioFolder, error);
  if (error) {
    failure = "cannot create " + radioFolder.string() + ": " + error.message();
    return false;
  }
  unsigned long number = 1;
  for (const auto& [order, path] : BackupsIn(radioFolder, error)) {
    if (order.first == stamp) number = std::max(number, order.second + 1);
  }
  for (; !error; ++number) {
    made = radioFolder / (number == 1 ? stamp : stamp + "-" + std::to_string(number));
    if (fs::create_directory(made, error)) return true;
  }
  failure =
      "cannot create " + (made.empty() ? radioFolder : made).string() + ": " + error.message();
  return false;
}

bool SaveFiles(const fs::path& folder, const std::string& name, const RadioDatabases& db,
               const PresenceFlags& flags, const std::string& stamp, std::string& failure) {
  varim::db::FileInformation info{};
  std::snprintf(info.comment, sizeof info.comment, "Read from radio %s at %s UTC",
                varim::db::FieldText(db.radio.serial_number).c_str(), stamp.c_str());
  const std::string stem = (folder / name).string();
  return varim::db::SaveRssFile(stem + ".rss", info, db.radio, db.channelNames, flags, &failure) &&
         varim::db::SaveAleFile(stem + ".ale", info, db.radio, db.ale, db.globalMembers,
                                db.extraOptions, flags, &failure) &&
         (flags.ccir_present.load() != 1 ||
          varim::db::SaveCcrFile(stem + ".ccr", info, db.ccir, &failure));
}

// The reason the radio's oldest backups beyond the kept number could not all be removed; empty
// when they were. The one just made always stays, even when the clock has gone back.
std::string RemoveOldest(const fs::path& radioFolder, const fs::path& made) {
  std::error_code error;
  auto backups = BackupsIn(radioFolder, error);
  if (error) return "cannot list " + radioFolder.string() + ": " + error.message();
  std::erase_if(backups, [&made](const auto& backup) { return backup.second == made; });
  const std::size_t others = RadioBackups::kKept - 1;
  for (std::size_t i = 0; i + others < backups.size(); ++i) {
    fs::remove_all(backups[i].second, error);
    if (error) return "cannot remove " + backups[i].second.string() + ": " + error.message();
  }
  return "";
}

}  // namespace

fs::path RadioBackups::DefaultBase() {
  const std::string given = Environment("KLV_BACKUP_DIR");
  if (!given.empty()) return given;
  // A relative XDG_DATA_HOME is invalid and is ignored.
  const fs::path data = Environment("XDG_DATA_HOME");
  const fs::path dataHome = data.is_absolute() ? data : HomeFolder() / ".local" / "share";
  return dataHome / "KLV" / "backups";
}

RadioBackups::Outcome RadioBackups::Keep(const RadioDatabases& databases,
                                         const PresenceFlags& flags,
                                         std::chrono::system_clock::time_point readAt) const {
  const std::string serial = SerialFolderName(databases.radio);
  const fs::path radioFolder = base_ / serial;
  const std::string stamp = Stamp(readAt);
  Outcome outcome;
  fs::path folder;
  if (!MakeReadFolder(radioFolder, stamp, folder, outcome.failure)) return outcome;
  if (!SaveFiles(folder, serial, databases, flags, stamp, outcome.failure)) {
    // Half a backup would pass for a whole one.
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return outcome;
  }
  outcome.folder = folder;
  const std::string notRemoved = RemoveOldest(radioFolder, folder);
  if (!notRemoved.empty())
    outcome.failure =
        "the backup is in " + folder.string() + ", but older ones stay: " + notRemoved;
  return outcome;
}

std::optional<RadioDatabases> RadioBackups::Latest(const dbase& radio) const {
  const std::string serial = SerialFolderName(radio);
  std::error_code error;
  const auto backups = BackupsIn(base_ / serial, error);
  if (error || backups.empty()) return std::nullopt;
  const std::string stem = (backups.back().second / serial).string();
  RadioDatabases databases = varim::db::EmptyRadioDatabases();
  PresenceFlags flags;
  varim::db::FileInformation info{};
  if (!varim::db::OpenRssFile(stem + ".rss", info, databases.radio, databases.channelNames, flags) ||
      !varim::db::OpenAleFile(stem + ".ale", info, databases.ale, databases.globalMembers,
                              databases.extraOptions, flags))
    return std::nullopt;
  return databases;
}

}  // namespace varim::core
