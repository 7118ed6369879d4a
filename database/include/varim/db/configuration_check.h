#pragma once

#include <string>
#include <vector>

#include "varim/radio_records.h"

namespace varim::db {

// What the RSS check looks at: every channel the configuration refers to must be programmed.
// Findings, in rule order: the priority channel; the guard channels (groups A to E); the group
// members that are not the group's guard; the nets' All Call channels (nets 1 to 20); the
// scanned channels that are not the net's All Call channel.
std::vector<std::string> CheckRssConfiguration(const dbase& radio, const ale_dbase& ale);

struct AleCheckResult {
  std::vector<std::string> messages;
  // Whether at least one net is in use; writing a radio fills in a default net 1 otherwise.
  bool aleNetInUse = false;
};

// Nets that are incomplete or whose names and addresses collide. Pass 1 (nets 1 to 20): no net
// name, no scanned channels, no self address; pass 2: names and addresses defined twice, and
// a missing global members name while global members are in use.
AleCheckResult CheckAleConfiguration(const ale_dbase& ale,
                                     const ale_dbase_global_members& globalMembers,
                                     bool globalAlePresent);

// The check-configuration step: both checks, RSS findings first.
struct ConfigurationReport {
  std::vector<std::string> rssMessages;
  std::vector<std::string> aleMessages;
  bool aleNetInUse = false;
  // True exactly when neither check found anything; writing a radio needs it.
  bool configurationValid = true;
};

ConfigurationReport CheckConfiguration(const dbase& radio, const ale_dbase& ale,
                                       const ale_dbase_global_members& globalMembers,
                                       bool globalAlePresent);

}  // namespace varim::db
