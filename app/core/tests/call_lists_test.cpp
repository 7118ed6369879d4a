#include "varim/core/call_lists.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

using varim::core::CallLists;
using varim::core::CallRecord;

class CallListsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("klv-calls-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  CallLists Lists() const {
    return CallLists(folder_.string(), [] { return std::string("12:34:56"); });
  }
  std::string Read(const char* name) const {
    std::ifstream in(folder_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Write(const char* name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }
  // A file stating count records, with sections for the first sections of them.
  static std::string ListFile(const std::string& kind, int count, int sections) {
    std::ostringstream text;
    text << "[" << (kind == "Log" ? "Log File" : "Stack List") << "]\nNumber of " << kind
         << " Records=" << count << "\n";
    for (int i = 1; i <= sections; ++i)
      text << "[" << kind << " Record No. " << i << "]\nFrom=STATION" << i << "\n";
    return text.str();
  }
  static CallRecord Call(const std::string& from) {
    CallRecord call;
    call.from = from;
    call.to = "BASE";
    call.date = "03/14/24";
    call.start = "12:00:00";
    call.callType = "Station";
    call.net = "1";
    call.channel = "255";
    call.status = "7";
    call.message = "HELLO";
    return call;
  }

  std::filesystem::path folder_;
};

TEST_F(CallListsFiles, LogCallKeepsTheCallerlessCallUntouched) {
  CallLists lists = Lists();
  CallRecord current = Call("");
  const CallRecord before = current;
  lists.LogCall(current, true);
  EXPECT_EQ(current, before) << "not even the End time is set";
  EXPECT_TRUE(lists.Log().empty());
  EXPECT_TRUE(lists.Stack().empty());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "log.txt"));
}

TEST_F(CallListsFiles, LogCallStampsTheEndAndPutsTheCallFirstThenClearsIt) {
  struct Case {
    bool toStack;
    std::size_t stacked;
  };
  for (const Case c : {Case{false, 0}, Case{true, 1}}) {
    SCOPED_TRACE(c.toStack);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    CallLists lists = Lists();
    CallRecord first = Call("FIRST");
    lists.LogCall(first, c.toStack);
    CallRecord current = Call("SECOND");
    lists.LogCall(current, c.toStack);

    EXPECT_EQ(current, CallRecord{}) << "all ten texts cleared";
    ASSERT_EQ(lists.Log().size(), 2u);
    EXPECT_EQ(lists.Log()[0].from, "SECOND") << "newest first";
    EXPECT_EQ(lists.Log()[0].end, "12:34:56");
    EXPECT_EQ(lists.Log()[0].status, "7") << "kept while the program runs";
    ASSERT_EQ(lists.Stack().size(), 2 * c.stacked);
    if (c.toStack) {
      EXPECT_EQ(lists.Stack()[0], lists.Log()[0]);
    }
  }
}

TEST_F(CallListsFiles, ASmallLogIsWrittenInTheClassicForm) {
  CallLists lists = Lists();
  CallRecord older = Call("OLDER");
  lists.LogCall(older, false);
  CallRecord newer = Call("NEWER");
  newer.message = "GO AHEAD   ";
  lists.LogCall(newer, true);

  EXPECT_EQ(Read("log.txt"),
            "[Log File]\r\n"
            "Number of Log Records=2\r\n"
            "[Log Record No. 1]\r\n"
            "From=NEWER\r\nTo=BASE\r\nDate=03/14/24\r\nStart=12:00:00\r\nEnd=12:34:56\r\n"
            "Call Type=Station\r\nNet=1\r\nChannel=255\r\nMessage=GO AHEAD\r\n"
            "[Log Record No. 2]\r\n"
            "From=OLDER\r\nTo=BASE\r\nDate=03/14/24\r\nStart=12:00:00\r\nEnd=12:34:56\r\n"
            "Call Type=Station\r\nNet=1\r\nChannel=255\r\nMessage=HELLO\r\n");
  const std::string stackStart =
      "[Stack List]\r\nNumber of Stack Records=1\r\n[Stack Record No. 1]\r\nFrom=NEWER\r\n";
  EXPECT_EQ(Read("stack.txt").substr(0, stackStart.size()), stackStart);

  CallLists reread = Lists();
  reread.Load();
  ASSERT_EQ(reread.Log().size(), 2u);
  EXPECT_EQ(reread.Log()[0].message, "GO AHEAD");
  EXPECT_EQ(reread.Log()[0].status, "") << "the status text is not kept across a restart";
}

TEST_F(CallListsFiles, TheFilesKeepTheNewestTwoHundredLoggedAndOneHundredStacked) {
  CallLists lists = Lists();
  for (int i = 1; i <= 250; ++i) {
    CallRecord current = Call("STATION" + std::to_string(i));
    lists.LogCall(current, true);
  }
  EXPECT_EQ(lists.Log().size(), 250u) << "no limit in memory";

  CallLists next = Lists();
  next.Load();
  ASSERT_EQ(next.Log().size(), 200u);
  EXPECT_EQ(next.Log().front().from, "STATION250");
  EXPECT_EQ(next.Log().back().from, "STATION51");
  ASSERT_EQ(next.Stack().size(), 100u);
  EXPECT_EQ(next.Stack().back().from, "STATION151");
}

