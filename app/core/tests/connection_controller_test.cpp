#include "varim/core/connection_controller.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "varim/core/operator_texts.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/opcode_count.h"
#include "varim/testing/queue_pump.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/recording_view.h"
#include "varim/testing/sample_radio.h"

namespace {

using varim::core::CommandId;
using varim::core::CommSettings;
using varim::core::ConnectionController;
using varim::core::ProgressView;
using varim::core::RadioGeneration;
using varim::core::TransferMode;
using varim::sim::SimOptions;
using varim::sim::SimulatedRadio;
using varim::testing::CountOpcode;
using varim::testing::RecordingOperator;
using varim::testing::SampleRadio;
namespace texts = varim::core::texts;
using Texts = std::vector<std::string>;

// The commands that need the radio, as a list of those enabled.
const std::vector<CommandId> kRadioCommands = {
    CommandId::kReadDevice, CommandId::kRssWriteDevice, CommandId::kBite,
    CommandId::kCommPorts,  CommandId::kExit,           CommandId::kSquelch,
    CommandId::kMonitor,    CommandId::kAttenuator,     CommandId::kClipper};

class ControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("klv-controller-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    controller_ = std::make_unique<ConnectionController>(
        operator_, pump_, view_, [this](std::function<void()> work) { pump_.Post(work); },
        folder_.string());
    controller_->Initialise();
  }
  void TearDown() override {
    controller_->Shutdown();
    controller_.reset();
    std::filesystem::remove_all(folder_);
  }

  SimulatedRadio& StartRadio(SimOptions options, int port = 1) {
    radios_.push_back(std::make_unique<SimulatedRadio>(std::move(options)));
    std::string error;
    EXPECT_TRUE(radios_.back()->Start(&error)) << error;
    controller_->SetDeviceForPort(port, radios_.back()->DevicePath());
    return *radios_.back();
  }

  std::vector<CommandId> EnabledRadioCommands() const {
    std::vector<CommandId> enabled;
    for (CommandId command : kRadioCommands) {
      if (controller_->StateOf(command).enabled) enabled.push_back(command);
    }
    return enabled;
  }

  std::filesystem::path folder_;
  RecordingOperator operator_;
  varim::testing::QueuePump pump_;
  varim::testing::RecordingView view_;
  std::vector<std::unique_ptr<SimulatedRadio>> radios_;
  std::unique_ptr<ConnectionController> controller_;
};

TEST_F(ControllerTest, StartingWithARadioReadsItAndEnablesThePanels) {
  StartRadio(SampleRadio("varim-global"));
  controller_->DeferredConnect();

  EXPECT_EQ(operator_.Notices(), Texts{});
  EXPECT_TRUE(controller_->RadioReady());
  EXPECT_TRUE(controller_->PanelsEnabled());
  EXPECT_FALSE(controller_->Busy());
  EXPECT_EQ(view_.busy, (std::vector<bool>{true, false}));
  EXPECT_EQ(view_.started, std::vector<TransferMode>{TransferMode::kRead});
  EXPECT_EQ(view_.finished, 1);
  ASSERT_FALSE(view_.views.empty());
  EXPECT_EQ(view_.views.back().percent, 100);
  // The radio restarts under the please-wait box; the done box follows for 4 seconds.
  EXPECT_EQ(view_.pleaseWait, (std::vector<bool>{true, false}));
  EXPECT_EQ(view_.doneMs, std::vector<int>{4000});
  EXPECT_EQ(controller_->Session().RadioGeneration(), RadioGeneration::kVarim);
  EXPECT_TRUE(controller_->Session().ReportsEnabled());

  const auto sample = varim::sim::LoadProgramming(varim::sim::DefaultProgrammingFolder());
  ASSERT_TRUE(sample);
  const auto expected = varim::core::ListProgrammedChannels(sample->radio, 0);
  ASSERT_FALSE(expected.numbers.empty());
  EXPECT_EQ(controller_->Channels().numbers, expected.numbers);
  EXPECT_GE(controller_->Channels().activeRow, 0);
  EXPECT_EQ(controller_->SerialNumberPane(), std::string("S/N: ") + sample->radio.serial_number);
  EXPECT_EQ(controller_->PortPane(), "COM: 1,9600");
  // The monitor is the radio's own while it reports ALE as not on.
  std::vector<CommandId> enabled = kRadioCommands;
  if (controller_->Session().AleOff()) std::erase(enabled, CommandId::kMonitor);
  EXPECT_EQ(EnabledRadioCommands(), enabled);
  EXPECT_TRUE(controller_->StateOf(CommandId::kVarimPanel).enabled);
  EXPECT_FALSE(controller_->StateOf(CommandId::kVarim2EPanel).enabled);
}

