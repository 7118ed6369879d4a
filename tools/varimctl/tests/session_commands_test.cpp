#include "session_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "channel_commands.h"
#include "diff_command.h"
#include "varim/byte_order.h"
#include "varim/core/operator_texts.h"
#include "varim/db/ale_file.h"
#include "varim/db/empty_records.h"
#include "varim/db/rss_file.h"
#include "varim/db/value_lists.h"
#include "varim/sim/radio_memory.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"

namespace {

using varim::sim::FindProfile;
using varim::sim::SimOptions;
using varim::sim::SimulatedRadio;

SimOptions Radio(const std::string& profile, bool blank) {
  SimOptions options;
  options.profile = *FindProfile(profile);
  if (!blank) options.memory = varim::sim::SampleMemory(options.profile);
  return options;
}

class SessionCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/varimctl-radio-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  varimctl::DatabaseFiles Files(bool withCcr) const {
    varimctl::DatabaseFiles files{Path("radio.rss"), Path("nets.ale"), std::nullopt};
    if (withCcr) files.ccr = Path("selcall.ccr");
    return files;
  }

  // Backups go into the test's folder, never the user's.
  int Read(SimulatedRadio& radio, const varimctl::DatabaseFiles& files,
           const std::atomic<bool>* stop = nullptr, const std::string& backups = "backups") {
    out_.str("");
    err_.str("");
    const varimctl::LinkOptions link{radio.DevicePath(), 1, 9600, {}};
    return varimctl::RunRead(link, files, {varimctl::ProgressDisplay::kNone, false, stop},
                             Path(backups), out_, err_);
  }

  int DiffWithRadio(SimulatedRadio& radio, const std::string& file) {
    out_.str("");
    err_.str("");
    const varimctl::LinkOptions link{radio.DevicePath(), 1, 9600, {}};
    return varimctl::RunDiffWithRadio(link, Path(file), {}, Path("backups"), out_, err_);
  }

  int Write(SimulatedRadio& radio, const varimctl::DatabaseFiles& files, int baud = 9600,
            bool yes = false, bool verify = false) {
    out_.str("");
    err_.str("");
    const varimctl::LinkOptions link{radio.DevicePath(), 1, baud, {}};
    return varimctl::RunWrite(link, files, {varimctl::ProgressDisplay::kNone, yes, nullptr}, verify,
                              out_, err_);
  }

