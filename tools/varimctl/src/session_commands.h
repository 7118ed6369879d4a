#pragma once

#include <atomic>
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

// Reads the whole radio (after remote mode and the reports switched off, as the program does)
// and saves it into the files. The CCIR file is written only when the radio carries CCIR.
// The progress style of the display chosen.
TerminalProgress::Style ProgressStyle(ProgressDisplay display);

int RunRead(const LinkOptions& link, const DatabaseFiles& files, const Terminal& terminal,
            std::ostream& out, std::ostream& err);

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
