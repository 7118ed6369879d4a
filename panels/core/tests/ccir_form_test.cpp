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

  std::uint32_t StoredId(IdBox box) const {
    return box == IdBox::kFourDigit ? ReadBigEndian16(db_.ccir.four_digit_id)
                                    : ReadBigEndian32(db_.ccir.six_digit_id);
  }

  varim::db::RadioDatabases db_ = varim::db::EmptyRadioDatabases();
  varim::testing::RecordingOperator operator_;
  CcirForm form_{db_, operator_};
  int edits_ = 0;
};

TEST_F(CcirFormTest, TypingALetterBetweenDigitsDropsItWithOneNotice) {
  for (const char* typed : {"1", "12", "12a", "124"}) form_.TypeId(IdBox::kFourDigit, typed);
  EXPECT_EQ(form_.IdText(IdBox::kFourDigit), "124");
  EXPECT_EQ(StoredId(IdBox::kFourDigit), 124u);
  EXPECT_EQ(operator_.Notices(),
            varim::testing::RecordingOperator::Texts{CcirForm::kNotWholeNumber});
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
      {IdBox::kSixDigit, "654321", "654321", 654321, 0},
      {IdBox::kFourDigit, "98765", "9876", 9876, 0},
      {IdBox::kSixDigit, "0042", "0042", 42, 0},
      {IdBox::kFourDigit, "", "", 0, 0},
      {IdBox::kFourDigit, " 7", "7", 7, 1},
      {IdBox::kFourDigit, "5\u00b07", "57", 57, 1},
  };
  for (const Case& c : cases) {
    operator_.Forget();
    form_.TypeId(c.box, c.typed);
    EXPECT_EQ(form_.IdText(c.box), c.shown) << c.typed;
    EXPECT_EQ(StoredId(c.box), c.stored) << c.typed;
    EXPECT_EQ(operator_.Notices().size(), c.notices) << c.typed;
  }
}

TEST_F(CcirFormTest, MessagesKeepWhatTheRadioSendsAndRewriteTheWholeField) {
  std::memset(db_.ccir.message2, 'X', sizeof db_.ccir.message2);
  form_.TypeMessage(MessageBox::kSecond, "Call 12 now!");
  EXPECT_EQ(form_.MessageText(MessageBox::kSecond), "C 12 ");
  for (std::size_t i = 5; i < sizeof db_.ccir.message2; ++i)
    EXPECT_EQ(db_.ccir.message2[i], 0) << i;
  EXPECT_TRUE(operator_.Notices().empty());

  form_.TypeMessage(MessageBox::kFirst, std::string(40, 'A'));
  EXPECT_EQ(form_.MessageText(MessageBox::kFirst), std::string(CcirForm::kLongestMessage, 'A'));
  EXPECT_EQ(db_.ccir.message1[CcirForm::kLongestMessage], 0);
}

TEST_F(CcirFormTest, APreambleTheRadioCannotUseShowsAsSix) {
  struct Case {
    std::uint8_t stored;
    int index;
    std::uint8_t kept;
  } cases[] = {{0, 5, 6}, {11, 5, 6}, {1, 0, 1}, {10, 9, 10}};
  for (const Case& c : cases) {
    db_.ccir.preamble = c.stored;
    form_.Load();
    EXPECT_EQ(form_.PreambleIndex(), c.index) << int{c.stored};
    EXPECT_EQ(db_.ccir.preamble, c.kept) << int{c.stored};
  }
  form_.ChoosePreamble(2);
  EXPECT_EQ(db_.ccir.preamble, 3);
}

TEST_F(CcirFormTest, LoadShowsTheRecordAndMarksNothing) {
  EXPECT_EQ(form_.IdText(IdBox::kFourDigit), "") << "no ID yet";
  WriteBigEndian16(db_.ccir.four_digit_id, 4711);
  WriteBigEndian32(db_.ccir.six_digit_id, 123456);
  db_.ccir.alarm = 1;
  form_.Load();
  EXPECT_EQ(form_.IdText(IdBox::kFourDigit), "4711");
  EXPECT_EQ(form_.IdText(IdBox::kSixDigit), "123456");
  EXPECT_TRUE(form_.Alarm());
  EXPECT_FALSE(form_.Beacon());
  EXPECT_EQ(form_.MessageText(MessageBox::kFirst), "01 CCIR MSG");
  EXPECT_EQ(edits_, 0);
}

TEST_F(CcirFormTest, EveryEditThatChangesTheRecordIsTold) {
  form_.SetAlarm(true);
  form_.SetBeacon(true);
  EXPECT_EQ(db_.ccir.alarm, 1);
  EXPECT_EQ(db_.ccir.beacon, 1);
  EXPECT_EQ(edits_, 2);
  form_.TypeId(IdBox::kSixDigit, "12");
  form_.TypeId(IdBox::kSixDigit, "012");
  form_.TypeMessage(MessageBox::kFirst, "01 CCIR MSGx");
  EXPECT_EQ(edits_, 3) << "leading zeros and dropped characters leave the record as it was";
  form_.SetAlarm(false);
  EXPECT_EQ(db_.ccir.alarm, 0);
}

TEST_F(CcirFormTest, TheSummaryShowsEachUsableIdAtItsPosition) {
  const std::uint32_t ids[] = {7, 12345, 1'000'000, 0, 654321};
  for (std::size_t i = 0; i < std::size(ids); ++i)
    WriteBigEndian32(db_.ccir.ccir_directory[i], ids[i]);
  std::vector<std::string> expected = {"0007", "012345", "", "", "654321"};
  expected.resize(kCcirDirectoryEntries);
  EXPECT_EQ(form_.DirectorySummary(), expected);
}

TEST_F(CcirFormTest, TheDirectoryDialogsOkIsAnEdit) {
  varim::panels::CcirDirectory directory = form_.Directory();
  directory.Type("7");
  directory.Add();
  directory.Ok();
  EXPECT_EQ(form_.DirectorySummary().front(), "0007");
  EXPECT_EQ(edits_, 1);
}

}  // namespace