TEST_F(ControllerTest, ARadioWithNothingProgrammedReadsAsASuccessWithNoChannels) {
  SimOptions blank;
  blank.profile = *varim::sim::FindProfile("varim");
  StartRadio(std::move(blank));
  ASSERT_TRUE(controller_->OpenConnection());
  ASSERT_TRUE(controller_->Session().EnterRemote());
  EXPECT_EQ(controller_->ResetAndRead(true), 1);
  EXPECT_TRUE(controller_->Channels().numbers.empty());
  EXPECT_EQ(controller_->Channels().activeRow, -1);
  EXPECT_EQ(operator_.Notices(), Texts{});
}

TEST_F(ControllerTest, ASecondProgressDialogIsRefused) {
  StartRadio(SampleRadio("varim"));
  ASSERT_TRUE(controller_->OpenConnection());
  view_.onProgress = [this](const ProgressView&) {
    if (view_.views.size() == 1) {
      EXPECT_FALSE(controller_->LoadProgressDlg(TransferMode::kRead));
    }
  };
  EXPECT_TRUE(controller_->LoadProgressDlg(TransferMode::kRead));
  EXPECT_EQ(operator_.Notices(), Texts{texts::kProgressDialogProblem});
}

TEST_F(ControllerTest, ARadioThatDoesNotComeBackAfterItsResetIsNotReady) {
  SimulatedRadio& radio = StartRadio(SampleRadio("varim"));
  radio.ChangeBehaviour(
      [](varim::sim::SimBehaviour& b) { b.restartDelay = std::chrono::minutes(5); });
  controller_->DeferredConnect();

  EXPECT_FALSE(controller_->RadioReady());
  EXPECT_FALSE(controller_->PanelsEnabled());
  // The reset was acknowledged: the done box follows the please-wait box all the same.
  EXPECT_EQ(view_.pleaseWait, (std::vector<bool>{true, false}));
  EXPECT_EQ(view_.doneMs, std::vector<int>{4000});
  EXPECT_EQ(operator_.Notices(), (Texts{texts::kRadioDoesNotRespond, texts::kRadioDoesNotRespond}));
  EXPECT_FALSE(controller_->StateOf(CommandId::kBite).enabled);
}

TEST_F(ControllerTest, StartingWithoutARadioSaysSoOnceAndLeavesOnlyTheLinkCommands) {
  SimulatedRadio& radio = StartRadio(SampleRadio("varim"));
  radio.SetSilent(true);
  controller_->DeferredConnect();

  EXPECT_EQ(operator_.Notices(), Texts{texts::kRadioDoesNotRespond});
  EXPECT_FALSE(controller_->RadioReady());
  EXPECT_FALSE(controller_->PanelsEnabled());
  EXPECT_TRUE(view_.started.empty()) << "no read without remote mode";
  EXPECT_EQ(
      EnabledRadioCommands(),
      (std::vector<CommandId>{CommandId::kReadDevice, CommandId::kCommPorts, CommandId::kExit}));
}

TEST_F(ControllerTest, StartingWithAMissingDeviceCannotOpenThePort) {
  controller_->SetDeviceForPort(1, (folder_ / "no-such-tty").string());
  controller_->DeferredConnect();

  EXPECT_EQ(operator_.Notices(), Texts{texts::kCannotOpenPort});
  EXPECT_FALSE(controller_->RadioReady());
  EXPECT_EQ(EnabledRadioCommands(),
            (std::vector<CommandId>{CommandId::kCommPorts, CommandId::kExit}));
}

