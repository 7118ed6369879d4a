#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "varim/db/radio_databases.h"
#include "varim/sim/radio_profile.h"

namespace varim::sim {

// The radio's programmable memory, laid out as the radio keeps it: every record at its
// address, numbers big-endian, global members as value + 1, "Auto" channels as 100.
class RadioMemory {
 public:
  static constexpr std::size_t kSize = 0x2800;  // past the last record (9768)

  // A blank memory: nothing programmed.
  RadioMemory() { bytes_.fill(0); }

  // Fills the memory with a programming as a radio of the profile holds it: the CCIR data or
  // the global members in their shared area, the extra options when supported, the profile's
  // software version and the "ALE" program word of a programmed radio.
  void Store(const varim::db::RadioDatabases& programming, const RadioProfile& profile);

  // False when the range leaves the memory; a read beyond it gives zeros.
  bool Read(long address, int count, std::uint8_t* out) const;
  bool Write(long address, int count, const std::uint8_t* in);

  const std::array<std::uint8_t, kSize>& Bytes() const { return bytes_; }

 private:
  std::array<std::uint8_t, kSize> bytes_;
};

// The stretches of memory a write of the whole programming touches for a radio of this
// profile, as (address, length): what a round trip must reproduce.
struct MemoryRange {
  long address;
  int length;
};
std::vector<MemoryRange> WrittenRanges(const RadioProfile& profile);

}  // namespace varim::sim
