#include "call_log_windows.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <filesystem>
#include <string>
#include <vector>

#include "stack_list_dlg.h"

namespace {

using varim::core::CallLists;
using varim::core::CallRecord;
using varim::core::CommandId;
using varim::core::Panel;
using varim::ui::CCallListPane;
using varim::ui::CCallLogWindows;
using varim::ui::CStackListDlg;

class NoticeList : public varim::core::Operator {
 public:
  void Notify(const std::string& text, Icon) override { notices.push_back(text); }
  bool Ask(const std::string&) override { return false; }
  std::vector<std::string> notices;
};

class CallLogWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_);
    for (const char* from : {"THIRD", "SECOND", "FIRST"}) {
      CallRecord call;
      call.from = from;
      call.message = std::string("FROM ") + from + "   ";
      calls_.LogCall(call, true);
    }
    state_.Change([](varim::core::RadioStatus& s) { s.aleOff = false; });
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  static std::vector<std::string> Column(const CCallListPane& pane) {
    std::vector<std::string> froms;
    for (int row = 0; row < pane.Grid()->rowCount(); ++row)
      froms.push_back(pane.Grid()->item(row, 0)->text().toStdString());
    return froms;
  }

  std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() / ("klv-call-log-ui-" + std::to_string(::getpid()));
  CallLists calls_{folder_.string()};
  varim::core::RadioState state_;
  varim::core::CommandRegistry commands_;
  NoticeList operator_;
  std::vector<CallRecord> replies_;
  int changes_ = 0;
  QWidget view_;
  CCallLogWindows windows_{
      calls_,
      state_,
      commands_,
      operator_,
      {[this](const CallRecord& call) { replies_.push_back(call); }, {}, [this] { ++changes_; }},
      &view_};
};

TEST_F(CallLogWindowsTest, TheLogWindowDeletesCallsOneByOneOrAll) {
  ASSERT_TRUE(commands_.Run(CommandId::kLogFile));
  ASSERT_NE(windows_.LogWindow(), nullptr);
  ASSERT_TRUE(windows_.LogWindow()->isVisible());
  CCallListPane& pane = *windows_.LogWindow()->Pane();
  EXPECT_EQ(Column(pane), (std::vector<std::string>{"FIRST", "SECOND", "THIRD"}));
  EXPECT_EQ(pane.Quantity()->text(), "3");
  EXPECT_FALSE(pane.DeleteButton()->isEnabled());
  EXPECT_TRUE(pane.DeleteAllButton()->isEnabled());

  pane.Grid()->setCurrentCell(1, 0);
  EXPECT_EQ(pane.MessageBox()->toPlainText(), "FROM SECOND") << "without its trailing blanks";
  ASSERT_TRUE(pane.DeleteButton()->isEnabled());
  pane.DeleteButton()->click();
  EXPECT_EQ(Column(pane), (std::vector<std::string>{"FIRST", "THIRD"}));
  EXPECT_EQ(pane.Quantity()->text(), "2");
  ASSERT_EQ(calls_.Log().size(), 2u);
  EXPECT_EQ(calls_.Log()[1].from, "THIRD");
  EXPECT_EQ(calls_.Stack().size(), 3u) << "the stack keeps its own copy";

  pane.DeleteAllButton()->click();
  EXPECT_EQ(Column(pane), (std::vector<std::string>{""})) << "one blank line stays";
  EXPECT_EQ(pane.Quantity()->text(), "0");
  EXPECT_EQ(pane.MessageBox()->toPlainText(), "");
  EXPECT_FALSE(pane.DeleteButton()->isEnabled());
  EXPECT_FALSE(pane.DeleteAllButton()->isEnabled());
  EXPECT_TRUE(calls_.Log().empty());
}

