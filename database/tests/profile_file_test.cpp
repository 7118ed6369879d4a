#include "varim/db/profile_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace varim::db {
namespace {

using Names = std::vector<std::string>;

ProfileFile Parsed(std::string_view text) {
  ProfileFile file;
  file.Parse(text);
  return file;
}

TEST(ProfileFileRead, AcceptsLfAndCrlfAndIgnoresBlanksAroundNamesAndValues) {
  for (const std::string_view text :
       {"[Radio Options]\nScan_Rate=2 Ch/Sec\nLine=a=b\n",
        "[Radio Options]\r\nScan_Rate=2 Ch/Sec\r\nLine=a=b\r\n",
        " \t[ Radio Options ] \r\n\t Scan_Rate =  2 Ch/Sec \t\r\nLine = a=b",
        "[Radio Options]\r\n; comment\r\nScan_Rate=2 Ch/Sec\r\n\r\nLine=a=b\r\n"}) {
    const ProfileFile file = Parsed(text);
    EXPECT_EQ(file.GetString("Radio Options", "Scan_Rate", "-"), "2 Ch/Sec") << text;
    EXPECT_EQ(file.GetString("Radio Options", "Line", "-"), "a=b") << text;
  }
}

TEST(ProfileFileRead, NamesCompareWithoutRegardToCase) {
  ProfileFile file = Parsed("[Wide Information]\r\nSerial_Number=123\r\n");
  EXPECT_EQ(file.GetString("WIDE information", "serial_NUMBER", ""), "123");
  EXPECT_TRUE(file.HasSection("wide information"));
  EXPECT_TRUE(file.HasKey("WIDE INFORMATION", "SERIAL_NUMBER"));
  file.WriteString("wide INFORMATION", "SERIAL_number", "456");
  EXPECT_EQ(file.Text(), "[Wide Information]\r\nSerial_Number=456\r\n")
      << "the file's spelling stays";
}

TEST(ProfileFileRead, AbsentSectionOrKeyGivesTheDefault) {
  const ProfileFile file = Parsed("[KLV]\r\nKLV_Version=2.10\r\nComment=\r\n;UserName=op\r\n");
  EXPECT_EQ(file.GetString("Missing", "KLV_Version", "2.01"), "2.01");
  EXPECT_EQ(file.GetString("KLV", "Missing", "2.01"), "2.01");
  EXPECT_EQ(file.GetString("KLV", "Comment", "none"), "") << "an empty value is a value";
  EXPECT_EQ(file.GetString("KLV", "UserName", "none"), "none") << "a comment is no key";
  EXPECT_FALSE(file.HasKey("KLV", "UserName"));
  EXPECT_FALSE(file.HasSection("Channels"));
  EXPECT_EQ(file.GetInt("KLV", "Missing", 255), 255);
  EXPECT_EQ(file.GetInt("Missing", "KLV_Version", -1), -1);
}

TEST(ProfileFileRead, ReadsReturnAtMostMaxCharsOfValueOrDefault) {
  const ProfileFile file =
      Parsed("[KLV]\r\nKLV_Version=2.10.7\r\nComment=" + std::string(2000, 'x') + "\r\n");
  EXPECT_EQ(file.GetString("KLV", "KLV_Version", "", 5), "2.10.");
  EXPECT_EQ(file.GetString("KLV", "KLV_Version", "", 6), "2.10.7");
  EXPECT_EQ(file.GetString("KLV", "KLV_Version", "", 0), "");
  EXPECT_EQ(file.GetString("KLV", "Comment", ""), std::string(1023, 'x'));
  EXPECT_EQ(file.GetString("KLV", "UserName", "defaultname", 4), "defa");
}

TEST(ProfileFileRead, IntegersReadTheLeadingNumberAndClampOverflow) {
  const ProfileFile file = Parsed(
      "[Net]\r\nplain=12\r\ntrailing=12abc\r\nletters=abc\r\nempty=\r\nnegative=-5\r\nplus=+7\r\n"
      "spaced=  42  \r\nsignOnly=-\r\nmax=2147483647\r\nmin=-2147483648\r\n"
      "big=99999999999999999999999\r\nsmall=-99999999999999999999999\r\n");
  const std::pair<const char*, int> cases[] = {
      {"plain", 12},    {"trailing", 12}, {"letters", 0},   {"empty", 255},
      {"negative", -5}, {"plus", 7},      {"spaced", 42},   {"signOnly", 0},
      {"max", INT_MAX}, {"min", INT_MIN}, {"big", INT_MAX}, {"small", INT_MIN}};
  for (const auto& [key, expected] : cases)
    EXPECT_EQ(file.GetInt("Net", key, 255), expected) << key;
}

TEST(ProfileFileWrite, NewSectionsGoToTheEndAndNewKeysToTheEndOfTheirSection) {
  ProfileFile file;
  EXPECT_EQ(file.Text(), "");
  file.WriteString("KLV", "KLV_Version", "2.10");
  file.WriteString("Wide Information", "Serial_Number", "123");
  file.WriteString("KLV", "Comment", "x");
  EXPECT_EQ(
      file.Text(),
      "[KLV]\r\nKLV_Version=2.10\r\nComment=x\r\n[Wide Information]\r\nSerial_Number=123\r\n");
  EXPECT_EQ(file.SectionNames(), (Names{"KLV", "Wide Information"}));
  EXPECT_EQ(file.GetString("klv", "comment", ""), "x");
}

TEST(ProfileFileWrite, ChangesTouchOnlyTheirOwnLines) {
  ProfileFile file = Parsed(
      "; written by KLV\r\n[Radio Options]\r\nScan_Rate = 2 Ch/Sec  \r\nBaud_Rate = 9600  \r\n"
      "\r\n; end of options\r\n[Accessories]\r\n; none yet\r\n");
  file.WriteString("radio options", "scan_rate", "5 Ch/Sec");
  file.WriteString("Radio Options", "Language", "ENGLISH");
  file.WriteString("Accessories", "Tuner", "No");
  EXPECT_EQ(
      file.Text(),
      "; written by KLV\r\n[Radio Options]\r\nScan_Rate=5 Ch/Sec\r\nBaud_Rate = 9600  \r\n"
      "Language=ENGLISH\r\n\r\n; end of options\r\n[Accessories]\r\nTuner=No\r\n; none yet\r\n");

  file.DeleteKey("RADIO OPTIONS", "baud_rate");
  file.DeleteKey("Radio Options", "Missing");
  file.DeleteSection("accessories");
  file.DeleteSection("Missing");
  EXPECT_EQ(file.Text(),
            "; written by KLV\r\n[Radio Options]\r\nScan_Rate=5 Ch/Sec\r\nLanguage=ENGLISH\r\n"
            "\r\n; end of options\r\n");
  EXPECT_EQ(file.GetString("Radio Options", "Language", ""), "ENGLISH");
  EXPECT_FALSE(file.HasKey("Radio Options", "Baud_Rate"));
  file.WriteString("Accessories", "Tuner", "Yes");
  EXPECT_EQ(file.SectionNames(), (Names{"Radio Options", "Accessories"}));
  EXPECT_EQ(file.GetString("Accessories", "Tuner", ""), "Yes");
}

TEST(ProfileFileWrite, LineBreaksInValuesBecomeBlanks) {
  ProfileFile file;
  file.WriteString("KLV", "Comment", "first\r\nsecond\nthird\r");
  file.WriteString("KLV", "UserName", "op");
  EXPECT_EQ(file.Text(), "[KLV]\r\nComment=first  second third \r\nUserName=op\r\n");
  EXPECT_EQ(file.GetString("KLV", "Comment", ""), "first  second third");
  EXPECT_EQ(Parsed(file.Text()).GetString("KLV", "Comment", ""), "first  second third");
}

TEST(ProfileFileRoundTrip, LinesThatAreNoKeysSurviveByteForByte) {
  const std::string text =
      "; KLV radio file\r\n\r\nstray=before any section\r\n[KLV]\r\n  KLV_Version =  2.10 \t\r\n"
      ";Comment=old\r\nnot a key line\r\n=no key\r\n[ broken\r\n\t\r\n;two returns\r\r\n"
      "[Channels]  trailing\r\nChannel1=Max,USB,0,0,Slow,SSB\r\n";
  const ProfileFile file = Parsed(text);
  EXPECT_EQ(file.Text(), text);
  EXPECT_EQ(file.SectionNames(), (Names{"KLV", "Channels"}));
  EXPECT_EQ(file.GetString("KLV", "KLV_Version", ""), "2.10");
  EXPECT_FALSE(file.HasKey("KLV", "Comment"));
  EXPECT_FALSE(file.HasKey("KLV", "not a key line"));
  EXPECT_EQ(Parsed("[A]\nk=v\n\n").Text(), "[A]\r\nk=v\r\n\r\n");
}

TEST(ProfileFileDuplicates, TheFirstSectionAndKeyCountAndDeletingASectionRemovesAll) {
  ProfileFile file = Parsed(
      "[Options]\r\nTuner=Yes\r\ntuner=Second\r\n[Other]\r\nx=1\r\n[OPTIONS]\r\nTuner=Maybe\r\n"
      "Extra=1\r\n");
  EXPECT_EQ(file.GetString("Options", "Tuner", ""), "Yes");
  EXPECT_FALSE(file.HasKey("Options", "Extra")) << "a later section of the name is never read";
  EXPECT_EQ(file.SectionNames(), (Names{"Options", "Other"}));

  file.WriteString("options", "TUNER", "No");
  file.WriteString("Options", "Extra", "2");
  EXPECT_EQ(file.Text(),
            "[Options]\r\nTuner=No\r\ntuner=Second\r\nExtra=2\r\n[Other]\r\nx=1\r\n[OPTIONS]\r\n"
            "Tuner=Maybe\r\nExtra=1\r\n");
  file.DeleteKey("Options", "Tuner");
  EXPECT_EQ(file.GetString("Options", "Tuner", ""), "Second") << "the next of the name counts";
  EXPECT_EQ(file.GetString("Options", "Extra", ""), "2");

  file.DeleteSection("Options");
  EXPECT_EQ(file.Text(), "[Other]\r\nx=1\r\n");
  EXPECT_FALSE(file.HasSection("options"));
  EXPECT_EQ(file.GetString("Other", "x", ""), "1");
}

TEST(ProfileFileHostile, GarbageIsCarriedAlongWithoutHarm) {
  using namespace std::string_literals;
  const std::string text = "[\r\n=\r\n = value without key\r\n[A\0B]\r\nk\0ey=v\0lue\r\n"s +
                           "[Long]\r\nk=" + std::string(8 << 20, 'x') + "\r\n" +
                           std::string(1 << 20, '[') + "\r\n";
  const ProfileFile file = Parsed(text);
  EXPECT_EQ(file.Text(), text);
  EXPECT_EQ(file.GetString("A\0B"s, "k\0ey"s, ""), "v\0lue"s);
  EXPECT_EQ(file.GetString("Long", "k", ""), std::string(1023, 'x'));
  EXPECT_EQ(file.GetString("Long", "k", "", text.size()).size(), std::size_t{8} << 20);

  std::mt19937 random(7);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = "[]=;\r\n \t\0aZ\xff"[random() % 12];
  const std::string once = Parsed(noise).Text();
  EXPECT_EQ(Parsed(once).Text(), once);
}

TEST(ProfileFileHostile, ManySectionsAndKeysStayFast) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "[Channels]\r\nChannel1=" + std::to_string(i) + "\r\n";
  for (int i = 0; i < 100000; ++i) text += "[S" + std::to_string(i) + "]\r\nk=1\r\n";
  const auto start = std::chrono::steady_clock::now();
  ProfileFile file = Parsed(text);
  EXPECT_EQ(file.GetString("Channels", "Channel1", ""), "0");
  for (int i = 0; i < 100000; ++i) ASSERT_TRUE(file.HasKey("s" + std::to_string(i), "K"));
  for (int i = 2; i < 10000; ++i) file.WriteString("Channels", "Channel" + std::to_string(i), "x");
  for (int i = 2; i < 10000; ++i)
    ASSERT_TRUE(file.HasKey("Channels", "Channel" + std::to_string(i)));
  file.DeleteSection("channels");
  EXPECT_FALSE(file.HasSection("Channels"));
  EXPECT_EQ(file.SectionNames().size(), 100000u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

class ProfileFileDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/profile_file_test.XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  Names Entries() const {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static mode_t Mode(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
  }

  std::string folder_;
};

TEST_F(ProfileFileDisk, LoadRefusesWhatIsNoReadableFileAndKeepsTheContent) {
  WriteFile(Path("radio.rss"), "[KLV]\nKLV_Version=2.10\n");
  ProfileFile file;
  std::string error;
  ASSERT_TRUE(file.Load(Path("radio.rss"), &error)) << error;
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  ASSERT_EQ(::truncate(Path("radio.rss").c_str(), 0), 0);
  const std::string big = Path("big.rss");
  WriteFile(big, "");
  ASSERT_EQ(::truncate(big.c_str(), ProfileFile::kMaxFileBytes + 1), 0);

  const std::pair<std::string, std::string> failures[] = {
      {Path("missing.rss"), "No such file or directory"},
      {folder_, "Is a directory"},
      {Path("fifo"), "not a regular file"},
      {big, "File too large"}};
  for (const auto& [path, reason] : failures) {
    error.clear();
    EXPECT_FALSE(file.Load(path, &error));
    EXPECT_EQ(error, "cannot read " + path + ": " + reason);
    EXPECT_EQ(file.Text(), "[KLV]\r\nKLV_Version=2.10\r\n");
  }
  ASSERT_EQ(::truncate(big.c_str(), ProfileFile::kMaxFileBytes), 0);
  EXPECT_TRUE(file.Load(big));
  EXPECT_EQ(file.Text().size(), ProfileFile::kMaxFileBytes + 2);
}

TEST_F(ProfileFileDisk, SaveReplacesTheFileWholeWithCrlfLines) {
  WriteFile(Path("radio.rss"), "[Old]\nk=v\n");
  ProfileFile file;
  ASSERT_TRUE(file.Load(Path("radio.rss")));
  file.WriteString("KLV", "KLV_Version", "2.10");
  std::string error;
  ASSERT_TRUE(file.Save(Path("radio.rss"), &error)) << error;
  EXPECT_EQ(ReadFile(Path("radio.rss")), "[Old]\r\nk=v\r\n[KLV]\r\nKLV_Version=2.10\r\n");

  // A bare file name is saved in the working folder.
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  const bool saved = file.Save("plain.rss", &error);
  std::filesystem::current_path(previous);
  ASSERT_TRUE(saved) << error;
  EXPECT_EQ(ReadFile(Path("plain.rss")), ReadFile(Path("radio.rss")));
  EXPECT_EQ(Entries(), (Names{"plain.rss", "radio.rss"}));
}

TEST_F(ProfileFileDisk, SaveKeepsThePermissionsOfTheFileItReplaces) {
  WriteFile(Path("kept.rss"), "");
  ASSERT_EQ(::chmod(Path("kept.rss").c_str(), 0640), 0);
  const ProfileFile file = Parsed("[KLV]\r\n");
  ASSERT_TRUE(file.Save(Path("kept.rss")));
  EXPECT_EQ(Mode(Path("kept.rss")), 0640u);

  const mode_t previousMask = ::umask(002);
  const bool saved = file.Save(Path("new.rss"));
  ::umask(previousMask);
  ASSERT_TRUE(saved);
  EXPECT_EQ(Mode(Path("new.rss")), 0664u) << "as any new file, not private to its owner";
}

TEST_F(ProfileFileDisk, SaveThroughASymbolicLinkReplacesTheFileBehindIt) {
  WriteFile(Path("real.rss"), "[Old]\r\n");
  ASSERT_EQ(::symlink(Path("real.rss").c_str(), Path("link.rss").c_str()), 0);
  ASSERT_TRUE(Parsed("[New]\r\n").Save(Path("link.rss")));
  EXPECT_EQ(ReadFile(Path("real.rss")), "[New]\r\n");
  struct stat status {};
  ASSERT_EQ(::lstat(Path("link.rss").c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode)) << "the link stays a link";
}

TEST_F(ProfileFileDisk, FailedSavesLeaveEverythingAsItWas) {
  const ProfileFile file = Parsed("[KLV]\r\nComment=" + std::string(65536, 'c') + "\r\n");
  std::string error;
  EXPECT_FALSE(file.Save(Path("missing/radio.rss"), &error));
  EXPECT_EQ(error, "cannot save " + Path("missing/radio.rss") + ": No such file or directory");
  EXPECT_EQ(Entries(), Names{});

  ASSERT_EQ(::mkdir(Path("folder.rss").c_str(), 0755), 0);
  WriteFile(Path("folder.rss/inside"), "kept");
  EXPECT_FALSE(file.Save(Path("folder.rss"), &error));
  EXPECT_EQ(error, "cannot save " + Path("folder.rss") + ": Is a directory");
  EXPECT_EQ(ReadFile(Path("folder.rss/inside")), "kept");
  EXPECT_EQ(Entries(), Names{"folder.rss"});

  // A file size limit makes the write stop part way, whatever the user's rights.
  WriteFile(Path("radio.rss"), "[Old]\r\n");
  rlimit previousLimit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
  rlimit limit = previousLimit;
  limit.rlim_cur = 4096;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const bool saved = file.Save(Path("radio.rss"), &error);
  ::setrlimit(RLIMIT_FSIZE, &previousLimit);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(saved);
  EXPECT_EQ(error, "cannot save " + Path("radio.rss") + ": File too large");
  EXPECT_EQ(ReadFile(Path("radio.rss")), "[Old]\r\n");
  EXPECT_EQ(Entries(), (Names{"folder.rss", "radio.rss"}));
}

TEST_F(ProfileFileDisk, SaveRemovesOnlyTheLeftoversOfKilledSavesOfTheSameFile) {
  ASSERT_EQ(::mkdir(Path("sub").c_str(), 0755), 0);
  const Names kept = {
      ".other.rss.Ab3xYz", ".radio.rss.Ab3x", ".radio.rss.Ab3x-z", ".radio.rss.Link01",
      ".radio.rss.Locked", "radio.rss",       "radio.rss.Ab3xYz",  "sub"};
  for (const char* name :
       {".radio.rss.Ab3xYz", ".radio.rss.000000", ".other.rss.Ab3xYz", ".radio.rss.Ab3x",
        ".radio.rss.Ab3x-z", "radio.rss.Ab3xYz", "sub/.radio.rss.Ab3xYz"}) {
    WriteFile(Path(name), "half written");
  }
  ASSERT_EQ(::symlink(Path("radio.rss.Ab3xYz").c_str(), Path(".radio.rss.Link01").c_str()), 0);
  // A save of the same file running meanwhile holds its temporary file locked.
  WriteFile(Path(".radio.rss.Locked"), "being written");
  const int running = ::open(Path(".radio.rss.Locked").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(running, 0);
  ASSERT_EQ(::flock(running, LOCK_EX), 0);

  ASSERT_TRUE(Parsed("[KLV]\r\n").Save(Path("radio.rss")));
  ::close(running);
  EXPECT_EQ(Entries(), kept);
  EXPECT_TRUE(std::filesystem::exists(Path("sub/.radio.rss.Ab3xYz"))) << "only the file's folder";
}

TEST_F(ProfileFileDisk, ModificationTimeIsTheFilesOrZero) {
  WriteFile(Path("radio.rss"), "");
  const timespec times[2] = {{1000000000, 0}, {1234567890, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, Path("radio.rss").c_str(), times, 0), 0);
  EXPECT_EQ(FileModificationTime(Path("radio.rss")), 1234567890);
  EXPECT_EQ(FileModificationTime(Path("missing.rss")), 0);
}

}  // namespace
}  // namespace varim::db
