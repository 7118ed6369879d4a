#pragma once

namespace varim::core {

// The panels of the main window, one shown at a time, each with its own menu, toolbar and
// title. The numbers index the window's tables of them.
enum class Panel {
  kComputerInterface = 0,
  kRss = 1,
  kRssAle = 2,
  kVarim = 3,
  kCcir = 4,
  kVarim2E = 5,
};

inline constexpr int kPanelCount = 6;

}  // namespace varim::core
