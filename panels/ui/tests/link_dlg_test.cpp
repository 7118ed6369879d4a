#include "link_dlg.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QGroupBox>
#include <QTest>
#include <cstring>
#include <vector>

#include "varim/core/call_lists.h"
#include "varim/core/radio_session.h"
#include "varim/core/report_dispatcher.h"
#include "varim/db/channel_set.h"
#include "varim/radio_opcodes.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/sleeping_pump.h"

namespace {

using varim::ui::CLinkDlg;
using varim::ui::CUpdateLinkQualityDlg;

class NoPrompt : public varim::core::IncomingCallPrompt {
 public:
  bool IsOpen() const override { return false; }
  bool Ask(const varim::core::IncomingCallView&) override { return false; }
  void Refresh(const varim::core::IncomingCallView&) override {}
  void Close() override {}
};

class LinkDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& db = session_.Databases();
    std::memset(&db.ale, 0, sizeof db.ale);
    db.radio.channels[2].rx_frequency = 7'123'456;
    std::strcpy(db.ale.nets[0].net_name, "NETONE");
    std::strcpy(db.ale.directory[0], "ALPHA");
    varim::db::AddChannel(db.ale.nets[0].scanned_channels, 3);
    calls_.SetChanged([this] {
      ale_.Mirror();
      linkQuality_.Mirror();
    });
    calls_.SetScanState(1);
  }

  template <typename T>
  T* Named(QWidget& tab, const QString& name) {
    for (T* widget : tab.findChildren<T*>()) {
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
      if (face != nullptr && face->text(QAccessible::Name) == name) return widget;
    }
    return nullptr;
  }

  varim::testing::RecordingOperator operator_;
  varim::testing::SleepingPump pump_;
  varim::core::RadioSession session_{operator_, pump_};
  varim::core::RadioState state_;
  varim::core::ReportDispatcher dispatcher_;
  varim::core::CallLists lists_{""};
  NoPrompt prompt_;
  std::vector<CRadioMessage> sent_;
  varim::core::RadioReports reports_{
      dispatcher_, session_, state_, lists_, operator_, prompt_, [](const CRadioMessage&) {
        return true;
      }};
  varim::panels::Calls calls_{session_.Databases(),
                              state_,
                              dispatcher_.Pending(),
                              reports_,
                              operator_,
                              [this](const CRadioMessage& f) {
                                sent_.push_back(f);
                                return true;
                              },
                              [] { return true; },
                              ""};
  CLinkDlg ale_{calls_, {}};
  CUpdateLinkQualityDlg linkQuality_{calls_};
};

// Inputs are named by their label; buttons by their text.
TEST_F(LinkDlgTest, EveryControlIsNamedByItsLabel) {
  struct Case {
    QWidget* tab;
    std::vector<QString> labels;
    std::vector<QString> buttons;
  } cases[] = {
      {&ale_,
       {"Net:", "Channel:", "Net name:", "Frequency:", "Link quality:", "To:", "Message:"},
       {"Station", "Net", "All Call", "Clr Msg:", "Dial", "Send", "Stack", "Replace", "Abort"}},
      {&linkQuality_,
       {"Net number:", "Net name:", "Frequency:", "Link quality:", "Channel:", "To:", "Message:"},
       {"BiDirectional", "Sounding", "Clr Msg:", "Send", "Abort"}},
  };
  for (const Case& c : cases) {
    std::vector<QString> labelled;
    for (QLabel* label : c.tab->findChildren<QLabel*>()) {
      if (label->buddy() != nullptr) labelled.push_back(label->text().remove('&'));
    }
    EXPECT_EQ(labelled, c.labels);
    const int inputs = static_cast<int>(c.tab->findChildren<QComboBox*>().size() +
                                        c.tab->findChildren<QLineEdit*>().size());
    // An editable drop-down list holds a line edit of its own.
    EXPECT_EQ(inputs - 1, static_cast<int>(c.labels.size())) << "every input has its label";
    for (const QString& name : c.buttons)
      EXPECT_NE(Named<QAbstractButton>(*c.tab, name), nullptr) << name.toStdString();
  }
}

TEST_F(LinkDlgTest, KeyboardCallMirrorsTheCallsState) {
  ale_.show();
  auto* allCall = Named<QRadioButton>(ale_, "All Call");
  ASSERT_NE(allCall, nullptr);
  allCall->setFocus();
  QTest::keyClick(allCall, Qt::Key_Space);
  auto* channel = ale_.findChildren<QComboBox*>()[1];
  EXPECT_EQ(channel->currentText(), "Auto");
  EXPECT_FALSE(channel->isEnabled());

  auto* message = ale_.findChildren<QComboBox*>()[3];
  message->setFocus();
  QTest::keyClicks(message, "dial home");
  auto* send = Named<QPushButton>(ale_, "Send");
  send->setFocus();
  QTest::keyClick(send, Qt::Key_Space);
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(sent_[0].GetOpcode(), opcode::kAllCall);
  EXPECT_FALSE(send->isEnabled());
  EXPECT_TRUE(Named<QPushButton>(ale_, "Abort")->isEnabled());
  EXPECT_EQ(message->itemText(0), "DIAL HOME") << "the history offers it again";

  QLabel* linkPicture = nullptr;
  for (QLabel* label : ale_.findChildren<QLabel*>()) {
    if (label->buddy() == nullptr) linkPicture = label;
  }
  ASSERT_NE(linkPicture, nullptr);
  EXPECT_FALSE(linkPicture->isVisible());
  calls_.LinkUp();
  EXPECT_TRUE(linkPicture->isVisible());
  EXPECT_FALSE(allCall->isEnabled());
}

TEST_F(LinkDlgTest, IndicatorTurnsRedWhileTheExchangeRuns) {
  auto* biDirectional = Named<QRadioButton>(linkQuality_, "BiDirectional");
  ASSERT_NE(biDirectional, nullptr);
  ASSERT_TRUE(calls_.SendLinkQuality());
  EXPECT_EQ(biDirectional->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  calls_.ResetLinkQuality(0);
  EXPECT_EQ(biDirectional->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

}  // namespace
