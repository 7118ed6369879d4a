#include "varim/core/print_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "varim/db/empty_records.h"

namespace {

using varim::core::PrintPages;
using Lines = std::vector<std::string>;

std::string Numbered(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

TEST(PrintPages, ALongLineIsPrintedInPiecesOfEightyCharacters) {
  const std::string line(200, 'x');
  const auto pages = PrintPages(line + "\r\nend\r\n");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0],
            (Lines{std::string(80, 'x'), std::string(80, 'x'), std::string(40, 'x'), "end"}));
  EXPECT_EQ(PrintPages(std::string(160, 'y'))[0],
            (Lines{std::string(80, 'y'), std::string(80, 'y')}));
}

TEST(PrintPages, SixtyLinesFillAPageAndTheNextStartsAnother) {
  EXPECT_EQ(PrintPages(Numbered(60)).size(), 1u);
  const auto pages = PrintPages(Numbered(61));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].size(), 60u);
  EXPECT_EQ(pages[1], Lines{"line 61"});
}

TEST(PrintText, TheAleFileListsEachNetsGlobalMembersByName) {
  varim::db::RadioDatabases db = varim::db::EmptyRadioDatabases();
  std::strcpy(db.ale.directory[3], "BRAVO");
  std::strcpy(db.ale.directory[5], "ECHO");
  std::strcpy(db.ale.nets[1].self_address, "NETTWO");
  db.globalMembers.nets[1].global_members[0] = 3;
  db.globalMembers.nets[1].global_members[1] = 0x80 | 5;
  db.globalMembers.nets[1].global_members[2] = kOwnSelfAddress;
  varim::db::PresenceFlags flags;
  flags.global_ale_present = 1;
  varim::db::FileInformation info{};

  const std::string text = varim::core::PrintText(varim::core::PrintedFile::kAle, db, flags, info);
  EXPECT_NE(text.find("[Net No. 2]\r\nGlobal Member No. 1=BRAVO\r\n"
                      "Global Member No. 2=ECHO Priority Global Member\r\n"
                      "Global Member No. 3=NETTWO\r\n"),
            std::string::npos)
      << text;

  flags.global_ale_present = 0;
  const std::string plain = varim::core::PrintText(varim::core::PrintedFile::kAle, db, flags, info);
  EXPECT_EQ(plain.find("[Net No. "), std::string::npos);
  EXPECT_FALSE(varim::core::PrintText(varim::core::PrintedFile::kRss, db, flags, info).empty());
}

}  // namespace
