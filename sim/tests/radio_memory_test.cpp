#include "varim/sim/radio_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "varim/byte_order.h"
#include "varim/db/empty_records.h"
#include "varim/db/radio_databases.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/testing/stretch.h"

namespace {

using varim::db::RadioDatabases;
using varim::sim::FindProfile;
using varim::sim::RadioMemory;
using varim::testing::Stretch;

RadioDatabases Programming() {
  RadioDatabases programming = varim::db::EmptyRadioDatabases();
  programming.radio.channels[0].tx_frequency = 2'182'000;
  programming.radio.channels[0].rx_frequency = 2'182'000;
  programming.radio.radio_options.priority_channel = 1;
  programming.ale.nets[0].all_call_channel = 0x0102;
  std::strcpy(programming.ccir.message1, "CCIR");
  std::strcpy(programming.globalMembers.nets[1].global_members_name, "WIDE");
  programming.globalMembers.nets[1].global_members[0] = 4;
  programming.globalMembers.nets[1].global_members[1] = 0x85;
  programming.extraOptions = {1, 0, 1, 0};
  return programming;
}

TEST(RadioMemory, RecordsLieAtTheirAddressesInTheRadiosByteOrder) {
  RadioMemory memory;
  memory.Store(Programming(), *FindProfile("varim"));
  EXPECT_EQ(Stretch(memory, 1688 + 3, 8),
            (std::vector<std::uint8_t>{0x00, 0x21, 0x4B, 0x70, 0x00, 0x21, 0x4B, 0x70}))
      << "channel 1, frequencies big-endian";
  EXPECT_EQ(Stretch(memory, 4288, 2), (std::vector<std::uint8_t>{0x00, 0x01})) << "priority";
  EXPECT_EQ(Stretch(memory, 4304 + 49, 2), (std::vector<std::uint8_t>{0x01, 0x02})) << "all call";
  EXPECT_EQ(Stretch(memory, 7756, 4), (std::vector<std::uint8_t>{'A', 'L', 'E', 0}));
  EXPECT_EQ(Stretch(memory, 60, 7), (std::vector<std::uint8_t>{'0', '4', '.', '1', '0', '0', 0}));
  EXPECT_EQ(Stretch(memory, 8853, 4), (std::vector<std::uint8_t>{0, 0, 0, 0}))
      << "neither CCIR data nor global members on a plain radio";
  EXPECT_EQ(Stretch(memory, 9573, 4), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST(RadioMemory, TheSharedAreaHoldsCcirDataOrGlobalMembersByProfile) {
  RadioMemory ccir;
  ccir.Store(Programming(), *FindProfile("varim-ccir"));
  EXPECT_EQ(Stretch(ccir, 8853 + 406, 5), (std::vector<std::uint8_t>{'C', 'C', 'I', 'R', 0}));
  EXPECT_EQ(Stretch(ccir, 9573, 4), (std::vector<std::uint8_t>{0, 0, 0, 0})) << "no extra options";

  RadioMemory global;
  global.Store(Programming(), *FindProfile("varim-global"));
  EXPECT_EQ(Stretch(global, 8853 + 16, 5), (std::vector<std::uint8_t>{'W', 'I', 'D', 'E', 0}));
  EXPECT_EQ(Stretch(global, 9173 + 20, 3), (std::vector<std::uint8_t>{5, 0x86, 0}))
      << "members as value + 1, none as 0";
  EXPECT_EQ(Stretch(global, 9573, 4), (std::vector<std::uint8_t>{1, 100, 1, 0}))
      << "extra options, Auto as 100";
  EXPECT_EQ(Stretch(global, 60, 6), (std::vector<std::uint8_t>{'0', '4', '.', '1', '0', '0'}));

  RadioMemory older;
  older.Store(Programming(), *FindProfile("varim-2e"));
  EXPECT_EQ(Stretch(older, 60, 6), (std::vector<std::uint8_t>{'0', '2', '.', '0', '5', '0'}));
}

TEST(RadioMemory, AccessBeyondTheMemoryIsRefused) {
  RadioMemory memory;
  std::uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_FALSE(memory.Write(static_cast<long>(RadioMemory::kSize) - 4, 8, bytes));
  EXPECT_FALSE(memory.Read(static_cast<long>(RadioMemory::kSize) - 4, 8, bytes));
  EXPECT_EQ(bytes[0], 0) << "a refused read gives zeros";
  EXPECT_FALSE(memory.Write(-1, 1, bytes));
}

TEST(SampleProgramming, TheShippedFilesLoad) {
  std::string error;
  const auto programming =
      varim::sim::LoadProgramming(varim::sim::DefaultProgrammingFolder(), &error);
  ASSERT_TRUE(programming) << error;
  EXPECT_STREQ(programming->radio.serial_number, "VR2E004711");
  EXPECT_STREQ(programming->ale.nets[19].net_name, "NET20");
  EXPECT_EQ(ReadBigEndian16(programming->ccir.four_digit_id), 4711);
  EXPECT_FALSE(varim::sim::LoadProgramming("/no/such/folder", &error));
  EXPECT_NE(error.find("/no/such/folder/sample.rss"), std::string::npos) << error;
}

}  // namespace
