#pragma once

#include <array>
#include <string>

#include "varim/core/operator.h"

namespace varim::core {

// The serial port and baud rate the operator chose, kept between runs in CommPort.txt.
struct CommSettings {
  int commPort = 1;
  int baudRate = 9600;
  bool operator==(const CommSettings&) const = default;
};

inline constexpr char kCommSettingsFileName[] = "CommPort.txt";
// The file holds the two numbers as raw 4-byte little-endian integers, nothing else.
inline constexpr std::size_t kCommSettingsFileBytes = 8;

// The baud rates by their index, as the dialog's buttons and the radio's own option byte
// number them.
inline constexpr std::array<int, 4> kBaudRates = {1200, 2400, 4800, 9600};

// The settings stored in folder; the defaults when the file is missing, unreadable or shorter
// than its 8 bytes.
CommSettings LoadCommSettings(const std::string& folder);
// Replaces the file in folder atomically; false (and nothing changed) when it cannot be
// written.
bool SaveCommSettings(const std::string& folder, const CommSettings& settings);

// The baud rate of an index; outside 0..3 the operator is told and the result is 0.
int BaudFromIndex(int index, Operator& op);
// The index of a baud rate; any other rate is reported and counts as 1200 (index 0).
int BaudIndexOf(int baudRate, Operator& op);
// The index of a baud rate, or -1 when it is not one of the four.
int FindBaudIndex(int baudRate);

}  // namespace varim::core
