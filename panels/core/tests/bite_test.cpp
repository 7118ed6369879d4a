#include "varim/panels/bite_test.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "varim/core/command_registry.h"
#include "varim/core/operator_texts.h"
#include "varim/core/radio_state.h"
#include "varim/core/report_dispatcher.h"
#include "varim/panels/bite.h"
#include "varim/panels/deadline_timer.h"
#include "varim/radio_opcodes.h"
#include "varim/testing/recording_operator.h"

namespace {

using namespace std::chrono_literals;
using varim::core::CommandId;
using varim::panels::Bite;
using varim::panels::BiteItemResult;
using varim::panels::BiteResultClass;
using varim::panels::BiteTest;
using varim::testing::RecordingOperator;
using Texts = std::vector<std::string>;

constexpr std::uint8_t kPassed = 0xAA;
constexpr std::uint8_t kFailed = 0x55;
constexpr std::uint8_t kUnable = 0x3C;

CRadioMessage Report(std::uint8_t opcode, const std::vector<std::uint8_t>& data) {
  CRadioMessage frame;
  frame.SetOpcode(opcode);
  frame.SetData(static_cast<std::uint8_t>(data.size()), data.data());
  frame.SetLen(static_cast<std::uint8_t>(data.size() + 1));
  frame.CalcChecksum();
  return frame;
}

CRadioMessage SelfTestReport(std::uint8_t type, const std::vector<std::uint8_t>& results) {
  std::vector<std::uint8_t> data = {type};
  data.insert(data.end(), results.begin(), results.end());
  return Report(report::kSelfTest, data);
}

std::vector<std::uint8_t> AllItems(std::uint8_t result) {
  return std::vector<std::uint8_t>(varim::panels::kBiteItems, result);
}

// The feature on its seams, with a send that records, a clock the test moves and a dialog that
// the test scripts.
class BiteFeatureTest : public ::testing::Test {
 protected:
  BiteFeatureTest() {
    bite_.Install(commands_, dispatcher_, state_, [] { return true; });
  }

  // Opens the dialog; the script plays the operator and the radio while it is open.
  void Open(std::function<void(BiteTest&)> script) {
    script_ = std::move(script);
    ASSERT_TRUE(commands_.Run(CommandId::kBite));
  }

  void ShowOnDisplay(const std::string& line) {
    state_.Change([&line](varim::core::RadioStatus& s) { s.displayText = line; });
  }

  void Pass(std::chrono::milliseconds time) {
    now_ += time;
    watchdog_.Poll();
  }

  std::vector<int> SentOpcodes() const {
    std::vector<int> opcodes;
    for (const CRadioMessage& frame : sent_) opcodes.push_back(frame.GetOpcode());
    return opcodes;
  }

