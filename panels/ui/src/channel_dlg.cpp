#include "channel_dlg.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "combo_fill.h"
#include "radio_choice.h"

namespace varim::ui {

using varim::panels::ChannelSetting;
using Box = varim::panels::FrequencyEntry::Box;
using Tab = varim::panels::ChannelControl::Tab;

namespace {

constexpr int kFrequencyLength = 8;
constexpr char kChannelTab[] = "Channel";
constexpr char kAleTab[] = "ALE";
constexpr char kLinkQualityTab[] = "Update Link Quality";
constexpr int kAleTabIndex = 1;

QLabel* BuddyLabel(const char* text, QWidget* input, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(input);
  input->setAccessibleName(text);
  return label;
}

QPushButton* Button(const char* text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAccessibleName(QString(text).remove('&'));
  return button;
}

}  // namespace

CChannelDlg::CChannelDlg(varim::core::ConnectionController& controller,
                         varim::core::ControllerView& view, varim::core::Operator& op,
                         QLabel* statusLine, QWidget* parent)
    : QWidget(parent), control_(controller, view, op), statusLine_(statusLine) {
  setObjectName("ChannelDlg");
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("ChannelTabs");
  channelPage_ = new QWidget(tabs_);
  aleTab_ = new QWidget(tabs_);
  linkQualityTab_ = new QWidget(tabs_);
  tabs_->addTab(channelPage_, kChannelTab);
  tabs_->addTab(aleTab_, kAleTab);
  tabs_->addTab(linkQualityTab_, kLinkQualityTab);

  channelControls_ = new QWidget(channelPage_);
  auto* form = new QGridLayout(channelControls_);
  form->setContentsMargins(0, 0, 0, 0);
  channelList_ = new QComboBox(channelControls_);
  channelList_->setObjectName("ChannelList");
  form->addWidget(BuddyLabel("Channel", channelList_, channelControls_), 0, 0);
  form->addWidget(channelList_, 0, 1);
  txEdit_ = new QLineEdit(channelControls_);
  rxEdit_ = new QLineEdit(channelControls_);
  int row = 1;
  for (auto [edit, label] : {std::pair{txEdit_, "Tx. Freq."}, std::pair{rxEdit_, "Rx. Freq."}}) {
    edit->setMaxLength(kFrequencyLength);
    edit->installEventFilter(this);
    form->addWidget(BuddyLabel(label, edit, channelControls_), row, 0);
    form->addWidget(edit, row++, 1);
  }
  const std::pair<const char*, ChannelSetting> lists[] = {{"Power", ChannelSetting::kPower},
                                                          {"Band", ChannelSetting::kBand},
                                                          {"Mode", ChannelSetting::kMode},
                                                          {"A.G.C", ChannelSetting::kAgc},
                                                          {"BW", ChannelSetting::kBandwidth}};
  for (const auto& [label, field] : lists) {
    QComboBox* list = AddList(label, field);
    form->addWidget(BuddyLabel(label, list, channelControls_), row, 0);
    form->addWidget(list, row++, 1);
  }
  simplex_ = new QRadioButton("Simplex", channelControls_);
  duplex_ = new QRadioButton("Duplex", channelControls_);
  auto* choice = new QHBoxLayout;
  choice->addWidget(simplex_);
  choice->addWidget(duplex_);
  form->addLayout(choice, row, 0, 1, 2);

  scanSelector_ = new CScanGroupDlg(control_, channelPage_);
  program_ = Button("&Program Channel", channelPage_);
  priority_ = Button("&Priority", channelPage_);
  startScan_ = Button("St&art Scan", channelPage_);
  stopScan_ = Button("St&op Scan", channelPage_);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {program_, priority_, startScan_, stopScan_})
    buttons->addWidget(button);
  auto* page = new QVBoxLayout(channelPage_);
  page->addWidget(channelControls_);
  page->addWidget(scanSelector_);
  page->addLayout(buttons);
  (new QVBoxLayout(this))->addWidget(tabs_);

  connect(channelList_, &QComboBox::activated, this, [this](int index) {
    control_.SelectRow(index);
    Mirror();
  });
  // Not only typing changes a box: assistive tools set its text through the accessibility
  // interface. The form's own text coming back to the box is no change.
  for (auto [edit, box] : {std::pair{txEdit_, Box::kTx}, std::pair{rxEdit_, Box::kRx}}) {
    connect(edit, &QLineEdit::textChanged, this, [this, box = box](const QString& text) {
      const std::string changed = text.toStdString();
      if (changed != control_.Frequencies().Text(box)) control_.ChangeFrequency(box, changed);
    });
  }
  OnChosen(simplex_, this, [this] { control_.ChooseSimplex(); });
  OnChosen(duplex_, this, [this] { control_.ChooseDuplex(); });
  connect(program_, &QPushButton::clicked, this, [this] {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    control_.ProgramChannel();
    QApplication::restoreOverrideCursor();
  });
  connect(priority_, &QPushButton::clicked, this, [this] { control_.Priority(); });
  for (QPushButton* scan : {startScan_, stopScan_})
    connect(scan, &QPushButton::clicked, this, [this] { control_.OnScanButton(); });
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    const QWidget* chosen = tabs_->widget(index);
    control_.ChooseTab(chosen == aleTab_           ? Tab::kAle
                       : chosen == linkQualityTab_ ? Tab::kLinkQuality
                                                   : Tab::kChannel);
  });

  control_.SetChanged([this] { Mirror(); });
  control_.Install();
  controller.State().Observe([this](const varim::core::RadioStatus& status) {
    if (statusLine_ && !status.callStatus.empty())
      statusLine_->setText(QString::fromStdString(status.callStatus));
  });
  Mirror();
}

