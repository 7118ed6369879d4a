#pragma once

#include "varim/radio_records.h"

namespace varim::db::testing {

// A full, realistic radio programming: 200 channels on HF frequencies, five groups, twenty
// nets, a full directory, messages, automatic dials, global members and CCIR data. Every
// field already holds a legal value, so normalising it changes nothing.
struct SampleDatabase {
  dbase radio;
  ale_dbase ale;
  ale_dbase_global_members globalMembers;
  tag_extra_options extraOptions;
  ccir_dbase ccir;
  channel_name channelNames;
};

SampleDatabase MakeSampleDatabase();

}  // namespace varim::db::testing
