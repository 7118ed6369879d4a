#include "varim/panels/calls_on_channel_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "varim/db/channel_set.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/controller_on_radio.h"

namespace {

using varim::core::ConnectionController;
using varim::panels::Calls;
using varim::panels::ChannelControl;
using ScanButton = ChannelControl::ScanButton;

constexpr int kNet1Channel = 10;
constexpr int kNet2Channel = 11;

// The calls panel and the channel form as the window composes them, on the simulated radio
// whose nets 1 and 2 scan one channel each.
class CallsOnChannelFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control_ = std::make_unique<ChannelControl>(*controller_, view_, operator_);
    control_->Install();
    view_.onEnable = [this](bool enabled) { control_->EnableArea(enabled); };
    calls_ = Calls::For(*controller_, operator_);
    varim::panels::CallsOnChannelForm::Install(*calls_, *control_, *controller_);

    varim::sim::SimOptions options;
    options.profile = varim::sim::KnownProfiles().front();
    auto programming = *varim::sim::LoadProgramming(varim::sim::DefaultProgrammingFolder());
    for (auto& net : programming.ale.nets)
      std::fill(std::begin(net.scanned_channels), std::end(net.scanned_channels), 0);
    varim::db::AddChannel(programming.ale.nets[0].scanned_channels, kNet1Channel);
    varim::db::AddChannel(programming.ale.nets[1].scanned_channels, kNet2Channel);
    options.memory.emplace();
    options.memory->Store(programming, options.profile);
    ASSERT_TRUE(on_.Connect(std::move(options))) << operator_.LastNotice();
    radio_ = &on_.Radio();
  }
  // The radio's reports stop before the features they reach go.
  void TearDown() override { controller_->Shutdown(); }

  void ChooseStation() {
    const std::vector<std::string>& to = calls_->Ale().to.items;
    const auto station = std::find_if(to.begin(), to.end(), [this](const std::string& text) {
      return text != Calls::kAllCall && text != calls_->Ale().netName;
    });
    ASSERT_NE(station, to.end()) << "the sample directory has an address";
    calls_->ChooseTo(*station);
    ASSERT_EQ(calls_->Ale().callType, 0);
  }

  // ALE switched on at the radio and scanning started from the form, in net 1.
  void StartAleScan() {
    CRadioMessage aleOn;
    SetAleMode(&aleOn, 0, 1);
    ASSERT_TRUE(controller_->SendCommand(aleOn));
    control_->OnScanButton();
    ASSERT_EQ(control_->Mode(), ChannelControl::ScanMode::kAle);
    ASSERT_EQ(control_->Selector().entries, (std::vector<std::string>{"1", "2"}));
    ASSERT_EQ(radio_->State().currentNet, 1);
    ASSERT_EQ(calls_->ScanState(), 1);
  }

  // Runs the window's queue until done holds, for at most five seconds.
  bool RunUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < deadline) pump_.Wait(10);
    return done();
  }

  // The frames the radio got from index from on, once at least count have come.
  std::vector<CRadioMessage> FramesSince(std::size_t from, std::size_t count) {
    EXPECT_TRUE(radio_->WaitForReceived(from + count, std::chrono::seconds(5)));
    const std::vector<CRadioMessage> all = radio_->ReceivedFrames();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
  }

  varim::testing::ControllerOnRadio on_;
  ConnectionController* controller_ = &on_.Controller();
  varim::testing::RecordingOperator& operator_ = on_.op;
  varim::testing::QueuePump& pump_ = on_.pump;
  varim::testing::RecordingView& view_ = on_.view;
  varim::sim::SimulatedRadio* radio_ = nullptr;
  // Made on the controller, so gone before it.
  std::unique_ptr<ChannelControl> control_;
  std::unique_ptr<Calls> calls_;
};

