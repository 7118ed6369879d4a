#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace varimctl {

// Loads a radio file and optionally an ALE file as the program's Open does, runs the
// configuration check and prints every finding, radio findings first, one per line. Exit 0
// when the configuration is valid, 1 with findings, 3 when a file cannot be read.
int RunCheck(const std::string& rssPath, const std::optional<std::string>& alePath,
             std::ostream& out, std::ostream& err);

// Reads a .rss, .ale or .ccr file with the program's Open rules and writes it again with its
// Save rules. Exit 0, 2 for a file of another kind, 3 when reading or writing fails.
int RunResave(const std::string& inputPath, const std::string& outputPath, std::ostream& err);

// Writes the programmed channels of a radio file as CSV, one row a channel. Exit 0, 2 for an
// input that is no .rss file, 3 when a file cannot be read or written.
int RunChannelsExport(const std::string& rssPath, const std::string& csvPath, std::ostream& err);

// Reads a radio file, takes a CSV file as its whole channel plan and saves the result, the rest
// as it was read, with the number of channels on out. A CSV file with an error is refused whole
// with exit 2, its line number and the reason on err, and nothing is written; otherwise the
// exits are the export's.
int RunChannelsImport(const std::string& rssPath, const std::string& csvPath,
                      const std::string& outputPath, std::ostream& out, std::ostream& err);

}  // namespace varimctl
