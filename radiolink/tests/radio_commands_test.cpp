#include "varim/radio_commands.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "varim/radio_message.h"
#include "varim/testing/bytes.h"
#include "varim/testing/frame_image.h"

namespace {

using varim::testing::Bytes;
using varim::testing::Image;
using Raw = std::array<std::uint8_t, sizeof(CRadioMessage)>;
using Builder = std::function<int(CRadioMessage*)>;

// Table rows that name the call in failure messages; VARY leaves one argument, x, open.
#define BUILD(call) #call, [](CRadioMessage * f) { return call; }
#define VARY(call) #call, [](CRadioMessage * f, int x) { return call; }

Raw RawBytes(const CRadioMessage& frame) {
  Raw raw;
  std::memcpy(raw.data(), &frame, raw.size());
  return raw;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Callers reuse frames, so every builder gets one that still holds a long earlier command: a
// builder that skips a field shows in the image, and a refusal must leave all of it in place.
CRadioMessage UsedFrame() {
  std::array<std::uint8_t, 254> data;
  data.fill(0xA5);
  CRadioMessage frame;
  frame.SetOpcode(0x77);
  frame.SetLen(255);
  frame.SetData(254, data.data());
  frame.CalcChecksum();
  return frame;
}

struct BuildCase {
  const char* call;
  Builder build;
  Bytes image;
};

void ExpectBuilds(const std::vector<BuildCase>& cases) {
  for (const BuildCase& c : cases) {
    SCOPED_TRACE(c.call);
    CRadioMessage frame = UsedFrame();
    EXPECT_EQ(c.build(&frame), 1);
    EXPECT_EQ(Image(frame), c.image);
  }
}

constexpr std::uint8_t kAddress[3] = {0x01, 0x02, 0x03};
constexpr std::uint8_t kLowAddress[3] = {0x00, 0x12, 0x34};
constexpr std::uint8_t kHighAddress[3] = {0xFF, 0xFF, 0xFF};
constexpr std::uint8_t kChunkAddress[3] = {0x00, 0x10, 0x00};
constexpr std::uint8_t kTwoBytes[2] = {0xAA, 0xBB};
constexpr std::uint8_t kAnyChannel[2] = {0xFF, 0xFF};
constexpr std::uint8_t kChannel5[2] = {0x00, 0x05};
constexpr std::uint8_t kChannel7[2] = {0x00, 0x07};
// Long enough that a builder wrongly accepting an oversized count still reads valid memory.
constexpr std::array<std::uint8_t, 256> kOnes = [] {
  std::array<std::uint8_t, 256> ones{};
  for (auto& b : ones) b = 0x01;
  return ones;
}();
constexpr char kLongText[128] = "0123456789";

TEST(CommandBuilders, ReportRequestsCarryOnlyTheirOpcode) {
  struct Case {
    const char* name;
    int (*build)(CRadioMessage*);
    std::uint8_t opcode;
    std::uint8_t checksum;
  };
  const Case cases[] = {
      {"ReportActiveChannel", ReportActiveChannel, 2, 0x3F},
      {"ReportSideBand", ReportSideBand, 4, 0x41},
      {"ReportRecieverFrequency", ReportRecieverFrequency, 6, 0x43},
      {"ReportTransmitterFrequency", ReportTransmitterFrequency, 8, 0x45},
      {"ReportSquelchState", ReportSquelchState, 10, 0x47},
      {"ReportDisplayingRecieveLevel", ReportDisplayingRecieveLevel, 12, 0x49},
      {"ReportTransceiverMode", ReportTransceiverMode, 14, 0x4B},
      {"ReportClarifierPosition", ReportClarifierPosition, 16, 0x4D},
      {"ReportTransmitterPower", ReportTransmitterPower, 18, 0x4F},
      {"PttOn", PttOn, 19, 0x50},
      {"PttOff", PttOff, 20, 0x51},
      {"ReportDspMenuParameters", ReportDspMenuParameters, 22, 0x53},
      {"ReportRadioOperationMode", ReportRadioOperationMode, 24, 0x55},
      {"PerformReset", PerformReset, 28, 0x59},
      {"ReportCurrentChannelParameters", ReportCurrentChannelParameters, 29, 0x5A},
      {"ReportCardVersion", ReportCardVersion, 30, 0x5B},
      {"ReportStateOfSpecialReports", ReportStateOfSpecialReports, 42, 0x67},
      {"ReportRadioVolume", ReportRadioVolume, 44, 0x69},
      {"ReportRadioScanMode", ReportRadioScanMode, 50, 0x6F},
      {"ReportChannelScanRate", ReportChannelScanRate, 59, 0x78},
      {"ReportAleMode", ReportAleMode, 66, 0x7F},
      {"AcceptLink", AcceptLink, 80, 0x8D},
      {"ReportAleON_OFF", ReportAleON_OFF, 88, 0x95},
      {"ReportMonitorState", ReportMonitorState, 90, 0x97},
      {"AbortLink", AbortLink, 91, 0x98},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CRadioMessage frame = UsedFrame();
    EXPECT_EQ(c.build(&frame), 1);
    EXPECT_EQ(Image(frame), Bytes({0x24, 0x01, 0x18, c.opcode, c.checksum, 0x03}));
  }
}

TEST(CommandBuilders, ModeRequestsAskOpcode64ForOneMode) {
  ExpectBuilds({
      {BUILD(ReportIsbMode(f)), {0x24, 0x02, 0x18, 0x40, 0x30, 0xAE, 0x03}},
      {BUILD(ReportCcirMode(f)), {0x24, 0x02, 0x18, 0x40, 0x01, 0x7F, 0x03}},
      {BUILD(ReportRadioSupportMode(f)), {0x24, 0x02, 0x18, 0x40, 0x07, 0x85, 0x03}},
  });
}

// Representative calls, with every range bound that must still be accepted.
TEST(CommandBuilders, SettingsGoOutInTheirDataLayout) {
  ExpectBuilds({
      {BUILD(SetActiveChannel(f, 0, 200)), {0x24, 0x04, 0x18, 0x01, 0x00, 0x00, 0xC8, 0x09, 0x03}},
      {BUILD(SetActiveChannel(f, 1, 0)), {0x24, 0x04, 0x18, 0x01, 0x01, 0x00, 0x00, 0x42, 0x03}},
      {BUILD(SetRecieverFrequency(f, 1, 101)),
       {0x24, 0x06, 0x18, 0x05, 0x01, 0x00, 0x01, 0x8A, 0x88, 0x5B, 0x03}},
      {BUILD(SetTransmitterFrequency(f, 0, 1600)),
       {0x24, 0x06, 0x18, 0x07, 0x00, 0x00, 0x18, 0x6A, 0x00, 0xCB, 0x03}},
      {BUILD(SetTransmitterFrequency(f, 1, 30000)),
       {0x24, 0x06, 0x18, 0x07, 0x01, 0x01, 0xC9, 0xC3, 0x80, 0x57, 0x03}},
      {BUILD(StartStopDisplayingRecieveLevel(f, 1, 1)),
       {0x24, 0x03, 0x18, 0x0B, 0x01, 0x01, 0x4C, 0x03}},
      {BUILD(StartStopDisplayingRecieveLevel(f, 0, 0)),
       {0x24, 0x03, 0x18, 0x0B, 0x00, 0x00, 0x4A, 0x03}},
      {BUILD(SetTransceiverMode(f, 1, 2, 1)),
       {0x24, 0x04, 0x18, 0x0D, 0x01, 0x02, 0x01, 0x51, 0x03}},
      {BUILD(SetClarifier(f, 0, 2, 0x1FE)), {0x24, 0x04, 0x18, 0x0F, 0x00, 0x02, 0xFE, 0x4F, 0x03}},
      {BUILD(SetClarifier(f, 1, 0, -1)), {0x24, 0x04, 0x18, 0x0F, 0x01, 0x00, 0xFF, 0x4F, 0x03}},
      {BUILD(SetRadioOperationMode(f, 3, 4)), {0x24, 0x03, 0x18, 0x17, 0x03, 0x04, 0x5D, 0x03}},
      {BUILD(PerformSelfTest(f, 1, 2)), {0x24, 0x03, 0x18, 0x1B, 0x01, 0x02, 0x5D, 0x03}},
      {BUILD(RemoteKeyboard(f, 8, 2)), {0x24, 0x03, 0x18, 0x26, 0x08, 0x02, 0x6F, 0x03}},
      {BUILD(RemoteKeyboard(f, 0, 0)), {0x24, 0x03, 0x18, 0x26, 0x00, 0x00, 0x65, 0x03}},
      {BUILD(EnableDisableSpecialReport(f, 0, 1, 46)),
       {0x24, 0x04, 0x18, 0x29, 0x00, 0x01, 0x2E, 0x98, 0x03}},
      {BUILD(SetRadioVolume(f, 255, 2)), {0x24, 0x03, 0x18, 0x2B, 0xFF, 0x02, 0x6B, 0x03}},
      {BUILD(SetRadioVolume(f, 0, 0)), {0x24, 0x03, 0x18, 0x2B, 0x00, 0x00, 0x6A, 0x03}},
      {BUILD(SetChannelScanRate(f, 1, 5)), {0x24, 0x03, 0x18, 0x2D, 0x01, 0x05, 0x72, 0x03}},
      {BUILD(SetChannelScanRate(f, 0, 1)), {0x24, 0x03, 0x18, 0x2D, 0x00, 0x01, 0x6D, 0x03}},
      {BUILD(SetRadioScanMode(f, 1, 3, 4)), {0x24, 0x04, 0x18, 0x33, 0x01, 0x03, 0x04, 0x7B, 0x03}},
      {BUILD(SetRadioScanMode(f, 0, 0, 0)), {0x24, 0x04, 0x18, 0x33, 0x00, 0x00, 0x00, 0x73, 0x03}},
      {BUILD(StopStartTransmitTxBarLevel(f, 1)), {0x24, 0x02, 0x18, 0x3F, 0x01, 0x7E, 0x03}},
      {BUILD(StopStartTransmitTxBarLevel(f, 0)), {0x24, 0x02, 0x18, 0x3F, 0x00, 0x7D, 0x03}},
      {BUILD(EnterNetwork(f, 1)), {0x24, 0x03, 0x18, 0x4F, 0x01, 0x01, 0x90, 0x03}},
      {BUILD(EnterNetwork(f, 20)), {0x24, 0x03, 0x18, 0x4F, 0x01, 0x14, 0xA3, 0x03}},
      {BUILD(EnterRemoteMode(f, 2)), {0x24, 0x02, 0x18, 0x52, 0x02, 0x92, 0x03}},
      {BUILD(EnterRemoteMode(f, 0)), {0x24, 0x02, 0x18, 0x52, 0x00, 0x90, 0x03}},
      {BUILD(ReplaceLinkChannel(f, 1, 0x123, -2)),
       {0x24, 0x04, 0x18, 0x5C, 0x01, 0x23, 0xFE, 0xBE, 0x03}},
      {BUILD(StopRadioProgramming(f, 1)), {0x24, 0x02, 0x18, 0x78, 0x01, 0xB7, 0x03}},
      {BUILD(StartRadioProgramming(f, 0)), {0x24, 0x02, 0x18, 0x7E, 0x00, 0xBC, 0x03}},
      {BUILD(StartRadioProgramming(f, 1)), {0x24, 0x02, 0x18, 0x7E, 0x01, 0xBD, 0x03}},
  });
}

TEST(CommandBuilders, FlagArgumentsAreSentAsZeroOrOne) {
  ExpectBuilds({
      {BUILD(SelectSideBand(f, 1, 0)), {0x24, 0x03, 0x18, 0x03, 0x01, 0x00, 0x43, 0x03}},
      {BUILD(SelectSideBand(f, 7, -3)), {0x24, 0x03, 0x18, 0x03, 0x01, 0x01, 0x44, 0x03}},
      {BUILD(SetRecieverFrequency(f, 9, 30000)),
       {0x24, 0x06, 0x18, 0x05, 0x01, 0x01, 0xC9, 0xC3, 0x80, 0x55, 0x03}},
      {BUILD(SetSquelchOnOff(f, 0, 1)), {0x24, 0x03, 0x18, 0x09, 0x00, 0x01, 0x49, 0x03}},
      {BUILD(SetSquelchOnOff(f, 2, 5)), {0x24, 0x03, 0x18, 0x09, 0x01, 0x01, 0x4A, 0x03}},
      {BUILD(SetAleMode(f, 0, 1)), {0x24, 0x03, 0x18, 0x41, 0x00, 0x01, 0x81, 0x03}},
      {BUILD(SetAleMode(f, 3, -1)), {0x24, 0x03, 0x18, 0x41, 0x01, 0x01, 0x82, 0x03}},
      {BUILD(SetSoundOnOff(f, 0, 0)), {0x24, 0x03, 0x18, 0x4E, 0x00, 0x00, 0x8D, 0x03}},
      {BUILD(SetSoundOnOff(f, 1, 2)), {0x24, 0x03, 0x18, 0x4E, 0x01, 0x01, 0x8F, 0x03}},
      {BUILD(SetMonitorOnOff(f, 0, 1)), {0x24, 0x03, 0x18, 0x59, 0x00, 0x01, 0x99, 0x03}},
      {BUILD(SetMonitorOnOff(f, 4, 0)), {0x24, 0x03, 0x18, 0x59, 0x01, 0x00, 0x99, 0x03}},
  });
}

TEST(CommandBuilders, Value255LeavesASettingUnchanged) {
  ExpectBuilds({
      {BUILD(SetTransceiverMode(f, 0, 255, 255)),
       {0x24, 0x04, 0x18, 0x0D, 0x00, 0xFF, 0xFF, 0x4B, 0x03}},
      {BUILD(SetDspMenuParameters(f, 1, 12, 255, 0, 1)),
       {0x24, 0x07, 0x18, 0x15, 0x01, 0x0C, 0xFF, 0x00, 0x01, 0xFF, 0x64, 0x03}},
      {BUILD(SetDspMenuParameters(f, 0, 255, 1, 255, 0)),
       {0x24, 0x07, 0x18, 0x15, 0x00, 0xFF, 0x01, 0xFF, 0x00, 0xFF, 0x56, 0x03}},
  });
}

// Each row varies one argument over values just past its accepted range.
TEST(CommandBuilders, OutOfRangeArgumentsAreRefusedWithoutTouchingTheFrame) {
  struct Case {
    const char* call;
    std::function<int(CRadioMessage*, int)> build;
    std::vector<int> refused;
    int result = 0;
  };
  const Case cases[] = {
      {VARY(SetActiveChannel(f, x, 0)), {2}},
      {VARY(SetActiveChannel(f, 0, x)), {201, -1}},
      {VARY(SetRecieverFrequency(f, 0, x)), {100, 30001}},
      {VARY(SetTransmitterFrequency(f, 1, x)), {1599, 30001}, -1},
      {VARY(StartStopDisplayingRecieveLevel(f, x, 0)), {2}},
      {VARY(StartStopDisplayingRecieveLevel(f, 0, x)), {2, -1}},
      {VARY(SetTransceiverMode(f, x, 0, 0)), {2}},
      {VARY(SetTransceiverMode(f, 0, x, 0)), {3, 254, 256, -1}},
      {VARY(SetTransceiverMode(f, 0, 0, x)), {2, 254, 256, -1}},
      {VARY(SetClarifier(f, x, 0, 0)), {2}},
      {VARY(SetClarifier(f, 0, x, 0)), {3, -1}},
      {VARY(SetDspMenuParameters(f, x, 0, 0, 0, 0)), {2}},
      {VARY(SetDspMenuParameters(f, 0, x, 0, 0, 0)), {13, 254, 256, -1}},
      {VARY(SetDspMenuParameters(f, 0, 0, x, 0, 0)), {2, 254}},
      {VARY(SetDspMenuParameters(f, 0, 0, 0, x, 0)), {2, 254}},
      {VARY(SetDspMenuParameters(f, 0, 0, 0, 0, x)), {2, 254, -1}},
      {VARY(SetRadioOperationMode(f, 0, x)), {5, -1}},
      {VARY(PerformSelfTest(f, x, 0)), {2}},
      {VARY(PerformSelfTest(f, 0, x)), {3, -1}},
      {VARY(RemoteKeyboard(f, x, 0)), {9, -1}},
      {VARY(RemoteKeyboard(f, 0, x)), {3, -1}},
      {VARY(EnableDisableSpecialReport(f, x, 1, 46)), {2}},
      {VARY(SetRadioVolume(f, x, 0)), {256, -1}},
      {VARY(SetRadioVolume(f, 0, x)), {3, -1}},
      {VARY(SetChannelScanRate(f, x, 1)), {2}},
      {VARY(SetChannelScanRate(f, 0, x)), {0, 6}},
      {VARY(SetRadioScanMode(f, x, 0, 0)), {2}},
      {VARY(SetRadioScanMode(f, 0, x, 0)), {4, -1}},
      {VARY(SetRadioScanMode(f, 0, 0, x)), {5, -1}},
      {VARY(StopStartTransmitTxBarLevel(f, x)), {2, -1}},
      {VARY(EnterNetwork(f, x)), {0, 21}},
      {VARY(EnterRemoteMode(f, x)), {3, -1}},
      {VARY(ReplaceLinkChannel(f, x, 0, 0)), {2}},
      {VARY(StopRadioProgramming(f, x)), {2}},
      {VARY(StartRadioProgramming(f, x)), {2}},
      {VARY(ProgramMemorySection(f, kAddress, kOnes.data(), x)), {201, -1}},
      {VARY(GetMemorySection(f, kAddress, x)), {201, -1}},
      {VARY(EscapeRemoteMode(f, x)), {3, -1}},
      {VARY(ReportControlHeadKeyboard(f, x)), {25, -1}},
      {VARY(AllCall(f, kAnyChannel, kLongText, x)), {0, 92}},
  };
  for (const Case& c : cases) {
    for (const int value : c.refused) {
      SCOPED_TRACE(testing::Message() << c.call << " with x = " << value);
      CRadioMessage frame = UsedFrame();
      const Raw before = RawBytes(frame);
      EXPECT_EQ(c.build(&frame, value), c.result);
      EXPECT_EQ(RawBytes(frame), before);
    }
  }
}

TEST(CommandBuilders, ControlHeadKeysSendTheirPatterns) {
  // Pattern bytes in the order they go on the line, and the frame checksum.
  const std::uint8_t patterns[25][5] = {
      {0xFE, 0x7B, 0xEF, 0x01, 0xE0}, {0xDF, 0x7B, 0xEF, 0x01, 0xC1},
      {0xFD, 0x7B, 0xEF, 0x01, 0xDF}, {0x01, 0x7B, 0xE8, 0x01, 0xDC},
      {0xBF, 0x7B, 0xEF, 0x01, 0xA1}, {0xFF, 0x73, 0xEF, 0x01, 0xD9},
      {0xFF, 0x7B, 0xEE, 0x01, 0xE0}, {0xFF, 0x7B, 0xCF, 0x01, 0xC1},
      {0xFF, 0x6B, 0xEF, 0x01, 0xD1}, {0xFB, 0x7B, 0xEF, 0x01, 0xDD},
      {0xEF, 0x7B, 0xEF, 0x01, 0xD1}, {0xFF, 0x7B, 0xED, 0x01, 0xDF},
      {0xCF, 0xFF, 0xFF, 0x01, 0x45}, {0x7F, 0x7B, 0xEF, 0x01, 0x61},
      {0xFF, 0x79, 0xEF, 0x01, 0xDF}, {0xFF, 0x3B, 0xEF, 0x01, 0xA1},
      {0xFF, 0x7B, 0xE7, 0x01, 0xD9}, {0xFF, 0x5B, 0xEF, 0x01, 0xC1},
      {0xFF, 0x7B, 0xEB, 0x01, 0xDD}, {0xFF, 0x7B, 0x6F, 0x01, 0x61},
      {0xFF, 0x7B, 0xAF, 0x01, 0xA1}, {0xF7, 0x7B, 0xEF, 0x01, 0xD9},
      {0xFF, 0x7A, 0xEF, 0x01, 0xE0}, {0xFF, 0x7B, 0xEF, 0x00, 0xE0},
      {0xFF, 0x7B, 0xEF, 0x01, 0xE1},
  };
  for (int key = 0; key < 25; ++key) {
    SCOPED_TRACE(key);
    const std::uint8_t* p = patterns[key];
    CRadioMessage frame = UsedFrame();
    EXPECT_EQ(ReportControlHeadKeyboard(&frame, key), 1);
    EXPECT_EQ(Image(frame), Bytes({0x24, 0x05, 0x18, 0x36, p[0], p[1], p[2], p[3], p[4], 0x03}));
  }
}

TEST(GenericBuilders, SendTheLowByteOfEachValueAndRefuseNothing) {
  ExpectBuilds({
      {BUILD(SendReportCommand(f, 0xF3)), {0x24, 0x01, 0x18, 0xF3, 0x30, 0x03}},
      {BUILD(TwoLengthCommands(f, 0x1AB, 0x63)), {0x24, 0x02, 0x18, 0x63, 0xAB, 0x4C, 0x03}},
      {BUILD(ThreeLengthCommands(f, -1, 0x102, 0x10)),
       {0x24, 0x03, 0x18, 0x10, 0xFF, 0x02, 0x50, 0x03}},
      {BUILD(FourLengthCommands(f, 256, 0x7F, -256, 0xF0)),
       {0x24, 0x04, 0x18, 0xF0, 0x00, 0x7F, 0x00, 0xAF, 0x03}},
  });
}

TEST(MemoryBuilders, SectionsAndRemoteEscapeUseTheMemoryLayout) {
  ExpectBuilds({
      {BUILD(ProgramMemorySection(f, kAddress, kTwoBytes, 2)),
       {0x24, 0x08, 0x18, 0x20, 0x00, 0x01, 0x02, 0x03, 0x02, 0xAA, 0xBB, 0xD1, 0x03}},
      {BUILD(ProgramMemorySection(f, kAddress, kTwoBytes, 0)),
       {0x24, 0x06, 0x18, 0x20, 0x00, 0x01, 0x02, 0x03, 0x00, 0x68, 0x03}},
      {BUILD(GetMemorySection(f, kLowAddress, 200)),
       {0x24, 0x05, 0x18, 0x24, 0x00, 0x12, 0x34, 0xC8, 0x73, 0x03}},
      {BUILD(GetMemorySection(f, kHighAddress, 0)),
       {0x24, 0x05, 0x18, 0x24, 0xFF, 0xFF, 0xFF, 0x00, 0x62, 0x03}},
      // Leaving remote mode writes one zero byte at radio address 135.
      {BUILD(EscapeRemoteMode(f, 2)),
       {0x24, 0x07, 0x18, 0x20, 0x02, 0x00, 0x00, 0x87, 0x01, 0x00, 0xED, 0x03}},
      {BUILD(EscapeRemoteMode(f, 0)),
       {0x24, 0x07, 0x18, 0x20, 0x00, 0x00, 0x00, 0x87, 0x01, 0x00, 0xEB, 0x03}},
      // The largest chunk a transfer writes.
      {BUILD(ProgramMemorySection(f, kChunkAddress, kOnes.data(), 200)),
       Concat(
           {{0x24, 206, 0x18, 0x20, 0x00, 0x00, 0x10, 0x00, 200}, Bytes(200, 0x01), {0xCA, 0x03}})},
  });
}

using CallBuilder = int (*)(CRadioMessage*, const char*, int, const std::uint8_t*, const char*,
                            int);

TEST(CallBuilders, LayoutOrdersAddressAndChannelByCallKind) {
  ExpectBuilds({
      {BUILD(StationCall(f, "AB1", 4, kChannel5, "HI", 3)),
       {0x24, 0x0D, 0x18, 0x45, 0x01, 'A', 'B', '1', 0x00, 0x00, 0x05, 0x00, 0x01, 'H', 'I', 0x00,
        0xDA, 0x03}},
      {BUILD(NetCall(f, "AB1", 4, kChannel5, "HI", 3)),
       {0x24, 0x0D, 0x18, 0x46, 0x01, 'A', 'B', '1', 0x00, 0x00, 0x05, 0x00, 0x01, 'H', 'I', 0x00,
        0xDB, 0x03}},
      {BUILD(BiDirectionalStation(f, "AB1", 4, kChannel5, "HI", 3)),
       {0x24, 0x0D, 0x18, 0x43, 0x00, 0x00, 0x05, 'A', 'B', '1', 0x00, 0x00, 0x01, 'H', 'I', 0x00,
        0xD7, 0x03}},
      {BUILD(BiDirectionalNet(f, "AB1", 4, kChannel5, "HI", 3)),
       {0x24, 0x0D, 0x18, 0x44, 0x00, 0x00, 0x05, 'A', 'B', '1', 0x00, 0x00, 0x01, 'H', 'I', 0x00,
        0xD8, 0x03}},
      {BUILD(AllCall(f, kChannel7, "OK", 3)),
       {0x24, 0x09, 0x18, 0x47, 0x01, 0x00, 0x07, 0x00, 0x01, 'O', 'K', 0x00, 0x2F, 0x03}},
  });
}

TEST(CallBuilders, BareTerminatorTextSendsFlagZeroAndStillCountsOneByte) {
  struct Case {
    const char* call;
    Builder build;
    Bytes head;  // everything before the byte whose value carries nothing
    int head_sum;
  };
  const Case cases[] = {
      {BUILD(StationCall(f, "AB1", 4, kAnyChannel, "", 1)),
       {0x24, 0x0B, 0x18, 0x45, 0x01, 'A', 'B', '1', 0x00, 0xFF, 0xFF, 0x00, 0x00},
       0x3F},
      {BUILD(BiDirectionalStation(f, "AB1", 4, kAnyChannel, "", 1)),
       {0x24, 0x0B, 0x18, 0x43, 0x00, 0xFF, 0xFF, 'A', 'B', '1', 0x00, 0x00, 0x00},
       0x3C},
      {BUILD(AllCall(f, kChannel7, "", 1)),
       {0x24, 0x07, 0x18, 0x47, 0x01, 0x00, 0x07, 0x00, 0x00},
       0x92},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    CRadioMessage frame = UsedFrame();
    ASSERT_EQ(c.build(&frame), 1);
    const Bytes image = Image(frame);
    ASSERT_EQ(image.size(), c.head.size() + 3);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + c.head.size()), c.head);
    const int extra = image[c.head.size()];
    EXPECT_EQ(image[c.head.size() + 1], (c.head_sum + extra) % 256) << "checksum";
    EXPECT_EQ(image.back(), 0x03);
  }
}

