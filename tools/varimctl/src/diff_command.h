#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "commands.h"
#include "session_commands.h"

namespace varimctl {

// Loads two .rss files or two .ale files as the program's Open does and prints every
// difference in words, one a line, from the first file's value to the second's. Exit 0 when
// they hold the same, 1 when they differ, 2 for files of another or of two kinds, 3 when a file
// cannot be read.
int RunDiff(const std::string& firstPath, const std::string& secondPath, std::ostream& out,
            std::ostream& err);

// The same from a .rss or .ale file to the radio, read whole as read does (and backed up under
// backupBase) and taken as a file saved from it would hold it. A radio that cannot be read is
// exit 3, so that 1 says only that the two differ.
int RunDiffWithRadio(const LinkOptions& link, const std::string& path, const Terminal& terminal,
                     const std::filesystem::path& backupBase, std::ostream& out, std::ostream& err);

}  // namespace varimctl
