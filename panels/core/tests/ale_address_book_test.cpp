#include "varim/panels/ale_address_book.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "varim/db/empty_records.h"

namespace {

using varim::panels::AddressEditor;
using varim::panels::AleAddressBook;
using varim::panels::CheckAddress;
using varim::panels::NetMember;
using Bytes = std::vector<int>;

template <std::size_t N>
void SetText(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::strncpy(field, text.c_str(), N - 1);
}

class AleAddressBookTest : public ::testing::Test {
 protected:
  AleAddressBookTest() : db_(varim::db::EmptyRadioDatabases()) {
    for (const char* address : {"ALPHA", "BRAVO", "CHARLIE"}) Add(address);
    SetText(db_.ale.nets[0].net_name, "NETONE");
    SetText(db_.ale.nets[0].self_address, "HOME");
    SetText(db_.ale.nets[1].net_name, "NETTWO");
    SetText(db_.ale.nets[1].self_address, "AWAY");
  }
  void Add(const std::string& address) { SetText(db_.ale.directory[entries_++], address); }
  Bytes Members(int net, int count) const {
    return Bytes(db_.ale.nets[net].members, db_.ale.nets[net].members + count);
  }

  varim::db::RadioDatabases db_;
  int entries_ = 0;
};

TEST_F(AleAddressBookTest, MembersFollowTheirAddressesThroughInsertsAndDeletes) {
  std::memcpy(db_.ale.nets[0].members, "\x00\x01\x02\xFF", 4);
  db_.ale.auto_dials[3][0] = 2;
  AleAddressBook book(db_);
  book.RemoveFromDirectory({"BRAVO"});
  book.Store(db_);
  EXPECT_EQ(Members(0, 4), (Bytes{0, 1, 255, 255})) << "ALPHA, CHARLIE, then the end";

  AleAddressBook again(db_);
  ASSERT_TRUE(again.AddToDirectory("BETA"));
  again.Store(db_);
  EXPECT_EQ(std::string(db_.ale.directory[1]), "BETA");
  EXPECT_EQ(Members(0, 3), (Bytes{0, 2, 255})) << "CHARLIE moved down one place";
  EXPECT_EQ(db_.ale.auto_dials[3][0], 2) << "the dial still calls CHARLIE";
}

TEST_F(AleAddressBookTest, GlobalMembersKeepTheirPriority) {
  AleAddressBook book(db_);
  book.GlobalMembers(1) = {{"CHARLIE", false}, {"ALPHA", true}};
  book.Store(db_);
  EXPECT_EQ(db_.globalMembers.nets[1].global_members[0], 2);
  EXPECT_EQ(db_.globalMembers.nets[1].global_members[1], 0x80);
  EXPECT_EQ(AleAddressBook(db_).GlobalMembers(1), book.GlobalMembers(1));
}

TEST_F(AleAddressBookTest, AddressRulesInTheirOrder) {
  AleAddressBook book(db_);
  book.Members(0) = {{"ALPHA", false}};
  book.GlobalMembers(0) = {{"BRAVO", true}};
  struct Case {
    AddressEditor editor;
    const char* text;
    const char* warning;
    bool add;
    bool remove;
    const char* entry;
  } cases[] = {
      {AddressEditor::kDirectory, "abc", "'abc' is an invalid address.", false, false, ""},
      {AddressEditor::kDirectory, "ABC", "", true, false, "ABC"},
      {AddressEditor::kDirectory, "NETTWO", "'NETTWO' is net no. 2 Net Name.", false, false, ""},
      {AddressEditor::kDirectory, "HOME", "'HOME' is net no. 1 Self Address.", false, false, ""},
      {AddressEditor::kDirectory, "BRAVO", "BRAVO is in the Directory.", false, true, "BRAVO"},
      {AddressEditor::kNetMembers, "HOME", "", true, false, AleAddressBook::kSelfAddress},
      {AddressEditor::kNetMembers, "AWAY", "'AWAY' is net no. 2 Self Address.", false, false, ""},
      {AddressEditor::kNetMembers, "ALPHA", "ALPHA is in the Members list.", false, true, "ALPHA"},
      {AddressEditor::kGlobalMembers, "BRAVO  Priority", "BRAVO is in the Members list (Priority).",
       false, true, "BRAVO"},
  };
  for (const Case& c : cases) {
    const auto verdict = CheckAddress(book, c.editor, 0, c.text);
    EXPECT_EQ(verdict.warning, c.warning) << c.text;
    EXPECT_EQ(verdict.addEnabled, c.add) << c.text;
    EXPECT_EQ(verdict.deleteEnabled, c.remove) << c.text;
    if (c.add || c.remove) {
      EXPECT_EQ(verdict.entry, c.entry) << c.text;
    }
  }
}

TEST_F(AleAddressBookTest, AFullDirectoryStillGivesItsAddressesToTheMemberEditors) {
  for (int i = entries_; i < kDirectoryEntries; ++i) Add("S" + std::to_string(i));
  AleAddressBook book(db_);
  EXPECT_EQ(CheckAddress(book, AddressEditor::kDirectory, 0, "NEW").warning,
            "The Directory is full; cannot add new address.");
  EXPECT_TRUE(CheckAddress(book, AddressEditor::kNetMembers, 0, "S42").addEnabled);
  EXPECT_EQ(CheckAddress(book, AddressEditor::kNetMembers, 0, "NEW").warning,
            "The Directory is full; new members are avalable from Directory only.");
  book.Members(0).assign(kNetMembers, NetMember{"S10", false});
  EXPECT_EQ(CheckAddress(book, AddressEditor::kNetMembers, 0, "S42").warning,
            "The Members list is full; cannot add new members.");
}

}  // namespace
