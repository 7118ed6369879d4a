#pragma once

#include <string>

#include "varim/export.h"

// Where the radio's COM port numbers lead on this system, and how to explain a port that
// cannot be opened.

// Port n is the device named by the environment variable VARIM_COM{n} when it is set (for
// example /dev/ttyUSB0 or a simulator's pseudo-terminal), otherwise /dev/ttyS{n-1}.
VARIM_API std::string ComPortDevice(int portNumber);

// What the user can do about a failed open of device, from the system's reason (errno).
VARIM_API std::string DescribePortError(long systemError, const std::string& device);
