#pragma once

#include "varim/radio_records.h"

namespace varim::db {

// The records as New leaves them: nothing programmed, no net, no member, every setting at its
// default. A zeroed record would not do: index 0 is a directory entry and channel 0 a value.
dbase EmptyRadioDatabase();
ale_dbase EmptyAleDatabase();
ale_dbase_global_members EmptyGlobalMembers();

}  // namespace varim::db
