#include "varim/db/ccr_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "sample_database.h"
#include "varim/byte_order.h"
#include "varim/db/empty_records.h"

namespace {

using namespace varim::db;

TEST(CcrFile, NumbersAreWrittenPlainAndInTheirOrder) {
  ccir_dbase ccir{};
  WriteBigEndian32(ccir.six_digit_id, 123456);
  WriteBigEndian16(ccir.four_digit_id, 4711);
  ccir.alarm = 1;
  ccir.beacon = 2;
  ccir.preamble = 6;
  std::strcpy(ccir.message1, "EMERGENCY");
  WriteBigEndian32(ccir.ccir_directory[0], 654321);
  WriteBigEndian32(ccir.ccir_directory[42], 100);
  FileInformation info{};
  std::strcpy(info.comment, "two\r\nlines");
  std::strcpy(info.user_name, "ops");
  ProfileFile file;
  WriteCcirFile(file, info, ccir);
  EXPECT_EQ(file.Text(),
            "[Ccir Option]\r\nCcir 6 Digits Id=123456\r\nCcir 4 Digits Id=4711\r\nCcir Alarm=1\r\n"
            "Ccir Beacon=2\r\nCcir Preamble=6\r\nCcir Message1=EMERGENCY\r\nCcir Message2=\r\n"
            "Ccir Directory0=654321\r\nCcir Directory42=100\r\nComment=two\\rlines\r\n"
            "UserName=ops\r\n");
}

TEST(CcrFile, AbsentKeysTakeTheirDefaultsAndHighDirectoryKeysAreIgnored) {
  ProfileFile file;
  file.Parse(
      "[Ccir Option]\nCcir 4 Digits Id=1234\nCcir Directory5=77abc\nCcir Directory100=9\n"
      "Ccir Message1=THIS MESSAGE IS LONGER THAN THIRTY-TWO CHARACTERS\n");
  ccir_dbase ccir;
  std::memset(&ccir, 0xAB, sizeof ccir);
  PresenceFlags flags;
  ReadCcirFile(file, nullptr, ccir, flags);
  EXPECT_EQ(flags.ccir_from_file.load(), 1);
  EXPECT_EQ(ReadBigEndian16(ccir.four_digit_id), 1234);
  EXPECT_EQ(ReadBigEndian32(ccir.six_digit_id), 0u);
  EXPECT_EQ(ccir.preamble, 6);
  EXPECT_EQ(ccir.alarm, 0);
  EXPECT_EQ(ccir.beacon, 0);
  EXPECT_STREQ(ccir.message1, "THIS MESSAGE IS LONGER THAN THIR") << "cut to 32 characters";
  EXPECT_STREQ(ccir.message2, "");
  EXPECT_EQ(ReadBigEndian32(ccir.ccir_directory[5]), 77u) << "the leading digits count";
  for (int i = 0; i < kCcirDirectoryEntries; ++i) {
    if (i != 5) {
      EXPECT_EQ(ReadBigEndian32(ccir.ccir_directory[i]), 0u) << i;
    }
  }
}

TEST(CcrFile, ANewRecordSavesTheNewRadiosPreambleAndMessagesOnly) {
  ProfileFile file;
  WriteCcirFile(file, FileInformation{}, EmptyCcirDatabase());
  EXPECT_EQ(file.Text(),
            "[Ccir Option]\r\nCcir 6 Digits Id=0\r\nCcir 4 Digits Id=0\r\nCcir Alarm=0\r\n"
            "Ccir Beacon=0\r\nCcir Preamble=6\r\nCcir Message1=01 CCIR MSG\r\n"
            "Ccir Message2=02 CCIR MSG\r\nComment=\r\nUserName=\r\n");
}

TEST(CcrFile, SaveAndOpenKeepTheRecordAndTheEmptyEntries) {
  const auto sample = varim::db::testing::MakeSampleDatabase();
  char pattern[] = "/tmp/ccr-test-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string path = std::string(pattern) + "/selcall.ccr";
  FileInformation info{};
  std::strcpy(info.user_name, "ops");
  ASSERT_TRUE(SaveCcrFile(path, info, sample.ccir));
  ccir_dbase loaded{};
  FileInformation loadedInfo{};
  PresenceFlags flags;
  ASSERT_TRUE(OpenCcrFile(path, loadedInfo, loaded, flags));
  EXPECT_EQ(std::memcmp(&loaded, &sample.ccir, sizeof loaded), 0);
  EXPECT_STREQ(loadedInfo.user_name, "ops");
  EXPECT_NE(loadedInfo.file_time, 0u);
  std::system(("rm -rf " + std::string(pattern)).c_str());
}

}  // namespace