  varim::core::RadioState state_;
  varim::core::ReportDispatcher dispatcher_;
  varim::core::CommandRegistry commands_;
  RecordingOperator operator_;
  varim::panels::DeadlineTimer::Clock::time_point now_{};
  varim::panels::DeadlineTimer watchdog_{[this] { return now_; }};
  std::vector<CRadioMessage> sent_;
  bool sendSucceeds_ = true;
  std::vector<int> waits_;
  std::vector<bool> busy_;
  std::vector<bool> openWhileShown_;
  std::function<void(BiteTest&)> script_;
  Bite bite_{{[this](const CRadioMessage& frame) {
                sent_.push_back(frame);
                return sendSucceeds_;
              },
              [this](int rounds) { waits_.push_back(rounds); },
              [this](bool busy) { busy_.push_back(busy); }},
             operator_,
             watchdog_,
             [this](BiteTest& test) {
               openWhileShown_.push_back(state_.Now().biteOpen);
               script_(test);
             }};
};

struct ResultsCase {
  const char* what;
  std::vector<std::uint8_t> results;
  std::size_t listed;
  const char* summary;
  std::vector<BiteItemResult> firstItems;
};

TEST_F(BiteFeatureTest, ResultsListTheReportedItemsAndSumThemUp) {
  std::vector<std::uint8_t> mixed = AllItems(kPassed);
  mixed[0] = kFailed;
  mixed[1] = kUnable;
  mixed[2] = 0;
  const std::vector<ResultsCase> cases = {
      {"all passed",
       AllItems(kPassed),
       39,
       "Summary: 39 Passed, 0 Failed, 0 Not Performed",
       {{1, "DSP - Boot Checksum", BiteResultClass::kPassed}}},
      {"failed, unable and a hidden item",
       mixed,
       38,
       "Summary: 36 Passed, 1 Failed, 1 Not Performed",
       {{1, "DSP - Boot Checksum", BiteResultClass::kFailed},
        {2, "DSP - PLL Lock", BiteResultClass::kNotPerformed},
        {4, "IMIC- RAM", BiteResultClass::kPassed}}},
      {"a short report lists only what it carries",
       {kPassed, kFailed},
       2,
       "Summary: 1 Passed, 1 Failed, 0 Not Performed",
       {{1, "DSP - Boot Checksum", BiteResultClass::kPassed},
        {2, "DSP - PLL Lock", BiteResultClass::kFailed}}},
  };
  for (const ResultsCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open([&](BiteTest& test) {
      test.ChooseType(2);
      ASSERT_TRUE(test.Run());
      dispatcher_.Dispatch(SelfTestReport(2, c.results));
      const varim::panels::BitePicture& shown = test.Picture();
      ASSERT_EQ(shown.items.size(), c.listed);
      for (std::size_t i = 0; i < c.firstItems.size(); ++i)
        EXPECT_EQ(shown.items[i], c.firstItems[i]);
      EXPECT_EQ(shown.status, c.summary);
      EXPECT_EQ(shown.statusColour, (varim::panels::Rgb{192, 192, 192}));
      EXPECT_EQ(shown.progress, 12);
      EXPECT_TRUE(shown.controlsEnabled);
    });
  }
  EXPECT_EQ(openWhileShown_, std::vector<bool>(cases.size(), true));
  EXPECT_FALSE(state_.Now().biteOpen);
}

TEST_F(BiteFeatureTest, TheLastItemCarriesTheLastName) {
  Open([&](BiteTest& test) {
    test.ChooseType(2);
    test.Run();
    dispatcher_.Dispatch(SelfTestReport(2, AllItems(kPassed)));
    ASSERT_EQ(test.Picture().items.size(), 39u);
    EXPECT_EQ(test.Picture().items.back().name, "PA - Power Amplifier");
  });
  EXPECT_EQ(varim::panels::BiteItemName(40), "");
  EXPECT_EQ(varim::panels::BiteItemName(0), "");
}

TEST_F(BiteFeatureTest, ReportsThatAreNotOursChangeNothing) {
  // Outside the dialog, and with a first byte that is not a test type.
  dispatcher_.Dispatch(SelfTestReport(0, AllItems(kPassed)));
  Open([&](BiteTest& test) {
    test.ChooseType(2);
    test.Run();
    dispatcher_.Dispatch(SelfTestReport(3, AllItems(kPassed)));
    EXPECT_TRUE(test.Picture().items.empty());
    EXPECT_FALSE(test.Picture().controlsEnabled);
    EXPECT_EQ(test.Picture().status, "Command in progress, please wait!!!");
    EXPECT_EQ(test.Picture().statusColour, (varim::panels::Rgb{255, 255, 0}));
  });
}

TEST_F(BiteFeatureTest, ProgressFollowsTheDotsOnTheDisplay) {
  const std::vector<std::pair<std::string, int>> lines = {
      {"BITE.", 0},        // one dot moves nothing
      {"BITE..", 3},       //
      {"BITE....", 9},     //
      {"BIT.....", 12},    // dots from the fourth character on
      {"BITE.......", 12}  // never past the full bar
  };
  Open([&](BiteTest& test) {
    test.ChooseType(2);
    test.Run();
    for (const auto& [line, progress] : lines) {
      ShowOnDisplay(line);
      EXPECT_EQ(test.Picture().progress, progress) << line;
    }
  });
}

TEST_F(BiteFeatureTest, EveryProgressStepGivesTheRadioTenSecondsMore) {
  Open([&](BiteTest& test) {
    test.ChooseType(2);
    test.Run();
    Pass(9s);
    ShowOnDisplay("BITE..");
    Pass(9s);
    EXPECT_FALSE(test.Closed());
    dispatcher_.Dispatch(SelfTestReport(2, AllItems(kPassed)));
    // With the results in, the display no longer arms the watchdog.
    ShowOnDisplay("CH 1");
    Pass(60s);
    EXPECT_FALSE(test.Closed());
    EXPECT_TRUE(operator_.Notices().empty());
  });
}

TEST_F(BiteFeatureTest, ASilentRadioClosesTheDialogWithoutAReset) {
  bool closedByWatchdog = false;
  Open([&](BiteTest& test) {
    test.SetCloser([&] { closedByWatchdog = true; });
    test.ChooseType(2);
    test.Run();
    Pass(9999ms);
    EXPECT_FALSE(closedByWatchdog);
    Pass(1ms);
  });
  EXPECT_TRUE(closedByWatchdog);
  EXPECT_EQ(operator_.Notices(),
            Texts{"Radio does not respond to application messages. Check if the  \n"
                  "radio is turned on and is connected to the computer properly."});
  EXPECT_EQ(SentOpcodes(), std::vector<int>{opcode::kPerformSelfTest});
  EXPECT_EQ(busy_, (std::vector<bool>{true, false}));
}

TEST_F(BiteFeatureTest, TheLoadQuestionComesFirstAndCancelSendsNothing) {
  operator_.AnswerWith(false);
  Open([&](BiteTest& test) {
    EXPECT_EQ(test.Picture().prompt, "Connect a dummy load");
    EXPECT_FALSE(test.Run());
    test.ChooseType(1);
    EXPECT_EQ(test.Picture().prompt, "Connect a dummy load or an antenna");
    EXPECT_FALSE(test.Run());
    EXPECT_TRUE(test.Picture().controlsEnabled);
    test.ChooseType(2);
    EXPECT_EQ(test.Picture().prompt, "");
    EXPECT_TRUE(test.Run());
  });
  EXPECT_EQ(operator_.Questions(),
            (Texts{"Connect a dummy load", "Connect a dummy load or an antenna"}));
  ASSERT_EQ(sent_.size(), 1u) << "only the third Run sends";
  EXPECT_EQ(sent_[0].GetOpcode(), opcode::kPerformSelfTest);
  EXPECT_EQ(sent_[0].GetLen(), 3);
  EXPECT_EQ(sent_[0].GetDataByte(0), 1);
  EXPECT_EQ(sent_[0].GetDataByte(1), 2);
}

TEST_F(BiteFeatureTest, CloseAfterARunResetsTheRadioAndWaitsForIt) {
  std::string statusDuringWait;
  bool controlsDuringWait = true;
  Open([&](BiteTest& test) {
    test.SetListener([&](const varim::panels::BitePicture& p) {
      statusDuringWait = p.status;
      controlsDuringWait = p.controlsEnabled;
    });
    test.Run();  // the full test, confirmed
    dispatcher_.Dispatch(SelfTestReport(0, AllItems(kPassed)));
    test.Close();
  });
  EXPECT_EQ(SentOpcodes(), (std::vector<int>{opcode::kPerformSelfTest, opcode::kPerformReset}));
  EXPECT_EQ(statusDuringWait, "Wait to perform RESET!!!");
  EXPECT_FALSE(controlsDuringWait) << "no new test while the radio restarts";
  EXPECT_EQ(waits_, std::vector<int>{200});
}

TEST_F(BiteFeatureTest, ClosingWithoutATestOrByTheFrameSendsNoReset) {
  Open([&](BiteTest& test) { test.Close(); });
  Open([&](BiteTest& test) {
    test.ChooseType(2);
    test.Run();
    test.ClosedByFrame();
    Pass(20s);
  });
  // The dialog's frame closes it when the script returns without closing.
  Open([&](BiteTest& test) {
    test.ChooseType(2);
    test.Run();
  });
  EXPECT_EQ(SentOpcodes(), std::vector<int>(2, opcode::kPerformSelfTest));
  EXPECT_TRUE(waits_.empty());
  EXPECT_TRUE(operator_.Notices().empty());
}

TEST_F(BiteFeatureTest, AFailedSendGivesTheControlsBackAndTheWatchdogStillEndsIt) {
  sendSucceeds_ = false;
  bool closed = false;
  Open([&](BiteTest& test) {
    test.SetCloser([&] { closed = true; });
    test.ChooseType(2);
    EXPECT_FALSE(test.Run());
    EXPECT_TRUE(test.Picture().controlsEnabled);
    EXPECT_EQ(test.Picture().status, "");
    Pass(10s);
  });
  EXPECT_TRUE(closed);
}

TEST_F(BiteFeatureTest, ARefusedTestClosesTheDialogOtherRefusalsDoNot) {
  bool closed = false;
  Open([&](BiteTest& test) {
    test.SetCloser([&] { closed = true; });
    test.ChooseType(2);
    test.Run();
    dispatcher_.Dispatch(Report(report::kCommandRefused, {opcode::kStationCall}));
    EXPECT_FALSE(closed);
    dispatcher_.Dispatch(Report(report::kCommandRefused, {opcode::kPerformSelfTest}));
    EXPECT_TRUE(closed);
  });
  EXPECT_EQ(SentOpcodes(), std::vector<int>{opcode::kPerformSelfTest});
}

TEST_F(BiteFeatureTest, ASecondDialogIsRefused) {
  Open([&](BiteTest&) { bite_.Open(); });
  EXPECT_EQ(operator_.Notices(), Texts{"OnBite(): CBiteDlg problem1"});
  EXPECT_EQ(busy_, (std::vector<bool>{true, false}));
}

}  // namespace
