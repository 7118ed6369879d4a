#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "commands.h"

namespace varimctl {

// With a number, switches the radio to that channel as the channel list does; then prints the
// channel the radio works on: number, frequencies in MHz, power, sideband, mode, AGC and
// bandwidth as the channel form shows them.
int RunChannel(const LinkOptions& link, std::optional<int> number, std::ostream& out,
               std::ostream& err);

struct ScanRequest {
  bool start = true;
  // A group letter "A".."E" scans the group, a net 1..20 the ALE net; neither: the mode the
  // radio's ALE state asks for, from group A or net 1.
  std::optional<std::string> group;
  std::optional<int> net;
};

int RunScan(const LinkOptions& link, const ScanRequest& request, std::ostream& out,
            std::ostream& err);

}  // namespace varimctl
