#pragma once

#include <atomic>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "commands.h"
#include "terminal_io.h"

namespace varimctl {

// Where the databases of a whole radio go or come from.
struct DatabaseFiles {
  std::string rss;
  std::optional<std::string> ale;
  std::optional<std::string> ccr;
};

// How progress is shown on the error stream: a bar redrawn on one line (a terminal), a line per
// section (a log), or not at all.
enum class ProgressDisplay { kNone, kLines, kBar };

// How the terminal takes part: the progress display, whether questions are answered yes, and
// the flag Ctrl-C sets to abort a transfer.
struct Terminal {
  ProgressDisplay progress = ProgressDisplay::kNone;
  bool assumeYes = false;
  const std::atomic<bool>* stop = nullptr;
};

// The progress style of the display chosen.
TerminalProgress::Style ProgressStyle(ProgressDisplay display);

struct Link;

// Reads the whole radio into the link's session (after remote mode and the reports switched
// off, as the program does), with the terminal's progress and Ctrl-C, and keeps a backup of it
// under backupBase (see RadioBackups): a backup that fails is a line on err, not a failed read.
// kExitOk, or the exit code of what failed; the backup's folder, when one was kept, goes into
// backupFolder.
int ReadWholeRadio(Link& link, const LinkOptions& options, const Terminal& terminal,
                   const std::filesystem::path& backupBase, std::ostream& err,
                   std::filesystem::path* backupFolder = nullptr);

// Reads the whole radio, backs it up and saves it into the files. The CCIR file is written
// only when the radio carries CCIR.
int RunRead(const LinkOptions& link, const DatabaseFiles& files, const Terminal& terminal,
            const std::filesystem::path& backupBase, std::ostream& out, std::ostream& err);

// Loads the files, checks the configuration and writes the whole programming into the radio;
// with verify, reads every written section back and compares it.
int RunWrite(const LinkOptions& link, const DatabaseFiles& files, const Terminal& terminal,
             bool verify, std::ostream& out, std::ostream& err);

// The radio's software version and generation.
int RunVersion(const LinkOptions& link, std::ostream& out, std::ostream& err);

// What program-channel sets; texts are the database files' list texts, frequencies in MHz.
struct ChannelSettings {
  int number = 0;
  std::string txMHz = "0";
  std::string rxMHz = "0";
  std::string power = "Max";
  std::string sideband = "USB";
  std::string bandwidth = "2700";
  std::string agc = "Slow";
  std::string mode = "SSB";
};

int RunProgramChannel(const LinkOptions& link, const ChannelSettings& settings, std::ostream& out,
                      std::ostream& err);

// A frequency typed in MHz ("12.5", "7.15500") as hertz; false when it is no such number.
bool ParseMegahertz(const std::string& text, std::uint32_t& hertz);

}  // namespace varimctl
