#include "varim/panels/channel_panes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "varim/radio_commands.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/queue_pump.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/sample_radio.h"

namespace {

using varim::core::ConnectionController;

// The window refreshes the panes whenever the controller says its picture or panels changed.
class PanesView : public varim::core::ControllerView {
 public:
  void EnablePanels(bool) override { Refresh(); }
  void BusyChanged(bool) override {}
  void StateChanged() override { Refresh(); }
  void ShowPleaseWait(bool) override {}
  void ShowOperationDone(int) override {}
  void ProgressStarted(varim::core::TransferMode) override {}
  void ProgressChanged(const varim::core::ProgressView&) override {}
  void ProgressFinished() override {}

  varim::panels::ChannelPanes* panes = nullptr;

 private:
  void Refresh() {
    if (panes != nullptr) panes->Refresh();
  }
};

class ChannelPanesControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("klv-panes-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    ASSERT_TRUE(radio_.Start());
    controller_ = std::make_unique<ConnectionController>(
        operator_, pump_, view_, [this](std::function<void()> work) { pump_.Post(work); },
        folder_.string());
    panes_ = std::make_unique<varim::panels::ChannelPanes>(*controller_);
    view_.panes = panes_.get();
    panes_->Install(controller_->State());
    controller_->Initialise();
    controller_->SetDeviceForPort(controller_->Settings().commPort, radio_.DevicePath());
  }
  void TearDown() override {
    view_.panes = nullptr;
    controller_->Shutdown();
    controller_.reset();
    std::filesystem::remove_all(folder_);
  }

  std::filesystem::path folder_;
  varim::sim::SimulatedRadio radio_{varim::testing::SampleRadio()};
  varim::testing::RecordingOperator operator_;
  varim::testing::QueuePump pump_;
  PanesView view_;
  std::unique_ptr<ConnectionController> controller_;
  std::unique_ptr<varim::panels::ChannelPanes> panes_;
};

TEST_F(ChannelPanesControllerTest, PanesStartWhereTheRadioIsAndKeepWhatTheOperatorSet) {
  EXPECT_FALSE(panes_->Clarifier().Enabled());
  controller_->DeferredConnect();
  ASSERT_TRUE(panes_->Clarifier().Enabled());
  ASSERT_TRUE(panes_->Notch().Enabled());

  // The radio set from its own head, then read again.
  CRadioMessage frame;
  SetClarifier(&frame, 0, 2, 70);
  ASSERT_TRUE(controller_->SendCommand(frame));
  SetDspMenuParameters(&frame, 0, 4, 255, 255, 255);
  ASSERT_TRUE(controller_->SendCommand(frame));
  ASSERT_TRUE(controller_->UpdateToolBarAndSliders());
  EXPECT_EQ(panes_->Clarifier().Position(), -70);
  EXPECT_EQ(panes_->Notch().Position(), 1260);

  ASSERT_TRUE(panes_->Clarifier().Step(+1));
  ASSERT_TRUE(panes_->Notch().Step(-1));
  panes_->Refresh();
  EXPECT_EQ(panes_->Clarifier().Position(), -60);
  EXPECT_EQ(panes_->Notch().Position(), 1020);
  EXPECT_EQ(radio_.State().clarifierMagnitude, 60);
  EXPECT_EQ(radio_.State().notchIndex, 3);
}

TEST_F(ChannelPanesControllerTest, TheRadiosStateDisablesThePanesWhichThenRestAtTheirOffPositions) {
  controller_->DeferredConnect();
  ASSERT_TRUE(panes_->Clarifier().Step(+1));
  ASSERT_TRUE(panes_->Notch().Step(+1));

  controller_->State().Change([](varim::core::RadioStatus& s) {
    s.ccirPresent = true;
    s.aleOff = true;
  });
  EXPECT_TRUE(panes_->Clarifier().Enabled());
  EXPECT_FALSE(panes_->Notch().Enabled());
  EXPECT_EQ(panes_->Notch().Position(), 300);

  controller_->Picture().aleCapable = true;
  controller_->State().Change([](varim::core::RadioStatus& s) { s.linkUp = false; });
  panes_->Refresh();
  EXPECT_FALSE(panes_->Clarifier().Enabled());
  EXPECT_EQ(panes_->Clarifier().Position(), 0);

  controller_->State().Change([](varim::core::RadioStatus& s) { s.linkUp = true; });
  EXPECT_TRUE(panes_->Clarifier().Enabled());
  EXPECT_EQ(panes_->Clarifier().Position(), 10) << "the radio's setting comes back";
}

}  // namespace
