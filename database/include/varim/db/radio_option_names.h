#pragma once

#include "varim/radio_records.h"

namespace varim::db {

// The radio's options in the order of the option list; the names are also the option keys of
// the radio database file.
inline constexpr const char* kRadioOptionNames[kRadioOptions] = {
    "High Stability Oscillator",
    "Delete LSB",
    "Noise Blanker",
    "Remote Control",
    "SelCall",
    "Delete ALE",
    "Delete Data",
    "Accessory Stop Scan",
    "Amateure Ferq Restriction",
    "MultyNet Enable",
    "Broad Band Filter Enable",
    "Read Programmed Memory",
    "VP Option Enable",
    "PPS Option Enable",
    "Input Password Enable",
};

}  // namespace varim::db
