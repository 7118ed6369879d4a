#pragma once

namespace varim::panels {

// What decides whether the clarifier and notch-filter panes take input.
struct PaneConditions {
  bool panelsEnabled = false;   // the panels that talk to the radio are on
  bool reportsEnabled = false;  // the radio was read and reports to the program
  bool aleCapable = false;
  bool linkUp = false;
  bool ccirPresent = false;
  bool aleOff = false;
};

struct PaneEnabling {
  bool clarifier = false;
  bool notch = false;

  bool operator==(const PaneEnabling&) const = default;
};

PaneEnabling EnablingOf(const PaneConditions& conditions);

}  // namespace varim::panels
