#pragma once

#include <atomic>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "varim/message_engine.h"

namespace varimctl {

// What varimctl's exit status tells a script.
enum ExitCode {
  kExitOk = 0,
  kExitNoResponse = 1,  // the radio did not acknowledge or answer, or a builder refused
  kExitDifferent = 1,   // diff: the two differ
  kExitUsage = 2,
  kExitPortUnavailable = 3,  // also: a file that cannot be read or written
};

// Which line leads to the radio: a device path, or else a COM port number.
struct LinkOptions {
  std::string device;
  int port = 1;
  int baud = 9600;
  // Installed on the engine before the port opens, when set (--trace).
  MessageEngine::FrameTrace trace;
};

// Prints the frame that the builder makes of the arguments; opens nothing.
int RunFrame(const std::string& name, const std::vector<std::string>& args, std::ostream& out,
             std::ostream& err);

// Sends the built frame and waits for its acknowledgement; with an answer opcode, collects the
// answer and prints it. Verbose also shows the request on err.
int RunSend(const LinkOptions& link, const std::string& name, const std::vector<std::string>& args,
            std::optional<int> answerOpcode, bool verbose, std::ostream& out, std::ostream& err);

// Prints every frame the radio sends until the time is up (none: until stop is set).
int RunMonitor(const LinkOptions& link, std::optional<double> seconds,
               const std::atomic<bool>& stop, std::ostream& out, std::ostream& err);

}  // namespace varimctl
