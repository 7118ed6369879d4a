#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varim::db {

// An initialisation file ("[Section]" lines, then "key=value" lines) held in memory, with the
// rules the radio's database files have always been read and written by: section and key
// names compare case-insensitively, a new section goes to the end of the file and a new key
// to the end of its section, an absent key yields the caller's default, and the first of
// duplicate sections or keys is the one that counts. Lines that are neither a section nor a
// key (comments, blank lines, anything unexpected) are kept as they are.
//
// Files are read with LF or CRLF line ends and written with CRLF, so they travel to and from
// Windows unchanged. Saving is atomic: a failed save leaves the previous file as it was.
class ProfileFile {
 public:
  // Larger files are refused rather than read: a full radio database file is under 32 KiB,
  // and a hostile file costs memory many times its size.
  static constexpr std::size_t kMaxFileBytes = 1u << 20;
  // The longest value a read returns when the caller gives no limit (a 1024-byte buffer).
  static constexpr std::size_t kDefaultMaxChars = 1023;

  // Replaces the content with the file's. False when the file cannot be read (missing, not a
  // regular file, unreadable, too large); error then says why, naming the path.
  bool Load(const std::string& path, std::string* error = nullptr);
  // Replaces the content with this text.
  void Parse(std::string_view text);
  // Writes the content to a temporary file in the same folder, flushes it to disk and renames
  // it over path (over the file a symbolic link leads to); an existing file keeps its
  // permissions. False, with the reason, on failure.
  bool Save(const std::string& path, std::string* error = nullptr) const;
  // The content as Save writes it.
  std::string Text() const;
  void Clear();

  // The value of the key, or defaultValue when the section or the key is absent; at most
  // maxChars characters of either.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue,
                        std::size_t maxChars = kDefaultMaxChars) const;
  // The value read as a decimal integer (leading blanks, an optional sign, then digits; what
  // follows the digits is ignored, no digits give 0), or defaultValue when the key is absent
  // or its value empty.
  int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  std::vector<std::string> SectionNames() const;

  // Sets the key, adding the section or the key when absent. Line breaks in the value would
  // split the line in the file, so each becomes a blank.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void DeleteKey(std::string_view section, std::string_view key);
  // Removes the section with all its lines (every section of that name).
  void DeleteSection(std::string_view section);

 private:
  struct Line {
    std::string text;   // the line as it stands in the file
    std::string key;    // empty for a line that is not a key
    std::string value;  // without the blanks around it, as reads return it
  };
  struct Section {
    std::string header;  // the "[name]" line as it stands
    std::string name;
    std::vector<Line> lines;
    std::unordered_map<std::string, std::size_t> keyIndex;  // lower-case key -> first line
  };

  // Files one line, as read, into the preamble or the last section and its index.
  void AddLine(std::string_view line);
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  const Line* FindKey(std::string_view section, std::string_view key) const;
  // Rebuild the indexes after lines or sections were removed.
  void IndexSections();
  static void IndexKeys(Section& section);

  std::vector<std::string> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-case name -> first
};

// The file's last modification time in seconds since 1970, 0 when it cannot be read.
std::time_t FileModificationTime(const std::string& path);

}  // namespace varim::db
