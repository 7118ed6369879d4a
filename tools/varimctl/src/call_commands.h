#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "commands.h"

namespace varimctl {

// Who a call or an exchange goes to.
enum class Addressee { kStation, kNet, kAll };

// A call as the ALE tab places it.
struct CallOptions {
  Addressee to = Addressee::kStation;
  std::string address;     // a station's address
  std::optional<int> net;  // from 1; the first net with channels when absent
  std::string channel = "auto";
  std::string message;
  double seconds = 30;  // how long the result is waited for
  bool json = false;
  std::optional<std::string> logDir;  // the call is logged in this folder's log.txt
};

// Places the call, waits for its result and prints it: exit 0 when a link is up.
int RunCall(const LinkOptions& link, const CallOptions& options, std::ostream& out,
            std::ostream& err);

// Ends the link (abort), or moves it to another channel (replace).
int RunLinkCommand(const LinkOptions& link, bool replace, std::ostream& out, std::ostream& err);

// A bidirectional link-quality exchange with a station or the net, until it ends.
int RunLinkQuality(const LinkOptions& link, const CallOptions& options, std::ostream& out,
                   std::ostream& err);

// Starts or stops sounding in the radio's net.
int RunSound(const LinkOptions& link, bool start, std::ostream& out, std::ostream& err);

}  // namespace varimctl
