#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "ccir_directory_dlg.h"
#include "ccir_form_view.h"
#include "varim/byte_order.h"
#include "varim/db/empty_records.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::panels::CcirForm;
using varim::ui::CCcirDirectoryDlg;
using varim::ui::CCcirFormView;

class CcirEditorsTest : public ::testing::Test {
 protected:
  CcirEditorsTest() {
    form_.SetEdited([this] { ++edits_; });
  }

  varim::db::RadioDatabases db_ = varim::db::EmptyRadioDatabases();
  varim::testing::RecordingOperator operator_;
  CcirForm form_{db_, operator_};
  CCcirFormView view_{form_};
  int edits_ = 0;
};

TEST_F(CcirEditorsTest, ALetterTypedIntoAnIdBoxIsDroppedWithANotice) {
  QLineEdit* box = view_.Id(CcirForm::IdBox::kFourDigit);
  EXPECT_EQ(box->accessibleName(), "Four-Digit ID");
  QTest::keyClicks(box, "12a4");
  EXPECT_EQ(box->text(), "124");
  EXPECT_EQ(box->cursorPosition(), 3);
  EXPECT_EQ(ReadBigEndian16(db_.ccir.four_digit_id), 124);
  EXPECT_EQ(operator_.Notices().size(), 1u);
}

TEST_F(CcirEditorsTest, TheDirectoryDialogAddsFromTheKeyboardAndOkStoresTheList) {
  bool walked = false;
  QTimer::singleShot(0, [this, &walked] {
    auto* dialog = qobject_cast<CCcirDirectoryDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->Entry(), "7");
    QTest::keyClick(dialog->Entry(), Qt::Key_Return);
    ASSERT_EQ(dialog->List()->count(), 1);
    EXPECT_EQ(dialog->List()->item(0)->text(), "0007");
    EXPECT_TRUE(dialog->Entry()->text().isEmpty());
    QTest::keyClicks(dialog->Entry(), "x");
    EXPECT_TRUE(dialog->WarningLine()->isVisible());
    EXPECT_EQ(dialog->WarningLine()->text(), "'x' is an invalid address.");
    EXPECT_EQ(ReadBigEndian32(db_.ccir.ccir_directory[0]), 0u) << "only OK stores";
    walked = true;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
      if (button->accessibleName() == "OK") button->click();
  });
  view_.DirectoryButton()->click();
  ASSERT_TRUE(walked);
  EXPECT_EQ(ReadBigEndian32(db_.ccir.ccir_directory[0]), 7u);
  EXPECT_EQ(view_.Summary()->item(0, 0)->text(), "0007");
  EXPECT_EQ(edits_, 1);
}

}  // namespace
