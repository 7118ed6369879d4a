#include "halyard_view.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "twips.h"

namespace varim::ui {

using varim::core::Panel;
using varim::core::RadioGeneration;

namespace {

const QStringList kChannelColumns = {"",     "Tx. Freq.", "Rx. Freq.", "Tx Power",
                                     "Band", "Mode",      "A.G.C.",    "B.W."};
constexpr char kChannelsLabel[] = "Channels";
constexpr char kGroupsLabel[] = "Groups";
constexpr char kSelectAll[] = "Select All";
constexpr char kCcirColumn[] = "Ch. Num.";
constexpr int kCcirColumnTwips = 900;
constexpr int kGroups = 5;
// The extra width the CCIR channel numbers take.
constexpr int kCcirWidening = 70;

}  // namespace

CHalyardView::CHalyardView(varim::core::ConnectionController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
  setObjectName("CHalyardView");

  channelPanel_ = Child("ChannelPanel", "Channel");
  statusLine_ = new QLabel(channelPanel_);
  statusLine_->setObjectName("StatusLine");
  (new QVBoxLayout(channelPanel_))->addWidget(statusLine_);

  // Their panes come with their feature (AttachChannelPanes).
  clarifierPanel_ = Child("ClarifierPanel", "Clarifier");
  new QVBoxLayout(clarifierPanel_);
  notchPanel_ = Child("NotchPanel", "Notch Filter");
  new QVBoxLayout(notchPanel_);

  optionsEditor_ = Child("OptionsEditor", "Radio Options");
  channelsGrid_ = new QTableWidget(kMaxChannel, static_cast<int>(kChannelColumns.size()), this);
  channelsGrid_->setObjectName("ChannelsGrid");
  channelsGrid_->setHorizontalHeaderLabels(kChannelColumns);
  channelsGrid_->verticalHeader()->hide();
  groupsGrid_ = new QTableWidget(kGroups, 1, this);
  groupsGrid_->setObjectName("GroupsGrid");
  groupsGrid_->setHorizontalHeaderLabels({"Groups"});
  // Screen readers name the grids by their labels.
  channelsLabel_ = new QLabel(kChannelsLabel, this);
  channelsLabel_->setBuddy(channelsGrid_);
  groupsLabel_ = new QLabel(kGroupsLabel, this);
  groupsLabel_->setBuddy(groupsGrid_);
  // A table does not take its name from its label, and its corner button has none of its own.
  for (auto [grid, name] :
       {std::pair{channelsGrid_, kChannelsLabel}, std::pair{groupsGrid_, kGroupsLabel}}) {
    grid->setAccessibleName(name);
    if (auto* corner = grid->findChild<QAbstractButton*>()) corner->setAccessibleName(kSelectAll);
  }
  aleEditor_ = Child("AleEditor", "ALE");
  ccirEditor_ = Child("CcirEditor", "CCIR");
  display2_ = Child("VarimDisplay", "VARIM");
  display1_ = Child("Varim2EDisplay", "VARIM-2E");
  varimHead_ = new CHeadDisplay(RadioGeneration::kVarim, display2_);
  (new QVBoxLayout(display2_))->addWidget(varimHead_);
  varim2eHead_ = new CHeadDisplay(RadioGeneration::kVarim2E, display1_);
  (new QVBoxLayout(display1_))->addWidget(varim2eHead_);

  auto* layout = new QGridLayout(this);
  layout->addWidget(channelPanel_, 0, 0);
  layout->addWidget(display2_, 0, 1);
  layout->addWidget(display1_, 0, 2);
  layout->addWidget(clarifierPanel_, 1, 0);
  layout->addWidget(notchPanel_, 1, 1);
  layout->addWidget(optionsEditor_, 2, 0);
  auto* groups = new QVBoxLayout;
  groups->addWidget(groupsLabel_);
  groups->addWidget(groupsGrid_);
  layout->addLayout(groups, 3, 0);
  auto* channels = new QVBoxLayout;
  channels->addWidget(channelsLabel_);
  channels->addWidget(channelsGrid_);
  layout->addLayout(channels, 2, 1, 2, 2);
  layout->addWidget(aleEditor_, 4, 0, 1, 3);
  layout->addWidget(ccirEditor_, 5, 0, 1, 3);
  // The channel table takes the room the options page leaves.
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(2, 1);
  ShowPanel(Panel::kComputerInterface);
}

QGroupBox* CHalyardView::Child(const QString& name, const QString& title) {
  auto* child = new QGroupBox(title, this);
  child->setObjectName(name);
  return child;
}

QWidget* CHalyardView::Display() const {
  return controller_.Session().RadioGeneration() == RadioGeneration::kVarim2E ? display1_
                                                                              : display2_;
}

void CHalyardView::AttachFrontPanel(varim::panels::FrontPanel& frontPanel) {
  frontPanel_ = &frontPanel;
  frontPanel.SetPanels(*varim2eHead_, *varimHead_);
}

void CHalyardView::AttachChannelPanes(varim::panels::ChannelPanes& panes) {
  panes_ = &panes;
  clarifierPane_ = new CClarifierPaneView(panes.Clarifier(), clarifierPanel_);
  clarifierPanel_->layout()->addWidget(clarifierPane_);
  notchPane_ = new CNotchPaneView(panes.Notch(), notchPanel_);
  notchPanel_->layout()->addWidget(notchPane_);
  panes.SetListener([this] {
    clarifierPane_->Mirror();
    clarifierPane_->setVisible(panes_->ClarifierShown());
    notchPane_->Mirror();
    notchPane_->setVisible(panes_->NotchShown());
  });
  panes.Refresh();
}

void CHalyardView::MakeKeypads(RadioGeneration generation) {
  if (!keypads_.isEmpty()) return;
  auto* grid = static_cast<QGridLayout*>(layout());
  // Two keypads of each generation's front panel, made when a front panel is shown: the
  // head's control keys and its digits.
  const QStringList names = generation == RadioGeneration::kVarim2E
                                ? QStringList{"Keypad400", "Keypad399"}
                                : QStringList{"Keypad292", "Keypad295"};
  const CHeadKeypad::Part parts[] = {CHeadKeypad::Part::kControl, CHeadKeypad::Part::kDigits};
  int column = 0;
  for (const QString& name : names) {
    QGroupBox* keypad = Child(name, "Keypad");
    auto* keys = new CHeadKeypad(generation, parts[column], [this](int key) {
      if (frontPanel_ != nullptr) frontPanel_->Press(key);
    });
    (new QVBoxLayout(keypad))->addWidget(keys);
    keypad->show();
    grid->addWidget(keypad, 6, column++);
    keypads_.append(keypad);
  }
}

QList<CHeadKeypad*> CHalyardView::Keypads() const {
  QList<CHeadKeypad*> keys;
  for (QWidget* keypad : keypads_) keys.append(keypad->findChild<CHeadKeypad*>());
  return keys;
}

void CHalyardView::DestroyKeypads() {
  qDeleteAll(keypads_);
  keypads_.clear();
}

void CHalyardView::AttachChannelDlg(CChannelDlg* channelDlg) {
  channelDlg_ = channelDlg;
  channelDlg_->setParent(channelPanel_);
  static_cast<QVBoxLayout*>(channelPanel_->layout())->insertWidget(0, channelDlg_);
  channelDlg_->EnableArea(controller_.PanelsEnabled());
}

void CHalyardView::ShowPanel(Panel panel) {
  const bool generation1 = controller_.Session().RadioGeneration() == RadioGeneration::kVarim2E;
  const bool computerInterface = panel == Panel::kComputerInterface;
  const bool frontPanel = panel == Panel::kVarim || panel == Panel::kVarim2E;
  channelPanel_->setVisible(computerInterface);
  clarifierPanel_->setVisible(computerInterface);
  notchPanel_->setVisible(computerInterface);
  optionsEditor_->setVisible(panel == Panel::kRss);
  for (QWidget* rss : {static_cast<QWidget*>(channelsLabel_), static_cast<QWidget*>(channelsGrid_),
                       static_cast<QWidget*>(groupsLabel_), static_cast<QWidget*>(groupsGrid_)})
    rss->setVisible(panel == Panel::kRss);
  aleEditor_->setVisible(panel == Panel::kRssAle);
  ccirEditor_->setVisible(panel == Panel::kCcir);
  const bool display = computerInterface || frontPanel;
  display1_->setVisible(display && generation1);
  display2_->setVisible(display && !generation1);
  if (frontPanel) {
    MakeKeypads(panel == Panel::kVarim2E ? RadioGeneration::kVarim2E : RadioGeneration::kVarim);
  } else {
    DestroyKeypads();
  }
}

void CHalyardView::EnablePanels(bool enabled) {
  aleEditor_->setEnabled(enabled);
  channelPanel_->setEnabled(enabled);
  if (channelDlg_) channelDlg_->EnableArea(enabled);
  optionsEditor_->setEnabled(enabled);
  ccirEditor_->setEnabled(enabled);
  // The channel panes follow their own rule, of which the panels' state is a part.
  if (panes_ != nullptr) panes_->Refresh();
}

void CHalyardView::EnableEditors() {
  for (QWidget* editor : {aleEditor_, ccirEditor_, optionsEditor_}) editor->setEnabled(true);
}

void CHalyardView::AdaptToCcir(bool ccirPresent) {
  if (ccirPresent == ccirAdapted_) return;
  ccirAdapted_ = ccirPresent;
  const int widening = ccirPresent ? kCcirWidening : -kCcirWidening;
  if (ccirPresent) {
    channelsGrid_->setColumnCount(static_cast<int>(kChannelColumns.size()) + 1);
    const int column = static_cast<int>(kChannelColumns.size());
    channelsGrid_->setHorizontalHeaderItem(column, new QTableWidgetItem(kCcirColumn));
    channelsGrid_->setColumnWidth(column, TwipsToPixels(kCcirColumnTwips, *channelsGrid_));
  } else {
    channelsGrid_->setColumnCount(static_cast<int>(kChannelColumns.size()));
  }
  for (QWidget* widened :
       {static_cast<QWidget*>(channelsGrid_), static_cast<QWidget*>(channelPanel_),
        static_cast<QWidget*>(groupsGrid_)}) {
    widened->setMinimumWidth(std::max(0, widened->minimumWidth() + widening));
  }
}

void CHalyardView::Refresh() {
  if (panes_ != nullptr) panes_->Refresh();
  // The generation may have changed with a read: the display follows it.
  ShowPanel(controller_.CurrentPanel());
}

}  // namespace varim::ui
