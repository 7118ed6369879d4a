#include "head_keypad.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "varim/panels/head_keys.h"
#include "varim/radio_opcodes.h"

namespace varim::ui {

namespace {

constexpr int kPictureSize = 28;

// The navigation buttons' pictures, drawn rather than shipped.
enum class Picture { kUp, kDown, kRight, kLeft, kMore };

struct NavigationButton {
  int key;
  Picture picture;
  const char* spoken;  // empty: the key's own accessible name
};

// The VARIM-2E has two arrows and MORE; the VARIM four navigation buttons.
constexpr NavigationButton kCompactNavigation[] = {
    {key::kNavigation1, Picture::kUp, "Up"},
    {key::kNavigation2, Picture::kDown, "Down"},
    {key::kMore, Picture::kMore, "More"},
};
constexpr NavigationButton kFullNavigation[] = {
    {key::kNavigation1, Picture::kUp, ""},
    {key::kNavigation2, Picture::kDown, ""},
    {key::kMore, Picture::kRight, ""},
    {key::kNavigation4, Picture::kLeft, ""},
};

constexpr int kControlKeys[] = {key::kF1,     key::kF2,    key::kF3,  key::kF4,
                                key::kEscape, key::kEnter, key::kMenu};
// The digits as a telephone keypad: 1 2 3 / 4 5 6 / 7 8 9 / * 0 #.
constexpr int kDigitRows[4][3] = {
    {key::kDigit0 + 1, key::kDigit0 + 2, key::kDigit0 + 3},
    {key::kDigit0 + 4, key::kDigit0 + 5, key::kDigit0 + 6},
    {key::kDigit0 + 7, key::kDigit0 + 8, key::kDigit9},
    {key::kStar, key::kDigit0, key::kHash},
};
// The compact keypad has no room for "Enter".
constexpr char kCompactEnter[] = "E";

QIcon Draw(Picture picture, const QColor& colour) {
  QPixmap pixmap(kPictureSize, kPictureSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  const double s = kPictureSize;
  QPainterPath arrow;
  switch (picture) {
    case Picture::kUp:
      arrow.addPolygon(QPolygonF({{s / 2, s * 0.15}, {s * 0.85, s * 0.8}, {s * 0.15, s * 0.8}}));
      break;
    case Picture::kDown:
      arrow.addPolygon(QPolygonF({{s * 0.15, s * 0.2}, {s * 0.85, s * 0.2}, {s / 2, s * 0.85}}));
      break;
    case Picture::kRight:
      arrow.addPolygon(QPolygonF({{s * 0.2, s * 0.15}, {s * 0.85, s / 2}, {s * 0.2, s * 0.85}}));
      break;
    case Picture::kLeft:
      arrow.addPolygon(QPolygonF({{s * 0.8, s * 0.15}, {s * 0.15, s / 2}, {s * 0.8, s * 0.85}}));
      break;
    case Picture::kMore: {
      QFont font = painter.font();
      font.setBold(true);
      font.setPixelSize(kPictureSize / 3);
      painter.setFont(font);
      painter.setPen(colour);
      painter.drawText(pixmap.rect(), Qt::AlignCenter, "MORE");
      break;
    }
  }
  painter.drawPath(arrow);
  return QIcon(pixmap);
}

}  // namespace

CHeadKeypad::CHeadKeypad(varim::core::RadioGeneration generation, Part part, Press press,
                         QWidget* parent)
    : QWidget(parent),
      press_(std::move(press)),
      compact_(generation == varim::core::RadioGeneration::kVarim2E) {
  auto* grid = new QGridLayout(this);
  if (part == Part::kDigits) {
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 3; ++column)
        grid->addWidget(AddKey(kDigitRows[row][column]), row, column);
    }
    return;
  }
  int column = 0;
  const QColor colour = palette().color(QPalette::ButtonText);
  auto addNavigation = [&](const NavigationButton& navigation) {
    QPushButton* button = AddKey(navigation.key);
    button->setIcon(Draw(navigation.picture, colour));
    button->setIconSize(QSize(kPictureSize, kPictureSize));
    if (navigation.spoken[0] != '\0') button->setAccessibleName(navigation.spoken);
    grid->addWidget(button, 0, column++);
  };
  if (compact_) {
    for (const NavigationButton& navigation : kCompactNavigation) addNavigation(navigation);
  } else {
    for (const NavigationButton& navigation : kFullNavigation) addNavigation(navigation);
  }
  for (int index = 0; index < static_cast<int>(std::size(kControlKeys)); ++index)
    grid->addWidget(AddKey(kControlKeys[index]), 1 + index / 4, index % 4);
}

QPushButton* CHeadKeypad::AddKey(int key) {
  const varim::panels::HeadKey* headKey = varim::panels::HeadKeyNumbered(key);
  const QString label = compact_ && key == key::kEnter ? kCompactEnter : headKey->label;
  auto* button = new QPushButton(label, this);
  button->setObjectName(QString("Key%1").arg(key));
  button->setAccessibleName(headKey->spoken);
  button->setFocusPolicy(Qt::StrongFocus);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, key] { press_(key); });
  return button;
}

QPushButton* CHeadKeypad::Button(int key) const {
  return findChild<QPushButton*>(QString("Key%1").arg(key));
}

void CHeadKeypad::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const auto headKey =
      typed.size() == 1 ? varim::panels::HeadKeyNamed(typed.toStdString()) : std::nullopt;
  // Only the keys that carry their own character: letters would name keys by their words.
  if (headKey && QString(headKey->label) == typed) {
    press_(headKey->number);
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace varim::ui
