#include "varim/message_engine.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/pseudo_terminal.h"
#include "varim/sim/radio_model.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/frame_image.h"
#include "varim/testing/sample_radio.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using varim::sim::MakeRadioFrame;
using varim::sim::SimOptions;
using varim::sim::SimulatedRadio;
using varim::testing::Image;
using varim::testing::SampleRadio;

long ElapsedMs(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
}

// The engine connected to a simulated radio over a pseudo-terminal at 9600 baud.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(radio_.Start(&error)) << error;
    ASSERT_EQ(engine_.OpenComPort(radio_.DevicePath().c_str(), 9600), 1);
    ASSERT_EQ(engine_.ConnectSocket(9600, 1), 1);
  }

  void TearDown() override {
    engine_.DisconnectSocket(1);
    engine_.CloseComPort();
  }

  // Sends a request and collects its answer the way the program does.
  bool Exchange(const CRadioMessage& request, int answerOpcode, CRadioMessage& answer) {
    engine_.LockGetMessage();
    if (engine_.SendRadioMessage(&request) != 1) return false;
    return engine_.GetMessageWithOpcode(&answer, answerOpcode) == 1;
  }

  // The radio's first write of the report is spoilt on the line: the engine must drop it
  // without acknowledgement and take the radio's resend, once.
  void ExpectOnlyTheResendIsTaken(const CRadioMessage& report) {
    radio_.SendFrame(report);
    CRadioMessage taken;
    const auto start = Clock::now();
    while (engine_.GetMessageA(&taken, 1) == 0 && ElapsedMs(start) < 4000) {
    }
    EXPECT_EQ(Image(taken), Image(report));
    ASSERT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));
    EXPECT_EQ(radio_.Statistics().ownFrameWrites, 2);
    EXPECT_EQ(engine_.GetMessageA(&taken, 1), 0) << "the spoilt copy was not buffered";
  }

  SimulatedRadio radio_{SampleRadio()};
  MessageEngine engine_;
};

TEST_F(EngineTest, SetCommandsChangeWhatTheRadioAnswers) {
  CRadioMessage select;
  ASSERT_EQ(SetActiveChannel(&select, 0, 7), 1);
  EXPECT_EQ(engine_.SendRadioMessage(&select), 1);

  CRadioMessage request;
  ReportActiveChannel(&request);
  CRadioMessage answer;
  ASSERT_TRUE(Exchange(request, answer::kActiveChannel, answer));
  EXPECT_EQ(answer.GetDataByte(1), 7) << "the channel is the second data byte";

  CRadioMessage squelchOn;
  SetSquelchOnOff(&squelchOn, 0, 1);
  EXPECT_EQ(engine_.SendRadioMessage(&squelchOn), 1);
  ReportSquelchState(&request);
  ASSERT_TRUE(Exchange(request, answer::kSquelchState, answer));
  EXPECT_EQ(answer.GetDataByte(0) & 0x02, 0x02) << "squelch is bit 1";

  // The radio saw the frames exactly as they were built, each once.
  const auto received = radio_.ReceivedFrames();
  ASSERT_EQ(received.size(), 4u);
  EXPECT_EQ(Image(received[0]), Image(select));
  EXPECT_EQ(Image(received[2]), Image(squelchOn));
}

TEST_F(EngineTest, TheCurrentChannelAnswerCarriesSixteenBytes) {
  CRadioMessage request;
  ReportCurrentChannelParameters(&request);
  CRadioMessage answer;
  ASSERT_TRUE(Exchange(request, answer::kCurrentChannelParameters, answer));
  EXPECT_EQ(answer.GetLen(), 17);
  // Channel 1 of the sample programming works 1745 kHz for receive (d2..d5) and transmit
  // (d6..d9).
  EXPECT_EQ(std::vector<std::uint8_t>(answer.GetData() + 2, answer.GetData() + 10),
            (std::vector<std::uint8_t>{0x00, 0x1A, 0xA0, 0x68, 0x00, 0x1A, 0xA0, 0x68}));
}

TEST_F(EngineTest, EveryFrameFromTheRadioIsAcknowledgedEvenIfNobodyReadsIt) {
  radio_.SendFrame(MakeRadioFrame(46, {1, 2, 3}));
  radio_.SendFrame(MakeRadioFrame(65, {4}));
  ASSERT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));
  const auto line = radio_.Statistics();
  EXPECT_EQ(line.ownFramesAcknowledged, 2);
  EXPECT_EQ(line.ownFrameWrites, 2) << "acknowledged at the first write";
}

