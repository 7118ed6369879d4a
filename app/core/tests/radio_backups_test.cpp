#include "varim/core/radio_backups.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using varim::core::RadioBackups;
using Clock = std::chrono::system_clock;
using Names = std::vector<std::string>;

const Clock::time_point kReadAt = Clock::from_time_t(1709622489);  // 2024-03-05 07:08:09 UTC
const std::string kStamp = "2024-03-05_07-08-09";

class RadioBackupsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(base_);
    SetSerial("VR2E004711");
  }
  void TearDown() override { fs::remove_all(base_); }

  void SetSerial(const std::string& serial) {
    std::memset(databases_->radio.serial_number, 0, sizeof databases_->radio.serial_number);
    std::memcpy(databases_->radio.serial_number, serial.data(), serial.size());
  }

  RadioBackups::Outcome Keep(Clock::time_point at = kReadAt) {
    return RadioBackups(base_).Keep(*databases_, flags_, at);
  }

  static Names NamesIn(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  const fs::path base_ =
      fs::temp_directory_path() / ("klv-backups-" + std::to_string(::getpid()) + "-" +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::unique_ptr<varim::db::RadioDatabases> databases_ =
      std::make_unique<varim::db::RadioDatabases>(varim::db::EmptyRadioDatabases());
  varim::db::PresenceFlags flags_;
};

TEST_F(RadioBackupsTest, EachReadGoesIntoAFolderOfItsRadioAndTime) {
  const struct {
    const char* serial;
    std::string folder;
    bool ccir;
  } cases[] = {
      {"VR2E004711", "VR2E004711", false},
      {"VR 2E/../4_7-x", "VR_2E____4_7-x", true},
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP", false},  // fills the field: no end mark
      {"", "unknown", false},
  };
  for (const auto& c : cases) {
    SetSerial(c.serial);
    flags_.ccir_present = c.ccir ? 1 : 0;
    const RadioBackups::Outcome outcome = Keep();
    EXPECT_EQ(outcome.failure, "") << c.serial;
    EXPECT_EQ(outcome.folder, base_ / c.folder / kStamp) << c.serial;
    Names files = {c.folder + ".ale", c.folder + ".rss"};
    if (c.ccir) files.insert(files.begin() + 1, c.folder + ".ccr");
    EXPECT_EQ(NamesIn(outcome.folder), files) << c.serial;
  }
}

TEST_F(RadioBackupsTest, ReadsWithinOneSecondAreNumberedAndNothingIsOverwritten) {
  for (int read = 0; read < 3; ++read) EXPECT_EQ(Keep().failure, "");
  EXPECT_EQ(NamesIn(base_ / "VR2E004711"), (Names{kStamp, kStamp + "-2", kStamp + "-3"}));
}

// One read, then 52 within the next second: the oldest go first, and "-10" comes after "-2".
TEST_F(RadioBackupsTest, TheNewestFiftyOfARadioStayAndTheRestIsLeftAlone) {
  fs::create_directories(base_ / "VR2E004711" / "notes");
  SetSerial("OTHER");
  ASSERT_EQ(Keep().failure, "");
  SetSerial("VR2E004711");
  ASSERT_EQ(Keep().failure, "");
  const std::string next = "2024-03-05_07-08-10";
  for (int read = 1; read <= 50; ++read)
    ASSERT_EQ(Keep(kReadAt + std::chrono::seconds(1)).failure, "");
  Names names = NamesIn(base_ / "VR2E004711");
  EXPECT_EQ(names.size(), 51u) << "50 backups and the notes";
  EXPECT_EQ(std::count(names.begin(), names.end(), kStamp), 0) << "the oldest is gone";

  for (int read = 1; read <= 2; ++read)
    ASSERT_EQ(Keep(kReadAt + std::chrono::seconds(1)).failure, "");
  names = NamesIn(base_ / "VR2E004711");
  EXPECT_EQ(names.size(), 51u);
  for (const std::string& gone : {next, next + "-2"})
    EXPECT_EQ(std::count(names.begin(), names.end(), gone), 0) << gone;
  for (const std::string& kept : {next + "-3", next + "-10", next + "-52", std::string("notes")})
    EXPECT_EQ(std::count(names.begin(), names.end(), kept), 1) << kept;
  EXPECT_EQ(NamesIn(base_ / "OTHER").size(), 1u);
}

TEST(RadioBackupsBase, TheEnvironmentChoosesTheFolder) {
  const struct {
    const char* backupDir;  // empty: not set
    const char* dataHome;
    const char* expected;
  } cases[] = {
      {"/srv/klv", "/data", "/srv/klv"},
      {"", "/data", "/data/KLV/backups"},
      {"", "relative/data", "/home/op/.local/share/KLV/backups"},
      {"", "", "/home/op/.local/share/KLV/backups"},
  };
  const char* names[] = {"KLV_BACKUP_DIR", "XDG_DATA_HOME", "HOME"};
  std::vector<std::string> saved;
  for (const char* name : names) saved.push_back(std::getenv(name) ? std::getenv(name) : "");
  auto set = [](const char* name, const std::string& value) {
    value.empty() ? ::unsetenv(name) : ::setenv(name, value.c_str(), 1);
  };
  set("HOME", "/home/op");
  for (const auto& c : cases) {
    set("KLV_BACKUP_DIR", c.backupDir);
    set("XDG_DATA_HOME", c.dataHome);
    EXPECT_EQ(RadioBackups::DefaultBase(), fs::path(c.expected)) << c.backupDir << c.dataHome;
  }
  for (std::size_t i = 0; i < saved.size(); ++i) set(names[i], saved[i]);
}

}  // namespace