TEST_F(ControllerTest, UpdateSocketReopensOnlyForNewValues) {
  SimulatedRadio& first = StartRadio(SampleRadio("varim"), 1);
  SimulatedRadio& second = StartRadio(SampleRadio("varim"), 2);
  ASSERT_TRUE(controller_->OpenConnection());

  EXPECT_TRUE(controller_->UpdateSocket(1, 9600));
  EXPECT_TRUE(controller_->CommunicationTest());
  EXPECT_EQ(CountOpcode(first.ReceivedFrames(), opcode::kGetMemorySection), 1)
      << "still on the first radio";

  EXPECT_TRUE(controller_->UpdateSocket(2, 9600));
  EXPECT_EQ(controller_->Settings(), (CommSettings{2, 9600}));
  EXPECT_TRUE(controller_->CommunicationTest());
  EXPECT_EQ(CountOpcode(second.ReceivedFrames(), opcode::kGetMemorySection), 1)
      << "now on the second radio";
  EXPECT_EQ(operator_.Notices(), Texts{});
}

TEST_F(ControllerTest, CommPortsCheckTriesNewValuesAndCancelRestoresTheOldOnes) {
  SimulatedRadio& first = StartRadio(SampleRadio("varim"), 1);
  SimulatedRadio& second = StartRadio(SampleRadio("varim"), 2);
  ASSERT_TRUE(controller_->OpenConnection());

  const CommSettings before = controller_->BeginCommPorts();
  EXPECT_TRUE(controller_->Busy());
  EXPECT_TRUE(controller_->CommPortsCheck(2, 9600));
  controller_->ReportCommunicationTest(true);
  EXPECT_EQ(CountOpcode(second.ReceivedFrames(), opcode::kGetMemorySection), 1);
  EXPECT_EQ(operator_.Notices(), Texts{texts::kCommTestSucceeded});

  controller_->EndCommPorts(false, before);
  EXPECT_EQ(controller_->Settings(), (CommSettings{1, 9600}));
  EXPECT_FALSE(controller_->Busy());
  EXPECT_TRUE(controller_->RadioReady()) << "the re-test after the dialog passed";
  EXPECT_EQ(CountOpcode(first.ReceivedFrames(), opcode::kGetMemorySection), 1)
      << "back on the first radio";

  // A silent radio fails the test without the "does not respond" box.
  operator_.Forget();
  first.SetSilent(true);
  controller_->BeginCommPorts();
  EXPECT_FALSE(controller_->CommPortsCheck(1, 9600));
  EXPECT_EQ(operator_.Notices(), Texts{}) << "a silent radio is no surprise here";
  controller_->ReportCommunicationTest(false);
  EXPECT_EQ(operator_.Notices(), Texts{texts::kCommTestFailed});
  controller_->EndCommPorts(true, before);
  EXPECT_FALSE(controller_->RadioReady());
}

TEST_F(ControllerTest, AbortingTheReadShowsNoBoxAndLeavesTheRadioNotReady) {
  StartRadio(SampleRadio("varim-global"));
  ASSERT_TRUE(controller_->OpenConnection());
  view_.onProgress = [this](const ProgressView& view) {
    if (view.percent >= 20) controller_->AbortTransfer();
  };
  controller_->ReadDevice();

  EXPECT_EQ(operator_.Notices(), Texts{});
  EXPECT_FALSE(controller_->RadioReady());
  EXPECT_FALSE(controller_->Busy());
  EXPECT_TRUE(view_.pleaseWait.empty()) << "the radio was not reset";
  EXPECT_EQ(CountOpcode(radios_.front()->ReceivedFrames(), opcode::kPerformReset), 0);
}

