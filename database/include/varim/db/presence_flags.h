#pragma once

#include <atomic>

namespace varim::db {

// What the radio (or the loaded files) carry beyond the core databases. One object per
// program: the file readers, the read and write sequences and the incoming reports all update
// the same flags, and the incoming thread writes some of them while the window thread reads.
struct PresenceFlags {
  std::atomic<int> ccir_present{0};        // CCIR data and channel names are in use
  std::atomic<int> global_ale_present{1};  // global ALE members are in use
  std::atomic<int> extended_support{0};    // the extra options are transferred
  std::atomic<int> ccir_from_file{0};      // the CCIR data came from a .ccr file
  std::atomic<int> isb_present{0};         // the radio works ISB
};

}  // namespace varim::db
