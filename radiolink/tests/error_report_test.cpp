#include "varim/error_report.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

std::vector<std::pair<std::string, std::string>> shown;

void Remember(const char* title, const char* text) { shown.emplace_back(title, text); }

TEST(ErrorReport, OutputErrorShowsTheLastSystemErrorThroughTheInstalledHandler) {
  shown.clear();
  SetErrorMessageHandler(&Remember);
  errno = EACCES;
  EXPECT_EQ(OutputError(), 0);
  SetErrorMessageHandler(nullptr);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, "Error");
  EXPECT_EQ(shown[0].second, "Permission denied");
}

TEST(ErrorReportDeathTest, FatalErrorEndsTheProcessWithAFailureStatus) {
  EXPECT_EXIT(
      {
        errno = EIO;
        FatalError();
      },
      ::testing::ExitedWithCode(kFatalErrorExitCode),
      "Error: Input/output error\nFatal Error: Fatal Error!, Terminating.");
}

}  // namespace
