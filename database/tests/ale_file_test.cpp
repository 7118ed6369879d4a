#include "varim/db/ale_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "sample_database.h"
#include "varim/db/channel_set.h"
#include "varim/db/rss_file.h"

namespace {

// Packed fields are compared by value (+field): a reference to one would be misaligned.

using namespace varim::db;

bool HasLine(const ProfileFile& file, const std::string& line) {
  return ("\r\n" + file.Text()).find("\r\n" + line + "\r\n") != std::string::npos;
}

std::string SectionText(const ProfileFile& file, const std::string& section) {
  const std::string text = file.Text();
  const std::size_t start = text.find("[" + section + "]\r\n");
  if (start == std::string::npos) return "";
  const std::size_t end = text.find("\r\n[", start + 1);
  return text.substr(start, end == std::string::npos ? std::string::npos : end + 2 - start);
}

class AleFileTest : public ::testing::Test {
 protected:
  void Write(ProfileFile& file) {
    WriteAleFile(file, info_, radio_, ale_, globals_, extra_, flags_);
  }
  void Read(const ProfileFile& file) {
    ReadAleFile(file, nullptr, &ale_, globals_, extra_, flags_, false);
  }

  dbase radio_{};
  ale_dbase ale_{};
  ale_dbase_global_members globals_{};
  tag_extra_options extra_{};
  FileInformation info_{};
  PresenceFlags flags_;
};

TEST_F(AleFileTest, DirectoryMessagesAndDialsAreStoredByText) {
  std::strcpy(ale_.directory[0], "BASE");
  std::strcpy(ale_.directory[4], "MOBILE5");
  std::strcpy(ale_.messages[0], "ALL STATIONS QSY");
  std::strcpy(ale_.messages[3], "RETURN");
  for (auto& dial : ale_.auto_dials) dial[0] = dial[1] = kNoEntry;
  ale_.auto_dials[0][0] = 4;
  ale_.auto_dials[0][1] = 3;
  ale_.auto_dials[2][0] = 0;  // no message
  ale_.auto_dials[9][1] = 0;  // no address
  ProfileFile file;
  Write(file);
  EXPECT_EQ(SectionText(file, "Directory"),
            "[Directory]\r\nAddress No. 1=BASE\r\nAddress No. 5=MOBILE5\r\n");
  EXPECT_EQ(SectionText(file, "Messages"),
            "[Messages]\r\nMessage No. 0=ALL STATIONS QSY\r\nMessage No. 3=RETURN\r\n");
  EXPECT_EQ(SectionText(file, "Automatic Dials"),
            "[Automatic Dials]\r\nAuto Dial No. 0=MOBILE5,RETURN\r\nAuto Dial No. 2=BASE, \r\n"
            "Auto Dial No. 9= ,ALL STATIONS QSY\r\n");

  ale_dbase read{};
  ReadAleFile(file, nullptr, &read, globals_, extra_, flags_, false);
  EXPECT_EQ(read.auto_dials[0][0], 4);
  EXPECT_EQ(read.auto_dials[0][1], 3);
  EXPECT_EQ(read.auto_dials[2][0], 0);
  EXPECT_EQ(read.auto_dials[2][1], kNoEntry);
  EXPECT_EQ(read.auto_dials[9][0], kNoEntry);
  EXPECT_EQ(read.auto_dials[9][1], 0);
  EXPECT_EQ(read.auto_dials[5][0], kNoEntry);
}

TEST_F(AleFileTest, ANetSectionHoldsItsSettingsMembersAndGlobalMembers) {
  std::strcpy(ale_.directory[0], "BASE");
  std::strcpy(ale_.directory[1], "CAR2");
  ale_net& net = ale_.nets[2];
  std::strcpy(net.net_name, "NORTH");
  std::strcpy(net.self_address, "HQ");
  net.members[0] = 1;
  net.members[1] = kOwnSelfAddress;
  std::fill(std::begin(net.members) + 2, std::end(net.members), kNoEntry);
  for (const int c : {4, 9, 12}) AddChannel(net.scanned_channels, c);
  net.all_call_channel = 9;
  net.all_call = 3;
  net.scan_rate = 5;
  net.silent = 0;
  net.tune_time = 4;
  net.sounding = 60;
  net.occupancy_check = 12;
  net.home_ack = net.monitor_ack = net.lqa_request = 1;
  globals_.nets[2].global_members[0] = 0x81;
  std::fill(std::begin(globals_.nets[2].global_members) + 1,
            std::end(globals_.nets[2].global_members), kNoEntry);
  std::strcpy(globals_.nets[2].global_members_name, "WIDE");
  for (int k = 0; k < kNets; ++k) {
    if (k != 2)
      std::fill(std::begin(globals_.nets[k].global_members),
                std::end(globals_.nets[k].global_members), kNoEntry);
  }
  ProfileFile file;
  Write(file);
  EXPECT_EQ(SectionText(file, "Net No. 3"),
            "[Net No. 3]\r\nNet Name=NORTH\r\nSelf Address=HQ\r\nScan_Rate=5 Ch/Sec\r\n"
            "Tune Time=4 Sec\r\nMaster/Slave=Master\r\nSilent=Yes\r\nHome Ack=Yes\r\n"
            "Monitor Ack=Yes\r\nAll Call=Send and Receive\r\nLQA Request=Yes\r\n"
            "Sounding=Auto.-60 Min\r\nOccupancy Check=1200 ms\r\nAll Call Channel=9\r\n"
            "Scanned Channels=4,9,12\r\nMember No. 1=CAR2\r\nMember No. 2=HQ\r\n"
            "Global Member No. 1=129\r\nGlobal Members Name=WIDE\r\n");

  ale_dbase read{};
  ale_dbase_global_members readGlobals{};
  PresenceFlags readFlags;
  readFlags.global_ale_present = 0;
  ReadAleFile(file, nullptr, &read, readGlobals, extra_, readFlags, false);
  EXPECT_EQ(std::memcmp(&read.nets[2], &net, sizeof net), 0);
  EXPECT_EQ(readGlobals.nets[2].global_members[0], 0x81);
  EXPECT_EQ(readGlobals.nets[2].global_members[1], kNoEntry);
  EXPECT_STREQ(readGlobals.nets[2].global_members_name, "WIDE");
  EXPECT_EQ(readFlags.global_ale_present.load(), 1) << "a file with global members uses them";
}

TEST_F(AleFileTest, ANetWithoutScannedChannelsKeepsOnlyItsMembers) {
  std::strcpy(ale_.directory[7], "FIELD");
  std::strcpy(ale_.nets[0].net_name, "SOUTH");
  std::strcpy(ale_.nets[0].self_address, "HQ2");
  ale_.nets[0].members[0] = 7;
  ale_.nets[0].members[1] = kOwnSelfAddress;
  std::fill(std::begin(ale_.nets[0].members) + 2, std::end(ale_.nets[0].members), kNoEntry);
  flags_.global_ale_present = 0;
  ProfileFile file;
  Write(file);
  EXPECT_EQ(SectionText(file, "Net No. 1"),
            "[Net No. 1]\r\nMember No. 1=FIELD\r\nMember No. 2=HQ2\r\n");
  Read(file);
  EXPECT_EQ(ale_.nets[0].net_name[0], '\0');
  EXPECT_EQ(ale_.nets[0].self_address[0], '\0');
  EXPECT_EQ(ale_.nets[0].members[0], 7);
  // Without its self address the net cannot recognise itself among its members any more.
  EXPECT_EQ(ale_.nets[0].members[1], kNoEntry);
}

TEST_F(AleFileTest, HandMadeNetsTakeTheirDefaultsAndDropUnknownMembers) {
  ProfileFile file;
  file.Parse(
      "[Directory]\nAddress No. 1=BASE\nAddress No. 2=CAR2\n"
      "[Net No. 4]\nNet Name=EAST\nSelf Address=HQ4\nScanned Channels=3,5\n"
      "Member No. 1=CAR2\nMember No. 2=NOBODY\nMember No. 3=HQ4\nMember No. 4=base\n");
  Read(file);
  const ale_net& net = ale_.nets[3];
  EXPECT_STREQ(net.net_name, "EAST");
  EXPECT_EQ(net.members[0], 1);
  EXPECT_EQ(net.members[1], kNoEntry) << "not in the directory";
  EXPECT_EQ(net.members[2], kOwnSelfAddress);
  EXPECT_EQ(net.members[3], kNoEntry) << "addresses compare exactly";
  EXPECT_EQ(net.occupancy_check, 0) << "absent: 'No' is no list text, so Off";
  EXPECT_EQ(+net.all_call_channel, kNoChannel) << "absent: 0, then normalised";
  EXPECT_EQ(net.all_call, 3);
  EXPECT_EQ(net.scan_rate, 2);
  EXPECT_EQ(net.silent, 1);
  EXPECT_EQ(net.home_ack, 1);
  EXPECT_TRUE(HasChannel(net.scanned_channels, 5));
  EXPECT_EQ(ale_.ale_options.accept_link_timeout, 1);
  EXPECT_EQ(ale_.ale_options.anycall, 1);
  EXPECT_EQ(extra_.max_channel, 0);
}

TEST_F(AleFileTest, OptionsFromOlderFilesAndTheSharedMultinetKey) {
  ProfileFile file;
  file.Parse(
      "[Options]\nAccept Link Timeout=Yes\nMultinet=Yes\nMax Channel=150\nVcds=on\n"
      "LinkAfterBidr=No\n");
  Read(file);
  EXPECT_EQ(ale_.ale_options.accept_link_timeout, 1);
  EXPECT_EQ(ale_.ale_options.multinet, 1);
  EXPECT_EQ(extra_.multinet, 1) << "one key sets both";
  EXPECT_EQ(extra_.max_channel, 150);
  EXPECT_EQ(extra_.vcds, 1) << "anything but No";
  EXPECT_EQ(extra_.link_after_bidirectional, 0);

  file.Parse("[Options]\nAccept Link Timeout=No\nMax Channel=Auto\n");
  Read(file);
  EXPECT_EQ(ale_.ale_options.accept_link_timeout, 0);
  EXPECT_EQ(extra_.max_channel, 0);
  EXPECT_EQ(extra_.multinet, 0);
}

TEST_F(AleFileTest, TheMultinetKeyHoldsTheExtraOptionOnlyWhileExtraOptionsAreInUse) {
  ale_.ale_options.multinet = 1;
  extra_.multinet = 0;
  ProfileFile file;
  Write(file);
  EXPECT_TRUE(HasLine(file, "Multinet=Yes")) << "the radio uses no extra options";
  Read(file);
  EXPECT_EQ(ale_.ale_options.multinet, 1) << "a save and a load keep the ALE option";

  ale_.ale_options.multinet = 1;
  extra_.multinet = 0;
  flags_.extended_support = 1;
  ProfileFile extended;
  Write(extended);
  EXPECT_TRUE(HasLine(extended, "Multinet=No"));
}

TEST_F(AleFileTest, GlobalMembersNamesAreReadForEveryNetWhileInUse) {
  ProfileFile file;
  file.Parse("[Net No. 6]\nGlobal Members Name=ONLYNAME\n");
  flags_.global_ale_present = 1;
  Read(file);
  EXPECT_STREQ(globals_.nets[5].global_members_name, "ONLYNAME");
  flags_.global_ale_present = 0;
  Read(file);
  EXPECT_EQ(globals_.nets[5].global_members_name[0], '\0') << "not in use: cleared";
  EXPECT_EQ(globals_.nets[5].global_members[0], kNoEntry);
}

TEST_F(AleFileTest, SaveLoadSaveOfAFullDatabaseIsByteIdentical) {
  const auto sample = varim::db::testing::MakeSampleDatabase();
  char pattern[] = "/tmp/ale-test-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  std::strcpy(info_.comment, "Nets for the exercise");
  ASSERT_TRUE(SaveAleFile(folder + "/first.ale", info_, sample.radio, sample.ale,
                          sample.globalMembers, sample.extraOptions, flags_));
  PresenceFlags loadedFlags;
  FileInformation loadedInfo{};
  ale_dbase loaded{};
  ale_dbase_global_members loadedGlobals{};
  tag_extra_options loadedExtra{};
  ASSERT_TRUE(OpenAleFile(folder + "/first.ale", loadedInfo, loaded, loadedGlobals, loadedExtra,
                          loadedFlags));
  EXPECT_EQ(std::memcmp(&loaded, &sample.ale, sizeof loaded), 0);
  EXPECT_EQ(std::memcmp(&loadedGlobals, &sample.globalMembers, sizeof loadedGlobals), 0);
  EXPECT_EQ(std::memcmp(&loadedExtra, &sample.extraOptions, sizeof loadedExtra), 0);
  EXPECT_STREQ(loadedInfo.comment, "Nets for the exercise");
  ASSERT_TRUE(SaveAleFile(folder + "/second.ale", loadedInfo, sample.radio, loaded, loadedGlobals,
                          loadedExtra, loadedFlags));
  auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  EXPECT_EQ(read(folder + "/first.ale"), read(folder + "/second.ale"));
  std::system(("rm -rf " + folder).c_str());
}

TEST_F(AleFileTest, SectionsOfAFreshFileComeInTheSavedOrder) {
  const auto sample = varim::db::testing::MakeSampleDatabase();
  ProfileFile file;
  WriteAleFile(file, info_, sample.radio, sample.ale, sample.globalMembers, sample.extraOptions,
               flags_);
  std::vector<std::string> expected = {"KLV",       "Wide Information", "Options",
                                       "Directory", "Messages",         "Automatic Dials"};
  for (int k = 1; k <= kNets; ++k) expected.push_back("Net No. " + std::to_string(k));
  EXPECT_EQ(file.SectionNames(), expected);
  EXPECT_TRUE(HasLine(file, "Serial_Number=VR2E004711"));
  EXPECT_EQ(ReadAleFile(file, nullptr, nullptr, globals_, extra_, flags_, true), 0);
}

}  // namespace
