#include "varim/panels/ccir_form.h"

#include <gtest/gtest.h>

#include <cstring>

#include "varim/byte_order.h"
#include "varim/db/empty_records.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::panels::CcirForm;
using IdBox = CcirForm::IdBox;
using MessageBox = CcirForm::MessageBox;

class CcirFormTest : public ::testing::Test {
 protected:
  CcirFormTest() {
    form_.SetEdited([this] { ++edits_; });
  }

  varim::db::RadioDatabases db_ = varim::db::EmptyRadioDatabases();
  varim::testing::RecordingOperator operator_;
  CcirForm form_{db_, operator_};
  int edits_ = 0;
};

TEST_F(CcirFormTest, TypingALetterBetweenDigitsDropsItWithOneNotice) {
  for (const char* typed : {"1", "12", "12a", "124"}) form_.TypeId(IdBox::kFourDigit, typed);
  EXPECT_EQ(form_.IdText(IdBox::kFourDigit), "124");
  EXPECT_EQ(ReadBigEndian16(db_.ccir.four_digit_id), 124u);
  EXPECT_EQ(operator_.Notices(), std::vector<std::string>{CcirForm::kNotWholeNumber});
}

TEST_F(CcirFormTest, IdBoxesKeepDigitsUpToTheirWidthAndStoreTheirNumber) {
  struct Case {
    IdBox box;
    const char* typed;
    const char* shown;
    std::uint32_t stored;
    std::size_t notices;
  } cases[] = {
      {IdBox::kSixDigit, "1x2-3", "123", 123, 2},
      {IdBox::kSixDigit, "0042", "0042", 42, 0},
      {IdBox::kFourDigit, "98765", "9876", 9876, 0},
      {IdBox::kFourDigit, "5\u00b07", "57", 57, 1},
      {IdBox::kFourDigit, "", "", 0, 0},
  };
  for (const Case& c : cases) {
    operator_.Forget();
    form_.TypeId(c.box, c.typed);
    const std::uint32_t stored = c.box == IdBox::kFourDigit
                                     ? ReadBigEndian16(db_.ccir.four_digit_id)
                                     : ReadBigEndian32(db_.ccir.six_digit_id);
    EXPECT_EQ(form_.IdText(c.box), c.shown) << c.typed;
    EXPECT_EQ(stored, c.stored) << c.typed;
    EXPECT_EQ(operator_.Notices().size(), c.notices) << c.typed;
  }
}

TEST_F(CcirFormTest, MessagesKeepWhatTheRadioSendsAndRewriteTheWholeField) {
  std::memset(db_.ccir.message2, 'X', sizeof db_.ccir.message2);
  form_.TypeMessage(MessageBox::kSecond, "Call 12 now!");
  EXPECT_EQ(form_.MessageText(MessageBox::kSecond), "C 12 ");
  for (std::size_t i = 5; i < sizeof db_.ccir.message2; ++i)
    EXPECT_EQ(db_.ccir.message2[i], 0) << i;
  form_.TypeMessage(MessageBox::kFirst, std::string(40, 'A'));
  EXPECT_EQ(form_.MessageText(MessageBox::kFirst), std::string(CcirForm::kLongestMessage, 'A'));
  EXPECT_TRUE(operator_.Notices().empty());
}

TEST_F(CcirFormTest, APreambleTheRadioCannotUseShowsAsSix) {
  const std::pair<std::uint8_t, int> cases[] = {{0, 5}, {11, 5}, {1, 0}, {10, 9}};
  for (const auto& [stored, index] : cases) {
    db_.ccir.preamble = stored;
    form_.Load();
    EXPECT_EQ(form_.PreambleIndex(), index) << int{stored};
    EXPECT_EQ(db_.ccir.preamble, index + 1) << "what is shown is what is saved";
  }
}

TEST_F(CcirFormTest, EveryEditThatChangesTheRecordIsToldButLoadIsNot) {
  WriteBigEndian32(db_.ccir.six_digit_id, 123456);
  form_.Load();
  EXPECT_EQ(form_.IdText(IdBox::kSixDigit), "123456");
  EXPECT_EQ(form_.IdText(IdBox::kFourDigit), "") << "no ID yet";
  form_.SetAlarm(true);
  form_.ChoosePreamble(2);
  EXPECT_EQ(db_.ccir.alarm, 1);
  EXPECT_EQ(db_.ccir.preamble, 3);
  EXPECT_EQ(edits_, 2);
  form_.TypeId(IdBox::kSixDigit, "12");
  form_.TypeId(IdBox::kSixDigit, "012");
  form_.TypeMessage(MessageBox::kFirst, "01 CCIR MSGx");
  EXPECT_EQ(edits_, 3) << "leading zeros and dropped characters leave the record as it was";
}

TEST_F(CcirFormTest, TheSummaryShowsEachUsableIdAtItsPosition) {
  const std::uint32_t ids[] = {7, 12345, 1'000'000, 0, 654321};
  for (std::size_t i = 0; i < std::size(ids); ++i)
    WriteBigEndian32(db_.ccir.ccir_directory[i], ids[i]);
  std::vector<std::string> expected = {"0007", "012345", "", "", "654321"};
  expected.resize(kCcirDirectoryEntries);
  EXPECT_EQ(form_.DirectorySummary(), expected);
}

}  // namespace
