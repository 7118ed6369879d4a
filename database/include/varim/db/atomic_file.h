#pragma once

#include <string>
#include <string_view>

namespace varim::db {

// Replaces the file at path with content, or leaves it as it was: the content goes to a
// temporary file beside it, reaches the disk, and is renamed over the old file. A file reached
// through a symbolic link is replaced where it lives and keeps its permissions. On failure the
// reason goes into reason.
bool SaveFileAtomically(const std::string& path, std::string_view content, std::string* reason);

}  // namespace varim::db
