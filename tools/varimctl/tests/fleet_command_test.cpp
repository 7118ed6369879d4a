#include "fleet_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <regex>
#include <sstream>

#include "varim/db/empty_records.h"
#include "varim/db/rss_file.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"

namespace {

using varim::sim::SimulatedRadio;

varim::sim::SimOptions SampleRadio() {
  varim::sim::SimOptions options;
  options.profile = *varim::sim::FindProfile("varim");
  options.memory = varim::sim::SampleMemory(options.profile);
  return options;
}

class FleetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/varimctl-fleet-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    // The radios the fleet reads are backed up here, never among the user's own backups.
    ::setenv("KLV_BACKUP_DIR", Path("backups").c_str(), 1);
  }
  void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  // The sample programming the simulated radios hold, as files; a channel changed if asked.
  varimctl::DatabaseFiles SampleFiles(bool changed) {
    const std::string folder = varim::sim::DefaultProgrammingFolder();
    varimctl::DatabaseFiles files{folder + "/sample.rss", folder + "/sample.ale", std::nullopt};
    if (!changed) return files;
    auto db = std::make_unique<varim::db::RadioDatabases>(varim::db::EmptyRadioDatabases());
    varim::db::PresenceFlags flags;
    varim::db::FileInformation info{};
    EXPECT_TRUE(varim::db::OpenRssFile(files.rss, info, db->radio, db->channelNames, flags));
    db->radio.channels[16].rx_frequency = 7'250'000;
    files.rss = Path("changed.rss");
    EXPECT_TRUE(varim::db::SaveRssFile(files.rss, info, db->radio, db->channelNames, flags));
    return files;
  }

  std::string folder_;
  std::ostringstream out_, err_;
};

TEST_F(FleetTest, VerifyTellsWhetherTheRadioHoldsTheFiles) {
  SimulatedRadio radio(SampleRadio());
  ASSERT_TRUE(radio.Start());
  const varimctl::LinkOptions link{radio.DevicePath(), 1, 9600, {}};
  const varimctl::Terminal quiet{varimctl::ProgressDisplay::kNone, false, nullptr};
  EXPECT_EQ(varimctl::RunVerify(link, SampleFiles(false), quiet, out_, err_), varimctl::kExitOk)
      << err_.str();
  EXPECT_NE(out_.str().find("the radio holds the files"), std::string::npos) << out_.str();
  out_.str("");
  EXPECT_EQ(varimctl::RunVerify(link, SampleFiles(true), quiet, out_, err_),
            varimctl::kExitNoResponse);
  EXPECT_NE(out_.str().find("differs from the files in Channels"), std::string::npos)
      << out_.str();
}

// A rack of four radios, one of them switched off: the three others are read, the table says
// which failed, and the whole command fails.
TEST_F(FleetTest, OneRadioOffFailsTheFleetAndTheTableSaysWhich) {
  std::vector<std::unique_ptr<SimulatedRadio>> radios;
  varimctl::FleetRequest request{"read", {Path("rack.rss"), Path("rack.ale"), std::nullopt}, {},
                                 9600, false};
  for (int i = 0; i < 4; ++i) {
    radios.push_back(std::make_unique<SimulatedRadio>(SampleRadio()));
    ASSERT_TRUE(radios.back()->Start());
    request.devices.push_back(radios.back()->DevicePath());
  }
  radios[2]->SetSilent(true);
  EXPECT_EQ(varimctl::RunFleet(request, VARIMCTL_PROGRAM, out_, err_), varimctl::kExitNoResponse);
  const std::string table = out_.str().substr(out_.str().rfind("Device"));
  for (int i = 0; i < 4; ++i) {
    const std::regex row(request.devices[static_cast<std::size_t>(i)] +
                         R"( +(\S+) +(ok|failed) )");
    std::smatch found;
    ASSERT_TRUE(std::regex_search(table, found, row)) << table;
    EXPECT_EQ(found[2], i == 2 ? "failed" : "ok") << table;
    EXPECT_EQ(found[1] == "-", i == 2) << table;
    const varimctl::DatabaseFiles files =
        varimctl::FilesForDevice(request.files, request.devices[static_cast<std::size_t>(i)]);
    EXPECT_EQ(::access(files.rss.c_str(), F_OK) == 0, i != 2) << files.rss;
  }
}

}  // namespace
