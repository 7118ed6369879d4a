#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "varim/message_engine.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/bytes.h"
#include "varim/testing/sample_radio.h"

namespace {

using std::chrono::milliseconds;
using varim::sim::SimOptions;
using varim::sim::SimulatedRadio;
using varim::testing::Bytes;
using varim::testing::SampleRadio;

Bytes Text(const std::string& text) {
  return {text.begin(), text.end()};
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct Report {
  int opcode;
  Bytes data;
  bool operator==(const Report&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Report& report) {
  out << report.opcode << ":";
  for (const std::uint8_t byte : report.data) out << " " << int{byte};
  return out;
}

// The simulated radio, quick in everything it takes time for, and the library talking to it.
class RadioReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) {
      b.callDelay = milliseconds(30);
      b.selfTestStep = milliseconds(20);
      b.restartDelay = milliseconds(200);
      b.messageTime = milliseconds(5000);
    });
    ASSERT_TRUE(radio_.Start());
    ASSERT_EQ(engine_.OpenComPort(radio_.DevicePath().c_str(), 9600), 1);
    ASSERT_EQ(engine_.ConnectSocket(9600, 1), 1);
  }

  void Send(int (*build)(CRadioMessage*)) {
    CRadioMessage frame;
    build(&frame);
    ASSERT_EQ(engine_.SendRadioMessage(&frame), 1);
  }

  void Send(const CRadioMessage& frame) { ASSERT_EQ(engine_.SendRadioMessage(&frame), 1); }

  void SendReports(bool on) {
    CRadioMessage frame;
    EnableDisableSpecialReport(&frame, 0, on ? 1 : 0, 46);
    Send(frame);
  }

  // A key pressed and released on the program's front panel.
  void Press(int key) {
    CRadioMessage press;
    ReportControlHeadKeyboard(&press, key);
    Send(press);
    CRadioMessage release;
    ReportControlHeadKeyboard(&release, key::kIdle);
    Send(release);
  }

  // Every frame the radio has sent so far, once it has nothing more to send.
  std::vector<Report> Reports(milliseconds settle = milliseconds(0)) {
    std::this_thread::sleep_for(settle);
    EXPECT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));
    std::vector<Report> reports;
    CRadioMessage frame;
    while (engine_.GetMessageA(&frame, 1) == 1) {
      reports.push_back(
          {frame.GetOpcode(), {frame.GetData(), frame.GetData() + frame.GetLen() - 1}});
    }
    return reports;
  }

  SimulatedRadio radio_{SampleRadio()};
  MessageEngine engine_;
};

TEST_F(RadioReportsTest, SwitchingDisplayReportsOnSendsTheWholeScreen) {
  SendReports(true);
  EXPECT_EQ(Reports(), (std::vector<Report>{
                           {46, Join({{2, 0, 0}, Text("CH  1"), Text(" 1745")})},
                           {46, Join({{3, 0, 0}, Text("USB PLT MED"), Text("RX  1.74500")})},
                           {46, Join({{4, 0, 0}, Text("SQL MON SCANALE")})},
                           {46, {5, 0, 0x55, 0x55, 0x5F}},
                           {46, {15}},
                           {46, {6, 0, 0, 0}},
                       }));
}

TEST_F(RadioReportsTest, KeysEnterAChannelNumberAndSelectTheChannel) {
  SendReports(true);
  Reports();
  Press(14);  // "1"
  EXPECT_EQ(Reports(), (std::vector<Report>{
                           {46, Join({{3, 0, 0}, Text("CHANNEL    "), {0, 0}})},
                           {46, {13, 0, 1}},
                       }));
  Press(15);  // "2"
  EXPECT_EQ(Reports(), (std::vector<Report>{{46, {13, 0, 12}}}));
  Press(11);  // "Enter"
  EXPECT_EQ(Reports(), (std::vector<Report>{
                           {46, Join({{2, 0, 0}, Text("CH 12"), Text(" 3305")})},
                           {46, Join({{3, 0, 0}, Text("USB SSB LOW"), Text("RX  3.30500")})},
                       }));
  EXPECT_EQ(radio_.State().activeChannel, 12);

  Press(4);  // "F1": squelch, the first indicator
  EXPECT_EQ(Reports(), (std::vector<Report>{{46, {5, 0, 0x95, 0x55, 0x5F}}}));
  EXPECT_TRUE(radio_.State().squelchOn);
}

TEST_F(RadioReportsTest, TransmittingLightsIndicatorElevenAndTheTransmitFlag) {
  SendReports(true);
  Reports();
  Send(PttOn);
  EXPECT_EQ(Reports(), (std::vector<Report>{{46, {14}}, {46, {6, 0, 0, 1}}}));
  Send(PttOff);
  EXPECT_EQ(Reports(), (std::vector<Report>{{46, {15}}})) << "15 clears the flags itself";
}

TEST_F(RadioReportsTest, CallResultsCarryResultChannelAndLinkQuality) {
  const std::uint8_t channel[2] = {0x00, 0x05};
  CRadioMessage call;
  StationCall(&call, "NET01", 6, channel, "HI", 3);
  Send(call);
  EXPECT_EQ(Reports(milliseconds(100)),
            (std::vector<Report>{{69, {1, 0, 1, 25}}, {65, {1, 0, 0, 25}}}));
  Send(AbortLink);
  EXPECT_EQ(Reports(), (std::vector<Report>{{85, {0}}}));

  radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) {
    b.callOutcome = varim::sim::CallOutcome::kStationBusy;
    b.linkQuality = 7;
  });
  NetCall(&call, "NORTH", 6, channel, "", 1);
  Send(call);
  EXPECT_EQ(Reports(milliseconds(100)), (std::vector<Report>{{70, {3, 0, 1, 7}}}));

  AllCall(&call, channel, "", 1);
  Send(call);
  EXPECT_EQ(Reports(milliseconds(100)), (std::vector<Report>{{71, {0, 1, 7}}, {65, {1, 0, 0, 7}}}));
}