TEST_F(EngineTest, UnacknowledgedWritesAreRepeatedUntilTheRadioAnswers) {
  radio_.DropAcks(2);
  CRadioMessage frame;
  SetSquelchOnOff(&frame, 0, 1);
  const auto start = Clock::now();
  EXPECT_EQ(engine_.SendRadioMessage(&frame), 1);
  const long elapsed = ElapsedMs(start);
  EXPECT_EQ(radio_.Statistics().framesReceived, 3) << "two lost acknowledgements, three writes";
  EXPECT_GE(elapsed, 2 * 1044 - 50);
  EXPECT_LT(elapsed, 3 * 1044);
}

TEST_F(EngineTest, FiveUnacknowledgedWritesFailAfterFiveTimeouts) {
  radio_.SetSilent(true);
  CRadioMessage frame;
  ReportActiveChannel(&frame);
  const auto start = Clock::now();
  EXPECT_EQ(engine_.SendRadioMessage(&frame), 0);
  const long elapsed = ElapsedMs(start);
  EXPECT_GE(elapsed, 5 * 1044 - 50);
  EXPECT_LT(elapsed, 5 * 1044 + 1500);
}

TEST_F(EngineTest, DroppedAcknowledgementsAreCountedWriteByWrite) {
  radio_.DropAcks(5);
  CRadioMessage frame;
  PttOff(&frame);
  EXPECT_EQ(engine_.SendRadioMessage(&frame), 0);
  EXPECT_EQ(radio_.Statistics().framesReceived, 5) << "five writes, not more";
}

TEST_F(EngineTest, ALateAcknowledgementWithinTheTimeoutNeedsNoResend) {
  radio_.DelayAcks(1, milliseconds(400));
  CRadioMessage frame;
  PttOff(&frame);
  EXPECT_EQ(engine_.SendRadioMessage(&frame), 1);
  EXPECT_EQ(radio_.Statistics().framesReceived, 1);
}

TEST_F(EngineTest, AnAcknowledgementLaterThanTheTimeoutCostsOneResend) {
  radio_.DelayAcks(1, milliseconds(1400));
  CRadioMessage frame;
  PttOff(&frame);
  EXPECT_EQ(engine_.SendRadioMessage(&frame), 1);
  EXPECT_EQ(radio_.Statistics().framesReceived, 2);
}

TEST_F(EngineTest, GarbageBeforeAFrameIsSkippedByteByByte) {
  // Stray bytes, and a start byte with an impossible length of 0.
  radio_.GarbageBeforeNextFrame({0x11, 0x03, 0xFF, 0x24, 0x00, 0x7E});
  const CRadioMessage report = MakeRadioFrame(65, {1, 0, 0, 9});
  radio_.SendFrame(report);
  CRadioMessage taken;
  ASSERT_EQ(engine_.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(Image(taken), Image(report));
  ASSERT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));
  EXPECT_EQ(radio_.Statistics().ownFrameWrites, 1) << "taken at the first write";
}

TEST_F(EngineTest, AFrameWithABadChecksumIsDroppedUntilTheRadioResendsIt) {
  radio_.CorruptFrames(1);
  ExpectOnlyTheResendIsTaken(MakeRadioFrame(89, {1}));
}

TEST_F(EngineTest, AFrameWithAPauseInsideIsDroppedUntilTheRadioResendsIt) {
  radio_.PauseInsideNextFrame(milliseconds(400));
  ExpectOnlyTheResendIsTaken(MakeRadioFrame(85, {0, 0, 5}));
}

TEST_F(EngineTest, AFrameWithOpcodeZeroIsNeitherAcknowledgedNorBuffered) {
  CRadioMessage zero = MakeRadioFrame(0, {5});
  radio_.WriteRaw(Image(zero));
  const CRadioMessage report = MakeRadioFrame(48, {1});
  radio_.SendFrame(report);
  CRadioMessage taken;
  ASSERT_EQ(engine_.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(taken.GetOpcode(), 48);
  ASSERT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));
  EXPECT_EQ(radio_.Statistics().acksReceived, 1);
}

TEST_F(EngineTest, AnswersAreTakenByOpcodeWhileOtherFramesKeepTheirOrder) {
  const CRadioMessage first = MakeRadioFrame(46, {1});
  const CRadioMessage second = MakeRadioFrame(65, {2});
  radio_.SendFrame(first);
  radio_.SendFrame(second);
  ASSERT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));

  CRadioMessage request;
  ReportDspMenuParameters(&request);
  CRadioMessage answer;
  ASSERT_TRUE(Exchange(request, answer::kDspMenuParameters, answer));
  EXPECT_EQ(answer.GetOpcode(), answer::kDspMenuParameters);

  CRadioMessage taken;
  ASSERT_EQ(engine_.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(Image(taken), Image(first));
  ASSERT_EQ(engine_.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(Image(taken), Image(second));
}

TEST_F(EngineTest, AClosedGetGateKeepsFramesForTheRequester) {
  radio_.SendFrame(MakeRadioFrame(46, {1}));
  ASSERT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));
  engine_.LockGetMessage();
  CRadioMessage taken;
  const auto start = Clock::now();
  EXPECT_EQ(engine_.GetMessageA(&taken, 1), 0);
  EXPECT_GE(ElapsedMs(start), 450);

  // Collecting an answer, found or not, opens the gate again.
  CRadioMessage answer;
  EXPECT_EQ(engine_.GetMessageWithOpcode(&answer, 46), 1);
  radio_.SendFrame(MakeRadioFrame(65, {1}));
  EXPECT_EQ(engine_.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(taken.GetOpcode(), 65);
}

