#pragma once

#include <string>
#include <vector>

#include "varim/db/radio_databases.h"

namespace varim::db {

// The differences between two sets of the radio's databases in words, one a line, each from
// the first set's value to the second's ("Channel 17: Rx 7.20000 → 7.25000 MHz"); none when the
// two hold the same. Fields go by the names the database files give them and values by their
// list texts; channels, scan groups and nets by their numbers; directory entries, messages and
// members by their texts, wherever they stand in their lists, since the editors sort them.

// What a .rss file holds: the radio's identity, its option list, the ECN and SP lists, the
// scan groups, the channels with their CCIR numbers, and the radio options.
std::vector<std::string> DiffRadio(const RadioDatabases& before, const RadioDatabases& after);

// What an .ale file holds: the ALE options, the directory, the messages, the automatic dials,
// the nets with their members, scanned channels and global members, and the extra options.
std::vector<std::string> DiffAle(const RadioDatabases& before, const RadioDatabases& after);

}  // namespace varim::db
