#pragma once

namespace varim::panels::channel_texts {

inline constexpr char kTxRange[] =
    "Tx Frequency is out of range. \nTx Frequency range is 1.6-30MHz.";
inline constexpr char kRxRange[] =
    "Rx Frequency is out of range. \nRx Frequency range is 0.1-30MHz.";
inline constexpr char kBothZero[] =
    "Tx Frequency and Rx Frequency \ncan't be both zero at the same time.";
inline constexpr char kScanButtonMode[] = "OnScanButton: Scan Mode is not correct!";
inline constexpr char kFitMode[] = "FitToScanning: Scan Mode is not correct!";
inline constexpr char kLoadGroupsMode[] = "LoadGroups: Scan Mode is not correct!";
inline constexpr char kSelchangeMode[] = "OnSelchangeGroupCombo: Scan Mode is not correct!";
inline constexpr char kUpdateNetMode[] = "UpdateCurrentScanNetNumber: Scan Mode is not correct!";
inline constexpr char kScanButtonState[] = "ChannelDlg: Incorrect Scan Button state!";
inline constexpr char kScanGroupsLabel[] = "Scan Groups";
inline constexpr char kScanAleLabel[] = "Scan ALE";

}  // namespace varim::panels::channel_texts
