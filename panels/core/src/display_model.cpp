#include "varim/panels/display_model.h"

namespace varim::panels {

std::string NumberText(int value, int width) {
  const std::size_t positions = width > 1 ? static_cast<std::size_t>(width - 1) : 0;
  if (value == 0) return std::string(positions, ' ');
  std::string digits = std::to_string(value);
  // A number wider than its field keeps its lowest digits rather than run over the field.
  if (digits.size() > positions) return digits.substr(digits.size() - positions);
  return std::string(positions - digits.size(), ' ') + digits;
}

void ApplyIndicators(const DisplayModel& model, std::array<bool, kLamps>& shown) {
  for (std::size_t lamp = 0; lamp < shown.size(); ++lamp) {
    if (model.indicators[lamp] == kIndicatorHidden) shown[lamp] = false;
    if (model.indicators[lamp] == kIndicatorShown) shown[lamp] = true;
  }
}

}  // namespace varim::panels
