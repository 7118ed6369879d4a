#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <chrono>
#include <thread>

#include "head_display.h"
#include "head_keypad.h"
#include "varim/testing/recording_operator.h"
#include "varim/panels/front_panel.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/display_reports.h"
#include "varim/sim/simulated_radio.h"

namespace {

using varim::core::RadioGeneration;
using varim::ui::CHeadDisplay;
using varim::ui::CHeadKeypad;
namespace display_report = varim::sim::display_report;

class PlainPump : public varim::core::EventPump {
 public:
  void Dispatch() override {}
  void Wait(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

class FrontPanelWidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Start());
    ASSERT_TRUE(session_.Open(radio_.DevicePath(), 9600));
    panel_.Install(dispatcher_, state_);
    panel_.SetPanels(varim2e_, varim_);
    state_.Change([](varim::core::RadioStatus& s) { s.generation = RadioGeneration::kVarim; });
  }
  void TearDown() override { session_.Close(); }

  QString Text(const CHeadDisplay& display, const char* name) const {
    return display.findChild<QLabel*>(name)->text();
  }
  // What a screen reader hears of the label.
  QString Spoken(const CHeadDisplay& display, const char* name) const {
    QAccessibleInterface* label =
        QAccessible::queryAccessibleInterface(display.findChild<QLabel*>(name));
    return label->text(QAccessible::Name);
  }

  std::vector<int> KeysReceived() const {
    std::vector<int> keys;
    for (const CRadioMessage& frame : radio_.ReceivedFrames()) {
      for (int key = 0; key < key::kCount; ++key) {
        if (frame.GetOpcode() == opcode::kReportControlHeadKeyboard &&
            std::equal(key::kPatterns[key], key::kPatterns[key] + 4, frame.GetData()))
          keys.push_back(key);
      }
    }
    return keys;
  }

  varim::sim::SimulatedRadio radio_;
  varim::testing::RecordingOperator operator_;
  PlainPump pump_;
  varim::core::RadioSession session_{operator_, pump_};
  varim::core::ReportDispatcher dispatcher_;
  varim::core::RadioState state_;
  varim::panels::FrontPanel panel_{session_, operator_};
  CHeadDisplay varim_{RadioGeneration::kVarim};
  CHeadDisplay varim2e_{RadioGeneration::kVarim2E};
};

TEST_F(FrontPanelWidgetsTest, TheReportReachesTheRadiosOwnRenderingAsPlainText) {
  dispatcher_.Dispatch(display_report::Lines("<b>NO LINK", std::string("RX 12.5")));
  dispatcher_.Dispatch(display_report::ChannelAndFrequency("CH 12", "12500"));
  dispatcher_.Dispatch(display_report::SoftKeys({"SQL", "MON", "SCAN", "ALE"}));
  EXPECT_EQ(Text(varim_, "DisplayLine1"), "<b>NO LINK ");
  EXPECT_EQ(Spoken(varim_, "DisplayLine1"), "<b>NO LINK ");
  EXPECT_EQ(Spoken(varim_, "DisplayLine2"), "RX 12.5    ");
  EXPECT_EQ(Spoken(varim_, "DisplayChannel"), "CH 12");
  EXPECT_EQ(Spoken(varim_, "DisplayFrequency"), "12500");
  EXPECT_EQ(Spoken(varim_, "SoftKey3"), "SCAN");
  EXPECT_EQ(Text(varim2e_, "DisplayLine1"), "") << "the other head's rendering stays as it was";
  EXPECT_EQ(state_.Now().displayText, "<b>NO LINK ");
}

TEST_F(FrontPanelWidgetsTest, IndicatorLampsFollowTheRuleOfSeven) {
  using display_report::Indicator;
  constexpr Indicator on = Indicator::kOn, off = Indicator::kOff;
  auto lamp = [this](int n) {
    return varim_.findChild<QLabel*>(QString("Indicator%1").arg(n))->isVisibleTo(&varim_);
  };
  dispatcher_.Dispatch(
      display_report::Indicators({on, off, on, off, off, off, off, off, off, off}));
  EXPECT_TRUE(lamp(1));
  EXPECT_FALSE(lamp(2));
  dispatcher_.Dispatch(display_report::Indicators({off, on, on, on, on, on, on, on, off, off}));
  EXPECT_TRUE(lamp(1)) << "seven lit: the panel is not redrawn";
  EXPECT_FALSE(lamp(2));
  dispatcher_.Dispatch(display_report::IndicatorElevenOn());
  EXPECT_FALSE(lamp(11));
}

TEST_F(FrontPanelWidgetsTest, F1SendsItsPressAndRelease) {
  CHeadKeypad keys(RadioGeneration::kVarim, CHeadKeypad::Part::kControl,
                   [this](int key) { panel_.Press(key); });
  QPushButton* f1 = keys.Button(key::kF1);
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(f1->text(), "F1");
  EXPECT_EQ(f1->accessibleName(), "F1");
  f1->click();
  // Typed digits go to the radio too.
  QTest::keyClick(f1, Qt::Key_5, Qt::NoModifier);
  EXPECT_EQ(KeysReceived(), (std::vector<int>{key::kF1, key::kIdle, key::kDigit0 + 5, key::kIdle}));
}

TEST(HeadKeypadTest, EachHeadHasItsNavigationButtons) {
  struct Case {
    RadioGeneration generation;
    std::vector<QString> navigation;
    QString enter;
  };
  const Case cases[] = {
      {RadioGeneration::kVarim2E, {"Up", "Down", "More"}, "E"},
      {RadioGeneration::kVarim,
       {"Navigation 1", "Navigation 2", "Navigation 3", "Navigation 4"},
       "Enter"},
  };
  for (const Case& c : cases) {
    CHeadKeypad keys(c.generation, CHeadKeypad::Part::kControl, [](int) {});
    std::vector<QString> names;
    for (int key = key::kNavigation1; key <= key::kNavigation4; ++key) {
      if (QPushButton* button = keys.Button(key)) {
        EXPECT_FALSE(button->icon().isNull());
        names.push_back(button->accessibleName());
      }
    }
    EXPECT_EQ(names, c.navigation);
    EXPECT_EQ(keys.Button(key::kEnter)->text(), c.enter);
  }
}

}  // namespace
