#pragma once

#include <QWidget>

namespace varim::ui {

// Widths of the radio's grids are given in twips, 1/1440 inch; the screen's resolution turns
// them into pixels so a column holds the same text on every display.
inline int TwipsToPixels(int twips, const QWidget& widget) {
  constexpr int kTwipsPerInch = 1440;
  return twips * widget.logicalDpiX() / kTwipsPerInch;
}

}  // namespace varim::ui