TEST_F(EngineTest, AnAnswerThatNeverComesIsGivenUpWithinTheBounds) {
  CRadioMessage answer;
  auto start = Clock::now();
  EXPECT_EQ(engine_.GetMessageWithOpcode(&answer, 99), 0);
  long elapsed = ElapsedMs(start);
  EXPECT_GE(elapsed, 1900) << "ten attempts of 200 ms with nothing buffered";
  EXPECT_LT(elapsed, 3000);

  const CRadioMessage unrelated = MakeRadioFrame(46, {3});
  radio_.SendFrame(unrelated);
  ASSERT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));
  start = Clock::now();
  EXPECT_EQ(engine_.GetMessageWithOpcode(&answer, 99), 0);
  elapsed = ElapsedMs(start);
  EXPECT_GE(elapsed, 4900) << "ten attempts of 500 ms while other frames wait";
  EXPECT_LT(elapsed, 6500);
  CRadioMessage taken;
  ASSERT_EQ(engine_.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(Image(taken), Image(unrelated));
}

TEST_F(EngineTest, AnAnswerIsTakenTheMomentItArrivesBehindOtherFrames) {
  radio_.SendFrame(MakeRadioFrame(46, {1}));
  ASSERT_TRUE(radio_.WaitUntilIdle(milliseconds(3000)));
  CRadioMessage request;
  ReportAleON_OFF(&request);
  CRadioMessage answer;
  const auto start = Clock::now();
  ASSERT_TRUE(Exchange(request, answer::kAleOnOff, answer));
  EXPECT_LT(ElapsedMs(start), 300) << "no fixed pause while the answer is already there";
}

TEST_F(EngineTest, DisconnectStopsTheReceiveThreadPromptly) {
  ASSERT_TRUE(engine_.IsReceiving());
  const auto start = Clock::now();
  EXPECT_EQ(engine_.DisconnectSocket(1), 1);
  EXPECT_LT(ElapsedMs(start), 500);
  EXPECT_FALSE(engine_.IsReceiving());
  EXPECT_EQ(engine_.IsPortOpen(), 1);

  // Nothing reads the line any more: the radio's frame goes unacknowledged.
  radio_.SendFrame(MakeRadioFrame(46, {1}));
  std::this_thread::sleep_for(milliseconds(300));
  EXPECT_EQ(radio_.Statistics().acksReceived, 0);

  EXPECT_EQ(engine_.CloseComPort(), 1);
  EXPECT_EQ(engine_.IsPortOpen(), 0);
  EXPECT_EQ(engine_.DisconnectSocket(1), 0) << "nothing to stop on a closed port";

  // The port is free again for a new engine.
  MessageEngine next;
  EXPECT_EQ(next.OpenComPort(radio_.DevicePath().c_str(), 9600), 1);
}

TEST_F(EngineTest, ASecondEngineCannotOpenTheSamePort) {
  MessageEngine second;
  EXPECT_EQ(second.OpenComPort(radio_.DevicePath().c_str(), 9600), 0);
  EXPECT_EQ(second.GetPortError(), EBUSY);
  EXPECT_EQ(second.IsPortOpen(), 0);
}

TEST(EngineLifecycle, EachEngineStopsOnlyItself) {
  SimulatedRadio radioA;
  SimulatedRadio radioB;
  ASSERT_TRUE(radioA.Start());
  ASSERT_TRUE(radioB.Start());
  MessageEngine engineA;
  MessageEngine engineB;
  ASSERT_EQ(engineA.OpenComPort(radioA.DevicePath().c_str(), 9600), 1);
  ASSERT_EQ(engineB.OpenComPort(radioB.DevicePath().c_str(), 4800), 1);
  ASSERT_EQ(engineA.ConnectSocket(9600, 1), 1);
  ASSERT_EQ(engineB.ConnectSocket(4800, 1), 1);
  EXPECT_EQ(engineA.GetAckTimeout(), 1044);
  EXPECT_EQ(engineB.GetAckTimeout(), 2088) << "each engine keeps its own time-out";

  EXPECT_EQ(engineA.DisconnectSocket(1), 1);
  CRadioMessage frame;
  PttOff(&frame);
  EXPECT_EQ(engineB.SendRadioMessage(&frame), 1);
  // Destroyed while still connected: the receive thread is stopped first.
}