TEST(CallBuilders, AddressAndTextLengthsAreBounded) {
  constexpr char kLongestAddress[] = "ABCDEFGHIJKLMNO";  // 16 with the terminator
  const std::string longest_text(90, 'x');
  CRadioMessage longest = UsedFrame();
  ASSERT_EQ(StationCall(&longest, kLongestAddress, 16, kAnyChannel, longest_text.c_str(), 91), 1);
  EXPECT_EQ(Image(longest), Concat({{0x24, 113, 0x18, 0x45, 0x01},
                                    Bytes(kLongestAddress, kLongestAddress + 16),
                                    {0xFF, 0xFF, 0x00, 0x01},
                                    Bytes(longest_text.begin(), longest_text.end()),
                                    {0x00, 0x5A, 0x03}}));
  CRadioMessage all = UsedFrame();
  EXPECT_EQ(AllCall(&all, kAnyChannel, longest_text.c_str(), 91), 1);
  EXPECT_EQ(all.GetLen(), 97);

  const struct {
    const char* name;
    CallBuilder build;
  } builders[] = {{"StationCall", StationCall},
                  {"NetCall", NetCall},
                  {"BiDirectionalStation", BiDirectionalStation},
                  {"BiDirectionalNet", BiDirectionalNet}};
  for (const auto& b : builders) {
    SCOPED_TRACE(b.name);
    CRadioMessage frame = UsedFrame();
    EXPECT_EQ(b.build(&frame, kLongestAddress, 16, kAnyChannel, longest_text.c_str(), 91), 1);
    EXPECT_EQ(frame.GetLen(), 113);
    EXPECT_EQ(b.build(&frame, "A", 2, kAnyChannel, "", 1), 1);
    EXPECT_EQ(frame.GetLen(), 9);

    const int refused[][2] = {{1, 3}, {17, 3}, {4, 0}, {4, 92}};
    for (const auto& [address_length, text_length] : refused) {
      SCOPED_TRACE(testing::Message() << address_length << "/" << text_length);
      const Raw before = RawBytes(frame);
      EXPECT_EQ(b.build(&frame, kLongText, address_length, kAnyChannel, kLongText, text_length), 0);
      EXPECT_EQ(RawBytes(frame), before);
    }
  }
}

}  // namespace
