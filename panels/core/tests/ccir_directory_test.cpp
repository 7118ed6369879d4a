#include "varim/panels/ccir_directory.h"

#include <gtest/gtest.h>

#include <cstring>

#include "varim/byte_order.h"
#include "varim/panels/selcall_id.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::panels::CcirDirectory;
using Entries = std::vector<std::string>;

TEST(SelcallId, ShowsAsFourOrSixDigits) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {7, "0007"},    {12, "0012"},      {123, "0123"},
      {1234, "1234"}, {12345, "012345"}, {123456, "123456"},
  };
  for (const auto& [id, shown] : cases) EXPECT_EQ(varim::panels::SelcallDisplayForm(id), shown);
}

class CcirDirectoryTest : public ::testing::Test {
 protected:
  CcirDirectoryTest() { std::memset(&ccir_, 0, sizeof ccir_); }

  void Fill(std::initializer_list<std::uint32_t> ids) {
    int i = 0;
    for (const std::uint32_t id : ids) WriteBigEndian32(ccir_.ccir_directory[i++], id);
  }

  ccir_dbase ccir_;
  varim::testing::RecordingOperator operator_;
};

TEST_F(CcirDirectoryTest, ListsTheUsableIdsUpToTheFirstFreeEntry) {
  Fill({7, 1'000'000, 12345, 0, 99});
  EXPECT_EQ(CcirDirectory(ccir_, operator_).Entries(), (Entries{"0007", "012345"}));
}

TEST_F(CcirDirectoryTest, TheEntryBoxDecidesAddDeleteAndTheWarning) {
  Fill({7});
  struct Case {
    const char* typed;
    bool add;
    bool remove;
    const char* warning;
  } cases[] = {
      {"", false, false, ""},
      {"abc", false, false, "'abc' is an invalid address."},
      {"0", false, false, "'0' is an invalid address."},
      {"7", false, true, "0007 is in the Directory."},
      {"0007", false, true, "0007 is in the Directory."},
      {"0012", true, false, ""},
  };
  CcirDirectory directory(ccir_, operator_);
  for (const Case& c : cases) {
    directory.Type(c.typed);
    EXPECT_EQ(directory.AddEnabled(), c.add) << c.typed;
    EXPECT_EQ(directory.DeleteEnabled(), c.remove) << c.typed;
    EXPECT_EQ(directory.Warning(), c.warning) << c.typed;
  }
}

TEST_F(CcirDirectoryTest, TheHundredAndFirstEntryIsRefused) {
  for (int i = 0; i < kCcirDirectoryEntries; ++i) WriteBigEndian32(ccir_.ccir_directory[i], i + 1);
  CcirDirectory directory(ccir_, operator_);
  directory.Type("101");
  EXPECT_FALSE(directory.AddEnabled());
  EXPECT_EQ(directory.Warning(), CcirDirectory::kDirectoryFull);
  directory.Add();
  EXPECT_EQ(directory.Occupied(), kCcirDirectoryEntries);
  directory.Type("100");
  EXPECT_TRUE(directory.DeleteEnabled()) << "a full directory still gives its entries up";
}

TEST_F(CcirDirectoryTest, DeleteAsksThenRemovesTheSelectedAndTheTypedEntries) {
  Fill({1, 2, 3, 4});
  for (const bool yes : {false, true}) {
    CcirDirectory directory(ccir_, operator_);
    operator_.AnswerWith(yes);
    directory.Type("3");
    directory.Delete({0});
    const Entries left = yes ? Entries{"0002", "0004"} : Entries{"0001", "0002", "0003", "0004"};
    EXPECT_EQ(directory.Entries(), left);
    EXPECT_EQ(directory.AddEnabled(), yes) << "the typed entry is no longer listed";
  }
  EXPECT_EQ(operator_.Questions(), Entries(2, CcirDirectory::kRemoveQuestion));
}

TEST_F(CcirDirectoryTest, OkWritesTheListInOrderBigEndianAndClearsTheRest) {
  std::memset(ccir_.ccir_directory, 0xFF, sizeof ccir_.ccir_directory);
  Fill({7});
  bool stored = false;
  CcirDirectory directory(ccir_, operator_, [&stored] { stored = true; });
  directory.Type("123456");
  directory.Add();
  EXPECT_EQ(directory.Typed(), "") << "ADD empties the entry box";
  directory.Ok();
  EXPECT_TRUE(stored);
  const std::uint8_t expected[2][4] = {{0, 0, 0, 7}, {0x00, 0x01, 0xE2, 0x40}};
  EXPECT_EQ(std::memcmp(ccir_.ccir_directory, expected, sizeof expected), 0);
  for (int i = 2; i < kCcirDirectoryEntries; ++i)
    EXPECT_EQ(ReadBigEndian32(ccir_.ccir_directory[i]), 0u) << i;
}

}  // namespace
