#include "bite_dlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace varim::ui {

namespace {

using varim::panels::BiteResultClass;

constexpr int kIconWidth = 16;
constexpr int kIconHeight = 15;

// The results list's pictures: a green tick, a red cross, a grey dash for an item the radio
// could not test.
QIcon ResultIcon(BiteResultClass resultClass) {
  QPixmap pixmap(kIconWidth, kIconHeight);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (resultClass) {
    case BiteResultClass::kPassed: {
      painter.setPen(QPen(QColor(0, 150, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QPainterPath tick;
      tick.moveTo(3, 8);
      tick.lineTo(6.5, 11.5);
      tick.lineTo(13, 3.5);
      painter.drawPath(tick);
      break;
    }
    case BiteResultClass::kFailed:
      painter.setPen(QPen(QColor(200, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(4, 3.5), QPointF(12, 11.5));
      painter.drawLine(QPointF(12, 3.5), QPointF(4, 11.5));
      break;
    case BiteResultClass::kNotPerformed:
    case BiteResultClass::kIgnored:
      painter.setPen(QPen(QColor(128, 128, 128), 2.5, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(3.5, 7.5), QPointF(12.5, 7.5));
      break;
  }
  return QIcon(pixmap);
}

QColor ColourOf(varim::panels::Rgb rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

CBiteDlg::CBiteDlg(varim::panels::BiteTest& test, QWidget* parent) : QDialog(parent), test_(test) {
  setObjectName("BiteDlg");
  setWindowTitle("BITE");
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  auto* group = new QGroupBox("Test Type", this);
  group->setAccessibleName("Test Type");
  auto* groupLayout = new QVBoxLayout(group);
  types_ = new QButtonGroup(this);
  for (const varim::panels::BiteTestType& type : varim::panels::kBiteTestTypes) {
    auto* button = new QRadioButton(type.button, group);
    button->setAccessibleName(type.button);
    types_->addButton(button, type.index);
    groupLayout->addWidget(button);
  }
  top->addWidget(group, 1);
  auto* buttons = new QVBoxLayout;
  run_ = new QPushButton("Run", this);
  run_->setAccessibleName("Run");
  run_->setDefault(true);
  close_ = new QPushButton("Close", this);
  close_->setAccessibleName("Close");
  buttons->addWidget(run_);
  buttons->addWidget(close_);
  buttons->addStretch();
  top->addLayout(buttons);
  layout->addLayout(top);

  prompt_ = new QLabel(this);
  prompt_->setObjectName("Prompt");
  layout->addWidget(prompt_);

  auto* resultsLabel = new QLabel("Test Results", this);
  results_ = new QListWidget(this);
  results_->setAccessibleName("Test Results");
  results_->setIconSize(QSize(kIconWidth, kIconHeight));
  resultsLabel->setBuddy(results_);
  layout->addWidget(resultsLabel);
  layout->addWidget(results_, 1);

  progress_ = new QProgressBar(this);
  progress_->setAccessibleName("Progress");
  progress_->setRange(0, varim::panels::BiteTest::kFullProgress);
  layout->addWidget(progress_);

  status_ = new QLabel(this);
  status_->setObjectName("Status");
  status_->setAutoFillBackground(true);
  status_->setMinimumWidth(360);
  layout->addWidget(status_);

  // Toggled, not clicked: a screen reader's toggle action and the arrow keys check a button
  // without clicking it.
  connect(types_, &QButtonGroup::idToggled, this, [this](int type, bool checked) {
    if (checked) test_.ChooseType(type);
  });
  connect(run_, &QPushButton::clicked, this, [this] { test_.Run(); });
  connect(close_, &QPushButton::clicked, this, [this] { test_.Close(); });
  test_.SetCloser([this] { QDialog::done(QDialog::Accepted); });
  test_.SetListener([this](const varim::panels::BitePicture& picture) { Show(picture); });
}

void CBiteDlg::reject() {
  test_.ClosedByFrame();
  QDialog::reject();
}

void CBiteDlg::Show(const varim::panels::BitePicture& picture) {
  if (QAbstractButton* chosen = types_->button(picture.testType)) chosen->setChecked(true);
  for (QAbstractButton* button : types_->buttons()) button->setEnabled(picture.controlsEnabled);
  run_->setEnabled(picture.controlsEnabled);
  close_->setEnabled(picture.controlsEnabled);
  prompt_->setText(QString::fromStdString(picture.prompt));
  if (picture.items != shownItems_) ShowItems(picture.items);
  progress_->setValue(picture.progress);
  status_->setText(QString::fromStdString(picture.status));
  QPalette palette = status_->palette();
  palette.setColor(QPalette::Window, ColourOf(picture.statusColour));
  palette.setColor(QPalette::WindowText, Qt::black);
  status_->setPalette(palette);
}

void CBiteDlg::ShowItems(const std::vector<varim::panels::BiteItemResult>& items) {
  shownItems_ = items;
  results_->clear();
  for (const varim::panels::BiteItemResult& item : items) {
    const QString name = QString::fromStdString(item.name);
    auto* row = new QListWidgetItem(ResultIcon(item.resultClass), name, results_);
    // The icon says it to the eye; a screen reader hears the result word with the name.
    const QString word = varim::panels::BiteResultWord(item.resultClass);
    row->setData(Qt::AccessibleTextRole, name + ": " + word);
    row->setToolTip(word);
  }
}

}  // namespace varim::ui