QComboBox* CChannelDlg::AddList(const char* label, ChannelSetting field) {
  auto* list = new QComboBox(channelControls_);
  list->setObjectName(QString(label).remove('.') + "List");
  fieldLists_[static_cast<std::size_t>(field)] = list;
  connect(list, &QComboBox::activated, this,
          [this, field](int index) { control_.Choose(field, index); });
  return list;
}

QLineEdit* CChannelDlg::FrequencyEdit(Box box) const {
  return box == Box::kTx ? txEdit_ : rxEdit_;
}

QComboBox* CChannelDlg::FieldList(ChannelSetting field) const {
  return fieldLists_[static_cast<std::size_t>(field)];
}

bool CChannelDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn)
    control_.FocusFrequency(watched == txEdit_ ? Box::kTx : Box::kRx);
  return QWidget::eventFilter(watched, event);
}

void CChannelDlg::SetAleTabs(QWidget* ale, QWidget* linkQuality) {
  const bool present = tabs_->indexOf(aleTab_) >= 0;
  if (present) {
    tabs_->removeTab(tabs_->indexOf(linkQualityTab_));
    tabs_->removeTab(tabs_->indexOf(aleTab_));
  }
  delete aleTab_;
  delete linkQualityTab_;
  aleTab_ = ale;
  linkQualityTab_ = linkQuality;
  if (present) {
    tabs_->insertTab(kAleTabIndex, aleTab_, kAleTab);
    tabs_->insertTab(kAleTabIndex + 1, linkQualityTab_, kLinkQualityTab);
  }
  MirrorTabs();
}

void CChannelDlg::EnableArea(bool enabled) {
  control_.EnableArea(enabled);
}

void CChannelDlg::MirrorTabs() {
  const bool present = tabs_->indexOf(aleTab_) >= 0;
  if (control_.AleTabsPresent() == present) return;
  const QSignalBlocker blocker(tabs_);
  if (present) {
    tabs_->removeTab(tabs_->indexOf(linkQualityTab_));
    tabs_->removeTab(tabs_->indexOf(aleTab_));
  } else {
    tabs_->insertTab(kAleTabIndex, aleTab_, kAleTab);
    tabs_->insertTab(kAleTabIndex + 1, linkQualityTab_, kLinkQualityTab);
  }
}

void CChannelDlg::Mirror() {
  const varim::panels::ChannelControl& c = control_;
  QStringList numbers;
  for (int number : c.ChannelNumbers()) numbers << QString::number(number);
  FillList(channelList_, numbers, c.ActiveRow());
  for (auto [edit, box] : {std::pair{txEdit_, Box::kTx}, std::pair{rxEdit_, Box::kRx}}) {
    const QString text = QString::fromStdString(c.Frequencies().Text(box));
    if (edit->text() != text) edit->setText(text);
  }
  for (std::size_t field = 0; field < fieldLists_.size(); ++field) {
    const auto setting = static_cast<ChannelSetting>(field);
    QStringList choices;
    for (const varim::panels::ChannelChoice& choice : c.Choices(setting)) choices << choice.text;
    FillList(fieldLists_[field], choices, c.RowOf(setting));
  }
  {
    const QSignalBlocker one(simplex_);
    const QSignalBlocker two(duplex_);
    simplex_->setChecked(!c.Frequencies().Duplex());
    duplex_->setChecked(c.Frequencies().Duplex());
  }
  channelControls_->setVisible(c.ChannelControlsShown());
  channelPage_->setEnabled(c.AreaEnabled());
  program_->setEnabled(c.ProgramEnabled());
  priority_->setEnabled(c.PriorityEnabled());
  startScan_->setVisible(c.StartScanShown());
  startScan_->setEnabled(c.StartScanEnabled());
  stopScan_->setVisible(c.StopScanShown());
  stopScan_->setEnabled(c.StopScanEnabled());
  scanSelector_->Mirror();
  if (!c.StatusText().empty() && statusLine_)
    statusLine_->setText(QString::fromStdString(c.StatusText()));
  MirrorTabs();
}

}  // namespace varim::ui
