#include "diff_command.h"

#include <memory>
#include <vector>

#include "file_extension.h"
#include "session_link.h"
#include "varim/db/ale_file.h"
#include "varim/db/database_diff.h"
#include "varim/db/rss_file.h"

namespace varimctl {

namespace {

using namespace varim::db;

enum class FileKind { kOther, kRadio, kAle };

FileKind KindOf(const std::string& path) {
  const std::string extension = LowerCaseExtension(path);
  return extension == ".rss"   ? FileKind::kRadio
         : extension == ".ale" ? FileKind::kAle
                               : FileKind::kOther;
}

// The file as the program's Open loads it; null, with the reason on err, when it cannot be.
std::unique_ptr<RadioDatabases> Load(FileKind kind, const std::string& path, std::ostream& err) {
  auto db = std::make_unique<RadioDatabases>(EmptyRadioDatabases());
  FileInformation info{};
  PresenceFlags flags;
  std::string error;
  const bool loaded =
      kind == FileKind::kRadio
          ? OpenRssFile(path, info, db->radio, db->channelNames, flags, &error)
          : OpenAleFile(path, info, db->ale, db->globalMembers, db->extraOptions, flags, &error);
  if (loaded) return db;
  err << "varimctl: " << error << "\n";
  return nullptr;
}

// The radio's records as a file saved from them would hold them (normalised, global members
// only while in use), so that they differ from a file only where such a file would.
std::unique_ptr<RadioDatabases> AsSaved(FileKind kind, const RadioDatabases& radio,
                                        const PresenceFlags& radioFlags) {
  auto db = std::make_unique<RadioDatabases>(EmptyRadioDatabases());
  ProfileFile file;
  FileInformation info{};
  PresenceFlags flags;
  if (kind == FileKind::kRadio) {
    WriteRssFile(file, info, radio.radio, radio.channelNames, radioFlags);
    ReadRssFile(file, info, db->radio, db->channelNames, flags);
  } else {
    WriteAleFile(file, info, radio.radio, radio.ale, radio.globalMembers, radio.extraOptions,
                 radioFlags);
    ReadAleFile(file, &info, &db->ale, db->globalMembers, db->extraOptions, flags, false);
  }
  return db;
}

int Report(FileKind kind, const RadioDatabases& first, const RadioDatabases& second,
           std::ostream& out) {
  const std::vector<std::string> differences =
      kind == FileKind::kRadio ? DiffRadio(first, second) : DiffAle(first, second);
  for (const std::string& line : differences) out << line << "\n";
  return differences.empty() ? kExitOk : kExitDifferent;
}

}  // namespace

int RunDiff(const std::string& firstPath, const std::string& secondPath, std::ostream& out,
            std::ostream& err) {
  const FileKind kind = KindOf(firstPath);
  if (kind == FileKind::kOther || KindOf(secondPath) != kind) {
    err << "varimctl: diff compares two .rss files or two .ale files\n";
    return kExitUsage;
  }
  const auto first = Load(kind, firstPath, err);
  if (!first) return kExitPortUnavailable;
  const auto second = Load(kind, secondPath, err);
  if (!second) return kExitPortUnavailable;
  return Report(kind, *first, *second, out);
}

int RunDiffWithRadio(const LinkOptions& options, const std::string& path, const Terminal& terminal,
                     const std::filesystem::path& backupBase, std::ostream& out,
                     std::ostream& err) {
  const FileKind kind = KindOf(path);
  if (kind == FileKind::kOther) {
    err << "varimctl: diff compares a .rss or an .ale file with the radio\n";
    return kExitUsage;
  }
  // Before the radio, which takes a minute to read.
  const auto file = Load(kind, path, err);
  if (!file) return kExitPortUnavailable;
  Link link(err, terminal.assumeYes);
  if (ReadWholeRadio(link, options, terminal, backupBase, err) != kExitOk)
    return kExitPortUnavailable;
  return Report(kind, *file, *AsSaved(kind, link.session.Databases(), link.session.Flags()), out);
}

}  // namespace varimctl
