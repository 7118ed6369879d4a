#pragma once

#include <cstdint>

#include "varim/export.h"
#include "varim/radio_message.h"

// The radio's command set: one builder per command. Each checks its arguments, fills opcode,
// length and data of a frame the caller made, and computes the checksum; nothing is sent.
// Result 1 when the frame was built, 0 when an argument was refused (the frame is then left
// as it was); SetTransmitterFrequency answers -1 for a refused frequency. Callers treat only 1
// as success. "Flag" arguments go out as 1 when non-zero and 0 when zero.

// Generic builders: any opcode with no data, or with one, two or three bytes (the low byte of
// each value). They refuse nothing.
VARIM_API int SendReportCommand(CRadioMessage* frame, std::uint8_t opcode);
VARIM_API int TwoLengthCommands(CRadioMessage* frame, int value, std::uint8_t opcode);
VARIM_API int ThreeLengthCommands(CRadioMessage* frame, int first, int second, std::uint8_t opcode);
VARIM_API int FourLengthCommands(CRadioMessage* frame, int first, int second, int third,
                                 std::uint8_t opcode);

// Report requests and other commands without data.
VARIM_API int ReportActiveChannel(CRadioMessage* frame);
VARIM_API int ReportSideBand(CRadioMessage* frame);
VARIM_API int ReportRecieverFrequency(CRadioMessage* frame);
VARIM_API int ReportTransmitterFrequency(CRadioMessage* frame);
VARIM_API int ReportSquelchState(CRadioMessage* frame);
VARIM_API int ReportDisplayingRecieveLevel(CRadioMessage* frame);
VARIM_API int ReportTransceiverMode(CRadioMessage* frame);
VARIM_API int ReportClarifierPosition(CRadioMessage* frame);
VARIM_API int ReportTransmitterPower(CRadioMessage* frame);
VARIM_API int PttOn(CRadioMessage* frame);
VARIM_API int PttOff(CRadioMessage* frame);
VARIM_API int ReportDspMenuParameters(CRadioMessage* frame);
VARIM_API int ReportRadioOperationMode(CRadioMessage* frame);
VARIM_API int PerformReset(CRadioMessage* frame);
VARIM_API int ReportCurrentChannelParameters(CRadioMessage* frame);
VARIM_API int ReportCardVersion(CRadioMessage* frame);
VARIM_API int ReportStateOfSpecialReports(CRadioMessage* frame);
VARIM_API int ReportRadioVolume(CRadioMessage* frame);
VARIM_API int ReportRadioScanMode(CRadioMessage* frame);
VARIM_API int ReportChannelScanRate(CRadioMessage* frame);
VARIM_API int ReportAleMode(CRadioMessage* frame);
VARIM_API int AcceptLink(CRadioMessage* frame);
VARIM_API int ReportAleON_OFF(CRadioMessage* frame);
VARIM_API int ReportMonitorState(CRadioMessage* frame);
VARIM_API int AbortLink(CRadioMessage* frame);

// Mode requests (opcode 64 with the mode asked for).
VARIM_API int ReportIsbMode(CRadioMessage* frame);
VARIM_API int ReportCcirMode(CRadioMessage* frame);
VARIM_API int ReportRadioSupportMode(CRadioMessage* frame);

// Channel and receiver settings. Frequencies are given in kHz and sent in Hz.
VARIM_API int SetActiveChannel(CRadioMessage* frame, std::uint8_t a, int channel);
VARIM_API int SelectSideBand(CRadioMessage* frame, std::uint8_t a, int b);
VARIM_API int SetRecieverFrequency(CRadioMessage* frame, std::uint8_t flag, int kHz);
VARIM_API int SetTransmitterFrequency(CRadioMessage* frame, std::uint8_t flag, int kHz);
VARIM_API int SetSquelchOnOff(CRadioMessage* frame, std::uint8_t a, int on);
VARIM_API int StartStopDisplayingRecieveLevel(CRadioMessage* frame, std::uint8_t a, int b);
VARIM_API int SetTransceiverMode(CRadioMessage* frame, std::uint8_t a, int b, int c);
VARIM_API int SetClarifier(CRadioMessage* frame, std::uint8_t a, int b, int c);
VARIM_API int SetDspMenuParameters(CRadioMessage* frame, std::uint8_t a, int b, int c, int d,
                                   int e);
VARIM_API int SetRadioOperationMode(CRadioMessage* frame, std::uint8_t a, int b);
VARIM_API int PerformSelfTest(CRadioMessage* frame, std::uint8_t a, int b);
VARIM_API int RemoteKeyboard(CRadioMessage* frame, int a, int b);
VARIM_API int EnableDisableSpecialReport(CRadioMessage* frame, std::uint8_t a, int on, int report);
VARIM_API int SetRadioVolume(CRadioMessage* frame, int volume, int b);
// Rates 1 to 5, the scan rates a radio's database can hold.
VARIM_API int SetChannelScanRate(CRadioMessage* frame, std::uint8_t a, int rate);
VARIM_API int SetRadioScanMode(CRadioMessage* frame, std::uint8_t a, int b, int c);
// Key 0..24 (key::); key::kIdle is the pattern that follows every key press.
VARIM_API int ReportControlHeadKeyboard(CRadioMessage* frame, int key);
VARIM_API int StopStartTransmitTxBarLevel(CRadioMessage* frame, int a);
VARIM_API int SetAleMode(CRadioMessage* frame, std::uint8_t a, int on);
VARIM_API int SetSoundOnOff(CRadioMessage* frame, std::uint8_t a, int on);
VARIM_API int EnterNetwork(CRadioMessage* frame, std::uint8_t net);
VARIM_API int EnterRemoteMode(CRadioMessage* frame, int mode);
VARIM_API int SetMonitorOnOff(CRadioMessage* frame, std::uint8_t a, int on);
VARIM_API int ReplaceLinkChannel(CRadioMessage* frame, std::uint8_t a, int b, int c);
VARIM_API int StopRadioProgramming(CRadioMessage* frame, std::uint8_t a);
VARIM_API int StartRadioProgramming(CRadioMessage* frame, std::uint8_t a);

// Radio memory. The address is three bytes, most significant first; n is at most 200 bytes.
VARIM_API int ProgramMemorySection(CRadioMessage* frame, const std::uint8_t address[3],
                                   const std::uint8_t* bytes, int n);
VARIM_API int GetMemorySection(CRadioMessage* frame, const std::uint8_t address[3], int n);
VARIM_API int EscapeRemoteMode(CRadioMessage* frame, int a);

// Calls. Address and text are zero-terminated, their lengths count the terminating zero
// (address 2..16, text 1..91). The two channel bytes go out unchanged: 0x00 and the channel
// number, or 0xFF 0xFF to let the radio choose.
VARIM_API int BiDirectionalStation(CRadioMessage* frame, const char* address, int addressLength,
                                   const std::uint8_t channel[2], const char* text, int textLength);
VARIM_API int BiDirectionalNet(CRadioMessage* frame, const char* address, int addressLength,
                               const std::uint8_t channel[2], const char* text, int textLength);
VARIM_API int StationCall(CRadioMessage* frame, const char* address, int addressLength,
                          const std::uint8_t channel[2], const char* text, int textLength);
VARIM_API int NetCall(CRadioMessage* frame, const char* address, int addressLength,
                      const std::uint8_t channel[2], const char* text, int textLength);
VARIM_API int AllCall(CRadioMessage* frame, const std::uint8_t channel[2], const char* text,
                      int textLength);
