#pragma once

#include <optional>
#include <string>

#include "varim/db/radio_databases.h"
#include "varim/sim/radio_memory.h"
#include "varim/sim/radio_profile.h"

namespace varim::sim {

// The programming the simulated radio ships with: a radio, ALE and CCIR file in one folder,
// named sample.rss, sample.ale and sample.ccr.
std::string DefaultProgrammingFolder();

// Loads the three files of a folder as the program's Open does; nothing when one cannot be
// read (error says which and why).
std::optional<varim::db::RadioDatabases> LoadProgramming(const std::string& folder,
                                                         std::string* error = nullptr);

// The shipped programming as a radio of the profile holds it. Throws std::runtime_error when
// the sample files cannot be read (a broken checkout).
RadioMemory SampleMemory(const RadioProfile& profile);

}  // namespace varim::sim
