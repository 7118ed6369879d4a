#pragma once

#include <cstdint>

// The protocol's vocabulary: what each opcode means when the program sends it.
// Answers and reports from the radio reuse some of these numbers with their own meaning.
namespace opcode {

inline constexpr std::uint8_t kSetActiveChannel = 1;
inline constexpr std::uint8_t kReportActiveChannel = 2;
inline constexpr std::uint8_t kSelectSideBand = 3;
inline constexpr std::uint8_t kReportSideBand = 4;
inline constexpr std::uint8_t kSetRecieverFrequency = 5;
inline constexpr std::uint8_t kReportRecieverFrequency = 6;
inline constexpr std::uint8_t kSetTransmitterFrequency = 7;
inline constexpr std::uint8_t kReportTransmitterFrequency = 8;
inline constexpr std::uint8_t kSetSquelchOnOff = 9;
inline constexpr std::uint8_t kReportSquelchState = 10;
inline constexpr std::uint8_t kStartStopDisplayingRecieveLevel = 11;
inline constexpr std::uint8_t kReportDisplayingRecieveLevel = 12;
inline constexpr std::uint8_t kSetTransceiverMode = 13;
inline constexpr std::uint8_t kReportTransceiverMode = 14;
inline constexpr std::uint8_t kSetClarifier = 15;
inline constexpr std::uint8_t kReportClarifierPosition = 16;
inline constexpr std::uint8_t kReportTransmitterPower = 18;
inline constexpr std::uint8_t kPttOn = 19;
inline constexpr std::uint8_t kPttOff = 20;
inline constexpr std::uint8_t kSetDspMenuParameters = 21;
inline constexpr std::uint8_t kReportDspMenuParameters = 22;
inline constexpr std::uint8_t kSetRadioOperationMode = 23;
inline constexpr std::uint8_t kReportRadioOperationMode = 24;
inline constexpr std::uint8_t kPerformSelfTest = 27;
inline constexpr std::uint8_t kPerformReset = 28;
inline constexpr std::uint8_t kReportCurrentChannelParameters = 29;
inline constexpr std::uint8_t kReportCardVersion = 30;
inline constexpr std::uint8_t kProgramMemorySection = 32;  // also EscapeRemoteMode
inline constexpr std::uint8_t kGetMemorySection = 36;
inline constexpr std::uint8_t kRemoteKeyboard = 38;
inline constexpr std::uint8_t kEnableDisableSpecialReport = 41;
inline constexpr std::uint8_t kReportStateOfSpecialReports = 42;
inline constexpr std::uint8_t kSetRadioVolume = 43;
inline constexpr std::uint8_t kReportRadioVolume = 44;
inline constexpr std::uint8_t kSetChannelScanRate = 45;
inline constexpr std::uint8_t kReportRadioScanMode = 50;
inline constexpr std::uint8_t kSetRadioScanMode = 51;
inline constexpr std::uint8_t kReportControlHeadKeyboard = 54;
inline constexpr std::uint8_t kReportChannelScanRate = 59;
inline constexpr std::uint8_t kStopStartTransmitTxBarLevel = 63;
inline constexpr std::uint8_t kReportMode = 64;  // ISB, CCIR and radio-support requests
inline constexpr std::uint8_t kSetAleMode = 65;
inline constexpr std::uint8_t kReportAleMode = 66;
inline constexpr std::uint8_t kBiDirectionalStation = 67;
inline constexpr std::uint8_t kBiDirectionalNet = 68;
inline constexpr std::uint8_t kStationCall = 69;
inline constexpr std::uint8_t kNetCall = 70;
inline constexpr std::uint8_t kAllCall = 71;
inline constexpr std::uint8_t kSetSoundOnOff = 78;
inline constexpr std::uint8_t kEnterNetwork = 79;
inline constexpr std::uint8_t kAcceptLink = 80;
inline constexpr std::uint8_t kEnterRemoteMode = 82;
inline constexpr std::uint8_t kReportAleOnOff = 88;
inline constexpr std::uint8_t kSetMonitorOnOff = 89;
inline constexpr std::uint8_t kReportMonitorState = 90;
inline constexpr std::uint8_t kAbortLink = 91;
inline constexpr std::uint8_t kReplaceLinkChannel = 92;
inline constexpr std::uint8_t kStopRadioProgramming = 120;
inline constexpr std::uint8_t kStartRadioProgramming = 126;
inline constexpr std::uint8_t kAcknowledgement = 243;

// The data byte of a kReportMode request says which mode is asked for.
inline constexpr std::uint8_t kModeIsb = 48;
inline constexpr std::uint8_t kModeCcir = 1;
inline constexpr std::uint8_t kModeRadioSupport = 7;

// A setting of this value in the commands that carry several settings leaves it as it is.
inline constexpr std::uint8_t kUnchanged = 255;

// The radio's operation modes, as SetRadioOperationMode sets them and the radio reports them.
inline constexpr std::uint8_t kOperationChannel = 0;
inline constexpr std::uint8_t kOperationAleScan = 1;
inline constexpr std::uint8_t kOperationGroupScan = 4;

}  // namespace opcode

