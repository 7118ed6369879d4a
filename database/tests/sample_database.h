#pragma once

#include "varim/db/radio_databases.h"

namespace varim::db::testing {

// A full, realistic radio programming: 200 channels on HF frequencies, five groups, twenty
// nets, a full directory, messages, automatic dials, global members and CCIR data. Every
// field already holds a legal value, so normalising it changes nothing.
using SampleDatabase = RadioDatabases;

SampleDatabase MakeSampleDatabase();

}  // namespace varim::db::testing
