#pragma once

#include <QFrame>
#include <QLabel>
#include <array>

#include "varim/core/radio_generation.h"
#include "varim/panels/display_panel.h"

namespace varim::ui {

// The control head's display drawn on the computer: channel and frequency fields, display lines
// 1 and 2, the four soft-key labels, the eleven indicator lamps and the ten display flags. It
// redraws only what the front panel tells it to.
class CHeadDisplay : public QFrame, public varim::panels::DisplayPanel {
  Q_OBJECT

 public:
  // The VARIM-2E head has its own colours; every other radio the VARIM's.
  explicit CHeadDisplay(varim::core::RadioGeneration generation, QWidget* parent = nullptr);

  void RedrawFields(const varim::panels::DisplayModel& model, std::uint8_t first,
                    std::uint8_t second) override;
  void RedrawLines(const varim::panels::DisplayModel& model) override;
  void RedrawSoftKeys(const varim::panels::DisplayModel& model) override;
  void RedrawIndicators(const varim::panels::DisplayModel& model) override;
  void RedrawFlags(const varim::panels::DisplayModel& model) override;

 private:
  QLabel* Field(const QString& name, bool large);
  QLabel* Lamp(const QString& name, const QString& text);

  QLabel* channel_;
  QLabel* frequency_;
  QLabel* line1_;
  QLabel* line2_;
  std::array<QLabel*, varim::panels::kSoftKeys> softKeys_{};
  std::array<QLabel*, varim::panels::kLamps> indicators_{};
  std::array<bool, varim::panels::kLamps> indicatorsShown_{};
  std::array<QLabel*, varim::panels::kDisplayFlags> flags_{};
  QString lit_;
  QString dark_;
};

}  // namespace varim::ui
