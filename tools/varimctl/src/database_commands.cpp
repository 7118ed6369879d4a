#include "database_commands.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <variant>

#include "commands.h"
#include "file_extension.h"
#include "varim/db/ale_file.h"
#include "varim/db/atomic_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/configuration_check.h"
#include "varim/db/radio_databases.h"
#include "varim/db/rss_file.h"
#include "varim/panels/channel_csv.h"

namespace varimctl {

namespace {

using namespace varim::db;

// The records of one program, as the database files fill them, and the file information.
struct Records {
  RadioDatabases databases = EmptyRadioDatabases();
  FileInformation info{};
};

// The file layer's reason already names the file and what failed.
int FileFailed(std::ostream& err, const std::string& reason) {
  err << "varimctl: " << reason << "\n";
  return kExitPortUnavailable;
}

// Refused before anything is read: another kind of file would load as an empty radio.
bool IsRadioFile(const std::string& path, std::ostream& err) {
  if (LowerCaseExtension(path) == ".rss") return true;
  err << "varimctl: " << path << " is no .rss file\n";
  return false;
}

// A plan of 200 channels is under 10 KiB; a device or a wrong file given by mistake stops here.
constexpr std::size_t kMaxCsvBytes = 1u << 20;

bool ReadCsvFile(const std::string& path, std::string& text, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  while (in && text.size() <= kMaxCsvBytes) {
    char buffer[4096];
    in.read(buffer, sizeof buffer);
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.eof()) return true;
  // Still readable: the file is larger than any plan.
  error = "cannot read " + path + ": " + std::strerror(in ? EFBIG : errno);
  return false;
}

}  // namespace

int RunCheck(const std::string& rssPath, const std::optional<std::string>& alePath,
             std::ostream& out, std::ostream& err) {
  auto records = std::make_unique<Records>();
  RadioDatabases& db = records->databases;
  PresenceFlags flags;
  std::string error;
  if (!OpenRssFile(rssPath, records->info, db.radio, db.channelNames, flags, &error))
    return FileFailed(err, error);
  if (alePath && !OpenAleFile(*alePath, records->info, db.ale, db.globalMembers, db.extraOptions,
                              flags, &error)) {
    return FileFailed(err, error);
  }
  const ConfigurationReport report =
      CheckConfiguration(db.radio, db.ale, db.globalMembers, flags.global_ale_present.load() == 1);
  for (const std::string& message : report.rssMessages) out << message << "\n";
  for (const std::string& message : report.aleMessages) out << message << "\n";
  return report.configurationValid ? kExitOk : kExitNoResponse;
}

int RunResave(const std::string& inputPath, const std::string& outputPath, std::ostream& err) {
  auto records = std::make_unique<Records>();
  RadioDatabases& db = records->databases;
  PresenceFlags flags;
  std::string error;
  const std::string kind = LowerCaseExtension(inputPath);
  if (kind == ".rss") {
    if (!OpenRssFile(inputPath, records->info, db.radio, db.channelNames, flags, &error))
      return FileFailed(err, error);
    if (!SaveRssFile(outputPath, records->info, db.radio, db.channelNames, flags, &error))
      return FileFailed(err, error);
  } else if (kind == ".ale") {
    if (!OpenAleFile(inputPath, records->info, db.ale, db.globalMembers, db.extraOptions, flags,
                     &error)) {
      return FileFailed(err, error);
    }
    // The radio part of a saved ALE file comes from the radio record, empty here.
    if (!SaveAleFile(outputPath, records->info, db.radio, db.ale, db.globalMembers, db.extraOptions,
                     flags, &error)) {
      return FileFailed(err, error);
    }
  } else if (kind == ".ccr") {
    if (!OpenCcrFile(inputPath, records->info, db.ccir, flags, &error))
      return FileFailed(err, error);
    if (!SaveCcrFile(outputPath, records->info, db.ccir, &error)) return FileFailed(err, error);
  } else {
    err << "varimctl: " << inputPath << " is no .rss, .ale or .ccr file\n";
    return kExitUsage;
  }
  return kExitOk;
}

// The .rss file's records, or the exit code that says why there are none.
std::variant<std::unique_ptr<Records>, int> OpenRadioFile(const std::string& rssPath,
                                                          PresenceFlags& flags, std::ostream& err) {
  if (!IsRadioFile(rssPath, err)) return kExitUsage;
  auto records = std::make_unique<Records>();
  RadioDatabases& db = records->databases;
  std::string error;
  if (!OpenRssFile(rssPath, records->info, db.radio, db.channelNames, flags, &error))
    return FileFailed(err, error);
  return records;
}

int RunChannelsExport(const std::string& rssPath, const std::string& csvPath, std::ostream& err) {
  PresenceFlags flags;
  auto opened = OpenRadioFile(rssPath, flags, err);
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  RadioDatabases& db = std::get<std::unique_ptr<Records>>(opened)->databases;
  std::string error;
  if (!SaveFileAtomically(csvPath, varim::panels::ChannelsCsv(db.radio), &error))
    return FileFailed(err, "cannot save " + csvPath + ": " + error);
  return kExitOk;
}

int RunChannelsImport(const std::string& rssPath, const std::string& csvPath,
                      const std::string& outputPath, std::ostream& out, std::ostream& err) {
  PresenceFlags flags;
  auto opened = OpenRadioFile(rssPath, flags, err);
  if (const int* failed = std::get_if<int>(&opened)) return *failed;
  Records& records = *std::get<std::unique_ptr<Records>>(opened);
  RadioDatabases& db = records.databases;
  std::string error;
  std::string csv;
  if (!ReadCsvFile(csvPath, csv, error)) return FileFailed(err, error);
  const varim::panels::ChannelCsvImport imported = varim::panels::ImportChannelsCsv(csv, db.radio);
  if (!imported.ok) {
    err << "varimctl: " << csvPath << ": line " << imported.line << ": " << imported.reason << "\n";
    return kExitUsage;
  }
  if (!SaveRssFile(outputPath, records.info, db.radio, db.channelNames, flags, &error))
    return FileFailed(err, error);
  out << imported.channels << " channels imported\n";
  return kExitOk;
}

}  // namespace varimctl
