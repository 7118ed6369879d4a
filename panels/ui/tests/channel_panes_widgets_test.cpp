#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <chrono>
#include <thread>

#include "clarifier_pane_view.h"
#include "notch_pane_view.h"
#include "varim/core/radio_session.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/sleeping_pump.h"

namespace {

using varim::ui::CClarifierPaneView;
using varim::ui::CNotchPaneView;

class ChannelPanesWidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(radio_.Start());
    ASSERT_TRUE(session_.Open(radio_.DevicePath(), 9600));
    clarifier_.SetEnabled(true);
    notch_.SetEnabled(true);
    clarifierView_.Mirror();
    notchView_.Mirror();
  }
  void TearDown() override { session_.Close(); }

  // The frames of the opcode the radio took, once count of them arrived or the time is up.
  std::vector<CRadioMessage> Received(int opcode, std::size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::vector<CRadioMessage> frames;
    do {
      frames.clear();
      for (const CRadioMessage& frame : radio_.ReceivedFrames())
        if (frame.GetOpcode() == opcode) frames.push_back(frame);
      if (frames.size() >= count) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return frames;
  }

  static QAbstractButton* Button(const QWidget& pane, const QString& name) {
    for (QAbstractButton* button : pane.findChildren<QAbstractButton*>())
      if (button->accessibleName() == name) return button;
    return nullptr;
  }

  varim::sim::SimulatedRadio radio_;
  varim::testing::RecordingOperator operator_;
  varim::testing::SleepingPump pump_;
  varim::core::RadioSession session_{operator_, pump_};
  varim::panels::ClarifierPane clarifier_{
      [this](const CRadioMessage& frame) { return session_.SendCommand(frame); }};
  varim::panels::NotchPane notch_{
      [this](const CRadioMessage& frame) { return session_.SendCommand(frame); }};
  CClarifierPaneView clarifierView_{clarifier_};
  CNotchPaneView notchView_{notch_};
};

TEST_F(ChannelPanesWidgetsTest, AnArrowKeyMovesTheSliderOneStepAndTellsTheRadioOnce) {
  const struct {
    QWidget* pane;
    Qt::Key key;
    int opcode;
    std::vector<std::uint8_t> data;
  } cases[] = {
      {&clarifierView_, Qt::Key_Right, opcode::kSetClarifier, {0, 1, 10}},
      {&clarifierView_, Qt::Key_Left, opcode::kSetClarifier, {0, 0, 0}},
      {&notchView_, Qt::Key_Right, opcode::kSetDspMenuParameters, {0, 1, 255, 255, 255}},
  };
  std::size_t sent = 0;
  for (const auto& c : cases) {
    const std::size_t before = Received(c.opcode, 0).size();
    QTest::keyClick(c.pane->findChild<QSlider*>(), c.key);
    const std::vector<CRadioMessage> frames = Received(c.opcode, before + 1);
    ASSERT_EQ(frames.size(), before + 1) << ++sent;
    const CRadioMessage& frame = frames.back();
    EXPECT_EQ(std::vector<std::uint8_t>(frame.GetData(), frame.GetData() + c.data.size()), c.data)
        << sent;
  }
  // Nothing more went out than one frame a key.
  EXPECT_EQ(Received(opcode::kSetClarifier, 0).size(), 2u);
  EXPECT_EQ(notchView_.findChild<QSlider*>()->value(), 540);
}

TEST_F(ChannelPanesWidgetsTest, TheIndicatorAndTheZeroButtonShowWhetherTheClarifierIsOn) {
  QAbstractButton* zero = Button(clarifierView_, "0");
  auto* indicator = clarifierView_.findChild<QLabel*>("ClarifierIndicator");
  clarifierView_.show();
  EXPECT_EQ(indicator->text(), "OFF");
  EXPECT_FALSE(zero->isVisible());
  Button(clarifierView_, "Clarifier Down")->click();
  EXPECT_EQ(indicator->text(), "ON");
  ASSERT_TRUE(zero->isVisible());
  zero->click();
  EXPECT_EQ(indicator->text(), "OFF");
  EXPECT_EQ(clarifierView_.findChild<QSlider*>()->value(), 0);
  const std::vector<CRadioMessage> frames = Received(opcode::kSetClarifier, 2);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].GetData()[1], 2);
  EXPECT_EQ(frames[1].GetData()[1], 0);
}

TEST_F(ChannelPanesWidgetsTest, EveryControlIsNamedForScreenReadersAndNoLabelIs) {
  const struct {
    QWidget* pane;
    QStringList names;
  } cases[] = {
      {&clarifierView_, {"Clarifier", "Clarifier Down", "Clarifier Up", "0"}},
      {&notchView_, {"Notch Filter", "Notch Filter Down", "Notch Filter Up", "OFF"}},
  };
  for (const auto& c : cases) {
    QStringList named;
    for (QWidget* control : c.pane->findChildren<QWidget*>()) {
      if (qobject_cast<QLabel*>(control) != nullptr) {
        EXPECT_TRUE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
      } else if (qobject_cast<QAbstractSlider*>(control) != nullptr ||
                 qobject_cast<QAbstractButton*>(control) != nullptr) {
        named.append(control->accessibleName());
      }
    }
    named.sort();
    QStringList expected = c.names;
    expected.sort();
    EXPECT_EQ(named, expected);
  }
}

}  // namespace
