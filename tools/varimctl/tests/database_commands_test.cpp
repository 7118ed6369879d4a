#include "database_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "commands.h"
#include "sample_database.h"
#include "varim/db/ale_file.h"
#include "varim/db/ccr_file.h"
#include "varim/db/channel_set.h"
#include "varim/db/empty_records.h"
#include "varim/db/rss_file.h"

namespace {

using namespace varim::db;

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DatabaseCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/varimctl-db-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    const auto sample = varim::db::testing::MakeSampleDatabase();
    FileInformation info{};
    std::strcpy(info.comment, "depot copy");
    PresenceFlags flags;
    flags.ccir_present = 1;
    ASSERT_TRUE(SaveRssFile(Path("radio.rss"), info, sample.radio, sample.channelNames, flags));
    ASSERT_TRUE(SaveAleFile(Path("nets.ale"), info, sample.radio, sample.ale, sample.globalMembers,
                            sample.extraOptions, flags));
    ASSERT_TRUE(SaveCcrFile(Path("selcall.ccr"), info, sample.ccir));
  }
  void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  int Check(const std::string& rss, std::optional<std::string> ale = std::nullopt) {
    out_.str("");
    err_.str("");
    return varimctl::RunCheck(rss, ale, out_, err_);
  }

  std::string folder_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(DatabaseCommandsTest, AConsistentProgrammingChecksClean) {
  EXPECT_EQ(Check(Path("radio.rss"), Path("nets.ale")), varimctl::kExitOk);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(Check(Path("radio.rss")), varimctl::kExitOk) << "no ALE file: no nets to check";
}

TEST_F(DatabaseCommandsTest, FindingsArePrintedRadioFirstOnePerLine) {
  dbase radio = EmptyRadioDatabase();  // priority channel 1, nothing programmed
  ale_dbase ale = EmptyAleDatabase();
  AddChannel(ale.nets[2].scanned_channels, 5);
  FileInformation info{};
  PresenceFlags flags;
  channel_name numbers{};
  ASSERT_TRUE(SaveRssFile(Path("empty.rss"), info, radio, numbers, flags));
  ASSERT_TRUE(SaveAleFile(Path("net3.ale"), info, radio, ale, EmptyGlobalMembers(),
                          tag_extra_options{}, flags));
  EXPECT_EQ(Check(Path("empty.rss"), Path("net3.ale")), varimctl::kExitNoResponse);
  EXPECT_EQ(out_.str(),
            "Priority channel 1 is not programmed.\n"
            "Channel 5 is scanned channel in net no. 3 but not programmed.\n"
            "Net no. 3 does not have Self Address.\n");
}

TEST_F(DatabaseCommandsTest, AFileThatCannotBeReadIsExitThree) {
  EXPECT_EQ(Check(Path("none.rss")), varimctl::kExitPortUnavailable);
  EXPECT_EQ(err_.str(),
            "varimctl: cannot read " + Path("none.rss") + ": No such file or directory\n");
  EXPECT_EQ(Check(Path("radio.rss"), Path("none.ale")), varimctl::kExitPortUnavailable);
  EXPECT_EQ(out_.str(), "") << "nothing is checked without every file";
}

TEST_F(DatabaseCommandsTest, ResaveWritesEachKindAsSaveWould) {
  std::ostringstream err;
  EXPECT_EQ(varimctl::RunResave(Path("radio.rss"), Path("again.RSS"), err), varimctl::kExitOk);
  EXPECT_EQ(ReadWholeFile(Path("again.RSS")), ReadWholeFile(Path("radio.rss")));
  EXPECT_EQ(varimctl::RunResave(Path("selcall.ccr"), Path("again.ccr"), err), varimctl::kExitOk);
  EXPECT_EQ(ReadWholeFile(Path("again.ccr")), ReadWholeFile(Path("selcall.ccr")));

  EXPECT_EQ(varimctl::RunResave(Path("nets.ale"), Path("again.ale"), err), varimctl::kExitOk);
  const std::string resaved = ReadWholeFile(Path("again.ale"));
  EXPECT_NE(resaved.find("Serial_Number=\r\n"), std::string::npos) << "no radio part was read";
  EXPECT_NE(resaved.find("Member No. 6=SELF01\r\n"), std::string::npos);
  EXPECT_EQ(err.str(), "");
}

TEST_F(DatabaseCommandsTest, ResaveRefusesOtherFilesAndReportsFailedWrites) {
  std::ostringstream err;
  EXPECT_EQ(varimctl::RunResave(Path("notes.txt"), Path("x.rss"), err), varimctl::kExitUsage);
  EXPECT_EQ(err.str(), "varimctl: " + Path("notes.txt") + " is no .rss, .ale or .ccr file\n");
  err.str("");
  EXPECT_EQ(varimctl::RunResave(Path("radio.rss"), Path("no/folder.rss"), err),
            varimctl::kExitPortUnavailable);
  EXPECT_EQ(err.str(),
            "varimctl: cannot save " + Path("no/folder.rss") + ": No such file or directory\n");
}

TEST_F(DatabaseCommandsTest, ChannelsThroughCsvComeBackToTheSameRadioFile) {
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(varimctl::RunResave(Path("radio.rss"), Path("resaved.rss"), err), varimctl::kExitOk);
  ASSERT_EQ(varimctl::RunChannelsExport(Path("radio.rss"), Path("plan.csv"), err),
            varimctl::kExitOk);
  EXPECT_EQ(
      varimctl::RunChannelsImport(Path("radio.rss"), Path("plan.csv"), Path("a.rss"), out, err),
      varimctl::kExitOk);
  EXPECT_EQ(ReadWholeFile(Path("a.rss")), ReadWholeFile(Path("resaved.rss")));
  EXPECT_EQ(out.str(), std::to_string(kMaxChannel) + " channels imported\n");

  // Channel 2 deleted from the spreadsheet is deleted from the radio file.
  std::string plan = ReadWholeFile(Path("plan.csv"));
  const std::size_t second = plan.find("\r\n2,") + 2;
  plan.erase(second, plan.find("\r\n", second) + 2 - second);
  std::ofstream(Path("less.csv"), std::ios::binary) << plan;
  EXPECT_EQ(
      varimctl::RunChannelsImport(Path("radio.rss"), Path("less.csv"), Path("b.rss"), out, err),
      varimctl::kExitOk);
  EXPECT_EQ(varimctl::RunChannelsExport(Path("b.rss"), Path("b.csv"), err), varimctl::kExitOk);
  EXPECT_EQ(ReadWholeFile(Path("b.csv")), plan);
  EXPECT_EQ(err.str(), "");
}

TEST_F(DatabaseCommandsTest, ARefusedCsvFileWritesNothing) {
  std::ofstream(Path("bad.csv"), std::ios::binary)
      << "Channel,Tx MHz,Rx MHz,Power,Band,Mode,AGC,BW\r\n1,7.5,7.5,Max,USB,SSB,Slow,2700\r\n"
      << "2,31,,Max,USB,SSB,Slow,2700\r\n";
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(
      varimctl::RunChannelsImport(Path("radio.rss"), Path("bad.csv"), Path("new.rss"), out, err),
      varimctl::kExitUsage);
  EXPECT_EQ(err.str(),
            "varimctl: " + Path("bad.csv") +
                ": line 3: Tx MHz 31 is out of range. TX frequency range is 1.6 to 30Mhz.\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(::access(Path("new.rss").c_str(), F_OK), 0);
}

}  // namespace
