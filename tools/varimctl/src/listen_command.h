#pragma once

#include <atomic>
#include <optional>
#include <ostream>
#include <string>

#include "commands.h"
#include "varim/core/incoming_call_prompt.h"

namespace varimctl {

struct ListenOptions {
  std::optional<double> seconds;  // none: until stopped
  bool json = false;
  // What incoming calls are told; by default nothing, so a listener never answers for anyone.
  varim::core::IncomingCallAnswer answer = varim::core::IncomingCallAnswer::kNone;
  // Where calls that end up in the log are kept.
  std::string dir = ".";
};

// Connects, switches the display reports on and prints every report of the radio that the
// program acts on, decoded, one line each with its local time, as the program's report
// dispatch handles it (incoming calls answered only as told).
int RunListen(const LinkOptions& link, const ListenOptions& options, const std::atomic<bool>& stop,
              std::ostream& out, std::ostream& err);

}  // namespace varimctl