// The opcodes of the radio's answers to the requests that expect one.
namespace answer {

inline constexpr std::uint8_t kActiveChannel = 1;        // to ReportActiveChannel
inline constexpr std::uint8_t kSquelchState = 9;         // to ReportSquelchState
inline constexpr std::uint8_t kClarifierPosition = 15;   // to ReportClarifierPosition
inline constexpr std::uint8_t kTransmitterPower = 17;    // to ReportTransmitterPower
inline constexpr std::uint8_t kDspMenuParameters = 21;   // to ReportDspMenuParameters
inline constexpr std::uint8_t kRadioOperationMode = 22;  // to ReportRadioOperationMode
inline constexpr std::uint8_t kCurrentChannelParameters = 29;
inline constexpr std::uint8_t kMemorySection = 32;  // to GetMemorySection, bytes from data 4
inline constexpr std::uint8_t kProgramResult = 36;  // to ProgramMemorySection, data 4 = taken
inline constexpr std::uint8_t kAleOnOff = 88;       // to ReportAleON_OFF

}  // namespace answer

// The reports the radio sends on its own (or in answer to a mode request).
namespace report {

inline constexpr std::uint8_t kSelfTest = 27;
inline constexpr std::uint8_t kReset = 28;
inline constexpr std::uint8_t kDisplay = 46;
inline constexpr std::uint8_t kIsbMode = 48;
inline constexpr std::uint8_t kCommandRefused = 60;
inline constexpr std::uint8_t kAleState = 65;
inline constexpr std::uint8_t kBidirectionalProgress = 67;
inline constexpr std::uint8_t kStationCallSent = 69;  // data 0: the call result
inline constexpr std::uint8_t kNetCallSent = 70;
inline constexpr std::uint8_t kAllCallSent = 71;
inline constexpr std::uint8_t kSoundingProgress = 78;
inline constexpr std::uint8_t kIncomingStationCall = 79;
inline constexpr std::uint8_t kIncomingNetCall = 80;
inline constexpr std::uint8_t kIncomingPriorityCall = 82;
inline constexpr std::uint8_t kCallEnded = 85;  // data 0: how, see call_end
inline constexpr std::uint8_t kAleOnOff = 88;
inline constexpr std::uint8_t kMonitorState = 89;
inline constexpr std::uint8_t kIncomingStationCallOther = 90;  // taken as a station call
inline constexpr std::uint8_t kCcirMode = 96;                  // data 0: CCIR, data 1: ALE state
inline constexpr std::uint8_t kSupportMode = 98;               // bit 0 of data 0: extended support

}  // namespace report

// How a link ended, as data byte 0 of the call-ended report says.
namespace call_end {

inline constexpr std::uint8_t kExchangeEnded = 0;  // a call or the bidirectional exchange
inline constexpr std::uint8_t kSoundingEnded = 1;
inline constexpr std::uint8_t kIncomingAborted = 2;
inline constexpr std::uint8_t kIncomingTimedOut = 3;

}  // namespace call_end

// The control head's keys by number, and the pattern ReportControlHeadKeyboard sends for each
// (first byte first). Every key clears bits of the idle pattern, which follows each key press.
namespace key {

inline constexpr int kNavigation1 = 0;
inline constexpr int kNavigation2 = 1;
inline constexpr int kMore = 2;  // the third navigation button
inline constexpr int kNavigation4 = 3;
inline constexpr int kF1 = 4;
inline constexpr int kF2 = 5;
inline constexpr int kF3 = 6;
inline constexpr int kF4 = 7;
inline constexpr int kHash = 8;
inline constexpr int kStar = 9;
inline constexpr int kEscape = 10;
inline constexpr int kEnter = 11;
inline constexpr int kWithoutButton = 12;  // has a pattern, but no button on the head
inline constexpr int kDigit0 = 13;         // the digits follow in order up to 9
inline constexpr int kDigit9 = 22;
inline constexpr int kMenu = 23;
inline constexpr int kIdle = 24;
inline constexpr int kCount = 25;

inline constexpr std::uint8_t kPatterns[kCount][4] = {
    {0xFE, 0x7B, 0xEF, 0x01},  // kNavigation1
    {0xDF, 0x7B, 0xEF, 0x01},  // kNavigation2
    {0xFD, 0x7B, 0xEF, 0x01},  // kMore
    {0x01, 0x7B, 0xE8, 0x01},  // kNavigation4
    {0xBF, 0x7B, 0xEF, 0x01},  // kF1
    {0xFF, 0x73, 0xEF, 0x01},  // kF2
    {0xFF, 0x7B, 0xEE, 0x01},  // kF3
    {0xFF, 0x7B, 0xCF, 0x01},  // kF4
    {0xFF, 0x6B, 0xEF, 0x01},  // kHash
    {0xFB, 0x7B, 0xEF, 0x01},  // kStar
    {0xEF, 0x7B, 0xEF, 0x01},  // kEscape
    {0xFF, 0x7B, 0xED, 0x01},  // kEnter
    {0xCF, 0xFF, 0xFF, 0x01},  // kWithoutButton
    {0x7F, 0x7B, 0xEF, 0x01},  // kDigit0
    {0xFF, 0x79, 0xEF, 0x01},  // 1
    {0xFF, 0x3B, 0xEF, 0x01},  // 2
    {0xFF, 0x7B, 0xE7, 0x01},  // 3
    {0xFF, 0x5B, 0xEF, 0x01},  // 4
    {0xFF, 0x7B, 0xEB, 0x01},  // 5
    {0xFF, 0x7B, 0x6F, 0x01},  // 6
    {0xFF, 0x7B, 0xAF, 0x01},  // 7
    {0xF7, 0x7B, 0xEF, 0x01},  // 8
    {0xFF, 0x7A, 0xEF, 0x01},  // kDigit9
    {0xFF, 0x7B, 0xEF, 0x00},  // kMenu
    {0xFF, 0x7B, 0xEF, 0x01},  // kIdle
};

}  // namespace key
