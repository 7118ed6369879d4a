#pragma once

#include <string>
#include <vector>

namespace varim::netcontrol {

// The frequencies the radio tunes, in kHz: what its receive and transmit commands take.
inline constexpr int kLowestReceiveKHz = 101;
inline constexpr int kLowestTransmitKHz = 1600;
inline constexpr int kHighestKHz = 30000;

// What a Hamlib client learns of the radio when it connects (\dump_state), a line each without
// its newline: the protocol version, the receive and transmit ranges with their modes, the
// tuning step, the filters, no functions, levels or parameters, and the settings of the
// version-1 protocol up to "done".
std::vector<std::string> DumpState();
// The same for a person (\dump_caps), short.
std::vector<std::string> DumpCaps();

}  // namespace varim::netcontrol
