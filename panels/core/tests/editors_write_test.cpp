#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "varim/db/ale_file.h"
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
    ASSERT_TRUE(radio_.Connect(varim::testing::SampleRadio("varim"))) << radio_.op.LastNotice();
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
    return Contents(rss) + Contents(ale);
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

}  // namespace
