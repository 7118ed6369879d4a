#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace varim::db {

// The (code, text) pairs through which every enumerated field is shown, edited and stored in
// the database files.
struct ValueEntry {
  std::uint16_t code;
  const char* text;
};

using ValueList = std::span<const ValueEntry>;

// What a text that is in no list maps to; stored in a one-byte field it becomes 0.
inline constexpr std::uint16_t kNotInList = 0x8000;

// The code of the first entry whose text is exactly the given one (case matters), else
// kNotInList.
std::uint16_t TextToCode(ValueList list, std::string_view text);
// The text of the first entry with the code, else the empty text.
const char* CodeToText(ValueList list, int code);

// The tables, in their order and with their exact texts.
namespace entries {

inline constexpr ValueEntry kPowerEntries[] = {{2, "Low"}, {3, "Medium"}, {4, "High"}, {5, "Max"}};
inline constexpr ValueEntry kSidebandEntries[] = {{0, "LSB"}, {1, "USB"}};
inline constexpr ValueEntry kBandwidthEntries[] = {{0, "2700"}, {1, "3300"}, {2, "LSM"},
                                                   {3, "CW"},   {4, "3000"}, {5, "2100"}};
inline constexpr ValueEntry kAgcEntries[] = {{0, "Slow"}, {1, "Fast"}, {255, "Off"}};
inline constexpr ValueEntry kModeEntries[] = {{0, "SSB"}, {1, "PLT"}, {2, "AME"}, {3, "ISB"}};
inline constexpr ValueEntry kNoYesEntries[] = {{0, "No"}, {1, "Yes"}};
inline constexpr ValueEntry kSilentEntries[] = {{1, "No"}, {0, "Yes"}};
inline constexpr ValueEntry kOptionStatusEntries[] = {{0, "Disabled"}, {1, "Enabled"}};
inline constexpr ValueEntry kCwHoldEntries[] = {{15, "150 mSec"}, {50, "500 mSec"}};
inline constexpr ValueEntry kScanRateEntries[] = {
    {1, "1 Ch/Sec"}, {2, "2 Ch/Sec"}, {3, "3 Ch/Sec"}, {4, "4 Ch/Sec"}, {5, "5 Ch/Sec"}};
inline constexpr ValueEntry kDisplayTimeEntries[] = {
    {1, "1 Sec"}, {2, "2 Sec"}, {3, "3 Sec"}, {4, "4 Sec"}, {5, "5 Sec"},
    {6, "6 Sec"}, {7, "7 Sec"}, {8, "8 Sec"}, {9, "9 Sec"}, {10, "10 Sec"}};
inline constexpr ValueEntry kAlertToneEntries[] = {{0, "Low"}, {1, "High"}};
inline constexpr ValueEntry kFrequencyDisplayEntries[] = {{0, "Hide"}, {1, "View"}};
inline constexpr ValueEntry kBaudEntries[] = {{0, "1200"}, {1, "2400"}, {2, "4800"}, {3, "9600"}};
inline constexpr ValueEntry kAccessoryEntries[] = {
    {0, "None"}, {1, "1Kwatt Amplifier"}, {2, "Accessory1"}, {3, "Accessory2"}};
inline constexpr ValueEntry kLanguageEntries[] = {
    {0, "ENGLISH"}, {1, "FRENCH"}, {2, "SPANISH"}, {3, "BAHASA"}};
inline constexpr ValueEntry kAllCallEntries[] = {
    {0, ""}, {1, "Send"}, {2, "Receive"}, {3, "Send and Receive"}};
inline constexpr ValueEntry kTuneTimeEntries[] = {
    {0, "No Tune Time"}, {1, "1 Sec"},   {2, "2 Sec"},   {3, "3 Sec"},   {4, "4 Sec"},
    {5, "5 Sec"},        {6, "6 Sec"},   {7, "7 Sec"},   {8, "8 Sec"},   {9, "9 Sec"},
    {10, "10 Sec"},      {11, "11 Sec"}, {12, "12 Sec"}, {13, "13 Sec"}, {14, "14 Sec"},
    {15, "15 Sec"},      {16, "16 Sec"}, {17, "17 Sec"}, {18, "18 Sec"}, {19, "19 Sec"},
    {20, "20 Sec"}};
inline constexpr ValueEntry kMasterSlaveEntries[] = {{0, "Master"}, {1, "Slave"}};
inline constexpr ValueEntry kSoundingEntries[] = {{0, "Manual"},
                                                  {30, "Auto.-30 Min"},
                                                  {60, "Auto.-60 Min"},
                                                  {90, "Auto.-90 Min"},
                                                  {120, "Auto.-120 Min"}};
inline constexpr ValueEntry kOccupancyEntries[] = {
    {0, "Off"},      {3, "300 ms"},   {4, "400 ms"},   {5, "500 ms"},   {6, "600 ms"},
    {7, "700 ms"},   {8, "800 ms"},   {9, "900 ms"},   {10, "1000 ms"}, {11, "1100 ms"},
    {12, "1200 ms"}, {13, "1300 ms"}, {14, "1400 ms"}, {15, "1500 ms"}, {16, "1600 ms"},
    {17, "1700 ms"}, {18, "1800 ms"}, {19, "1900 ms"}, {20, "2000 ms"}, {21, "2100 ms"},
    {22, "2200 ms"}, {23, "2300 ms"}, {24, "2400 ms"}, {25, "2500 ms"}, {26, "2600 ms"},
    {27, "2700 ms"}, {28, "2800 ms"}, {29, "2900 ms"}, {30, "3000 ms"}};
inline constexpr ValueEntry kPttTimeoutEntries[] = {
    {0, "No Timeout"}, {1, "1 Min"}, {2, "2 Min"}, {3, "3 Min"}, {4, "4 Min"},  {5, "5 Min"},
    {6, "6 Min"},      {7, "7 Min"}, {8, "8 Min"}, {9, "9 Min"}, {10, "10 Min"}};
inline constexpr ValueEntry kAcceptLinkEntries[] = {{0, "0"}, {1, "1"}, {2, "2"}};
inline constexpr ValueEntry kBiteResultEntries[] = {
    {0, "Passed"}, {1, "Failed"}, {3, "Unable to perform"}, {2, "Ignored"}};

}  // namespace entries

