#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varim::db {

// What every database file carries besides its records.
struct FileInformation {
  char comment[200];
  char user_name[20];
  std::uint32_t file_time;  // last modification, seconds since 1970; 0 when unknown
};
static_assert(sizeof(FileInformation) == 224);

// A comment's line breaks as they are stored on the file's one line: the two characters
// backslash and r. CR LF, a lone LF and a lone CR all count as a line break.
std::string EncodeComment(std::string_view comment);
// The stored form back into CR LF line breaks.
std::string DecodeComment(const std::string& stored);

}  // namespace varim::db