// The start-up read and Read Device bring the whole radio in; the refresh after a write reads
// only its channel and must not push a backup of the radio as it was before out of the fifty.
TEST_F(ControllerTest, EveryWholeReadIsBackedUpAndTheRefreshAfterAWriteIsNot) {
  StartRadio(SampleRadio("varim-global"));
  const std::filesystem::path base = folder_ / "backups";
  controller_->KeepBackupsIn(base);
  auto backups = [&base] {
    int count = 0;
    for (auto entry = std::filesystem::recursive_directory_iterator(base);
         entry != std::filesystem::recursive_directory_iterator(); ++entry)
      count += entry.depth() == 1 && entry->is_directory() ? 1 : 0;
    return count;
  };
  controller_->DeferredConnect();
  ASSERT_TRUE(controller_->RadioReady());
  EXPECT_EQ(backups(), 1);
  controller_->WriteDevice();
  ASSERT_TRUE(controller_->RadioReady());
  EXPECT_EQ(backups(), 1);
  controller_->ReadDevice();
  EXPECT_EQ(backups(), 2);
  EXPECT_EQ(operator_.Notices(), Texts{});
}

TEST_F(ControllerTest, ABackupThatFailsIsToldAndTheReadStands) {
  StartRadio(SampleRadio("varim-global"));
  std::ofstream(folder_ / "file") << "not a folder";
  controller_->KeepBackupsIn(folder_ / "file" / "backups");
  controller_->DeferredConnect();
  EXPECT_TRUE(controller_->RadioReady());
  EXPECT_TRUE(controller_->PanelsEnabled());
  ASSERT_EQ(operator_.Notices().size(), 1u);
  const std::string notice = operator_.Notices().front();
  EXPECT_EQ(notice.rfind(texts::BackupFailed("cannot create " + folder_.string()), 0), 0u)
      << notice;
  EXPECT_TRUE(notice.ends_with(": Not a directory")) << notice;
}

// Calls that cannot be kept are told: after a change of the lists, and again at the end.
TEST_F(ControllerTest, CallListsThatCannotBeSavedAreTold) {
  std::filesystem::create_directory(folder_ / "stack.txt");
  varim::core::CallRecord call;
  call.from = "STATION";
  controller_->Calls().LogCall(call, true);
  controller_->Shutdown();
  ASSERT_EQ(operator_.Notices().size(), 2u);
  for (const std::string& notice : operator_.Notices())
    EXPECT_EQ(notice, operator_.Notices().front());
  EXPECT_EQ(operator_.Notices().front(),
            texts::CallListsNotSaved("cannot save " + (folder_ / "stack.txt").string() +
                                     ": Is a directory"));
  std::filesystem::remove(folder_ / "stack.txt");
}

// Writing at the speed the radio works at needs no question and leaves the panels fresh from
// the radio; at another speed the operator decides, and is then asked to read the radio again.
TEST_F(ControllerTest, WriteDeviceAsksWhenTheSpeedsDifferAndRefreshesWhenTheyAgree) {
  StartRadio(SampleRadio("varim-global"));
  controller_->DeferredConnect();
  ASSERT_TRUE(controller_->RadioReady());
  bool edited = false;
  controller_->OnBeforeWrite([&edited] { edited = true; });
  int reads = 0;
  controller_->OnRead([&reads] { ++reads; });

  controller_->WriteDevice();
  EXPECT_TRUE(edited) << "the editors hand in their data first";
  EXPECT_EQ(operator_.Questions(), Texts{});
  EXPECT_EQ(view_.started.back(), TransferMode::kWrite);
  EXPECT_TRUE(controller_->RadioReady());
  EXPECT_EQ(reads, 1) << "the panels are refreshed from the radio";
  EXPECT_FALSE(controller_->Busy());

  ASSERT_TRUE(controller_->UpdateSocket(1, 4800));
  const std::size_t writes = view_.started.size();
  operator_.AnswerWith(false);
  controller_->WriteDevice();
  EXPECT_EQ(operator_.Questions(), Texts{texts::kBaudRateDiffers});
  EXPECT_EQ(view_.started.size(), writes) << "No writes nothing";

  operator_.AnswerWith(true);
  controller_->WriteDevice();
  EXPECT_EQ(view_.started.size(), writes + 1);
  EXPECT_EQ(operator_.LastNotice(), texts::kReadDatabaseFirst);
  EXPECT_FALSE(controller_->RadioReady());
  EXPECT_EQ(controller_->Settings().baudRate, 9600) << "the line follows the radio's new speed";
}

