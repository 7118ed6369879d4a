#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "session_commands.h"

namespace varimctl {

// Reads the radio and tells whether it holds what writing the files would put into it, section
// by section, without writing: 0 when it does, 1 when it does not (the sections are named) or
// the radio does not answer.
int RunVerify(const LinkOptions& options, const DatabaseFiles& files, const Terminal& terminal,
              std::ostream& out, std::ostream& err);

// One radio of a fleet as the depot sees it at the end.
struct FleetResult {
  std::string device;
  std::string serial;  // as the radio reported it, empty when it never did
  int exitCode = 0;
  double seconds = 0;
};

struct FleetRequest {
  std::string action;  // read, write or verify
  DatabaseFiles files;
  std::vector<std::string> devices;
  int baud = 9600;
  bool assumeYes = false;
};

// The files a fleet read writes for a device: its name before each file's suffix, so the
// radios of a rack do not overwrite each other's files.
DatabaseFiles FilesForDevice(const DatabaseFiles& files, const std::string& device);

// Runs the action on every radio at once, one varimctl process (program) per device since the
// library's transfer callbacks belong to its process; shows each radio's progress as a line,
// then the table. 0 only when every radio succeeded.
int RunFleet(const FleetRequest& request, const std::string& program, std::ostream& out,
             std::ostream& err);

}  // namespace varimctl
