#include "varim/panels/channel_control.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "varim/byte_order.h"
#include "varim/core/operator_texts.h"
#include "varim/db/channel_set.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/controller_on_radio.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/recording_view.h"

namespace {

using varim::core::ConnectionController;
using varim::panels::ChannelControl;
using varim::testing::RecordingOperator;
using Box = varim::panels::FrequencyEntry::Box;
using ScanButton = ChannelControl::ScanButton;

constexpr int kGroupB = 1;
constexpr int kNet3 = 3;

class ChannelControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control_ = std::make_unique<ChannelControl>(*controller_, view_, operator_);
    control_->Install();
    view_.onEnable = [this](bool enabled) { control_->EnableArea(enabled); };
  }
  // The radio's reports stop before the form they reach goes.
  void TearDown() override { controller_->Shutdown(); }

  // The sample radio with channels 10 and 11 in group B and net 3 scanning channel 10.
  void Connect() {
    varim::sim::SimOptions options;
    options.profile = varim::sim::KnownProfiles().front();
    auto programming = *varim::sim::LoadProgramming(varim::sim::DefaultProgrammingFolder());
    for (auto& group : programming.radio.groups)
      std::fill(std::begin(group.member_channels), std::end(group.member_channels), 0);
    varim::db::AddChannel(programming.radio.groups[kGroupB].member_channels, 10);
    varim::db::AddChannel(programming.radio.groups[kGroupB].member_channels, 11);
    for (auto& net : programming.ale.nets)
      std::fill(std::begin(net.scanned_channels), std::end(net.scanned_channels), 0);
    varim::db::AddChannel(programming.ale.nets[kNet3 - 1].scanned_channels, 10);
    options.memory.emplace();
    options.memory->Store(programming, options.profile);
    ASSERT_TRUE(on_.Connect(std::move(options))) << operator_.LastNotice();
    radio_ = &on_.Radio();
  }

  varim::testing::ControllerOnRadio on_;
  ConnectionController* controller_ = &on_.Controller();
  RecordingOperator& operator_ = on_.op;
  varim::testing::QueuePump& pump_ = on_.pump;
  varim::testing::RecordingView& view_ = on_.view;
  varim::sim::SimulatedRadio* radio_ = nullptr;
  // Made on the controller, so gone before it.
  std::unique_ptr<ChannelControl> control_;
};

TEST_F(ChannelControlTest, ScanButtonFollowsTheScanningFlagAndTheGroups) {
  struct Case {
    const char* name;
    bool scanning;
    bool aleOff;
    bool anyGroup;
    ScanButton button;
    bool startEnabled;
    bool stopShown;
    bool ccir = false;
  };
  const Case cases[] = {
      {"no ALE, no group", false, true, false, ScanButton::kUnavailable, false, false},
      {"no ALE, a group", false, true, true, ScanButton::kIdle, true, false},
      {"ALE on, no group", false, false, false, ScanButton::kIdle, true, false},
      {"found in mode 4", true, true, true, ScanButton::kScanning, true, true},
      {"CCIR, ALE off", false, true, true, ScanButton::kIdle, false, false, true},
      {"CCIR, ALE on", false, false, true, ScanButton::kIdle, true, false, true},
  };
  for (const Case& c : cases) {
    auto& groups = controller_->Session().Databases().radio.groups;
    std::fill(std::begin(groups[0].member_channels), std::end(groups[0].member_channels), 0);
    if (c.anyGroup) varim::db::AddChannel(groups[0].member_channels, 5);
    controller_->State().Change([&](varim::core::RadioStatus& s) {
      s.aleOff = c.aleOff;
      s.ccirPresent = c.ccir;
    });
    controller_->Picture().operationMode = c.scanning ? 4 : 0;
    controller_->Picture().aleCapable = c.scanning;
    control_->Refresh();
    control_->EnableArea(false);
    EXPECT_EQ(control_->ScanState(), ScanButton::kUnavailable) << c.name;
    control_->EnableArea(true);
    EXPECT_EQ(control_->ScanState(), c.button) << c.name;
    EXPECT_EQ(control_->StartScanEnabled(), c.startEnabled) << c.name;
    EXPECT_EQ(control_->StopScanEnabled(), c.stopShown && !c.ccir) << c.name;
    EXPECT_EQ(control_->StopScanShown(), c.stopShown) << c.name;
    EXPECT_EQ(control_->StartScanShown(), !c.stopShown) << c.name;
    EXPECT_EQ(control_->ChannelControlsShown(), !c.scanning) << c.name;
    EXPECT_EQ(control_->AleTabsPresent(), !c.aleOff) << c.name;
  }
}

