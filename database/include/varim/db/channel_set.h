#pragma once

#include <cstdint>

#include "varim/radio_records.h"

namespace varim::db {

// A 26-byte channel bitmap, most significant bit first: channel c is bit 7 - c % 8 of byte
// c / 8. Only channels 1..200 belong in a normalised set.

inline bool HasChannel(const std::uint8_t (&set)[kChannelSetBytes], int channel) {
  if (channel < 0 || channel >= kChannelSetBytes * 8) return false;
  return (set[channel / 8] >> (7 - channel % 8)) & 1;
}

inline void AddChannel(std::uint8_t (&set)[kChannelSetBytes], int channel) {
  if (channel < 0 || channel >= kChannelSetBytes * 8) return;
  set[channel / 8] = static_cast<std::uint8_t>(set[channel / 8] | (0x80 >> (channel % 8)));
}

inline void RemoveChannel(std::uint8_t (&set)[kChannelSetBytes], int channel) {
  if (channel < 0 || channel >= kChannelSetBytes * 8) return;
  set[channel / 8] = static_cast<std::uint8_t>(set[channel / 8] & ~(0x80 >> (channel % 8)));
}

// Any byte set, as the radio's editors have always decided whether a set is empty.
inline bool AnyChannel(const std::uint8_t (&set)[kChannelSetBytes]) {
  for (const std::uint8_t byte : set) {
    if (byte != 0) return true;
  }
  return false;
}

// Keeps only channels 1..200.
inline void NormaliseChannelSet(std::uint8_t (&set)[kChannelSetBytes]) {
  std::uint8_t clean[kChannelSetBytes] = {};
  for (int c = 1; c <= kMaxChannel; ++c) {
    if (HasChannel(set, c)) AddChannel(clean, c);
  }
  for (int i = 0; i < kChannelSetBytes; ++i) set[i] = clean[i];
}

}  // namespace varim::db
