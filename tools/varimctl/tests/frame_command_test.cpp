#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "commands.h"

namespace {

struct FrameRun {
  int status;
  std::string out;
  std::string err;
};

FrameRun Frame(const std::string& name, const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = varimctl::RunFrame(name, args, out, err);
  return {status, out.str(), err.str()};
}

TEST(FrameCommand, PrintsTheImageAsUpperCaseHexBytes) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    const char* image;
  } cases[] = {
      {"ReportActiveChannel", {}, "24 01 18 02 3F 03\n"},
      {"SetActiveChannel", {"0", "200"}, "24 04 18 01 00 00 C8 09 03\n"},
      {"SetRecieverFrequency", {"0", "101"}, "24 06 18 05 00 00 01 8A 88 5A 03\n"},
      {"GetMemorySection", {"0x0000F0", "200"}, "24 05 18 24 00 00 F0 C8 1D 03\n"},
      {"ProgramMemorySection",
       {"0x010203", "0xAA", "0x55"},
       "24 08 18 20 00 01 02 03 02 AA 55 6B 03\n"},
      {"AllCall", {"0xFF", "0xFF", "HI"}, "24 09 18 47 01 FF FF 00 01 48 49 00 1D 03\n"},
      {"SendReportCommand", {"0x58"}, "24 01 18 58 95 03\n"},
  };
  for (const auto& c : cases) {
    const FrameRun run = Frame(c.name, c.args);
    EXPECT_EQ(run.status, varimctl::kExitOk) << c.name << ": " << run.err;
    EXPECT_EQ(run.out, c.image) << c.name;
  }
}

TEST(FrameCommand, ARefusedFrameSaysRefusedAndExitsOne) {
  for (const auto& [name, args] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"SetActiveChannel", {"0", "201"}},
           {"SetTransmitterFrequency", {"0", "1599"}},
           {"ReportControlHeadKeyboard", {"-1"}},
           {"EnterNetwork", {"21"}}}) {
    const FrameRun run = Frame(name, args);
    EXPECT_EQ(run.status, varimctl::kExitNoResponse) << name;
    EXPECT_EQ(run.out, "") << name;
    EXPECT_EQ(run.err, "refused\n") << name;
  }
}

TEST(FrameCommand, UnknownBuildersAndBadArgumentsAreUsageErrors) {
  FrameRun run = Frame("SetChannel", {"1"});
  EXPECT_EQ(run.status, varimctl::kExitUsage);
  EXPECT_EQ(run.err,
            "varimctl: no builder is called 'SetChannel' (varimctl frame --list shows them)\n");
  run = Frame("SetActiveChannel", {"0"});
  EXPECT_EQ(run.status, varimctl::kExitUsage);
  EXPECT_EQ(run.err,
            "varimctl: SetActiveChannel: missing arguments; usage: SetActiveChannel A CHANNEL\n");
}

}  // namespace
