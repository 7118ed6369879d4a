#pragma once

#include "varim/db/channel_set.h"
#include "varim/radio_records.h"

namespace varim::db {

// A channel is programmed when it has a transmit or a receive frequency.
inline bool ChannelProgrammed(const channel& c) {
  return c.tx_frequency != 0 || c.rx_frequency != 0;
}

// Channel n (1..200) of the radio is programmed; false for numbers outside the radio.
inline bool ChannelProgrammed(const dbase& radio, int n) {
  return n >= 1 && n <= kMaxChannel && ChannelProgrammed(radio.channels[n - 1]);
}

inline bool GroupHasMembers(const scan_group& group) {
  return AnyChannel(group.member_channels);
}

// A guard channel counts only when it is a channel of the radio and a member of its group.
inline bool GuardChannelValid(const scan_group& group) {
  const int guard = group.guard_channel;
  return guard >= 1 && guard <= kMaxChannel && HasChannel(group.member_channels, guard);
}

inline bool NetHasScannedChannels(const ale_net& net) {
  return AnyChannel(net.scanned_channels);
}

}  // namespace varim::db
