#include "varim/core/record_transfer.h"

#include <cstdint>
#include <iterator>
#include <stdexcept>

namespace varim::core {

namespace {

using varim::db::RadioDatabases;

std::uint8_t Byte(bool value) {
  return value ? 1 : 0;
}

// The radio record always moves without its service area; its write never ends programming.
constexpr RecordTransfer kRecordTransfers[] = {
    {RadioRecord::kRadio,
     [](MessageEngine* e, RadioDatabases& db, TransferCallback p, TransferCallback c, int pause) {
       return ReadRadioDataBase(e, &db.radio, 0, p, c, pause);
     },
     [](MessageEngine* e, const RadioDatabases& db, TransferCallback p, TransferCallback c,
        int pause, bool) { return WriteRadioDataBase(e, &db.radio, 0, p, c, pause); },
     [](const RadioDatabases& db) { return RadioDataBaseImage(db.radio, 0); }},
    {RadioRecord::kAle,
     [](MessageEngine* e, RadioDatabases& db, TransferCallback p, TransferCallback c, int pause) {
       return ReadAleDataBase(e, &db.ale, p, c, pause);
     },
     [](MessageEngine* e, const RadioDatabases& db, TransferCallback p, TransferCallback c,
        int pause,
        bool more) { return WriteAleDataBase(e, &db.ale, p, c, pause, Byte(more), 0, 0); },
     [](const RadioDatabases& db) { return AleDataBaseImage(db.ale); }},
    {RadioRecord::kGlobalAleMembers,
     [](MessageEngine* e, RadioDatabases& db, TransferCallback p, TransferCallback c, int pause) {
       return ReadGlobalMemberDataBase(e, &db.globalMembers, p, c, pause);
     },
     [](MessageEngine* e, const RadioDatabases& db, TransferCallback p, TransferCallback c,
        int pause, bool more) {
       return WriteGlobalMemberDataBase(e, &db.globalMembers, p, c, pause, Byte(more));
     },
     [](const RadioDatabases& db) { return GlobalMemberDataBaseImage(db.globalMembers); }},
    {RadioRecord::kCcir,
     [](MessageEngine* e, RadioDatabases& db, TransferCallback p, TransferCallback c, int pause) {
       return ReadCcirDataBase(e, &db.ccir, p, c, pause);
     },
     [](MessageEngine* e, const RadioDatabases& db, TransferCallback p, TransferCallback c,
        int pause, bool) { return WriteCcirDataBase(e, &db.ccir, p, c, pause); },
     [](const RadioDatabases& db) { return CcirDataBaseImage(db.ccir); }},
    {RadioRecord::kChannelNames,
     [](MessageEngine* e, RadioDatabases& db, TransferCallback p, TransferCallback c, int pause) {
       return ReadChannelNameDataBase(e, &db.channelNames, p, c, pause);
     },
     [](MessageEngine* e, const RadioDatabases& db, TransferCallback p, TransferCallback c,
        int pause, bool more) {
       return WriteChannelNameDataBase(e, &db.channelNames, p, c, pause, Byte(more));
     },
     [](const RadioDatabases& db) { return ChannelNameDataBaseImage(db.channelNames); }},
    {RadioRecord::kExtraOptions,
     [](MessageEngine* e, RadioDatabases& db, TransferCallback p, TransferCallback c, int pause) {
       return ReadExtraOptionDataBase(e, &db.extraOptions, p, c, pause);
     },
     [](MessageEngine* e, const RadioDatabases& db, TransferCallback p, TransferCallback c,
        int pause, bool) { return WriteExtraOptionDataBase(e, &db.extraOptions, p, c, pause); },
     [](const RadioDatabases& db) { return ExtraOptionDataBaseImage(db.extraOptions); }},
};

}  // namespace

const RecordTransfer& TransferOf(RadioRecord record) {
  for (const RecordTransfer& transfer : kRecordTransfers) {
    if (transfer.record == record) return transfer;
  }
  throw std::logic_error("a record without a transfer");
}

}  // namespace varim::core