TEST_F(CallLogWindowsTest, DeletingTheOnlyCallLeavesABlankLine) {
  calls_.DeleteLogRecord(0);
  calls_.DeleteLogRecord(0);
  ASSERT_TRUE(commands_.Run(CommandId::kLogFile));
  CCallListPane& pane = *windows_.LogWindow()->Pane();
  EXPECT_EQ(Column(pane), (std::vector<std::string>{"THIRD"}));
  pane.Grid()->setFocus();
  pane.Grid()->setCurrentCell(0, 0);
  pane.DeleteButton()->click();
  EXPECT_EQ(Column(pane), (std::vector<std::string>{""}));
  EXPECT_EQ(pane.Quantity()->text(), "0");
  EXPECT_FALSE(pane.DeleteButton()->isEnabled());
  EXPECT_FALSE(pane.DeleteAllButton()->isEnabled());
}

TEST_F(CallLogWindowsTest, TheLogWindowLivesWithThePanelsThatKeepIt) {
  ASSERT_NE(windows_.LogWindow(), nullptr) << "made with the view";
  EXPECT_FALSE(windows_.LogWindow()->isVisible());
  windows_.PanelShown(Panel::kRss);
  EXPECT_EQ(windows_.LogWindow(), nullptr);
  windows_.PanelShown(Panel::kVarim);
  ASSERT_NE(windows_.LogWindow(), nullptr);
  EXPECT_FALSE(windows_.LogWindow()->isVisible()) << "not wanted yet";

  ASSERT_TRUE(commands_.Run(CommandId::kLogFile));
  EXPECT_TRUE(windows_.LogWindow()->isVisible());
  windows_.PanelShown(Panel::kCcir);
  EXPECT_EQ(windows_.LogWindow(), nullptr);
  windows_.PanelShown(Panel::kVarim2E);
  ASSERT_NE(windows_.LogWindow(), nullptr);
  EXPECT_TRUE(windows_.LogWindow()->isVisible());

  windows_.LogWindow()->reject();
  EXPECT_FALSE(windows_.LogWindow()->isVisible());
  EXPECT_FALSE(commands_.StateOf(CommandId::kLogFile).checked);
  EXPECT_EQ(changes_, 1) << "the menu's check mark follows";
}

TEST_F(CallLogWindowsTest, ReplyHandsTheChosenCallOnAndTakesItOffTheStack) {
  CStackListDlg stack(windows_.Feature(), operator_, {});
  stack.show();
  EXPECT_EQ(stack.windowTitle(), "Stack List");
  EXPECT_FALSE(stack.ReplyButton()->isEnabled());
  stack.Pane()->Grid()->setCurrentCell(2, 0);
  ASSERT_TRUE(stack.ReplyButton()->isEnabled());
  stack.ReplyButton()->click();
  ASSERT_EQ(replies_.size(), 1u);
  EXPECT_EQ(replies_[0].from, "THIRD");
  EXPECT_EQ(calls_.Stack().size(), 2u);
  EXPECT_EQ(stack.result(), QDialog::Accepted);
  EXPECT_TRUE(operator_.notices.empty());
}

TEST_F(CallLogWindowsTest, ReplyWithoutAChosenLineIsRefused) {
  CStackListDlg stack(windows_.Feature(), operator_, {});
  stack.show();
  stack.Pane()->Grid()->setCurrentCell(0, 0);
  stack.Pane()->DeleteAllButton()->click();
  ASSERT_TRUE(stack.ReplyButton()->isEnabled());
  stack.ReplyButton()->click();
  EXPECT_EQ(operator_.notices, (std::vector<std::string>{"Grid line is not valid, line = 0"}));
  EXPECT_TRUE(stack.isVisible()) << "the list stays open";
  EXPECT_TRUE(replies_.empty());
}

TEST_F(CallLogWindowsTest, TheControlsAreNamedByTheirLabels) {
  CStackListDlg stack(windows_.Feature(), operator_, {});
  stack.show();
  auto name = [](QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
  };
  EXPECT_EQ(name(stack.Pane()->MessageBox()), "Message Box");
  EXPECT_EQ(name(stack.Pane()->Grid()), "Stack List");
  EXPECT_EQ(name(stack.ReplyButton()), "Reply");
  EXPECT_EQ(name(stack.Pane()->Quantity()), "3") << "the count is read out as shown";
}

}  // namespace
