#include "varim/panels/pane_enabling.h"

namespace varim::panels {

PaneEnabling EnablingOf(const PaneConditions& c) {
  // An ALE radio without a link leaves its receiver to the ALE scan; the panes wait for the link.
  const bool clarifier = c.panelsEnabled && c.reportsEnabled && !(c.aleCapable && !c.linkUp);
  // A CCIR radio with ALE off has no notch filter to offer.
  const bool notch = clarifier && !(c.ccirPresent && c.aleOff);
  return {clarifier, notch};
}

}  // namespace varim::panels
