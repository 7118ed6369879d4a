#include "channel_dlg.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <filesystem>
#include <memory>

#include "varim/db/channel_set.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/queue_pump.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/recording_view.h"

namespace {

using varim::core::ConnectionController;
using varim::testing::RecordingOperator;
using Box = varim::panels::FrequencyEntry::Box;

class QtPump : public varim::core::EventPump {
 public:
  void Dispatch() override { QCoreApplication::processEvents(); }
  void Wait(int ms) override {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
};

// The dialog on a controller connected to the sample radio, with channels in scan group A.
class ChannelDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("klv-channel-dlg-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    controller_ = std::make_unique<ConnectionController>(
        operator_, pump_, view_,
        [](std::function<void()> work) {
          QMetaObject::invokeMethod(qApp, std::move(work), Qt::QueuedConnection);
        },
        folder_.string());
    controller_->Initialise();
    dlg_ = std::make_unique<varim::ui::CChannelDlg>(*controller_, view_, operator_, &status_);
    view_.onEnable = [this](bool enabled) { dlg_->EnableArea(enabled); };

    varim::sim::SimOptions options;
    options.profile = varim::sim::KnownProfiles().front();
    auto programming = *varim::sim::LoadProgramming(varim::sim::DefaultProgrammingFolder());
    varim::db::AddChannel(programming.radio.groups[0].member_channels, 10);
    options.memory.emplace();
    options.memory->Store(programming, options.profile);
    radio_ = std::make_unique<varim::sim::SimulatedRadio>(std::move(options));
    ASSERT_TRUE(radio_->Start());
    controller_->SetDeviceForPort(controller_->Settings().commPort, radio_->DevicePath());
    controller_->DeferredConnect();
    ASSERT_TRUE(controller_->RadioReady()) << operator_.LastNotice();
    dlg_->show();
  }
  void TearDown() override {
    dlg_.reset();
    controller_->Shutdown();
    controller_.reset();
    std::filesystem::remove_all(folder_);
  }

  QStringList TabTexts() const {
    QStringList texts;
    for (int i = 0; i < dlg_->Tabs()->count(); ++i) texts << dlg_->Tabs()->tabText(i);
    return texts;
  }

  std::filesystem::path folder_;
  RecordingOperator operator_;
  QtPump pump_;
  varim::testing::RecordingView view_;
  QLabel status_;
  std::unique_ptr<ConnectionController> controller_;
  std::unique_ptr<varim::ui::CChannelDlg> dlg_;
  std::unique_ptr<varim::sim::SimulatedRadio> radio_;
};

TEST_F(ChannelDlgTest, EveryControlIsNamedAsItsLabel) {
  QStringList names;
  for (const QWidget* w : dlg_->findChildren<QWidget*>()) {
    if (qobject_cast<const QLabel*>(w) ||
        !QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w)))
      continue;
    const QString name = w->accessibleName();
    if (!name.isEmpty()) names << name;
  }
  for (const char* expected :
       {"Channel", "Tx. Freq.", "Rx. Freq.", "Power", "Band", "Mode", "A.G.C", "BW",
        "Program Channel", "Priority", "Start Scan", "Stop Scan"})
    EXPECT_TRUE(names.contains(expected)) << expected << " in " << names.join(", ").toStdString();
  EXPECT_EQ(dlg_->FrequencyEdit(Box::kTx)->maxLength(), 8);
  EXPECT_EQ(TabTexts(), QStringList{"Channel"}) << "a radio with ALE off scans groups only";
}

TEST_F(ChannelDlgTest, KeyboardSelectsAChannelAndTheScanButtonsSwapTheForm) {
  QComboBox* list = dlg_->ChannelList();
  ASSERT_GE(list->count(), 2);
  const int from = list->currentIndex();
  list->setFocus();
  QTest::keyClick(list, from + 1 < list->count() ? Qt::Key_Down : Qt::Key_Up);
  EXPECT_EQ(radio_->State().activeChannel, list->currentText().toInt());
  EXPECT_EQ(dlg_->FrequencyEdit(Box::kTx)->text().toStdString(),
            varim::panels::FrequencyText(radio_->State().current.txHz));

  ASSERT_TRUE(dlg_->StartScanButton()->isVisible());
  QTest::mouseClick(dlg_->StartScanButton(), Qt::LeftButton);
  EXPECT_TRUE(dlg_->StopScanButton()->isVisible());
  EXPECT_FALSE(dlg_->StartScanButton()->isVisible());
  EXPECT_TRUE(dlg_->ScanSelector()->isVisible());
  EXPECT_FALSE(dlg_->ChannelList()->isVisible());
  EXPECT_EQ(TabTexts(), QStringList{"Channel"}) << "group scanning has no ALE tabs";
  QTest::mouseClick(dlg_->StopScanButton(), Qt::LeftButton);
  EXPECT_TRUE(dlg_->ChannelList()->isVisible());
  EXPECT_FALSE(dlg_->ScanSelector()->isVisible());

  auto* ale = new QWidget;
  auto* quality = new QWidget;
  dlg_->SetAleTabs(ale, quality);
  controller_->State().Change([](varim::core::RadioStatus& s) { s.aleOff = false; });
  dlg_->Control().Refresh();
  EXPECT_EQ(dlg_->Tabs()->indexOf(ale), 1);
  EXPECT_EQ(dlg_->Tabs()->indexOf(quality), 2);
  EXPECT_TRUE(operator_.Notices().empty()) << operator_.LastNotice();
}

}  // namespace
