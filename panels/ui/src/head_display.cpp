#include "head_display.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>

namespace varim::ui {

using varim::panels::DisplayModel;
using varim::panels::FieldText;

namespace {

// The head's display uses a fixed-width face in two sizes: the fields and line 1 large and
// bold, the rest normal.
constexpr int kLargePoints = 18;
constexpr int kNormalPoints = 14;

struct HeadColours {
  const char* background;
  const char* text;
  const char* lamp;
};
// The VARIM-2E has a green display, the VARIM an amber one.
constexpr HeadColours kVarim2EColours = {"#0b1a10", "#7CFC9A", "#3cff6e"};
constexpr HeadColours kVarimColours = {"#1a1208", "#FFB84D", "#ffa31a"};

// The radio's texts are Latin-1; its control codes have no glyph on a screen.
QString Shown(const std::string& text) {
  QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  for (QChar& c : shown) {
    if (c.unicode() < 0x20) c = QChar(' ');
  }
  return shown;
}

QFont HeadFont(bool large) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(large ? kLargePoints : kNormalPoints);
  font.setBold(large);
  return font;
}

}  // namespace

CHeadDisplay::CHeadDisplay(varim::core::RadioGeneration generation, QWidget* parent)
    : QFrame(parent) {
  const HeadColours& colours =
      generation == varim::core::RadioGeneration::kVarim2E ? kVarim2EColours : kVarimColours;
  setObjectName("HeadDisplay");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setStyleSheet(QString("varim--ui--CHeadDisplay { background: %1; } QLabel { color: %2; }")
                    .arg(colours.background, colours.text));
  lit_ = QString("QLabel { background: %1; color: black; border-radius: 3px; }").arg(colours.lamp);
  dark_ = QString(
              "QLabel { background: transparent; color: %1; border: 1px solid %1; "
              "border-radius: 3px; }")
              .arg(colours.text);

  channel_ = Field("DisplayChannel", true);
  frequency_ = Field("DisplayFrequency", true);
  line1_ = Field("DisplayLine1", true);
  line2_ = Field("DisplayLine2", false);
  auto* layout = new QGridLayout(this);
  layout->addWidget(channel_, 0, 0, 1, 2);
  layout->addWidget(frequency_, 0, 2, 1, 2);
  layout->addWidget(line1_, 1, 0, 1, 4);
  layout->addWidget(line2_, 2, 0, 1, 4);
  for (int key = 0; key < varim::panels::kSoftKeys; ++key) {
    softKeys_[static_cast<std::size_t>(key)] = Field(QString("SoftKey%1").arg(key + 1), false);
    layout->addWidget(softKeys_[static_cast<std::size_t>(key)], 3, key);
  }
  auto* lamps = new QHBoxLayout;
  for (int lamp = 0; lamp < varim::panels::kLamps; ++lamp) {
    QLabel* indicator = Lamp(QString("Indicator%1").arg(lamp + 1), QString::number(lamp + 1));
    indicator->setStyleSheet(lit_);
    // A dark indicator keeps its place, so the others do not move.
    QSizePolicy policy = indicator->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    indicator->setSizePolicy(policy);
    indicator->hide();
    indicators_[static_cast<std::size_t>(lamp)] = indicator;
    lamps->addWidget(indicator);
  }
  layout->addLayout(lamps, 4, 0, 1, 4);
  auto* flagLamps = new QHBoxLayout;
  for (int flag = 0; flag < varim::panels::kDisplayFlags; ++flag) {
    QLabel* lamp = Lamp(QString("Flag%1").arg(flag + 1), QString::number(flag + 1));
    flags_[static_cast<std::size_t>(flag)] = lamp;
    flagLamps->addWidget(lamp);
  }
  layout->addLayout(flagLamps, 5, 0, 1, 4);

  const DisplayModel initial;
  RedrawFields(initial, 0, 0);
  RedrawLines(initial);
  RedrawSoftKeys(initial);
  RedrawFlags(initial);
}

QLabel* CHeadDisplay::Field(const QString& name, bool large) {
  auto* field = new QLabel(this);
  field->setObjectName(name);
  // The radio's texts are shown as they are, never read as markup.
  field->setTextFormat(Qt::PlainText);
  field->setFont(HeadFont(large));
  return field;
}

QLabel* CHeadDisplay::Lamp(const QString& name, const QString& text) {
  auto* lamp = new QLabel(text, this);
  lamp->setObjectName(name);
  lamp->setAlignment(Qt::AlignCenter);
  lamp->setMinimumWidth(22);
  return lamp;
}

void CHeadDisplay::RedrawFields(const DisplayModel& model, std::uint8_t, std::uint8_t) {
  channel_->setText(Shown(FieldText(model.channel)));
  frequency_->setText(Shown(FieldText(model.frequency)));
}

void CHeadDisplay::RedrawLines(const DisplayModel& model) {
  line1_->setText(Shown(FieldText(model.line1)));
  line2_->setText(Shown(FieldText(model.line2)));
}

void CHeadDisplay::RedrawSoftKeys(const DisplayModel& model) {
  for (std::size_t key = 0; key < softKeys_.size(); ++key)
    softKeys_[key]->setText(Shown(FieldText(model.softKeys[key])));
}

void CHeadDisplay::RedrawIndicators(const DisplayModel& model) {
  varim::panels::ApplyIndicators(model, indicatorsShown_);
  for (std::size_t lamp = 0; lamp < indicators_.size(); ++lamp)
    indicators_[lamp]->setVisible(indicatorsShown_[lamp]);
}

void CHeadDisplay::RedrawFlags(const DisplayModel& model) {
  for (std::size_t flag = 0; flag < flags_.size(); ++flag) {
    flags_[flag]->setStyleSheet(model.flags[flag] ? lit_ : dark_);
    // Its colour alone would not tell a screen reader whether the flag is set.
    flags_[flag]->setAccessibleDescription(model.flags[flag] ? "on" : "off");
  }
}

}  // namespace varim::ui
