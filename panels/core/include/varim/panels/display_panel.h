#pragma once

#include <cstdint>

#include "varim/panels/display_model.h"

namespace varim::panels {

// A rendering of the control head's display: told which part to redraw after a display report,
// with the model as it now stands.
class DisplayPanel {
 public:
  virtual ~DisplayPanel() = default;
  // The channel and frequency fields, with the raw bytes 1 and 2 of their report.
  virtual void RedrawFields(const DisplayModel& model, std::uint8_t first, std::uint8_t second) = 0;
  // Display lines 1 and 2.
  virtual void RedrawLines(const DisplayModel& model) = 0;
  virtual void RedrawSoftKeys(const DisplayModel& model) = 0;
  // The eleven indicator lamps (see ApplyIndicators).
  virtual void RedrawIndicators(const DisplayModel& model) = 0;
  virtual void RedrawFlags(const DisplayModel& model) = 0;
};

// A rendering that draws nothing: the display before any panel is made, and the command line.
class NoDisplayPanel : public DisplayPanel {
 public:
  void RedrawFields(const DisplayModel&, std::uint8_t, std::uint8_t) override {}
  void RedrawLines(const DisplayModel&) override {}
  void RedrawSoftKeys(const DisplayModel&) override {}
  void RedrawIndicators(const DisplayModel&) override {}
  void RedrawFlags(const DisplayModel&) override {}
};

}  // namespace varim::panels
