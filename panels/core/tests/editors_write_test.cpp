#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "varim/byte_order.h"
#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/panels/ale_address_editors.h"
#include "varim/panels/ale_messages.h"
#include "varim/panels/ccir_directory.h"
#include "varim/panels/ccir_form.h"
#include "varim/db/channel_set.h"
#include "varim/db/rss_file.h"
#include "varim/panels/channel_configuration.h"
#include "varim/panels/channel_selection.h"
#include "varim/testing/controller_on_radio.h"
#include "varim/testing/sample_radio.h"

namespace {

using varim::panels::ChannelConfiguration;
using varim::panels::ChannelSelection;

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The editors' edits written into the simulated radio and read back: the files saved from the
// radio's records hold exactly what the files saved from the edited records hold.
class EditorsWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Connect(varim::testing::SampleRadio("varim-ccir")))
        << radio_.op.LastNotice();
    folder_ = std::filesystem::temp_directory_path() /
              ("klv-editors-write-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  varim::core::ConnectionController& Controller() { return radio_.Controller(); }

  // The records as .rss and .ale files under name.
  std::string SaveFiles(const std::string& name) {
    const varim::db::RadioDatabases& db = Controller().Session().Databases();
    const varim::db::PresenceFlags& flags = Controller().Session().Flags();
    varim::db::FileInformation info{};
    const std::filesystem::path rss = folder_ / (name + ".rss");
    const std::filesystem::path ale = folder_ / (name + ".ale");
    EXPECT_TRUE(varim::db::SaveRssFile(rss.string(), info, db.radio, db.channelNames, flags));
    EXPECT_TRUE(varim::db::SaveAleFile(ale.string(), info, db.radio, db.ale, db.globalMembers,
                                       db.extraOptions, flags));
    const std::filesystem::path ccr = folder_ / (name + ".ccr");
    EXPECT_TRUE(varim::db::SaveCcrFile(ccr.string(), info, db.ccir));
    return Contents(rss) + Contents(ale) + Contents(ccr);
  }

  varim::testing::ControllerOnRadio radio_;
  std::filesystem::path folder_;
};

TEST_F(EditorsWriteTest, EditsWrittenToTheRadioReadBackExactly) {
  varim::db::RadioDatabases& db = Controller().Session().Databases();
  const int added = 7;
  ChannelConfiguration channels(db, false, false);
  channels.Spin(added);
  channels.ChooseType(ChannelConfiguration::FrequencyType::kHalfDuplex);
  channels.ChangeText(ChannelConfiguration::Box::kHalfDuplexTx, "12.3456");
  channels.ChangeText(ChannelConfiguration::Box::kHalfDuplexRx, "9.87654");
  ASSERT_TRUE(channels.Ok()) << channels.Warning();
  for (const auto kind : {ChannelSelection::Kind::kGroups, ChannelSelection::Kind::kNets}) {
    ChannelSelection selection(db, kind, false);
    selection.Show(2);
    selection.Deselect();
    selection.Click(added, ChannelSelection::Button::kRight);
    ASSERT_EQ(selection.CellOf(added), ChannelSelection::Cell::kMarked);
    selection.Ok();
  }
  Controller().RunConfigurationChecks();
  const std::string edited = SaveFiles("edited");

  Controller().WriteDevice();
  ASSERT_TRUE(Controller().RadioReady()) << radio_.op.LastNotice();
  Controller().ReadDevice();
  ASSERT_TRUE(Controller().RadioReady()) << radio_.op.LastNotice();
  EXPECT_EQ(SaveFiles("read-back"), edited);
  const std::uint32_t tx = db.radio.channels[added - 1].tx_frequency;
  EXPECT_EQ(tx, 12'345'600u);
  const int guard = db.radio.groups[1].guard_channel;
  EXPECT_EQ(guard, added);
  EXPECT_TRUE(varim::db::HasChannel(db.ale.nets[1].scanned_channels, added));
}

// An ALE network and the CCIR data prepared in the editors go into the radio and come back
// exactly: the directory with a new station, a net's members and global members, a message, an
// automatic dial, the selcall identity, a CCIR message and directory entry.
TEST_F(EditorsWriteTest, AleAndCcirEditsWrittenToTheRadioReadBackExactly) {
  varim::db::RadioDatabases& db = Controller().Session().Databases();
  varim::testing::RecordingOperator& op = radio_.op;
  {
    varim::panels::AleDirectoryEditor directory(db, op);
    directory.Select({static_cast<int>(directory.List().size()) - 1});
    directory.Delete();  // the sample directory is full: room for the new station
    directory.Ok(db);
  }
  for (const bool global : {false, true}) {
    varim::panels::AleMembersEditor members(db, op, global);
    members.ShowNet(2);
    members.SetBox("MIKE7");
    ASSERT_TRUE(members.Verdict().addEnabled) << members.Verdict().warning;
    members.Add();
    members.Select({static_cast<int>(members.List().size()) - 1});
    members.SetPriority();
    members.Ok(db);
  }
  varim::panels::AleMessagesEditor messages(db);
  messages.Show(9);
  messages.SetText("MEET AT 1200");
  messages.Ok(db);
  db.ale.auto_dials[4][0] = 0;
  db.ale.auto_dials[4][1] = 9;

  varim::panels::CcirForm ccir(db, op);
  ccir.Load();
  ccir.TypeId(varim::panels::CcirForm::IdBox::kFourDigit, "1234");
  ccir.TypeMessage(varim::panels::CcirForm::MessageBox::kFirst, "HELLO CCIR");
  varim::panels::CcirDirectory directory(db.ccir, op);
  directory.Delete({0});
  directory.Type("7");
  directory.Add();
  directory.Ok();
  Controller().RunConfigurationChecks();
  const std::string edited = SaveFiles("edited");

  Controller().WriteDevice();
  ASSERT_TRUE(Controller().RadioReady()) << op.LastNotice();
  Controller().ReadDevice();
  ASSERT_TRUE(Controller().RadioReady()) << op.LastNotice();
  EXPECT_EQ(SaveFiles("read-back"), edited);
  EXPECT_EQ(std::string(db.ale.messages[9]), "MEET AT 1200");
  EXPECT_EQ(varim::panels::AleAddressBook(db).Members(1).back().address, "MIKE7");
  EXPECT_EQ(ReadBigEndian16(db.ccir.four_digit_id), 1234);
  EXPECT_EQ(std::string(db.ccir.message1), "HELLO CCIR");
}

}  // namespace
