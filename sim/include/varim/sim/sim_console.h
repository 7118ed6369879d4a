#pragma once

#include <ostream>
#include <string>

#include "varim/sim/simulated_radio.h"

namespace varim::sim {

// The commands an operator types into varim-sim (or a test feeds it) to steer the radio.
class SimConsole {
 public:
  explicit SimConsole(SimulatedRadio& radio) : radio_(radio) {}

  // Carries out one command line and writes its answer. False when the line asks to quit.
  bool Execute(const std::string& line, std::ostream& out);
  static void PrintHelp(std::ostream& out);

 private:
  SimulatedRadio& radio_;
};

}  // namespace varim::sim
