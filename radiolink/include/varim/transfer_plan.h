#pragma once

#include <vector>

#include "varim/export.h"

// What a whole-radio read or write moves, and in which order: the one description from which
// the transfer itself, the check after a write and the progress shown to the operator are
// derived, so a change to a record's memory is made in one place.

// The records of radio memory a whole-radio transfer moves.
enum class RadioRecord { kRadio, kAle, kGlobalAleMembers, kCcir, kChannelNames, kExtraOptions };

enum class TransferDirection { kRead, kWrite };

// What the radio carries beyond its radio and ALE records, as its reports say.
struct TransferContents {
  bool ccir = false;  // CCIR data and channel names; they take the global members' memory
  bool globalMembers = false;
  bool extraOptions = false;
};

// One stretch of radio memory as a transfer moves it.
struct PlannedSection {
  const char* name;  // "Channels", "ALE Directory", ...
  long address;
  int length;
};

// The records in the order they are moved.
VARIM_API std::vector<RadioRecord> TransferPlan(const TransferContents& contents);

// The stretches one record moves in that direction, in their order (the radio record without
// its service area, as whole-radio transfers move it).
VARIM_API std::vector<PlannedSection> PlannedSections(RadioRecord record,
                                                      TransferDirection direction);
