#include "varim/db/database_diff.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sample_database.h"
#include "varim/db/channel_set.h"
#include "varim/db/empty_records.h"

namespace {

using namespace varim::db;
using Lines = std::vector<std::string>;

template <std::size_t N>
void Put(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  std::strncpy(field, text, N - 1);
}

// Each edit sets what it changes on both sides, so the expected lines do not hang on the
// sample's own values.
struct Edit {
  const char* name;
  void (*apply)(RadioDatabases& before, RadioDatabases& after);
  Lines radio;
  Lines ale;
};

const Edit kEdits[] = {
    {"nothing", [](RadioDatabases&, RadioDatabases&) {}, {}, {}},
    {"receive frequency",
     [](RadioDatabases& before, RadioDatabases& after) {
       before.radio.channels[16].rx_frequency = 7'200'000;
       after.radio.channels[16].rx_frequency = 7'250'000;
       before.radio.channels[17].rx_frequency = 7'200'000;
       after.radio.channels[17].rx_frequency = 7'200'005;
     },
     {"Channel 17: Rx 7.20000 → 7.25000 MHz", "Channel 18: Rx 7.20000 → 7.200005 MHz"},
     {}},
    {"power",
     [](RadioDatabases& before, RadioDatabases& after) {
       before.radio.channels[2].tx_power = 2;
       after.radio.channels[2].tx_power = 4;
     },
     {"Channel 3: Power Low → High"},
     {}},
    {"channel cleared",
     [](RadioDatabases& before, RadioDatabases& after) {
       before.radio.channels[199] = {4, 1, 0, 7'200'000, 7'250'000, 255, 3};
       after.radio.channels[199] = {};
     },
     {"Channel 200 removed: Tx 7.20000 MHz, Rx 7.25000 MHz, Power High, Sideband USB, "
      "Bandwidth 2700, AGC Off, Mode ISB"},
     {}},
    {"group members and guard",
     [](RadioDatabases& before, RadioDatabases& after) {
       for (RadioDatabases* side : {&before, &after}) {
         scan_group& group = side->radio.groups[1];
         std::memset(group.member_channels, 0, sizeof group.member_channels);
         AddChannel(group.member_channels, 5);
         AddChannel(group.member_channels, 7);
         group.guard_channel = 5;
       }
       RemoveChannel(after.radio.groups[1].member_channels, 5);
       AddChannel(after.radio.groups[1].member_channels, 150);
       after.radio.groups[1].guard_channel = 7;
     },
     {"Group B: guard channel 5 → 7", "Group B: channel 5 removed", "Group B: channel 150 added"},
     {}},
    {"radio option",
     [](RadioDatabases& before, RadioDatabases& after) {
       before.radio.radio_options.scan_rate = 3;
       after.radio.radio_options.scan_rate = 5;
     },
     {"Scan_Rate: 3 Ch/Sec → 5 Ch/Sec"},
     {}},
    {"net name",
     [](RadioDatabases& before, RadioDatabases& after) {
       Put(before.ale.nets[2].net_name, "NET03");
       Put(after.ale.nets[2].net_name, "OPS");
     },
     {},
     {"Net 3: Net Name NET03 → OPS"}},
    {"directory entry",
     [](RadioDatabases& before, RadioDatabases& after) {
       for (RadioDatabases* side : {&before, &after}) {
         side->ale = EmptyAleDatabase();
         side->globalMembers = EmptyGlobalMembers();
       }
       Put(after.ale.directory[0], "ALPHA");
     },
     {},
     {"Directory entry ALPHA added"}},
};

TEST(DatabaseDiff, EachEditIsToldInItsOwnFilesWords) {
  for (const Edit& edit : kEdits) {
    auto before = std::make_unique<RadioDatabases>(varim::db::testing::MakeSampleDatabase());
    auto after = std::make_unique<RadioDatabases>(*before);
    edit.apply(*before, *after);
    EXPECT_EQ(DiffRadio(*before, *after), edit.radio) << edit.name;
    EXPECT_EQ(DiffAle(*before, *after), edit.ale) << edit.name;
  }
}

}  // namespace
