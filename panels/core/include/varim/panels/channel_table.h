#pragma once

#include <array>
#include <string>

#include "varim/db/radio_databases.h"

namespace varim::panels {

// A row of the RSS panel's channel table: the number, the two frequencies in MHz and the texts
// of power, sideband, mode, AGC and bandwidth as the files name them, and the CCIR channel
// number. A channel that is not programmed shows its number only.
struct ChannelTableRow {
  bool programmed = false;
  std::array<std::string, 9> cells;
};

ChannelTableRow ChannelTableRowOf(const varim::db::RadioDatabases& databases, int number);

// A channel holds a frequency to transmit or receive, and one the radio can receive.
bool IsProgrammedChannel(const channel& entry);

// A scan group as the panel's summary lists it: "A: 4 channels, guard 12" ("guard Off").
std::string GroupSummary(const scan_group& group, int index);

}  // namespace varim::panels
