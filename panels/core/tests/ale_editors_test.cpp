#include "varim/panels/ale_address_book.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "varim/db/empty_records.h"
#include "varim/panels/ale_address_editors.h"
#include "varim/panels/ale_messages.h"
#include "varim/panels/ale_net_form.h"
#include "varim/testing/recording_operator.h"

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

namespace {

using varim::panels::AleDirectoryEditor;
using varim::panels::AleMembersEditor;
using Texts = std::vector<std::string>;

class AleAddressEditorsTest : public AleAddressBookTest {
 protected:
  varim::testing::RecordingOperator operator_;
};

TEST_F(AleAddressEditorsTest, TheDirectoryGrowsInOrderAndDeletesFromEveryNet) {
  std::memcpy(db_.ale.nets[0].members, "\x00\x01\xFF", 3);
  AleDirectoryEditor directory(db_, operator_);
  directory.SetBox("BETA");
  directory.Add();
  EXPECT_EQ(directory.List(), (Texts{"ALPHA", "BETA", "BRAVO", "CHARLIE"}));
  EXPECT_EQ(directory.Box(), "");
  directory.Select({0, 2});
  EXPECT_EQ(directory.Box(), "BRAVO");
  operator_.AnswerWith(false);
  directory.Delete();
  EXPECT_EQ(directory.Occupied(), 4) << "No keeps them";
  operator_.AnswerWith(true);
  directory.Delete();
  EXPECT_EQ(directory.List(), (Texts{"BETA", "CHARLIE"}));
  directory.Ok(db_);
  EXPECT_EQ(Members(0, 2), (Bytes{255, 255})) << "ALPHA and BRAVO left net 1 with the directory";
}

TEST_F(AleAddressEditorsTest, MembersJoinOrderAndTakePriority) {
  AleMembersEditor members(db_, operator_, true);
  for (const char* address : {"HOME", "CHARLIE", "ZULU", "ALPHA"}) {
    members.SetBox(address);
    members.Add();
  }
  EXPECT_EQ(members.List(), (Texts{"*SELF_ADDRESS*", "CHARLIE", "ZULU", "ALPHA"}));
  EXPECT_TRUE(members.Book().DirectoryHas("ZULU")) << "a new station joins the directory";
  EXPECT_EQ(members.DirectoryHint(), "Click arrow to get from Directory (4)");

  members.AutoOrder();  // the net's own address sorts as HOME
  EXPECT_EQ(members.List(), (Texts{"ALPHA", "CHARLIE", "*SELF_ADDRESS*", "ZULU"}));
  members.StartManualOrder();
  EXPECT_EQ(members.ManualOrderText(), "Click on Member no. 1.\nRight-click to end manual order.");
  members.ShowNet(2);
  EXPECT_EQ(members.Net(), 1) << "the net stays while ordering by hand";
  members.ClickInManualOrder(3);
  members.ClickInManualOrder(2);
  members.EndManualOrder();
  EXPECT_EQ(members.List(), (Texts{"ZULU", "CHARLIE", "ALPHA", "*SELF_ADDRESS*"}));

  members.Select({1});
  members.SetPriority();
  members.Select({2});
  members.SetPriority();
  EXPECT_EQ(members.List()[1], "CHARLIE");
  EXPECT_EQ(members.List()[2], "ALPHA  Priority");
  members.Select({});
  members.SetPriority();
  EXPECT_EQ(operator_.LastNotice(), AleMembersEditor::kSeveralSelected);
}

}  // namespace