  std::string folder_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(SessionCommandsTest, ReadSavesTheWholeRadioAndWriteProgramsItIntoAnother) {
  SimulatedRadio source(Radio("varim-ccir-extended", false));
  SimulatedRadio target(Radio("varim-ccir-extended", true));
  ASSERT_TRUE(source.Start());
  ASSERT_TRUE(target.Start());

  ASSERT_EQ(Read(source, Files(true)), varimctl::kExitOk) << err_.str();
  const std::string out = out_.str();
  const std::string read =
      "read VARIM (generation 2), serial VR2E004711: 200 channels, 20 nets, CCIR data, "
      "extra options\nbacked up in ";
  const std::string saved =
      "saved " + Path("radio.rss") + ", " + Path("nets.ale") + ", " + Path("selcall.ccr") + "\n";
  EXPECT_TRUE(out.starts_with(read) && out.ends_with(saved)) << out;
  const std::string backup = out.substr(read.size(), out.find('\n', read.size()) - read.size());
  EXPECT_TRUE(backup.starts_with(Path("backups/VR2E004711/"))) << backup;
  EXPECT_EQ(::access((backup + "/VR2E004711.ccr").c_str(), F_OK), 0) << backup;

  ASSERT_EQ(Write(target, Files(true)), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "written: 200 channels, 20 nets\n");
  const auto expected = source.Memory().Bytes();
  const auto written = target.Memory().Bytes();
  for (const auto& range : varim::sim::WrittenRanges(*FindProfile("varim-ccir-extended"))) {
    EXPECT_EQ(std::memcmp(expected.data() + range.address, written.data() + range.address,
                          static_cast<std::size_t>(range.length)),
              0)
        << "memory at " << range.address;
  }
}

TEST_F(SessionCommandsTest, ARadioWithoutCcirWritesNoCcirFile) {
  SimulatedRadio radio(Radio("varim", false));
  ASSERT_TRUE(radio.Start());
  ASSERT_EQ(Read(radio, Files(true)), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(err_.str(), "varimctl: the radio carries no CCIR data; " + Path("selcall.ccr") +
                            " was not written\n");
  EXPECT_NE(::access(Path("radio.rss").c_str(), F_OK), -1);
  EXPECT_EQ(::access(Path("selcall.ccr").c_str(), F_OK), -1);
}

TEST_F(SessionCommandsTest, AReadThatCannotBeBackedUpSaysSoAndStillSavesItsFiles) {
  SimulatedRadio radio(Radio("varim", false));
  ASSERT_TRUE(radio.Start());
  std::ofstream(Path("file")) << "not a folder";
  ASSERT_EQ(Read(radio, Files(false), nullptr, "file"), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(err_.str().rfind("varimctl: " +
                             varim::core::texts::BackupFailed("cannot create " + Path("file/"))),
            0u)
      << err_.str();
  EXPECT_NE(out_.str().find("saved " + Path("radio.rss")), std::string::npos) << out_.str();
  EXPECT_EQ(out_.str().find("backed up"), std::string::npos);
}

// Compared as a file saved from the radio would hold it: what the radio holds beyond a file
// (global members, extra options, CCIR numbers, a blank radio's values out of range) makes no
// difference of its own.
TEST_F(SessionCommandsTest, DiffWithTheRadioFindsOnlyWhatTheFileChanged) {
  const std::pair<const char*, bool> radios[] = {{"varim-ccir-extended", false},
                                                 {"varim-global", true}};
  for (const auto& [profile, blank] : radios) {
    SimulatedRadio radio(Radio(profile, blank));
    ASSERT_TRUE(radio.Start());
    ASSERT_EQ(Read(radio, Files(true)), varimctl::kExitOk) << err_.str();
    for (const char* file : {"radio.rss", "nets.ale"}) {
      EXPECT_EQ(DiffWithRadio(radio, file), varimctl::kExitOk) << profile << " " << file;
      EXPECT_EQ(out_.str(), "") << profile << " " << file;
    }
  }

  SimulatedRadio radio(Radio("varim", false));
  ASSERT_TRUE(radio.Start());
  ASSERT_EQ(Read(radio, Files(false)), varimctl::kExitOk) << err_.str();
  varim::db::FileInformation info{};
  varim::db::PresenceFlags flags;
  auto db = std::make_unique<varim::db::RadioDatabases>(varim::db::EmptyRadioDatabases());
  ASSERT_TRUE(varim::db::OpenRssFile(Path("radio.rss"), info, db->radio, db->channelNames, flags));
  const std::uint8_t radioPower = db->radio.channels[0].tx_power;
  const std::uint8_t filePower = radioPower == 2 ? 3 : 2;
  db->radio.channels[0].tx_power = filePower;
  ASSERT_TRUE(varim::db::SaveRssFile(Path("radio.rss"), info, db->radio, db->channelNames, flags));
  EXPECT_EQ(DiffWithRadio(radio, "radio.rss"), varimctl::kExitDifferent) << err_.str();
  using varim::db::CodeToText;
  namespace lists = varim::db::lists;
  EXPECT_EQ(out_.str(), std::string("Channel 1: Power ") + CodeToText(lists::kPower, filePower) +
                            " → " + CodeToText(lists::kPower, radioPower) + "\n");

  const varimctl::LinkOptions nowhere{"/dev/no-such-radio", 1, 9600, {}};
  EXPECT_EQ(varimctl::RunDiffWithRadio(nowhere, Path("radio.rss"), {}, Path("backups"), out_, err_),
            varimctl::kExitPortUnavailable);
}

TEST_F(SessionCommandsTest, CtrlCAbortsTheReadAndSavesNothing) {
  SimulatedRadio radio(Radio("varim", false));
  ASSERT_TRUE(radio.Start());
  const std::atomic<bool> stop{true};
  EXPECT_EQ(Read(radio, Files(false), &stop), varimctl::kExitNoResponse);
  EXPECT_EQ(err_.str(), "varimctl: read aborted\n");
  EXPECT_EQ(::access(Path("radio.rss").c_str(), F_OK), -1);
}

TEST_F(SessionCommandsTest, WriteRefusesWhatWouldDamageTheRadio) {
  SimulatedRadio radio(Radio("varim", true));
  ASSERT_TRUE(radio.Start());
  varimctl::DatabaseFiles noAle{Path("radio.rss"), std::nullopt, std::nullopt};
  EXPECT_EQ(Write(radio, noAle), varimctl::kExitUsage);
  EXPECT_EQ(err_.str(),
            "varimctl: a write replaces the radio's nets too: give the --ale file as well\n");

  // A radio file whose priority channel is not programmed.
  varim::db::PresenceFlags flags;
  varim::db::FileInformation info{};
  dbase radioRecord = varim::db::EmptyRadioDatabase();
  ASSERT_TRUE(varim::db::SaveRssFile(Path("radio.rss"), info, radioRecord, channel_name{}, flags));
  ASSERT_TRUE(varim::db::SaveAleFile(Path("nets.ale"), info, radioRecord,
                                     varim::db::EmptyAleDatabase(), varim::db::EmptyGlobalMembers(),
                                     tag_extra_options{}, flags));
  EXPECT_EQ(Write(radio, Files(false)), varimctl::kExitNoResponse);
  EXPECT_EQ(err_.str(),
            "varimctl: the configuration has errors; nothing was written:\n"
            "Priority channel 1 is not programmed.\n");
  EXPECT_EQ(radio.Statistics().framesReceived, 0) << "the radio was not even opened";
}

TEST_F(SessionCommandsTest, ADifferentLineSpeedIsWrittenOnlyWhenConfirmed) {
  SimulatedRadio source(Radio("varim", false));
  ASSERT_TRUE(source.Start());
  ASSERT_EQ(Read(source, Files(false)), varimctl::kExitOk);
  SimulatedRadio target(Radio("varim", true));
  ASSERT_TRUE(target.Start());
  EXPECT_EQ(Write(target, Files(false), 4800), varimctl::kExitNoResponse);
  EXPECT_EQ(err_.str(),
            "Radio baud rate is different from computer baud rate. Continue Programming? no "
            "(give --yes to answer yes)\nvarimctl: nothing was written\n");
  EXPECT_EQ(Write(target, Files(false), 4800, true), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "written: 200 channels, 20 nets\nthe radio now works at 9600 baud\n");
}

TEST_F(SessionCommandsTest, VerifiedWritesSayWhetherTheRadioHoldsTheFiles) {
  SimulatedRadio source(Radio("varim-global", false));
  ASSERT_TRUE(source.Start());
  ASSERT_EQ(Read(source, Files(false)), varimctl::kExitOk);

  SimulatedRadio target(Radio("varim-global", true));
  ASSERT_TRUE(target.Start());
  ASSERT_EQ(Write(target, Files(false), 9600, false, true), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(out_.str(), "written and verified: 200 channels, 20 nets\n");

  SimulatedRadio spoiling(Radio("varim-global", true));
  ASSERT_TRUE(spoiling.Start());
  spoiling.CorruptKeepingChecksum(1 << 20);
  EXPECT_EQ(Write(spoiling, Files(false), 9600, false, true), varimctl::kExitNoResponse);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), std::string(varim::core::texts::kVerificationFailed) + "Groups\n");
}

TEST_F(SessionCommandsTest, VersionChannelAndProgramChannel) {
  SimulatedRadio radio(Radio("varim-2e", false));
  ASSERT_TRUE(radio.Start());
  const varimctl::LinkOptions link{radio.DevicePath(), 1, 9600, {}};
  EXPECT_EQ(varimctl::RunVersion(link, out_, err_), varimctl::kExitOk);
  EXPECT_EQ(out_.str(), "02.050\nVARIM-2E (generation 1)\n");

  out_.str("");
  EXPECT_EQ(varimctl::RunChannel(link, std::nullopt, out_, err_), varimctl::kExitOk);
  EXPECT_EQ(out_.str(),
            "channel 1  tx 1.74500 MHz  rx 1.74500 MHz  MED  USB  PLT  AGC Fast  BW 3.3\n");

  varimctl::ChannelSettings settings;
  settings.number = 7;
  settings.txMHz = "12.5";
  settings.rxMHz = "12.50500";
  settings.sideband = "LSB";
  out_.str("");
  EXPECT_EQ(varimctl::RunProgramChannel(link, settings, out_, err_), varimctl::kExitOk)
      << err_.str();
  EXPECT_EQ(out_.str(), "channel 7 programmed\n");
  std::uint8_t record[13];
  radio.Memory().Read(1675 + 13 * 7, 13, record);
  EXPECT_EQ(ReadBigEndian32(record + 3), 12'500'000u);
  EXPECT_EQ(ReadBigEndian32(record + 7), 12'505'000u);
  EXPECT_EQ(record[0], 5) << "Max";
  EXPECT_EQ(record[1], 0) << "LSB";
}

TEST(ProgramChannelSettings, MistakesAreUsageErrorsBeforeTheRadioIsTouched) {
  std::ostringstream out;
  std::ostringstream err;
  const varimctl::LinkOptions link{"/dev/no-such-radio", 1, 9600, {}};
  varimctl::ChannelSettings settings;
  settings.number = 3;
  settings.txMHz = "12.5";
  settings.power = "max";
  EXPECT_EQ(varimctl::RunProgramChannel(link, settings, out, err), varimctl::kExitUsage);
  EXPECT_EQ(err.str(), "varimctl: 'max' is no power (Low, Medium, High, Max)\n");

  settings.power = "Max";
  settings.txMHz = "1.59999";
  err.str("");
  EXPECT_EQ(varimctl::RunProgramChannel(link, settings, out, err), varimctl::kExitUsage);
  EXPECT_EQ(err.str(),
            "varimctl: transmit 1.6 to 30 MHz and receive 0.1 to 30 MHz (0 for none, not both)\n");
  settings.txMHz = "0";
  EXPECT_EQ(varimctl::RunProgramChannel(link, settings, out, err), varimctl::kExitUsage)
      << "a channel without any frequency";
}

TEST(ProgramChannelSettings, MegahertzAreReadToTheHertz) {
  const std::pair<const char*, std::uint32_t> good[] = {
      {"12.5", 12'500'000}, {"7.15500", 7'155'000},  {"30", 30'000'000},
      {"0.1", 100'000},     {"2.182000", 2'182'000}, {"0", 0}};
  for (const auto& [text, hertz] : good) {
    std::uint32_t value = 1;
    ASSERT_TRUE(varimctl::ParseMegahertz(text, value)) << text;
    EXPECT_EQ(value, hertz) << text;
  }
  std::uint32_t value = 0;
  for (const char* text : {"", ".5", "12,5", "-1", "1e6", "1234", "1.0000001", "7.1a"})
    EXPECT_FALSE(varimctl::ParseMegahertz(text, value)) << text;
}

}  // namespace
