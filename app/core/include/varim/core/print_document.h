#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "varim/db/file_information.h"
#include "varim/db/presence_flags.h"
#include "varim/db/radio_databases.h"

namespace varim::core {

// What a database panel prints.
enum class PrintedFile { kRss, kAle, kCcr };

// A printed page is at most this many lines of at most this many characters.
inline constexpr std::size_t kPrintedLineChars = 80;
inline constexpr std::size_t kPrintedLinesPerPage = 60;
// The printer is driven in these device units: a line advances y by 100, a page ends at 6000.
inline constexpr int kPrintLineHeight = 100;
inline constexpr int kPrintPageHeight = 6000;

// The panel's data as its file would be saved; the ALE file also lists each net's global
// members by name. Empty when the file cannot be made (the reason in error).
std::string PrintText(PrintedFile file, const varim::db::RadioDatabases& db,
                      const varim::db::PresenceFlags& flags, const varim::db::FileInformation& info,
                      std::string* error = nullptr);

// The text as pages of printed lines: a line longer than 80 characters is printed in pieces of
// 80, and 60 lines fill a page.
std::vector<std::vector<std::string>> PrintPages(std::string_view text);

}  // namespace varim::core
