#pragma once

#include <atomic>
#include <optional>
#include <ostream>
#include <string>

#include "commands.h"

namespace varimctl {

struct ServeOptions {
  int port = 4532;  // 0: any free port
  std::string address = "127.0.0.1";
  bool allowPtt = false;
  std::optional<double> seconds;  // none: until stopped
};

// Serves Hamlib's rigctld protocol (NET rigctl, model 2) over the one link to the radio until
// stop is set or the time is up, after printing the address it listens on. A transmit still on
// at the end is switched off; exit 1 when the radio does not take that.
int RunServe(const LinkOptions& link, const ServeOptions& options, const std::atomic<bool>& stop,
             std::ostream& out, std::ostream& err);

}  // namespace varimctl
