#include "varim/core/print_document.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/field_text.h"
#include "varim/db/profile_file.h"
#include "varim/db/rss_file.h"

namespace varim::core {
namespace {

constexpr std::uint8_t kPriorityMember = 0x80;
constexpr std::uint8_t kMemberIndex = 0x7F;

// A private file the formats' savers can write to, removed when done.
class TemporaryFile {
 public:
  TemporaryFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "klv-print.XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0) {
      ::close(fd);
      path_ = pattern;
    }
  }
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The name of the member a global-member slot names: a directory entry, or the net itself.
std::string GlobalMemberName(const ale_dbase& ale, int net, std::uint8_t slot) {
  if (slot == kOwnSelfAddress) return varim::db::FieldText(ale.nets[net].self_address);
  const int index = slot & kMemberIndex;
  return index < kDirectoryEntries ? varim::db::FieldText(ale.directory[index]) : std::string();
}

void AppendGlobalMembers(const varim::db::RadioDatabases& db, const std::string& path) {
  varim::db::ProfileFile file;
  if (!file.Load(path)) return;
  for (int net = 0; net < kNets; ++net) {
    const std::string section = "Net No. " + std::to_string(net + 1);
    const global_members_entry& entry = db.globalMembers.nets[net];
    for (int m = 0; m < kGlobalMembers; ++m) {
      const std::uint8_t slot = entry.global_members[m];
      if (slot >= kNoEntry) continue;
      const std::string name = GlobalMemberName(db.ale, net, slot);
      const bool priority = slot != kOwnSelfAddress && (slot & kPriorityMember) != 0;
      file.WriteString(section, "Global Member No. " + std::to_string(m + 1),
                       priority ? name + " Priority Global Member" : name);
    }
  }
  file.Save(path);
}

}  // namespace

std::string PrintText(PrintedFile printed, const varim::db::RadioDatabases& db,
                      const varim::db::PresenceFlags& flags,
                      const varim::db::FileInformation& given, std::string* error) {
  TemporaryFile temporary;
  if (temporary.Path().empty()) {
    if (error != nullptr) *error = "cannot make a temporary file";
    return {};
  }
  // The savers stamp the information with the time; the panel's own stays as it was.
  varim::db::FileInformation info = given;
  bool saved = false;
  switch (printed) {
    case PrintedFile::kRss:
      saved =
          varim::db::SaveRssFile(temporary.Path(), info, db.radio, db.channelNames, flags, error);
      break;
    case PrintedFile::kAle:
      saved = varim::db::SaveAleFile(temporary.Path(), info, db.radio, db.ale, db.globalMembers,
                                     db.extraOptions, flags, error);
      if (saved && flags.global_ale_present.load() == 1) AppendGlobalMembers(db, temporary.Path());
      break;
    case PrintedFile::kCcr:
      saved = varim::db::SaveCcrFile(temporary.Path(), info, db.ccir, error);
      break;
  }
  if (!saved) return {};
  std::ifstream in(temporary.Path(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::vector<std::string>> PrintPages(std::string_view text) {
  std::vector<std::vector<std::string>> pages(1);
  auto print = [&pages](std::string_view line) {
    if (pages.back().size() == kPrintedLinesPerPage) pages.emplace_back();
    pages.back().emplace_back(line);
  };
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (line.size() > kPrintedLineChars) {
      print(line.substr(0, kPrintedLineChars));
      line.remove_prefix(kPrintedLineChars);
    }
    print(line);
    start = end + 1;
  }
  return pages;
}

}  // namespace varim::core