TEST_F(RadioReportsTest, IncomingCallsCarryAddressAndMessage) {
  radio_.ReceiveCall(varim::sim::IncomingCall::kNet, "BASE01", "QSY 7");
  radio_.ReceiveCall(varim::sim::IncomingCall::kStation, "CAR2", "");
  radio_.ReceiveCall(varim::sim::IncomingCall::kPriority, "HQ", "");
  EXPECT_EQ(Reports(), (std::vector<Report>{
                           {80, Join({{0, 1, 25, 1}, Text("BASE01"), {0}, Text("QSY 7"), {0}})},
                           {79, Join({{0, 1, 25, 0}, Text("CAR2"), {0}})},
                           {82, Join({{0, 1, 25, 0}, Text("HQ"), {0}})},
                       }));
  Send(AbortLink);
  EXPECT_EQ(Reports(), (std::vector<Report>{{85, {2}}})) << "an incoming call declined";
}

TEST_F(RadioReportsTest, TheSelfTestShowsItsProgressThenReportsEveryItem) {
  radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) {
    b.selfTestResults[0] = varim::sim::kItemFailed;
    b.selfTestResults[1] = varim::sim::kItemUnable;
    b.selfTestResults[2] = varim::sim::kItemIgnored;
  });
  SendReports(true);
  Reports();
  CRadioMessage test;
  PerformSelfTest(&test, 1, 2);
  Send(test);
  const std::vector<Report> reports = Reports(milliseconds(300));
  std::vector<Report> lines;
  for (const Report& report : reports) {
    if (report.opcode == 46 && report.data[0] == 3) lines.push_back(report);
  }
  ASSERT_EQ(lines.size(), 7u);
  for (int dots = 0; dots <= 5; ++dots) {
    EXPECT_EQ(lines[static_cast<std::size_t>(dots)].data,
              Join({{3, 0, 0},
                    Text(("BITE" + std::string(static_cast<std::size_t>(dots), '.') +
                          std::string(11, ' '))
                             .substr(0, 11)),
                    {0, 0}}));
  }
  Bytes results = {2, 0x55, 0x3C, 0x00};
  results.insert(results.end(), 36, 0xAA);
  const auto selfTest =
      std::find_if(reports.begin(), reports.end(), [](const Report& r) { return r.opcode == 27; });
  ASSERT_NE(selfTest, reports.end());
  EXPECT_EQ(selfTest->data, results);
  EXPECT_EQ(lines[6].data[3], 'U') << "then back to the channel screen";
}

TEST_F(RadioReportsTest, ARefusedCommandIsReportedWithItsOpcode) {
  radio_.ChangeBehaviour([](varim::sim::SimBehaviour& b) { b.refusedOpcodes.insert(69); });
  const std::uint8_t channel[2] = {0xFF, 0xFF};
  CRadioMessage call;
  StationCall(&call, "NET01", 6, channel, "", 1);
  Send(call);
  EXPECT_EQ(Reports(milliseconds(100)), (std::vector<Report>{{60, {69}}}));
}

TEST_F(RadioReportsTest, AResetComesBackAsAResetReportWithReportsOff) {
  SendReports(true);
  Reports();
  Send(PerformReset);
  EXPECT_EQ(Reports(milliseconds(400)), (std::vector<Report>{{28, {0}}}));
  Press(14);
  EXPECT_EQ(Reports(), std::vector<Report>{}) << "display reports are off after a restart";
}

TEST_F(RadioReportsTest, MonitorStateIsReportedOnRequest) {
  CRadioMessage monitor;
  SetMonitorOnOff(&monitor, 0, 1);
  Send(monitor);
  Send(ReportMonitorState);
  EXPECT_EQ(Reports(), (std::vector<Report>{{89, {1}}}));
}

// The lead of memory answers is part of what a radio is at power-on, so a program meets it from
// its first read.
TEST(SimulatedRadioOptions, TheMemoryAnswersLeadIsChosenAtPowerOn) {
  SimOptions options;
  options.behaviour.answerLead = varim::sim::AnswerLead::kZero;
  SimulatedRadio radio(options);
  ASSERT_TRUE(radio.Start());
  MessageEngine engine;
  ASSERT_EQ(engine.OpenComPort(radio.DevicePath().c_str(), 9600), 1);
  ASSERT_EQ(engine.ConnectSocket(9600, 1), 1);

  const std::uint8_t address[3] = {0x00, 0x00, 0x08};
  CRadioMessage read;
  GetMemorySection(&read, address, 4);
  ASSERT_EQ(engine.LockGetMessage(), 1);
  ASSERT_EQ(engine.SendRadioMessage(&read), 1);
  CRadioMessage answer;
  ASSERT_EQ(engine.GetMessageWithOpcode(&answer, 32), 1);
  EXPECT_EQ(Bytes(answer.GetData(), answer.GetData() + 4), (Bytes{0, 0, 0, 0}));
}

}  // namespace