namespace {

using varim::panels::AleMessagesEditor;
using varim::panels::AutoDialsEditor;

TEST_F(AleAddressBookTest, MessagesTakeUpperCaseBlanksDigitsAndSignsOnly) {
  AleMessagesEditor messages(db_);
  messages.Show(3);
  messages.SetText("meet at 1200");
  EXPECT_EQ(messages.Warning(), AleMessagesEditor::kInvalidCharacters);
  messages.Show(4);
  EXPECT_EQ(messages.Slot(), 3) << "the spin waits for a valid text";
  messages.SetText("MEET AT 1200, GATE 4.");
  EXPECT_TRUE(messages.Valid());
  messages.Show(99);
  EXPECT_EQ(messages.Slot(), 9);
  EXPECT_EQ(messages.Occupied(), 1);
  messages.Ok(db_);
  EXPECT_EQ(std::string(db_.ale.messages[3]), "MEET AT 1200, GATE 4.");
}

TEST_F(AleAddressBookTest, AutomaticDialsEndInTheirEmptyEntries) {
  SetText(db_.ale.messages[0], "HELLO");
  db_.ale.auto_dials[5][0] = 1;
  db_.ale.auto_dials[5][1] = 12;
  AutoDialsEditor dials(db_);
  EXPECT_EQ(dials.AddressChoices().back(), AutoDialsEditor::kEmptyAddress);
  EXPECT_EQ(dials.AddressRow(5), 1);
  EXPECT_EQ(dials.MessageRow(5), 1) << "an index beyond the messages is the empty entry";
  EXPECT_EQ(dials.AddressRow(0), 3);
  dials.ChooseAddress(5, 3);
  dials.ChooseMessage(5, 0);
  dials.Ok(db_);
  EXPECT_EQ(db_.ale.auto_dials[5][0], 255);
  EXPECT_EQ(db_.ale.auto_dials[5][1], 0);
}

}  // namespace

namespace {

using varim::panels::AleNetForm;

TEST_F(AleAddressBookTest, TheNetFormWritesEachFieldAsItChanges) {
  varim::testing::RecordingOperator op;
  AleNetForm form(db_, op);
  db_.ale.nets[0].sounding = 7;
  form.ShowNet(1);
  EXPECT_EQ(op.LastNotice(), "Sounding is not correct!");
  EXPECT_EQ(form.Row(AleNetForm::List::kSounding), -1);

  struct Case {
    AleNetForm::List list;
    int row;
    int stored;
  } cases[] = {{AleNetForm::List::kScanRate, 1, 5},
               {AleNetForm::List::kSounding, 4, 120},
               {AleNetForm::List::kOccupancy, 1, 3},
               {AleNetForm::List::kOccupancy, 0, 0}};
  for (const Case& c : cases) {
    form.Choose(c.list, c.row);
    const ale_net& net = db_.ale.nets[0];
    const int stored = c.list == AleNetForm::List::kScanRate  ? net.scan_rate
                       : c.list == AleNetForm::List::kSounding ? net.sounding
                                                                : net.occupancy_check;
    EXPECT_EQ(stored, c.stored) << AleNetForm::LabelOf(c.list);
    EXPECT_EQ(form.Row(c.list), c.row) << AleNetForm::LabelOf(c.list);
  }

  form.SetChecked(AleNetForm::Check::kSilent, true);
  form.SetChecked(AleNetForm::Check::kReceiveAllCall, true);
  EXPECT_EQ(db_.ale.nets[0].silent, 0) << "Silent ticked is stored as 0";
  EXPECT_EQ(db_.ale.nets[0].all_call, 2);
  EXPECT_FALSE(form.Checked(AleNetForm::Check::kSendAllCall));

  EXPECT_FALSE(form.SetNetName("AWAY"));
  EXPECT_EQ(op.LastNotice(), "'AWAY' is net no. 2 Self Address.");
  EXPECT_EQ(form.NetName(), "NETONE");
  EXPECT_TRUE(form.SetNetName("NEWNAME"));
  EXPECT_EQ(std::string(db_.ale.nets[0].net_name), "NEWNAME");

  std::memcpy(db_.globalMembers.nets[0].global_members, "\x02\x00\xFF", 3);
  EXPECT_EQ(form.GlobalMembers(), (Texts{"CHARLIE  Priority", "ALPHA"}))
      << "without a priority member the first is shown as it";
}

}  // namespace