TEST_F(CallsOnChannelFormTest, AStationCallOnAnotherNetMovesTheScanSelectorFirst) {
  ASSERT_EQ(calls_->ScanState(), 0) << "the form's state on connecting reaches the calls";
  StartAleScan();

  calls_->ChooseNet(2);
  ChooseStation();
  const std::size_t before = radio_->ReceivedFrames().size();
  ASSERT_TRUE(calls_->SendCall()) << operator_.LastNotice();
  const std::vector<CRadioMessage> frames = FramesSince(before, 2);
  const auto enter = std::find_if(frames.begin(), frames.end(), [](const CRadioMessage& f) {
    return f.GetOpcode() == opcode::kEnterNetwork;
  });
  const auto call = std::find_if(frames.begin(), frames.end(), [](const CRadioMessage& f) {
    return f.GetOpcode() == opcode::kStationCall;
  });
  ASSERT_NE(enter, frames.end());
  ASSERT_NE(call, frames.end());
  EXPECT_EQ(enter->GetDataByte(1), 2) << "the net follows a fixed byte";
  EXPECT_LT(enter - frames.begin(), call - frames.begin());
  EXPECT_EQ(radio_->State().currentNet, 2);
  EXPECT_EQ(control_->Selector().selectedRow, 1);
  EXPECT_EQ(control_->Selector().netNumber, "NET2");
  EXPECT_TRUE(control_->AreaEnabled()) << "a scanning form keeps its area during a call";

  calls_->Abort();
  EXPECT_EQ(control_->ScanState(), ScanButton::kScanning);
  EXPECT_EQ(calls_->ScanState(), 1);
}

TEST_F(CallsOnChannelFormTest, ACallOnAChosenChannelHoldsTheChannelAreaUntilAbort) {
  ASSERT_EQ(control_->ScanState(), ScanButton::kIdle);
  ASSERT_EQ(calls_->ScanState(), 0);
  const std::vector<int>& numbers = control_->ChannelNumbers();
  const std::vector<std::string>& offered = calls_->Ale().channel.items;
  const auto other = std::find_if(offered.begin(), offered.end(), [&](const std::string& text) {
    const int number = std::stoi(text);
    return number != radio_->State().activeChannel &&
           std::find(numbers.begin(), numbers.end(), number) != numbers.end();
  });
  ASSERT_NE(other, offered.end());
  const int number = std::stoi(*other);
  calls_->ChooseChannel(*other);
  ChooseStation();

  ASSERT_TRUE(calls_->SendCall()) << operator_.LastNotice();
  EXPECT_EQ(radio_->State().activeChannel, number);
  ASSERT_GE(control_->ActiveRow(), 0);
  EXPECT_EQ(numbers[static_cast<std::size_t>(control_->ActiveRow())], number);
  // Copied out: the records are packed.
  const std::uint32_t shown = control_->Current().rx_frequency;
  const std::uint32_t stored =
      controller_->Session().Databases().radio.channels[number - 1].rx_frequency;
  EXPECT_EQ(shown, stored);
  EXPECT_FALSE(control_->AreaEnabled());
  EXPECT_FALSE(control_->StartScanEnabled());
  EXPECT_EQ(calls_->ScanState(), 0) << "holding the area is no news to the calls";

  calls_->Abort();
  EXPECT_TRUE(control_->AreaEnabled());
  EXPECT_EQ(control_->ScanState(), ScanButton::kIdle);
  EXPECT_TRUE(control_->StartScanEnabled());
  EXPECT_EQ(calls_->ScanState(), 0);
  EXPECT_TRUE(calls_->Ale().sendEnabled);
}

TEST_F(CallsOnChannelFormTest, TheScanSelectorLeadsBothTabsAndALinkExchangeLocksIt) {
  StartAleScan();
  EXPECT_EQ(calls_->Ale().net.Text(), "1");
  control_->SelectScanEntry(1);
  EXPECT_EQ(calls_->Ale().net.Text(), "2");
  EXPECT_EQ(calls_->LinkQuality().netNumber, "2");

  ChooseStation();
  calls_->ChooseLinkQualityTo(calls_->Ale().to.Text());
  ASSERT_TRUE(calls_->SendLinkQuality()) << operator_.LastNotice();
  EXPECT_FALSE(control_->Selector().enabled);
  control_->SelectScanEntry(0);
  EXPECT_EQ(control_->Selector().selectedRow, 1) << "the exchange keeps its net";
  control_->ChooseTab(ChannelControl::Tab::kChannel);
  EXPECT_EQ(control_->ScanState(), ScanButton::kUnavailable);
  EXPECT_FALSE(control_->StopScanEnabled());

  // The radio ends the exchange by itself.
  ASSERT_TRUE(RunUntil([this] { return control_->Selector().enabled; }));
  EXPECT_EQ(control_->ScanState(), ScanButton::kScanning);

  control_->OnScanButton();
  EXPECT_TRUE(calls_->LinkQuality().to.items.empty()) << "stopping ALE scanning empties the tab";
  EXPECT_FALSE(calls_->LinkQuality().sendEnabled);
}

}  // namespace
