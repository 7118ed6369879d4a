#include "varim/db/profile_file.h"

#include "varim/db/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <utility>

namespace varim::db {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The index form of a section or key name: blanks around it do not count, nor does the case of
// ASCII letters, as with the Windows calls the files were made with.
std::string IndexName(std::string_view name) {
  std::string folded(Trim(name));
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// Reads a number as GetPrivateProfileInt did: a sign, then digits, the rest ignored. Values are
// stored trimmed, so there are no leading blanks to skip. Beyond the range of int the result is
// clamped rather than wrapped.
int LeadingInteger(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    magnitude = std::min(magnitude * 10 + (c - '0'), kLimit);
  }
  return static_cast<int>(negative ? -magnitude : std::min(magnitude, kLimit - 1));
}

bool Fail(std::string* error, const std::string& what, const std::string& reason) {
  if (error != nullptr) *error = what + ": " + reason;
  return false;
}

// The whole content of a regular file of at most maxBytes, or the reason it cannot be had.
std::string ReadOpenFile(int fd, std::size_t maxBytes, std::string& content) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return std::strerror(errno);
  if (S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(status.st_mode)) return "not a regular file";
  if (static_cast<unsigned long long>(status.st_size) > maxBytes) return std::strerror(EFBIG);
  content.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return std::strerror(errno);
    if (count == 0) return {};
    content.append(buffer, static_cast<std::size_t>(count));
    // The file may have grown since it was measured.
    if (content.size() > maxBytes) return std::strerror(EFBIG);
  }
}

}  // namespace

bool ProfileFile::Load(const std::string& path, std::string* error) {
  // Non-blocking, so that a FIFO given by mistake is refused instead of waiting for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Fail(error, "cannot read " + path, std::strerror(errno));
  std::string content;
  const std::string reason = ReadOpenFile(fd, kMaxFileBytes, content);
  ::close(fd);
  if (!reason.empty()) return Fail(error, "cannot read " + path, reason);
  Parse(content);
  return true;
}

void ProfileFile::Parse(std::string_view text) {
  Clear();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    AddLine(line);
    start = end + 1;
  }
}

void ProfileFile::AddLine(std::string_view line) {
  const std::string_view content = Trim(line);
  const std::size_t close = content.starts_with('[') ? content.rfind(']') : std::string_view::npos;
  if (close != std::string_view::npos) {
    const std::string_view name = Trim(content.substr(1, close - 1));
    sectionIndex_.try_emplace(IndexName(name), sections_.size());
    sections_.push_back(Section{std::string(line), std::string(name), {}, {}});
    return;
  }
  // Lines before the first section belong to no section and are only carried along.
  if (sections_.empty()) {
    preamble_.emplace_back(line);
    return;
  }
  Section& section = sections_.back();
  const std::size_t equals = content.starts_with(';') ? std::string_view::npos : content.find('=');
  const std::string_view key =
      equals == std::string_view::npos ? std::string_view() : Trim(content.substr(0, equals));
  if (!key.empty()) section.keyIndex.try_emplace(IndexName(key), section.lines.size());
  section.lines.push_back(
      Line{std::string(line), std::string(key),
           key.empty() ? std::string() : std::string(Trim(content.substr(equals + 1)))});
}

bool ProfileFile::Save(const std::string& givenPath, std::string* error) const {
  std::string reason;
  if (SaveFileAtomically(givenPath, Text(), &reason)) return true;
  return Fail(error, "cannot save " + givenPath, reason);
}

std::string ProfileFile::Text() const {
  std::string text;
  for (const std::string& line : preamble_) text.append(line).append("\r\n");
  for (const Section& section : sections_) {
    text.append(section.header).append("\r\n");
    for (const Line& line : section.lines) text.append(line.text).append("\r\n");
  }
  return text;
}

void ProfileFile::Clear() {
  preamble_.clear();
  sections_.clear();
  sectionIndex_.clear();
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, std::size_t maxChars) const {
  const Line* line = FindKey(section, key);
  const std::string_view value = line != nullptr ? std::string_view(line->value) : defaultValue;
  return std::string(value.substr(0, maxChars));
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
  // An empty value counts as absent, as it always has for these files.
  const Line* line = FindKey(section, key);
  return line != nullptr && !line->value.empty() ? LeadingInteger(line->value) : defaultValue;
}

bool ProfileFile::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
  return FindKey(section, key) != nullptr;
}

std::vector<std::string> ProfileFile::SectionNames() const {
  // Only the first of duplicate sections can be read, so each name is listed once.
  std::vector<std::string> names;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (sectionIndex_.at(IndexName(sections_[i].name)) == i) names.push_back(sections_[i].name);
  }
  return names;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  std::string text(value);
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  Section* target = FindSection(section);
  if (target == nullptr) {
    sectionIndex_.try_emplace(IndexName(section), sections_.size());
    const std::string name(Trim(section));
    target = &sections_.emplace_back(Section{"[" + name + "]", name, {}, {}});
  }
  std::vector<Line>& lines = target->lines;
  if (const auto found = target->keyIndex.find(IndexName(key)); found != target->keyIndex.end()) {
    Line& line = lines[found->second];
    line.text = line.key + "=" + text;
    line.value = Trim(text);
    return;
  }
  // After the last key rather than at the very end, so that comments and blank lines closing
  // the section stay where they are. No key line follows that place, so no index shifts.
  const auto lastKey = std::find_if(lines.rbegin(), lines.rend(),
                                    [](const Line& line) { return !line.key.empty(); });
  const std::size_t place = static_cast<std::size_t>(lastKey.base() - lines.begin());
  const std::string name(Trim(key));
  target->keyIndex.try_emplace(IndexName(name), place);
  lines.insert(lastKey.base(), Line{name + "=" + text, name, std::string(Trim(text))});
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  Section* target = FindSection(section);
  if (target == nullptr) return;
  const auto found = target->keyIndex.find(IndexName(key));
  if (found == target->keyIndex.end()) return;
  target->lines.erase(target->lines.begin() + static_cast<std::ptrdiff_t>(found->second));
  IndexKeys(*target);
}

void ProfileFile::DeleteSection(std::string_view section) {
  const std::string name = IndexName(section);
  if (!sectionIndex_.contains(name)) return;
  std::erase_if(sections_, [&name](const Section& s) { return IndexName(s.name) == name; });
  IndexSections();
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
  const auto found = sectionIndex_.find(IndexName(name));
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const ProfileFile::Line* ProfileFile::FindKey(std::string_view section,
                                              std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return nullptr;
  const auto line = found->keyIndex.find(IndexName(key));
  return line == found->keyIndex.end() ? nullptr : &found->lines[line->second];
}

void ProfileFile::IndexSections() {
  sectionIndex_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    sectionIndex_.try_emplace(IndexName(sections_[i].name), i);
  }
}

void ProfileFile::IndexKeys(Section& section) {
  section.keyIndex.clear();
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    if (!section.lines[i].key.empty())
      section.keyIndex.try_emplace(IndexName(section.lines[i].key), i);
  }
}

std::time_t FileModificationTime(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? status.st_mtime : 0;
}

}  // namespace varim::db
