#include "varim/db/empty_records.h"

#include <algorithm>
#include <cstring>

#include "varim/db/normalise.h"
#include "varim/db/radio_databases.h"

namespace varim::db {

dbase EmptyRadioDatabase() {
  dbase radio;
  std::memset(&radio, 0, sizeof radio);
  NormaliseRadioDatabase(radio);
  return radio;
}

ale_dbase EmptyAleDatabase() {
  ale_dbase ale;
  std::memset(&ale, 0, sizeof ale);
  for (ale_net& net : ale.nets) std::fill(std::begin(net.members), std::end(net.members), kNoEntry);
  for (auto& dial : ale.auto_dials) dial[0] = dial[1] = kNoEntry;
  NormaliseAleDatabase(ale);
  return ale;
}

ale_dbase_global_members EmptyGlobalMembers() {
  ale_dbase_global_members members;
  std::memset(&members, 0, sizeof members);
  for (global_members_entry& entry : members.nets)
    std::fill(std::begin(entry.global_members), std::end(entry.global_members), kNoEntry);
  return members;
}

ccir_dbase EmptyCcirDatabase() {
  ccir_dbase ccir;
  std::memset(&ccir, 0, sizeof ccir);
  ccir.preamble = kDefaultCcirPreamble;
  std::strcpy(ccir.message1, "01 CCIR MSG");
  std::strcpy(ccir.message2, "02 CCIR MSG");
  return ccir;
}

RadioDatabases EmptyRadioDatabases() {
  RadioDatabases databases;
  std::memset(&databases, 0, sizeof databases);
  databases.radio = EmptyRadioDatabase();
  databases.ale = EmptyAleDatabase();
  databases.ccir = EmptyCcirDatabase();
  databases.globalMembers = EmptyGlobalMembers();
  return databases;
}

}  // namespace varim::db
