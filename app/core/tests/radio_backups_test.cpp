#include "varim/core/radio_backups.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "varim/db/rss_file.h"

namespace {

namespace fs = std::filesystem;
using varim::core::RadioBackups;
using varim::db::PresenceFlags;
using varim::db::RadioDatabases;
using Clock = std::chrono::system_clock;
using Names = std::vector<std::string>;

const Clock::time_point kReadAt = Clock::from_time_t(1709622489);  // 2024-03-05 07:08:09 UTC
constexpr char kStamp[] = "2024-03-05_07-08-09";

class RadioBackupsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = fs::temp_directory_path() /
            ("klv-backups-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
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

  fs::path base_;
  std::unique_ptr<RadioDatabases> databases_ =
      std::make_unique<RadioDatabases>(varim::db::EmptyRadioDatabases());
  PresenceFlags flags_;
};

TEST_F(RadioBackupsTest, EachReadGoesIntoAFolderOfItsRadioAndTime) {
  const struct {
    const char* serial;
    const char* folder;
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
    const std::string file = c.folder;
    Names expected = {file + ".ale", file + ".rss"};
    if (c.ccir) expected.insert(expected.begin() + 1, file + ".ccr");
    EXPECT_EQ(NamesIn(outcome.folder), expected) << c.serial;
  }
}

TEST_F(RadioBackupsTest, ReadsWithinOneSecondAreNumberedAndNothingIsOverwritten) {
  for (int read = 0; read < 3; ++read) EXPECT_EQ(Keep().failure, "");
  const std::string stamp = kStamp;
  EXPECT_EQ(NamesIn(base_ / "VR2E004711"), (Names{stamp, stamp + "-2", stamp + "-3"}));

  varim::db::FileInformation info{};
  auto read = std::make_unique<RadioDatabases>();
  PresenceFlags flags;
  ASSERT_TRUE(
      varim::db::OpenRssFile((base_ / "VR2E004711" / (stamp + "-3") / "VR2E004711.rss").string(),
                             info, read->radio, read->channelNames, flags));
  EXPECT_STREQ(read->radio.serial_number, "VR2E004711");
}

// One read, then 52 within the next second: the oldest go first, and "-10" comes after "-2".
TEST_F(RadioBackupsTest, TheNewestFiftyOfARadioStayAndTheRestIsLeftAlone) {
  fs::create_directories(base_ / "VR2E004711" / "notes");
  SetSerial("OTHER");
  ASSERT_EQ(Keep().failure, "");
  SetSerial("VR2E004711");
  ASSERT_EQ(Keep().failure, "");
  const Clock::time_point next = kReadAt + std::chrono::seconds(1);
  const std::string stamp = "2024-03-05_07-08-10";
  for (int read = 1; read <= 50; ++read) ASSERT_EQ(Keep(next).failure, "");
  Names names = NamesIn(base_ / "VR2E004711");
  EXPECT_EQ(names.size(), 51u) << "50 backups and the notes";
  EXPECT_EQ(std::count(names.begin(), names.end(), kStamp), 0) << "the oldest is gone";

  ASSERT_EQ(Keep(next).failure, "");
  ASSERT_EQ(Keep(next).failure, "");
  names = NamesIn(base_ / "VR2E004711");
  EXPECT_EQ(names.size(), 51u);
  for (const std::string& gone : {stamp, stamp + "-2"})
    EXPECT_EQ(std::count(names.begin(), names.end(), gone), 0) << gone;
  for (const std::string& kept : {stamp + "-3", stamp + "-10", stamp + "-52", std::string("notes")})
    EXPECT_EQ(std::count(names.begin(), names.end(), kept), 1) << kept;
  EXPECT_EQ(NamesIn(base_ / "OTHER").size(), 1u);
}

TEST_F(RadioBackupsTest, ABaseThatCannotBeMadeIsAFailureWithItsReason) {
  fs::create_directories(base_);
  std::ofstream(base_ / "file") << "not a folder";
  const RadioBackups::Outcome outcome =
      RadioBackups(base_ / "file" / "backups").Keep(*databases_, flags_, kReadAt);
  EXPECT_EQ(outcome.folder, fs::path());
  EXPECT_EQ(outcome.failure, "cannot create " +
                                 (base_ / "file" / "backups" / "VR2E004711").string() +
                                 ": Not a directory");
}

// Sets the variable for the test's length (an empty value unsets it) and restores it.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value.empty() ? ::unsetenv(name) : ::setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(RadioBackupsBase, TheEnvironmentChoosesTheFolder) {
  const struct {
    const char* backupDir;
    const char* dataHome;
    const char* expected;
  } cases[] = {
      {"/srv/klv", "/data", "/srv/klv"},
      {"", "/data", "/data/KLV/backups"},
      {"", "relative/data", "/home/op/.local/share/KLV/backups"},
      {"", "", "/home/op/.local/share/KLV/backups"},
  };
  const ScopedVariable home("HOME", "/home/op");
  for (const auto& c : cases) {
    const ScopedVariable backupDir("KLV_BACKUP_DIR", c.backupDir);
    const ScopedVariable dataHome("XDG_DATA_HOME", c.dataHome);
    EXPECT_EQ(RadioBackups::DefaultBase(), fs::path(c.expected)) << c.backupDir << c.dataHome;
  }
}

}  // namespace