// The radio's last backup shows the operator what a write will change, before it starts.
TEST_F(ControllerTest, WriteDeviceShowsWhatItWillChangeSinceTheLastBackup) {
  controller_->KeepBackupsIn(folder_ / "backups");
  StartRadio(SampleRadio("varim-global"));
  controller_->DeferredConnect();
  ASSERT_TRUE(controller_->RadioReady());
  controller_->WriteDevice();
  EXPECT_EQ(operator_.Questions(), Texts{}) << "nothing changed since the read";

  controller_->Session().Databases().radio.channels[16].rx_frequency = 7'250'000;
  const std::size_t writes = view_.started.size();
  operator_.AnswerWith(false);
  controller_->WriteDevice();
  ASSERT_EQ(operator_.Questions().size(), 1u);
  EXPECT_NE(operator_.Questions()[0].find("Channel 17: Rx"), std::string::npos)
      << operator_.Questions()[0];
  EXPECT_EQ(view_.started.size(), writes) << "No writes nothing";
  EXPECT_FALSE(controller_->Busy());
}

TEST_F(ControllerTest, AnAbortedWriteSaysTheRadioHoldsPartOfIt) {
  StartRadio(SampleRadio("varim-global"));
  controller_->DeferredConnect();
  ASSERT_TRUE(controller_->RadioReady());
  view_.onProgress = [this](const ProgressView& view) {
    if (view.percent >= 20) controller_->AbortTransfer();
  };
  controller_->WriteDevice();
  EXPECT_EQ(operator_.Notices(), Texts{texts::kWriteAborted});
  EXPECT_FALSE(controller_->Busy());
}

TEST_F(ControllerTest, ARadioThatRestartsIsTakenBackIntoRemoteMode) {
  SimulatedRadio& radio = StartRadio(SampleRadio("varim"));
  controller_->DeferredConnect();
  ASSERT_TRUE(controller_->RadioReady());
  const int remoteBefore = CountOpcode(radio.ReceivedFrames(), opcode::kEnterRemoteMode);
  view_.doneMs.clear();

  controller_->Reset();
  EXPECT_EQ(CountOpcode(radio.ReceivedFrames(), opcode::kPerformReset), 2)
      << "one in the read, one now";
  EXPECT_EQ(CountOpcode(radio.ReceivedFrames(), opcode::kEnterRemoteMode), remoteBefore + 1);
  EXPECT_EQ(view_.doneMs, std::vector<int>{4000});
  EXPECT_TRUE(controller_->PanelsEnabled());
  EXPECT_EQ(operator_.Notices(), Texts{});
}

TEST_F(ControllerTest, QuickTogglesSendTheirCommandAndFollowTheRadio) {
  SimulatedRadio& radio = StartRadio(SampleRadio("varim"));
  controller_->DeferredConnect();
  ASSERT_TRUE(controller_->RadioReady());
  const bool squelch = controller_->Picture().squelch;

  controller_->Toggle(CommandId::kSquelch);
  EXPECT_EQ(controller_->Picture().squelch, !squelch);
  ASSERT_TRUE(radio.WaitUntilIdle(std::chrono::milliseconds(2000)));
  EXPECT_EQ(radio.State().squelchOn, !squelch);
  EXPECT_EQ(controller_->StateOf(CommandId::kSquelch).checked, !squelch);

  controller_->Toggle(CommandId::kClipper);
  ASSERT_TRUE(radio.WaitUntilIdle(std::chrono::milliseconds(2000)));
  EXPECT_TRUE(radio.State().clipperOn);
  EXPECT_TRUE(controller_->Picture().clipper);

  radio.SetSilent(true);
  controller_->Toggle(CommandId::kAttenuator);
  EXPECT_FALSE(controller_->Picture().attenuator) << "not acknowledged: flipped back";
  EXPECT_EQ(operator_.Notices(), Texts{texts::kRadioDoesNotRespond});
}

