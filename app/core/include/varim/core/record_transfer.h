#pragma once

#include <vector>

#include "varim/database_transfer.h"
#include "varim/db/radio_databases.h"
#include "varim/message_engine.h"
#include "varim/transfer_plan.h"

namespace varim::core {

// How each record of a whole-radio transfer plan moves between the program's databases and the
// radio: the library's read and write of it, and the memory its write leaves in the radio.
struct RecordTransfer {
  using Read = int (*)(MessageEngine*, varim::db::RadioDatabases&, TransferCallback progress,
                       TransferCallback proceed, int pauseMs);
  // moreFollows: another record of the plan comes after this one, so programming stays open.
  using Write = int (*)(MessageEngine*, const varim::db::RadioDatabases&, TransferCallback progress,
                        TransferCallback proceed, int pauseMs, bool moreFollows);
  using Image = std::vector<MemorySectionImage> (*)(const varim::db::RadioDatabases&);

  RadioRecord record;
  Read read;
  Write write;
  Image image;
};

const RecordTransfer& TransferOf(RadioRecord record);

}  // namespace varim::core