TEST_F(CallListsFiles, StatedCountsAreReadAsTheFileStatesThemWithinTheStackLimit) {
  struct Case {
    const char* kind;
    int stated;
    int sections;
    std::size_t logLoaded;
    std::size_t stackLoaded;
  };
  const Case cases[] = {
      {"Stack", 150, 150, 0, 100},
      {"Log", 300, 300, 300, 0},
      {"Log", 3, 1, 3, 0},  // missing sections give empty records
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.stated));
    std::filesystem::remove(folder_ / "log.txt");
    std::filesystem::remove(folder_ / "stack.txt");
    Write(std::string(c.kind) == "Log" ? "log.txt" : "stack.txt",
          ListFile(c.kind, c.stated, c.sections));
    CallLists lists = Lists();
    lists.Load();
    EXPECT_EQ(lists.Log().size(), c.logLoaded);
    EXPECT_EQ(lists.Stack().size(), c.stackLoaded);
    const auto& loaded = c.logLoaded > 0 ? lists.Log() : lists.Stack();
    EXPECT_EQ(loaded.front().from, "STATION1");
    if (c.sections < c.stated) {
      EXPECT_EQ(loaded.back(), CallRecord{});
    }
  }
}

TEST_F(CallListsFiles, AnOverlongLogIsWrittenBackWithItsNewestTwoHundred) {
  Write("log.txt", ListFile("Log", 300, 300));
  CallLists lists = Lists();
  lists.Load();
  ASSERT_TRUE(lists.Save());
  CallLists reread = Lists();
  reread.Load();
  ASSERT_EQ(reread.Log().size(), 200u);
  EXPECT_EQ(reread.Log().back().from, "STATION200");
}

TEST_F(CallListsFiles, BadCountsAndLongTextsAreBounded) {
  const std::string longText(150, 'x');
  Write("log.txt", "[Log File]\nNumber of Log Records=1\n[Log Record No. 1]\nFrom=" + longText +
                       "\nMessage=" + longText + "\n");
  Write("stack.txt", "[Stack List]\nNumber of Stack Records=abc\n[Stack Record No. 1]\nFrom=A\n");
  CallLists lists = Lists();
  lists.Load();
  ASSERT_EQ(lists.Log().size(), 1u);
  EXPECT_EQ(lists.Log()[0].from, std::string(99, 'x'));
  EXPECT_EQ(lists.Log()[0].message, std::string(99, 'x'));
  EXPECT_TRUE(lists.Stack().empty()) << "a count without digits is 0";
}

// The files used to be written only at a normal exit; a crash lost the run's calls.
TEST_F(CallListsFiles, ACallLoggedBeforeTheProgramIsKilledIsInTheLog) {
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    CallLists lists = Lists();
    CallRecord current = Call("SURVIVOR");
    lists.LogCall(current, true);
    ::kill(::getpid(), SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);

  CallLists lists = Lists();
  lists.Load();
  ASSERT_EQ(lists.Log().size(), 1u);
  EXPECT_EQ(lists.Log()[0].from, "SURVIVOR");
  ASSERT_EQ(lists.Stack().size(), 1u);
}

// A change made before the files were read must not replace the calls they already hold.
TEST_F(CallListsFiles, ACallLoggedBeforeLoadingKeepsTheEarlierCalls) {
  Write("log.txt", ListFile("Log", 2, 2));
  CallLists lists = Lists();
  CallRecord current = Call("NEW");
  lists.LogCall(current, false);
  CallLists reread = Lists();
  reread.Load();
  ASSERT_EQ(reread.Log().size(), 3u);
  EXPECT_EQ(reread.Log()[0].from, "NEW");
  EXPECT_EQ(reread.Log()[2].from, "STATION2");
}

TEST_F(CallListsFiles, DeletingAndTakingFromTheStackAreSavedAtOnce) {
  CallLists lists = Lists();
  for (const char* from : {"A", "B", "C"}) {
    CallRecord current = Call(from);
    lists.LogCall(current, true);
  }
  lists.DeleteLogRecord(1);
  const CallRecord taken = lists.TakeFromStack(0);
  EXPECT_EQ(taken.from, "C");
  lists.DeleteStackRecord(7);  // beyond the list: nothing

  CallLists reread = Lists();
  reread.Load();
  ASSERT_EQ(reread.Log().size(), 2u);
  EXPECT_EQ(reread.Log()[1].from, "A");
  ASSERT_EQ(reread.Stack().size(), 2u);
  EXPECT_EQ(reread.Stack()[0].from, "B");

  lists.DeleteAllLogRecords();
  lists.DeleteAllStackRecords();
  reread.Load();
  EXPECT_TRUE(reread.Log().empty());
  EXPECT_TRUE(reread.Stack().empty());
}

// A log that cannot be written is told once, with its reason, and again only after a save
// succeeded in between; the stack is saved all the same.
TEST_F(CallListsFiles, ALogThatCannotBeWrittenIsToldOnceAndTheStackIsStillSaved) {
  std::filesystem::create_directory(folder_ / "log.txt");
  CallLists lists = Lists();
  std::vector<std::string> told;
  lists.OnSaveFailure([&told](const std::string& reason) { told.push_back(reason); });
  for (const char* from : {"A", "B"}) {
    CallRecord current = Call(from);
    lists.LogCall(current, true);
  }
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find((folder_ / "log.txt").string()), std::string::npos) << told[0];
  EXPECT_NE(Read("stack.txt").find("From=B"), std::string::npos);

  std::filesystem::remove(folder_ / "log.txt");
  lists.DeleteStackRecord(0);
  EXPECT_NE(Read("log.txt").find("From=A"), std::string::npos);
  std::filesystem::remove(folder_ / "log.txt");
  std::filesystem::create_directory(folder_ / "log.txt");
  lists.DeleteLogRecord(0);
  EXPECT_EQ(told.size(), 2u);
}

}  // namespace