// The radio counts the notch filter in steps of 240 Hz from 300 Hz.
TEST_F(ControllerTest, TheNotchSliderFollowsTheRadiosNotchStep) {
  StartRadio(SampleRadio("varim"));
  ASSERT_TRUE(controller_->OpenConnection());
  for (const auto& [step, hertz] : {std::pair{10, 2700}, std::pair{0, 300}, std::pair{4, 1260}}) {
    CRadioMessage set;
    SetDspMenuParameters(&set, 0, step, 255, 255, 255);
    ASSERT_TRUE(controller_->SendCommand(set));
    ASSERT_TRUE(controller_->UpdateToolBarAndSliders());
    EXPECT_EQ(controller_->Picture().notchPosition, hertz) << "step " << step;
  }
}

TEST_F(ControllerTest, TheRemoteControlCommandFreesAndRetakesTheRadio) {
  StartRadio(SampleRadio("varim"));
  ASSERT_TRUE(controller_->OpenConnection());
  EXPECT_FALSE(controller_->StateOf(CommandId::kRemoteControl).checked);
  controller_->RemoteControl();
  EXPECT_EQ(controller_->Session().RemoteModeValue(), 0);
  EXPECT_TRUE(controller_->StateOf(CommandId::kRemoteControl).checked);
  controller_->RemoteControl();
  EXPECT_EQ(controller_->Session().RemoteModeValue(), 2);
  const auto frames = radios_.front()->ReceivedFrames();
  std::vector<int> modes;
  for (const CRadioMessage& frame : frames) {
    if (frame.GetOpcode() == opcode::kEnterRemoteMode) modes.push_back(frame.GetData()[0]);
  }
  EXPECT_EQ(modes, (std::vector<int>{0, 2}));
}

// The generation follows the radio's software version: up to and including "03.000" a
// VARIM-2E, else a VARIM.
class GenerationTest
    : public ControllerTest,
      public ::testing::WithParamInterface<std::pair<const char*, RadioGeneration>> {};

TEST_P(GenerationTest, ComesFromTheSoftwareVersion) {
  SimOptions options = SampleRadio("varim");
  std::uint8_t version[8] = {};
  std::memcpy(version, GetParam().first, std::strlen(GetParam().first));
  options.memory->Write(60, 8, version);
  StartRadio(std::move(options));
  controller_->DeferredConnect();
  ASSERT_TRUE(controller_->RadioReady());
  const RadioGeneration generation = GetParam().second;
  EXPECT_EQ(controller_->Session().RadioGeneration(), generation);
  EXPECT_EQ(controller_->StateOf(CommandId::kVarim2EPanel).enabled,
            generation == RadioGeneration::kVarim2E);
  EXPECT_EQ(controller_->StateOf(CommandId::kVarimPanel).enabled,
            generation == RadioGeneration::kVarim);
}

INSTANTIATE_TEST_SUITE_P(VersionTexts, GenerationTest,
                         ::testing::Values(std::pair{"03.000", RadioGeneration::kVarim2E},
                                           std::pair{"01.000", RadioGeneration::kVarim2E},
                                           std::pair{"03.001", RadioGeneration::kVarim},
                                           std::pair{"00.999", RadioGeneration::kVarim}));

TEST_F(ControllerTest, ShutdownWritesTheCommunicationSettings) {
  controller_->SetDeviceForPort(3, (folder_ / "no-such-tty").string());
  controller_->UpdateSocket(3, 4800);
  operator_.Forget();
  controller_->Shutdown();
  EXPECT_EQ(varim::core::LoadCommSettings(folder_.string()), (CommSettings{3, 4800}));
}

}  // namespace
