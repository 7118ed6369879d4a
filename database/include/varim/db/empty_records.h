#pragma once

#include "varim/radio_records.h"

namespace varim::db {

// The records as New leaves them: nothing programmed, no net, no member, every setting at its
// default. A zeroed record would not do: index 0 is a directory entry and channel 0 a value.
dbase EmptyRadioDatabase();
ale_dbase EmptyAleDatabase();
ale_dbase_global_members EmptyGlobalMembers();
// A new radio's selective calling: no identities and an empty directory, but the preamble and
// the two numbered messages the radio comes with.
ccir_dbase EmptyCcirDatabase();

// The preamble a new radio sends, and the one shown for a stored value the radio cannot use.
inline constexpr std::uint8_t kDefaultCcirPreamble = 6;

}  // namespace varim::db
