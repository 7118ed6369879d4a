#pragma once

#include "varim/radio_records.h"

namespace varim::db {

// The radio's databases as the program holds them: one of each record, in this order.
#pragma pack(push, 1)
struct RadioDatabases {
  dbase radio;
  ale_dbase ale;
  ccir_dbase ccir;
  channel_name channelNames;
  ale_dbase_global_members globalMembers;
  tag_extra_options extraOptions;
};
#pragma pack(pop)
static_assert(sizeof(RadioDatabases) == 4304 + 4377 + 515 + 400 + 720 + 4);

// All records as New leaves them (see empty_records.h).
RadioDatabases EmptyRadioDatabases();

}  // namespace varim::db
