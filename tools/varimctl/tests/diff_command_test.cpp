#include "diff_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "commands.h"
#include "sample_database.h"
#include "varim/db/ale_file.h"
#include "varim/db/rss_file.h"

namespace {

using namespace varim::db;

class DiffCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/varimctl-diff-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  // Saves the databases as the file of the name's kind, as the program's Save does.
  void Save(const std::string& name, const RadioDatabases& db) {
    FileInformation info{};
    PresenceFlags flags;
    ASSERT_TRUE(name.ends_with(".rss")
                    ? SaveRssFile(Path(name), info, db.radio, db.channelNames, flags)
                    : SaveAleFile(Path(name), info, db.radio, db.ale, db.globalMembers,
                                  db.extraOptions, flags));
  }

  int Diff(const std::string& first, const std::string& second) {
    out_.str("");
    err_.str("");
    return varimctl::RunDiff(Path(first), Path(second), out_, err_);
  }

  std::string folder_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(DiffCommandTest, TheSameIsExitZeroAndEachDifferenceALineWithExitOne) {
  const struct {
    const char* extension;
    void (*edit)(RadioDatabases& db);
    const char* output;
    int exit;
  } cases[] = {
      {".rss", [](RadioDatabases&) {}, "", varimctl::kExitOk},
      {".rss", [](RadioDatabases& db) { db.radio.channels[2].tx_power = 2; },
       "Channel 3: Power Max → Low\n", varimctl::kExitDifferent},
      {".ale", [](RadioDatabases& db) { std::strcpy(db.ale.nets[2].net_name, "OPS"); },
       "Net 3: Net Name NET03 → OPS\n", varimctl::kExitDifferent},
  };
  for (const auto& c : cases) {
    auto db = std::make_unique<RadioDatabases>(varim::db::testing::MakeSampleDatabase());
    Save(std::string("first") + c.extension, *db);
    c.edit(*db);
    Save(std::string("second") + c.extension, *db);
    EXPECT_EQ(Diff(std::string("first") + c.extension, std::string("second") + c.extension), c.exit)
        << err_.str();
    EXPECT_EQ(out_.str(), c.output);
  }
}

TEST_F(DiffCommandTest, FilesOfTwoKindsAreAUsageErrorAndAMissingFileExitThree) {
  const auto db = std::make_unique<RadioDatabases>(varim::db::testing::MakeSampleDatabase());
  Save("radio.rss", *db);
  Save("nets.ale", *db);
  for (const char* other : {"nets.ale", "selcall.ccr"}) {
    EXPECT_EQ(Diff("radio.rss", other), varimctl::kExitUsage) << other;
    EXPECT_EQ(err_.str(), "varimctl: diff compares two .rss files or two .ale files\n");
  }
  EXPECT_EQ(Diff("radio.rss", "none.rss"), varimctl::kExitPortUnavailable);
  EXPECT_EQ(err_.str(),
            "varimctl: cannot read " + Path("none.rss") + ": No such file or directory\n");
  EXPECT_EQ(out_.str(), "");
}

}  // namespace