namespace lists {

inline constexpr ValueList kPower = entries::kPowerEntries;
inline constexpr ValueList kSideband = entries::kSidebandEntries;
inline constexpr ValueList kBandwidth = entries::kBandwidthEntries;
inline constexpr ValueList kAgc = entries::kAgcEntries;
inline constexpr ValueList kMode = entries::kModeEntries;
inline constexpr ValueList kNoYes = entries::kNoYesEntries;
inline constexpr ValueList kSilent = entries::kSilentEntries;
inline constexpr ValueList kOptionStatus = entries::kOptionStatusEntries;
inline constexpr ValueList kCwHold = entries::kCwHoldEntries;
inline constexpr ValueList kScanRate = entries::kScanRateEntries;
inline constexpr ValueList kDisplayTime = entries::kDisplayTimeEntries;
inline constexpr ValueList kAlertTone = entries::kAlertToneEntries;
inline constexpr ValueList kFrequencyDisplay = entries::kFrequencyDisplayEntries;
inline constexpr ValueList kBaud = entries::kBaudEntries;
inline constexpr ValueList kAccessory = entries::kAccessoryEntries;
inline constexpr ValueList kLanguage = entries::kLanguageEntries;
inline constexpr ValueList kAllCall = entries::kAllCallEntries;
inline constexpr ValueList kTuneTime = entries::kTuneTimeEntries;
inline constexpr ValueList kMasterSlave = entries::kMasterSlaveEntries;
inline constexpr ValueList kSounding = entries::kSoundingEntries;
inline constexpr ValueList kOccupancy = entries::kOccupancyEntries;
inline constexpr ValueList kPttTimeout = entries::kPttTimeoutEntries;
inline constexpr ValueList kAcceptLink = entries::kAcceptLinkEntries;
inline constexpr ValueList kBiteResult = entries::kBiteResultEntries;

}  // namespace lists

}  // namespace varim::db
