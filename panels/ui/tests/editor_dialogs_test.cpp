#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstring>

#include "channel_configuration_dlg.h"
#include "ale_address_dlg.h"
#include "channel_selection_dlg.h"
#include "varim/db/empty_records.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::panels::ChannelConfiguration;
using varim::panels::ChannelSelection;
using Box = ChannelConfiguration::Box;

class EditorDialogsTest : public ::testing::Test {
 protected:
  EditorDialogsTest() {
    std::memset(&db_, 0, sizeof db_);
    for (int number = 1; number <= 20; ++number) {
      db_.radio.channels[number - 1].tx_frequency = 7'500'000;
      db_.radio.channels[number - 1].rx_frequency = 7'500'000;
    }
    for (auto& group : db_.radio.groups) group.guard_channel = kNoChannel;
  }

  varim::db::RadioDatabases db_{};
};

TEST_F(EditorDialogsTest, TypingAHalfDuplexPairStoresItOnOk) {
  ChannelConfiguration editor(db_, false, false);
  varim::ui::CChannelConfigurationDlg dialog(editor, {});
  QRadioButton* half = nullptr;
  for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
    if (button->accessibleName() == "Half Duplex Frequencies") half = button;
  ASSERT_NE(half, nullptr);
  half->click();
  EXPECT_EQ(editor.Warning(), ChannelConfiguration::kSameFrequencies);
  QPushButton* ok = nullptr;
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->accessibleName() == "OK") ok = button;
  ASSERT_NE(ok, nullptr);
  EXPECT_FALSE(ok->isEnabled());

  QLineEdit* rx = dialog.Edit(Box::kHalfDuplexRx);
  EXPECT_EQ(rx->accessibleName(), "Rx:");
  rx->selectAll();
  QTest::keyClicks(rx, "9.8765");
  EXPECT_TRUE(ok->isEnabled()) << editor.Warning();
  ok->click();
  const std::uint32_t stored = db_.radio.channels[0].rx_frequency;
  EXPECT_EQ(stored, 9'876'500u);
}

TEST_F(EditorDialogsTest, TheGridWorksFromTheKeyboard) {
  ChannelSelection selection(db_, ChannelSelection::Kind::kGroups, false);
  varim::ui::CChannelSelectionDlg dialog(selection, {});
  varim::ui::CChannelGrid* grid = dialog.Grid();
  grid->setCurrentCell(0, 2);
  QTest::keyClick(grid, Qt::Key_Space);
  EXPECT_EQ(selection.CellOf(3), ChannelSelection::Cell::kSelected);
  QTest::keyClick(grid, Qt::Key_Right);
  QTest::keyClick(grid, Qt::Key_M);
  EXPECT_EQ(selection.CellOf(4), ChannelSelection::Cell::kMarked);
  EXPECT_EQ(grid->item(0, 3)->data(Qt::AccessibleDescriptionRole).toString(), "guard channel");
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Space);  // channel 24 is not programmed
  EXPECT_EQ(selection.HintLine().text, "Channel number 24 is not programmed");
  EXPECT_EQ(selection.CellOf(24), ChannelSelection::Cell::kNotSelected);
}

TEST(AleAddressDlgTest, MembersAreOrderedByHandFromTheKeyboard) {
  varim::db::RadioDatabases db = varim::db::EmptyRadioDatabases();
  std::strcpy(db.ale.directory[0], "ALPHA");
  std::strcpy(db.ale.directory[1], "BRAVO");
  std::memcpy(db.ale.nets[0].members, "\x00\x01\xFF", 3);
  varim::testing::RecordingOperator op;
  varim::panels::AleMembersEditor editor(db, op, false);
  varim::ui::CAleAddressDlg dialog(editor, {});
  QPushButton* manual = nullptr;
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->accessibleName() == "Manual") manual = button;
  ASSERT_NE(manual, nullptr);
  manual->click();
  EXPECT_TRUE(dialog.Warning()->text().startsWith("Click on Member no. 1."));
  dialog.List()->setCurrentRow(1);
  QTest::keyClick(dialog.List(), Qt::Key_Space);
  EXPECT_EQ(editor.List(), (std::vector<std::string>{"BRAVO", "ALPHA"}));
  QTest::keyClick(dialog.List(), Qt::Key_Escape);
  EXPECT_FALSE(editor.ManualOrdering());
}

}  // namespace
