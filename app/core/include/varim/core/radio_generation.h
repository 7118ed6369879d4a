#pragma once

namespace varim::core {

// Which front panel the radio has, told apart by its software version: the program shows that
// panel, its display and its keypads.
enum class RadioGeneration {
  kUnknown = 0,  // no read yet, or the version could not be read
  kVarim2E = 1,  // the VARIM-2E front panel
  kVarim = 2,    // the VARIM front panel
};

}  // namespace varim::core
