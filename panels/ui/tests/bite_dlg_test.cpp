#include "bite_dlg.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "qt_one_shot_timer.h"
#include "varim/testing/recording_operator.h"
#include "varim/core/command_registry.h"
#include "varim/core/event_pump.h"
#include "varim/core/radio_session.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"
#include "varim/panels/bite.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/simulated_radio.h"

namespace {

using varim::testing::RecordingOperator;

// Waits keep the dialog's event loop turning, as the window's pump does.
class QtPump : public varim::core::EventPump {
 public:
  void Dispatch() override { QCoreApplication::processEvents(); }
  void Wait(int ms) override {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
};

QStringList ItemTexts(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
  return texts;
}

// The dialog on the built-in test, over a session with the simulated radio: the radio's
// reports reach the window's thread the way the program hands them over.
class BiteDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) {
      b.selfTestStep = std::chrono::milliseconds(50);
      b.selfTestResults[30] = varim::sim::kItemFailed;
      b.selfTestResults[31] = varim::sim::kItemUnable;
      b.selfTestResults[32] = varim::sim::kItemIgnored;
    });
    ASSERT_TRUE(radio_.Start());
    ASSERT_TRUE(session_.Open(radio_.DevicePath(), 9600));
    bite_.Install(commands_, dispatcher_, state_, [] { return true; });
  }

  template <typename T>
  T* Find(const QString& accessibleName) const {
    for (T* widget : dialog_->findChildren<T*>())
      if (widget->accessibleName() == accessibleName) return widget;
    return nullptr;
  }

  RecordingOperator operator_;
  QtPump pump_;
  varim::sim::SimulatedRadio radio_;
  varim::core::RadioSession session_{operator_, pump_, [this](CRadioMessage frame) {
                                       QMetaObject::invokeMethod(
                                           qApp, [this, frame] { dispatcher_.Dispatch(frame); },
                                           Qt::QueuedConnection);
                                     }};
  varim::core::RadioState state_;
  varim::core::ReportDispatcher dispatcher_;
  varim::core::CommandRegistry commands_;
  varim::ui::QtOneShotTimer watchdog_;
  std::function<void(varim::panels::BiteTest&)> drive_;
  varim::ui::CBiteDlg* dialog_ = nullptr;
  varim::panels::Bite bite_{
      {[this](const CRadioMessage& frame) { return session_.SendCommand(frame); },
       [this](int rounds) { pump_.Wait(rounds * 10); }, [](bool) {}},
      operator_,
      watchdog_,
      [this](varim::panels::BiteTest& test) {
        varim::ui::CBiteDlg dialog(test);
        dialog_ = &dialog;
        QTimer::singleShot(0, &dialog, [this, &test] { drive_(test); });
        dialog.exec();
        dialog_ = nullptr;
      }};
};

TEST_F(BiteDlgTest, ALowRfTestRunsToItsSummaryAndCloseResetsTheRadio) {
  QStringList items;
  QString summary;
  drive_ = [&](varim::panels::BiteTest&) {
    EXPECT_EQ(dialog_->windowTitle(), "BITE");
    for (const char* name : {"Run", "Close"}) EXPECT_NE(Find<QPushButton>(name), nullptr) << name;
    for (const char* name : {"Full test", "Channel Test", "Low RF Test"})
      EXPECT_NE(Find<QRadioButton>(name), nullptr) << name;
    auto* results = Find<QListWidget>("Test Results");
    auto* progress = dialog_->findChild<QProgressBar*>();
    auto* status = dialog_->findChild<QLabel*>("Status");
    auto* prompt = dialog_->findChild<QLabel*>("Prompt");
    ASSERT_TRUE(results && progress && status && prompt);
    EXPECT_EQ(prompt->text(), "Connect a dummy load");

    // From the keyboard: the type chosen with Space, Run with Enter.
    QRadioButton* lowRf = Find<QRadioButton>("Low RF Test");
    lowRf->setFocus();
    QTest::keyClick(lowRf, Qt::Key_Space);
    EXPECT_EQ(prompt->text(), "");
    QTest::mouseClick(Find<QPushButton>("Run"), Qt::LeftButton);
    EXPECT_EQ(status->text(), "Command in progress, please wait!!!");
    EXPECT_FALSE(Find<QPushButton>("Close")->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(status->text().startsWith("Summary"), 20000);
    summary = status->text();
    items = ItemTexts(*results);
    EXPECT_EQ(progress->value(), 12);
    EXPECT_EQ(status->palette().color(QPalette::Window), QColor(192, 192, 192));
    // The status line's text reaches a screen reader.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name).toStdString(),
              summary.toStdString());
    QTest::mouseClick(Find<QPushButton>("Close"), Qt::LeftButton);
  };
  ASSERT_TRUE(commands_.Run(varim::core::CommandId::kBite));

  EXPECT_EQ(summary.toStdString(), "Summary: 36 Passed, 1 Failed, 1 Not Performed");
  ASSERT_EQ(items.size(), 38);
  EXPECT_EQ(items[0], "DSP - Boot Checksum");
  EXPECT_EQ(items[30], "Antenna Match");
  EXPECT_EQ(items[31], "Harmonic Filter - Range 1");
  EXPECT_FALSE(items.contains("Harmonic Filter - Range 2"));
  std::vector<int> opcodes;
  for (const CRadioMessage& frame : radio_.ReceivedFrames()) opcodes.push_back(frame.GetOpcode());
  EXPECT_EQ(opcodes, (std::vector<int>{opcode::kPerformSelfTest, opcode::kPerformReset}));
  EXPECT_TRUE(operator_.Notices().empty());
}

}  // namespace
