#include "call_log_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "commands.h"
#include "varim/core/call_lists.h"

namespace {

class LogCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_);
    varim::core::CallLists calls(folder_.string(), [] { return std::string("10:00:05"); });
    auto call = [](const char* from, const char* to, const char* channel, const char* message) {
      varim::core::CallRecord record;
      record.from = from;
      record.to = to;
      record.date = "03/14/24";
      record.start = "10:00:00";
      record.callType = "Station";
      record.net = "1";
      record.channel = channel;
      record.message = message;
      return record;
    };
    varim::core::CallRecord first = call("ALPHA", "BASE, NORTH", "5", "SAY \"AGAIN\"  ");
    calls.LogCall(first, true);
    varim::core::CallRecord second = call("BRAVO", "BASE", "255", "");
    calls.LogCall(second, false);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  int Run(varimctl::LogOptions options) {
    options.dir = folder_.string();
    return varimctl::RunLog(options, out_, err_);
  }

  std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() / ("varimctl-log-" + std::to_string(::getpid()));
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(LogCommandTest, TheLogIsATableNewestFirst) {
  ASSERT_EQ(Run({}), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(out_.str(),
            "From   To           Date      Start     End       CallType  Net  Channel  Message\n"
            "BRAVO  BASE         03/14/24  10:00:00  10:00:05  Station   1    255\n"
            "ALPHA  BASE, NORTH  03/14/24  10:00:00  10:00:05  Station   1    5        SAY "
            "\"AGAIN\"\n");
}

TEST_F(LogCommandTest, CsvQuotesTheFieldsThatNeedIt) {
  varimctl::LogOptions options;
  options.csv = true;
  options.stack = true;
  ASSERT_EQ(Run(options), varimctl::kExitOk) << err_.str();
  EXPECT_EQ(out_.str(),
            "From,To,Date,Start,End,CallType,Net,Channel,Message\n"
            "ALPHA,\"BASE, NORTH\",03/14/24,10:00:00,10:00:05,Station,1,5,\"SAY \"\"AGAIN\"\"\"\n");
}

TEST_F(LogCommandTest, AMissingFolderIsAnError) {
  varimctl::LogOptions options;
  options.dir = (folder_ / "absent").string();
  EXPECT_EQ(varimctl::RunLog(options, out_, err_), varimctl::kExitPortUnavailable);
  EXPECT_EQ(err_.str(), "varimctl: no such folder: " + options.dir + "\n");
}

}  // namespace