TEST_F(ChannelControlTest, SelectsReadsAndProgramsAChannelThenGoesToPriority) {
  Connect();
  const std::vector<int>& numbers = control_->ChannelNumbers();
  ASSERT_GE(numbers.size(), 3u);
  ASSERT_GE(control_->ActiveRow(), 0);
  EXPECT_EQ(numbers[static_cast<std::size_t>(control_->ActiveRow())],
            radio_->State().activeChannel);

  const int row = control_->ActiveRow() == 1 ? 2 : 1;
  const int number = numbers[static_cast<std::size_t>(row)];
  ASSERT_TRUE(control_->SelectRow(row));
  EXPECT_EQ(radio_->State().activeChannel, number);
  EXPECT_EQ(std::uint32_t{control_->Current().tx_frequency}, radio_->State().current.txHz);
  EXPECT_EQ(control_->Frequencies().Text(Box::kTx),
            varim::panels::FrequencyText(radio_->State().current.txHz));

  control_->ChooseDuplex();
  control_->ChangeFrequency(Box::kTx, "7.1234567");
  control_->ChangeFrequency(Box::kRx, "12.5");
  control_->Choose(varim::panels::ChannelSetting::kPower, 1);      // MED
  control_->Choose(varim::panels::ChannelSetting::kBandwidth, 0);  // 2.1
  control_->Choose(varim::panels::ChannelSetting::kAgc, 2);        // Off
  control_->Choose(varim::panels::ChannelSetting::kMode, 2);       // AME
  control_->Choose(varim::panels::ChannelSetting::kBand, 0);       // LSB
  ASSERT_TRUE(control_->ProgramEnabled()) << operator_.LastNotice();
  ASSERT_TRUE(control_->ProgramChannel());
  std::uint8_t record[13];
  radio_->Memory().Read(1675 + 13 * number, 13, record);
  const std::uint8_t expected[13] = {3,    0,    5,    0x00, 0x6C, 0xB1, 0xFA,
                                     0x00, 0xBE, 0xBC, 0x20, 255,  2};
  EXPECT_TRUE(std::equal(std::begin(record), std::end(record), std::begin(expected)));
  EXPECT_EQ(
      std::uint32_t{controller_->Session().Databases().radio.channels[number - 1].tx_frequency},
      7'123'450u);
  EXPECT_EQ(view_.pleaseWait, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(view_.doneMs.back(), 4000);
  EXPECT_EQ(controller_->Picture().operationMode, ChannelControl::kProgrammedMode);
  EXPECT_TRUE(control_->AreaEnabled());
  EXPECT_FALSE(controller_->Busy());

  const int priority = numbers.front() == number ? numbers.back() : numbers.front();
  controller_->Session().Databases().radio.radio_options.priority_channel =
      static_cast<std::uint16_t>(priority);
  ASSERT_TRUE(control_->Priority());
  EXPECT_EQ(radio_->State().activeChannel, priority);
  EXPECT_EQ(numbers[static_cast<std::size_t>(control_->ActiveRow())], priority);
}

TEST_F(ChannelControlTest, StartsAndStopsScanningInBothModes) {
  Connect();
  ASSERT_EQ(control_->ScanState(), ScanButton::kIdle);
  control_->OnScanButton();
  EXPECT_EQ(control_->ScanState(), ScanButton::kScanning);
  EXPECT_EQ(control_->Mode(), ChannelControl::ScanMode::kGroups);
  EXPECT_EQ(control_->Selector().label, "Scan Groups");
  EXPECT_EQ(control_->Selector().entries, (std::vector<std::string>{"B"}));
  EXPECT_FALSE(control_->ChannelControlsShown());
  EXPECT_FALSE(control_->AleTabsPresent());
  EXPECT_EQ(radio_->State().operationMode, opcode::kOperationGroupScan);
  EXPECT_EQ(radio_->State().scanGroup, kGroupB);
  // As if the radio had been found scanning on its own: the first stop reports where it stopped.
  controller_->Picture().firstScanMark = 1;
  control_->OnScanButton();
  EXPECT_EQ(radio_->State().operationMode, opcode::kOperationChannel);
  EXPECT_EQ(controller_->Picture().firstScanMark, 2);
  const int stoppedOn = radio_->State().activeChannel;
  ASSERT_GE(control_->ActiveRow(), 0);
  EXPECT_EQ(control_->ChannelNumbers()[static_cast<std::size_t>(control_->ActiveRow())], stoppedOn);
  EXPECT_EQ(
      std::uint32_t{control_->Current().tx_frequency},
      std::uint32_t{controller_->Session().Databases().radio.channels[stoppedOn - 1].tx_frequency});
  EXPECT_TRUE(control_->ChannelControlsShown());
  EXPECT_FALSE(control_->Selector().shown);

  // The radio's ALE switched on, its scanning stopped: the next start scans the nets.
  CRadioMessage frame;
  SetAleMode(&frame, 0, 1);
  ASSERT_TRUE(controller_->SendCommand(frame));
  SetRadioScanMode(&frame, 1, 0, 0);
  ASSERT_TRUE(controller_->SendCommand(frame));
  control_->OnScanButton();
  EXPECT_EQ(control_->Mode(), ChannelControl::ScanMode::kAle);
  EXPECT_EQ(control_->Selector().label, "Scan ALE");
  EXPECT_EQ(control_->Selector().entries, (std::vector<std::string>{"3"}));
  EXPECT_EQ(control_->Selector().netNumber, "NET3");
  EXPECT_TRUE(control_->AleTabsPresent());
  EXPECT_EQ(radio_->State().operationMode, opcode::kOperationAleScan);
  EXPECT_EQ(radio_->State().currentNet, kNet3);
  control_->OnScanButton();
  EXPECT_EQ(radio_->State().aleOnOff, 0);
  EXPECT_EQ(control_->ScanState(), ScanButton::kIdle);
  EXPECT_TRUE(operator_.Notices().empty()) << operator_.LastNotice();
}

TEST_F(ChannelControlTest, AFailedProgrammingGivesThePanelBack) {
  Connect();
  radio_->SetSilent(true);
  EXPECT_FALSE(control_->ProgramChannel());
  EXPECT_EQ(operator_.LastNotice(), varim::core::texts::kRadioDoesNotRespond);
  EXPECT_TRUE(control_->AreaEnabled());
  EXPECT_FALSE(controller_->Busy());
  EXPECT_EQ(control_->StatusText(), "");
  EXPECT_NE(controller_->Picture().operationMode, ChannelControl::kProgrammedMode);
}

}  // namespace