TEST(EngineLifecycle, AckTimeoutFollowsTheBaudRate) {
  EXPECT_EQ(MessageEngine::AckTimeoutForBaudRate(1200), 8352);
  EXPECT_EQ(MessageEngine::AckTimeoutForBaudRate(2400), 4176);
  EXPECT_EQ(MessageEngine::AckTimeoutForBaudRate(4800), 2088);
  EXPECT_EQ(MessageEngine::AckTimeoutForBaudRate(9600), 1044);
  EXPECT_EQ(MessageEngine::AckTimeoutForBaudRate(19200), 1044);
}

TEST(EngineLifecycle, BeforeConnectingAnAcknowledgementIsNotWaitedFor) {
  MessageEngine engine;
  EXPECT_EQ(engine.GetAckTimeout(), 0);
  const auto start = Clock::now();
  EXPECT_EQ(engine.PopOldAck(), 0);
  EXPECT_LT(ElapsedMs(start), 100);
  EXPECT_EQ(engine.ConnectSocket(9600, 1), 0) << "no port to listen on";
}

TEST(EngineLifecycle, FramesPushedIntoAnEngineAreTakenInArrivalOrder) {
  MessageEngine engine;
  const CRadioMessage first = MakeRadioFrame(46, {1});
  const CRadioMessage second = MakeRadioFrame(46, {2});
  EXPECT_EQ(engine.PushMsgToBuffer(&engine, &first), 1);
  EXPECT_EQ(engine.PushMsgToBuffer(&engine, &second), 1);
  CRadioMessage taken;
  ASSERT_EQ(engine.GetMessageWithOpcode(&taken, 46), 1);
  EXPECT_EQ(taken.GetDataByte(0), 1);
  ASSERT_EQ(engine.GetMessageA(&taken, 1), 1);
  EXPECT_EQ(taken.GetDataByte(0), 2);
  EXPECT_EQ(engine.GetMessageA(&taken, 1), 0);
}

// The acknowledgement timing per baud rate, measured on a radio that never acknowledges.
class AckTimeoutTest : public ::testing::TestWithParam<int> {};

TEST_P(AckTimeoutTest, OneUnansweredWriteWaitsTheTimeoutOfItsBaudRate) {
  const int baud = GetParam();
  SimOptions options;
  options.baudRate = baud;
  SimulatedRadio radio(options);
  ASSERT_TRUE(radio.Start());
  radio.SetSilent(true);
  MessageEngine engine;
  ASSERT_EQ(engine.OpenComPort(radio.DevicePath().c_str(), baud), 1);
  ASSERT_EQ(engine.ConnectSocket(baud, 1), 1);
  CRadioMessage frame;
  PttOff(&frame);
  engine.SendToRadio(&frame);
  const auto start = Clock::now();
  EXPECT_EQ(engine.PopOldAck(), 0);
  const long elapsed = ElapsedMs(start);
  const int expected = MessageEngine::AckTimeoutForBaudRate(baud);
  EXPECT_GE(elapsed, expected - 20);
  EXPECT_LT(elapsed, expected + 500);
}

INSTANTIATE_TEST_SUITE_P(RadioBaudRates, AckTimeoutTest, ::testing::Values(1200, 2400, 4800, 9600));

// The acknowledgement on the wire, byte for byte, with no simulator in between.
TEST(EngineWire, EveryValidFrameIsAcknowledgedWithTheAcknowledgementFrame) {
  varim::sim::PseudoTerminal line;
  std::string error;
  ASSERT_TRUE(line.Open(&error)) << error;
  MessageEngine engine;
  ASSERT_EQ(engine.OpenComPort(line.DevicePath().c_str(), 9600), 1);
  ASSERT_EQ(engine.ConnectSocket(9600, 1), 1);

  const auto report = Image(MakeRadioFrame(46, {7, 7}));
  ASSERT_EQ(::write(line.MasterFd(), report.data(), report.size()),
            static_cast<ssize_t>(report.size()));
  std::vector<std::uint8_t> sent;
  const auto start = Clock::now();
  while (sent.size() < 6 && ElapsedMs(start) < 2000) {
    pollfd master{line.MasterFd(), POLLIN, 0};
    if (::poll(&master, 1, 100) <= 0) continue;
    std::uint8_t chunk[64];
    const ssize_t n = ::read(line.MasterFd(), chunk, sizeof chunk);
    if (n > 0) sent.insert(sent.end(), chunk, chunk + n);
  }
  EXPECT_EQ(sent, (std::vector<std::uint8_t>{0x24, 0x01, 0x10, 0xF3, 0x28, 0x03}));
  engine.DisconnectSocket(1);
}

}  // namespace
