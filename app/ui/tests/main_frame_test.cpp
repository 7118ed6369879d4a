#include "main_frame.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <future>
#include <memory>
#include <optional>

#include "about_dlg.h"
#include "ccir_directory_dlg.h"
#include "file_information_dlg.h"
#include "network_control_dlg.h"
#include "varim/core/operator_texts.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/line_client.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::core::CommandId;
using varim::core::Panel;
using varim::testing::RecordingOperator;
using varim::ui::CMainFrame;
namespace texts = varim::core::texts;
using Texts = std::vector<std::string>;

class RecordingChooser : public varim::ui::FileChooser {
 public:
  QString ChooseOpen(QWidget*, const QString& filter, const QString& folder) override {
    filters.push_back(filter);
    folders.push_back(folder);
    return answer;
  }
  QString ChooseSave(QWidget*, const QString& filter, const QString& suffix,
                     const QString& folder) override {
    filters.push_back(filter);
    suffixes.push_back(suffix);
    folders.push_back(folder);
    return answer;
  }
  QString answer;
  QStringList filters, suffixes, folders;
};

class FrameTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (frame_) frame_->close();
    frame_.reset();
    radio_.reset();
  }

  // Starts the window, connected to a simulated radio of the profile (or a device that is not
  // there), and waits until the start-up read has ended.
  void StartFrame(const std::optional<std::string>& profile) {
    varim::ui::FrameOptions options;
    options.startupDirectory = folder_.path();
    options.helpDirectory = folder_.path();
    options.splash = false;
    options.settingsFile = folder_.filePath("settings.ini");
    // Never the operator's own backups.
    options.backupDirectory = folder_.filePath("backups");
    if (profile) {
      varim::sim::SimOptions sim;
      sim.profile = *varim::sim::FindProfile(*profile);
      sim.memory = varim::sim::SampleMemory(sim.profile);
      radio_ = std::make_unique<varim::sim::SimulatedRadio>(std::move(sim));
      ASSERT_TRUE(radio_->Start());
      options.device = QString::fromStdString(radio_->DevicePath());
    } else {
      options.device = folder_.filePath("no-such-tty");
    }
    frame_ = std::make_unique<CMainFrame>(options, operator_, chooser_);
    frame_->resize(1200, 800);
    frame_->show();
    QSignalSpy connected(frame_.get(), &CMainFrame::Connected);
    frame_->Start();
    ASSERT_TRUE(connected.wait(60000));
  }

  // The names of a toolbar's visible buttons, "|" for a gap.
  QStringList Buttons(Panel panel) const {
    QStringList names;
    for (QAction* action : frame_->Toolbar(panel)->actions()) {
      if (action->isSeparator()) {
        names << "|";
      } else if (action->isVisible()) {
        names << action->objectName();
      }
    }
    return names;
  }

  QStringList MenuTitles() const {
    QStringList titles;
    for (QAction* action : frame_->menuBar()->actions()) titles << action->text();
    return titles;
  }

  QMenu* FileMenu() const { return frame_->menuBar()->actions().front()->menu(); }

  QAction* MenuItem(const QString& name) const {
    for (QAction* action : frame_->menuBar()->findChildren<QAction*>(name)) return action;
    return nullptr;
  }

  QTemporaryDir folder_;
  RecordingOperator operator_;
  RecordingChooser chooser_;
  std::unique_ptr<varim::sim::SimulatedRadio> radio_;
  std::unique_ptr<CMainFrame> frame_;
};

struct PanelExpectation {
  Panel panel;
  QString title;
  QStringList menus;
  QStringList buttons;
};

TEST_F(FrameTest, EachPanelBringsItsMenuToolbarAndTitle) {
  StartFrame(std::nullopt);
  // Before any read: generation 0 shows the VARIM button; without CCIR its button is hidden.
  const std::vector<PanelExpectation> panels = {
      {Panel::kComputerInterface,
       "Computer Interface Panel",
       {"&File", "&View/Change", "&Commands", "&Preferences", "&Help"},
       {"LogFile", "|", "ReadDevice", "CommPorts", "Bite", "|", "Squelch", "Monitor",
        "NoiseBlanker", "Attenuator", "Clipper", "|", "HelpContents", "RssPanel", "RssAlePanel",
        "VarimPanel", "Exit"}},
      {Panel::kRss,
       "RSS Panel",
       {"&File", "&View/Change", "&Service", "&Preferences", "&Help"},
       {"RssNew",
        "RssOpen",
        "RssInformation",
        "RssSave",
        "RssPrint",
        "|",
        "ReadDevice",
        "RssWriteDevice",
        "|",
        "Channels",
        "Groups",
        "|",
        "Bite",
        "|",
        "CommPorts",
        "|",
        "RssHelp",
        "RssConfigurationCheck",
        "ComputerInterfacePanel",
        "RssAlePanel",
        "VarimPanel",
        "Exit"}},
      {Panel::kRssAle,
       "RSS ALE Panel",
       {"&File", "&View/Change", "&Preferences", "&Help"},
       {"AleNew", "AleOpen", "AleInformation", "AleSave", "AlePrint", "|", "ReadDevice",
        "AleWriteDevice", "|", "Directory", "Messages", "AutoDial", "CommPorts", "|", "AleHelp",
        "AleConfigurationCheck", "RssPanel", "VarimPanel", "Exit"}},
      {Panel::kVarim,
       "VARIM Panel",
       {"&File", "&View/Change", "&Preferences", "&Help"},
       {"LogFile", "ReadDevice", "CommPorts", "ComputerInterfacePanel", "RssPanel", "RssAlePanel",
        "Exit"}},
      {Panel::kCcir,
       "CCIR Panel",
       {"&File", "&View/Change", "&Preferences", "&Help"},
       {"CcirNew", "CcirOpen", "CcirInformation", "CcirSave", "CcirPrint", "|", "ReadDevice",
        "CcirWriteDevice", "|", "CommPorts", "|", "CcirHelp", "ComputerInterfacePanel", "RssPanel",
        "RssAlePanel", "VarimPanel", "Exit"}},
      {Panel::kVarim2E,
       "VARIM-2E Panel",
       {"&File", "&View/Change", "&Preferences", "&Help"},
       {"LogFile", "ReadDevice", "CommPorts", "ComputerInterfacePanel", "RssPanel", "RssAlePanel",
        "Exit"}},
  };
  for (const PanelExpectation& expected : panels) {
    frame_->SwitchToPanel(expected.panel);
    SCOPED_TRACE(expected.title.toStdString());
    EXPECT_EQ(frame_->windowTitle(), expected.title);
    EXPECT_EQ(MenuTitles(), expected.menus);
    EXPECT_EQ(Buttons(expected.panel), expected.buttons);
    for (const varim::ui::PanelLayout& other : varim::ui::Panels())
      EXPECT_EQ(frame_->Toolbar(other.panel)->isVisible(), other.panel == expected.panel)
          << other.name;
    EXPECT_FALSE(frame_->AboutBar()->isVisible());
  }
}

// A menu as lines: "text - prompt" for an item, "-" for a separator, nested menus indented.
QStringList Lines(const QMenu* menu, const QString& indent = "") {
  QStringList lines;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      lines << indent + "-";
    } else if (action->menu() != nullptr) {
      lines << indent + action->text();
      lines << Lines(action->menu(), indent + "  ");
    } else {
      lines << indent + action->text() + " - " + action->statusTip();
    }
  }
  return lines;
}

TEST_F(FrameTest, MenusListTheirItemsInOrderWithTheirPrompts) {
  StartFrame(std::nullopt);
  const QList<QAction*> menus = frame_->menuBar()->actions();
  ASSERT_EQ(menus.size(), 5);
  EXPECT_EQ(Lines(menus[0]->menu()),
            (QStringList{"&Read Device - Read Device", "-",
                         "E&xit - Quit the application; prompts to save documents"}));
  EXPECT_EQ(
      Lines(menus[1]->menu()),
      (QStringList{"&RSS Panel - View RSS Panel", "RSS &ALE Panel - View RSS ALE Panel",
                   "Computer &Interface - View Computer Interface Panel",
                   "&VARIM Panel - View VARIM Panel", "-", "&Clarifier - View Clarifier On/Off",
                   "&Notch Filter - View Notch Filter On/Off", "-",
                   "&Log File - View/Hide Log File", "&Stack - View Stack"}));
  EXPECT_EQ(Lines(menus[2]->menu()),
            (QStringList{"&Squelch on - Set Squelch On/Off", "&Monitor on - Set Monitor On/Off",
                         "&Noise Blanker on - Set Noise Blanker On/Off",
                         "&Attenuator on - Set Attenuator On/Off",
                         "&Clipper on - Set Clipper On/Off", "&Reset - Perform Reset"}));
  EXPECT_EQ(Lines(menus[3]->menu()),
            (QStringList{"&Comm. Ports... - Communication Port Setup", "-",
                         "Remote Control - Remote Control On/Off", "-",
                         "&Network Control... - Let other programs tune and key the radio "
                         "(Hamlib NET rigctl)"}));
  EXPECT_EQ(Lines(menus[4]->menu()),
            (QStringList{"&Contents - Display Help Window", "-", "&About... - "}));
  // The clarifier and notch panels start shown, with their check marks.
  EXPECT_TRUE(MenuItem("Clarifier")->isChecked());
  EXPECT_TRUE(MenuItem("NotchFilter")->isChecked());
  EXPECT_TRUE(MenuItem("ComputerInterfacePanel")->isChecked());

  frame_->SwitchToPanel(Panel::kRss);
  EXPECT_EQ(Lines(FileMenu()).mid(8, 4),
            (QStringList{"-", "I&mport Channels (CSV)... - Import the channels from a CSV file",
                         "&Export Channels (CSV)... - Export the channels to a CSV file", "-"}));

  frame_->SwitchToPanel(Panel::kRssAle);
  const QList<QAction*> ale = frame_->menuBar()->actions();
  EXPECT_EQ(
      Lines(ale[0]->menu()),
      (QStringList{"&New... - New RSS ALE File", "&Open... - Open RSS ALE File",
                   "&Read Device - Read Device", "-", "&Information - View/Update file information",
                   "-", "&Save - Save RSS ALE file", "&Write Device - Write Device", "-",
                   "&Print... - Print RSS ALE File", "-",
                   "E&xit - Quit the application; prompts to save documents"}));
  EXPECT_EQ(Lines(ale[1]->menu()).mid(6),
            (QStringList{"-", "&Configuration", "  &Directory... - Directory Configuration",
                         "  &Messages... - Messages Configuration",
                         "  &Auto Dial... - Auto Dial  Configuration",
                         "Radio &Wide Information - View Radio Wide Information",
                         "Confi&guration Check - Configuration Errors"}));
  EXPECT_EQ(ale[3]->text(), "&Help");
  EXPECT_EQ(ale[3]->menu(), nullptr) << "Help is a command of its own on this panel";
  EXPECT_EQ(ale[3]->statusTip(), "Display Help Window");
}

TEST_F(FrameTest, PanelsShowTheirOwnChildren) {
  StartFrame(std::nullopt);
  varim::ui::CHalyardView* view = frame_->View();
  frame_->SwitchToPanel(Panel::kRss);
  EXPECT_TRUE(view->OptionsEditor()->isVisible());
  EXPECT_TRUE(view->ChannelsGrid()->isVisible());
  EXPECT_FALSE(view->ChannelPanel()->isVisible());
  frame_->SwitchToPanel(Panel::kVarim);
  EXPECT_TRUE(view->KeypadsShown());
  EXPECT_TRUE(view->Display()->isVisible());
  EXPECT_FALSE(view->OptionsEditor()->isVisible());
  frame_->SwitchToPanel(Panel::kRssAle);
  EXPECT_FALSE(view->KeypadsShown()) << "the keypads go with the front panel";
  EXPECT_TRUE(view->AleEditor()->isVisible());
  frame_->SwitchToPanel(Panel::kComputerInterface);
  EXPECT_TRUE(view->ChannelPanel()->isVisible());
  EXPECT_TRUE(view->ClarifierPanel()->isVisible());
  EXPECT_TRUE(view->NotchPanel()->isVisible());
  EXPECT_FALSE(view->ClarifierPane()->isEnabled()) << "no radio was read";
  EXPECT_FALSE(view->NotchPane()->isEnabled());
}

TEST_F(FrameTest, TheChannelPanesTakeInputOnceTheRadioIsReadAndTheViewTogglesHideThem) {
  StartFrame("varim-global");
  varim::ui::CHalyardView* view = frame_->View();
  EXPECT_TRUE(view->ClarifierPane()->isEnabled());
  EXPECT_TRUE(view->NotchPane()->isEnabled());
  frame_->OnCommand(CommandId::kClarifier);
  EXPECT_FALSE(MenuItem("Clarifier")->isChecked());
  EXPECT_FALSE(view->ClarifierPane()->isVisible());
  EXPECT_TRUE(view->NotchPane()->isVisible());
  frame_->OnCommand(CommandId::kNotchFilter);
  frame_->OnCommand(CommandId::kClarifier);
  EXPECT_TRUE(view->ClarifierPane()->isVisible());
  EXPECT_FALSE(view->NotchPane()->isVisible());
}

TEST_F(FrameTest, AGenerationOneCcirRadioSwapsTheFrontPanelButtonAndShowsCcir) {
  StartFrame("varim-2e-ccir");
  ASSERT_TRUE(frame_->Controller().RadioReady());
  EXPECT_EQ(Buttons(Panel::kComputerInterface).mid(13),
            (QStringList{"RssPanel", "RssAlePanel", "Varim2EPanel", "CcirPanel", "Exit"}));
  frame_->SwitchToPanel(Panel::kRss);
  EXPECT_TRUE(MenuItem("CcirPanel")->isEnabled());
  EXPECT_TRUE(MenuItem("Varim2EPanel")->isEnabled());
  EXPECT_FALSE(MenuItem("VarimPanel")->isEnabled());
  EXPECT_TRUE(frame_->View()->CcirAdapted());
  EXPECT_EQ(frame_->View()->ChannelsGrid()->columnCount(), 9);
  EXPECT_EQ(frame_->View()->ChannelsGrid()->horizontalHeaderItem(8)->text(), "Ch. Num.");
  // 900 twips (60 pixels at 96 dots per inch), or wider where this screen's font needs it to
  // show the column whole.
  const QTableWidget* grid = frame_->View()->ChannelsGrid();
  EXPECT_GE(grid->columnWidth(8), 900 * grid->logicalDpiX() / 1440);
  EXPECT_GE(grid->columnWidth(8), grid->horizontalHeader()->sectionSizeHint(8));
  frame_->SwitchToPanel(Panel::kVarim2E);
  EXPECT_TRUE(frame_->View()->Display()->objectName() == "Varim2EDisplay");
}

TEST_F(FrameTest, WithoutCcirTheCcirPanelCannotBeReachedAndIsLeft) {
  StartFrame("varim-global");
  ASSERT_TRUE(frame_->Controller().RadioReady());
  frame_->SwitchToPanel(Panel::kRss);
  EXPECT_FALSE(MenuItem("CcirPanel")->isEnabled());
  frame_->OnCommand(CommandId::kCcirPanel);
  EXPECT_EQ(frame_->Controller().CurrentPanel(), Panel::kRss);

  // A CCIR file puts CCIR in use; reading this radio takes it out and leaves the CCIR panel.
  frame_->Controller().Session().Flags().ccir_present = 1;
  frame_->UpdateCommands();
  frame_->SwitchToPanel(Panel::kCcir);
  frame_->Controller().ReadDevice();
  EXPECT_EQ(frame_->Controller().CurrentPanel(), Panel::kComputerInterface);
  EXPECT_EQ(frame_->windowTitle(), "Computer Interface Panel");
}

TEST_F(FrameTest, TheStatusBarShowsPromptsAndTheRadiosIdentity) {
  StartFrame(std::nullopt);
  EXPECT_EQ(frame_->Pane(0)->text(), "S/N: ");
  EXPECT_EQ(frame_->Pane(1)->text(), "Code: ");
  EXPECT_EQ(frame_->Pane(2)->text(), "COM: 1,9600");
  EXPECT_EQ(frame_->statusBar()->currentMessage(), "Ready");
  MenuItem("CommPorts")->showStatusText(frame_.get());
  EXPECT_EQ(frame_->statusBar()->currentMessage(), "Communication Port Setup");
  frame_->statusBar()->clearMessage();
  EXPECT_EQ(frame_->statusBar()->currentMessage(), "Ready");
  EXPECT_EQ(operator_.Notices(), Texts{texts::kCannotOpenPort});

  frame_.reset();
  StartFrame("varim-global");
  EXPECT_TRUE(frame_->Pane(0)->text().startsWith("S/N: "));
  EXPECT_GT(frame_->Pane(0)->text().size(), 5);
  EXPECT_GT(frame_->Pane(1)->text().size(), 6);
}

TEST_F(FrameTest, TheStartUpReadLeavesABackupOfTheRadio) {
  StartFrame("varim-ccir");
  QStringList kinds;
  QDirIterator file(folder_.filePath("backups"), QDir::Files, QDirIterator::Subdirectories);
  while (file.hasNext()) kinds << QFileInfo(file.next()).suffix();
  kinds.sort();
  EXPECT_EQ(kinds, (QStringList{"ale", "ccr", "rss"}));
  EXPECT_EQ(operator_.Notices(), Texts{});
}

TEST_F(FrameTest, TheCommPortsDialogOffersSixPortsAndFourRates) {
  StartFrame("varim");
  varim::ui::CCommPortsDlg* dialog = frame_->CommPortsDialog();
  dialog->Load();
  EXPECT_EQ(dialog->windowTitle(), "Communication Ports");
  auto* ports = dialog->findChild<QComboBox*>("Ports");
  ASSERT_NE(ports, nullptr);
  QStringList items;
  for (int i = 0; i < ports->count(); ++i) items << ports->itemText(i);
  EXPECT_EQ(items, (QStringList{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}));
  EXPECT_EQ(ports->currentIndex(), 0);
  EXPECT_EQ(dialog->findChild<QLabel*>("Device")->text(),
            QString::fromStdString(radio_->DevicePath()));
  QStringList rates;
  for (auto* button : dialog->findChildren<QRadioButton*>()) {
    rates << button->text();
    if (button->text() == "9600") {
      EXPECT_TRUE(button->isChecked());
    }
  }
  EXPECT_EQ(rates, (QStringList{"1200", "2400", "4800", "9600"}));
  QStringList buttons;
  for (auto* button : dialog->findChildren<QPushButton*>()) buttons << button->text();
  EXPECT_EQ(buttons, (QStringList{"OK", "Cancel", "Help", "Check"}));
  EXPECT_FALSE(dialog->BusyLabelShown());
  EXPECT_EQ(dialog->findChild<QLabel*>("BusyLabel")->text(), texts::kCommandInProgress);

  // The Check button tests the radio and says so.
  dialog->Check();
  EXPECT_EQ(operator_.Notices().back(), texts::kCommTestSucceeded);

  // A port beyond the list, written into the file by hand, shows no selection and OK keeps it.
  frame_->Controller().SetDeviceForPort(7, radio_->DevicePath());
  frame_->Controller().UpdateSocket(7, 9600);
  dialog->Load();
  EXPECT_EQ(ports->currentIndex(), -1);
  dialog->Ok();
  EXPECT_EQ(frame_->Controller().Settings().commPort, 7);
}

TEST_F(FrameTest, AStoredBaudRateNotOfTheFourKeepsTheDialogsChoice) {
  ASSERT_TRUE(varim::core::SaveCommSettings(folder_.path().toStdString(), {1, 5000}));
  StartFrame(std::nullopt);
  operator_.Forget();
  varim::ui::CCommPortsDlg* dialog = frame_->CommPortsDialog();
  const auto checkedRate = [dialog] {
    for (auto* button : dialog->findChildren<QRadioButton*>())
      if (button->isChecked()) return button->text();
    return QString();
  };
  dialog->Load();
  EXPECT_EQ(operator_.Notices(), Texts{texts::kBaudRateNotCorrect});
  EXPECT_EQ(checkedRate(), "9600") << "the rate OK applies the first time";

  for (auto* button : dialog->findChildren<QRadioButton*>())
    if (button->text() == "2400") button->click();
  dialog->Load();
  EXPECT_EQ(checkedRate(), "2400");
  EXPECT_EQ(dialog->BaudIndex(), 1);
}

TEST_F(FrameTest, TheProgressDialogShowsTheReadAndItsAbortButton) {
  StartFrame("varim-global");
  ASSERT_TRUE(frame_->Controller().RadioReady());
  varim::ui::CProgressDlg* progress = frame_->ProgressDialog();
  QStringList statuses, percents;
  bool abortShown = false;
  bool closable = true;
  QObject::connect(progress, &varim::ui::CProgressDlg::Updated, [&](int, const QString& status) {
    abortShown = abortShown || (progress->isVisible() && progress->AbortButton()->isVisible());
    if (statuses.isEmpty() || statuses.back() != status) statuses << status;
    percents << progress->PercentText();
    closable = closable && varim::core::CanClose(frame_->Controller().Context());
  });
  frame_->OnCommand(CommandId::kReadDevice);

  EXPECT_TRUE(abortShown);
  EXPECT_FALSE(closable) << "the window cannot close during the read";
  ASSERT_FALSE(statuses.isEmpty());
  // The window shows the latest state when it gets to it, so short sections may pass unseen.
  EXPECT_GE(statuses.size(), 3) << statuses.join(", ").toStdString();
  EXPECT_TRUE(statuses.contains("Reading Channels Section")) << statuses.join(", ").toStdString();
  for (const QString& status : statuses)
    EXPECT_TRUE(status.startsWith("Reading ")) << status.toStdString();
  EXPECT_FALSE(percents.contains("100%"));
  EXPECT_FALSE(progress->isVisible());
  EXPECT_TRUE(frame_->Controller().RadioReady());
  EXPECT_TRUE(frame_->Boxes().OperationDoneShown());
  EXPECT_EQ(frame_->Boxes().OperationDoneInterval(), 4000);
}

TEST_F(FrameTest, AbortStopsTheReadWithoutABox) {
  StartFrame("varim-global");
  operator_.Forget();
  varim::ui::CProgressDlg* progress = frame_->ProgressDialog();
  QObject::connect(progress, &varim::ui::CProgressDlg::Updated, [&](int percent, const QString&) {
    if (percent >= 10 && progress->AbortButton()->isEnabled())
      QTest::mouseClick(progress->AbortButton(), Qt::LeftButton);
  });
  frame_->OnCommand(CommandId::kReadDevice);
  EXPECT_EQ(operator_.Notices(), Texts{});
  EXPECT_FALSE(frame_->Controller().RadioReady());
  EXPECT_FALSE(frame_->View()->ChannelPanel()->isEnabled());
}

TEST_F(FrameTest, SavingAndOpeningFilesSetsTheTitleAndRemembersTheFolder) {
  StartFrame("varim-global");
  const QString path = folder_.filePath("station.rss");
  frame_->SwitchToPanel(Panel::kRss);
  chooser_.answer = path;
  frame_->OnCommand(CommandId::kRssSave);
  EXPECT_EQ(chooser_.filters.back(), "RSS Files (*.rss)");
  EXPECT_EQ(chooser_.suffixes.back(), "rss");
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel - " + path);
  ASSERT_TRUE(QFileInfo::exists(path));

  frame_->OnCommand(CommandId::kRssNew);
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel");
  frame_->OnCommand(CommandId::kRssOpen);
  EXPECT_EQ(chooser_.folders.back(), QFileInfo(path).absolutePath());
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel - " + path);

  // Coming back to a panel shows the panel's own title.
  frame_->SwitchToPanel(Panel::kComputerInterface);
  frame_->SwitchToPanel(Panel::kRss);
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel");

  // The file is offered again from every database panel, opened as its extension says.
  frame_->OnCommand(CommandId::kRssNew);
  frame_->SwitchToPanel(Panel::kRssAle);
  EXPECT_EQ(Lines(FileMenu()).mid(11, 3),
            (QStringList{"&1 " + path + " - Open " + path, "-",
                         "E&xit - Quit the application; prompts to save documents"}));
  FileMenu()->findChild<QAction*>("RecentFile1")->trigger();
  EXPECT_EQ(frame_->Files().Title(varim::core::PrintedFile::kRss), "RSS Panel - " + path);
  // One that is gone is said so and forgotten.
  ASSERT_TRUE(QFile::remove(path));
  FileMenu()->findChild<QAction*>("RecentFile1")->trigger();
  EXPECT_EQ(operator_.LastNotice(), "The file " + path.toStdString() + " no longer exists.");
  EXPECT_EQ(FileMenu()->findChild<QAction*>("RecentFile1"), nullptr);

  // A cancelled dialog changes nothing.
  chooser_.answer.clear();
  frame_->OnCommand(CommandId::kAleOpen);
  EXPECT_EQ(chooser_.filters.back(), "ALE Files (*.ale)");
  EXPECT_EQ(chooser_.folders.back(), "") << "each kind of file has its own folder";
  EXPECT_EQ(frame_->windowTitle(), "RSS ALE Panel");
}

// An edit is not lost without the operator saying so: the title marks it, and New, Read Device
// and closing the window ask first.
TEST_F(FrameTest, UnsavedEditsAreMarkedAndKeptUnlessTheOperatorLetsThemGo) {
  StartFrame("varim-global");
  frame_->SwitchToPanel(Panel::kRss);
  QAbstractButton* beep = nullptr;
  for (QAbstractButton* button : frame_->findChildren<QAbstractButton*>())
    if (button->accessibleName() == "Beep after PTT release") beep = button;
  ASSERT_NE(beep, nullptr);
  beep->click();
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel *");

  operator_.AnswerWith(false);
  const std::size_t asked = operator_.Questions().size();
  frame_->OnCommand(CommandId::kRssNew);
  frame_->OnCommand(CommandId::kReadDevice);
  frame_->close();
  EXPECT_TRUE(frame_->isVisible());
  EXPECT_EQ(operator_.Questions().size(), asked + 3);
  EXPECT_EQ(operator_.Questions().back(), varim::ui::DatabaseFiles::kDiscardQuestion);
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel *");

  operator_.AnswerWith(true);
  frame_->OnCommand(CommandId::kRssNew);
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel");
  // A new database's options are a new radio's: only the keyboard beep on.
  for (QAbstractButton* button : frame_->findChildren<QAbstractButton*>()) {
    if (!button->accessibleName().startsWith("Beep")) continue;
    EXPECT_EQ(button->isChecked(), button->accessibleName() == "Beep after keyboard press")
        << button->accessibleName().toStdString();
  }
}

// The CCIR form edits the record the .ccr file is saved from; New gives a new radio's settings.
TEST_F(FrameTest, ACcirEditMarksItsFileAndNewBringsTheRadiosDefaults) {
  StartFrame("varim-ccir");
  frame_->SwitchToPanel(Panel::kCcir);
  QLineEdit* message = nullptr;
  for (QLineEdit* box : frame_->findChildren<QLineEdit*>())
    if (box->accessibleName() == "Message no. 1") message = box;
  QComboBox* preamble = nullptr;
  for (QComboBox* list : frame_->findChildren<QComboBox*>())
    if (list->accessibleName() == "Preamble") preamble = list;
  ASSERT_NE(message, nullptr);
  ASSERT_NE(preamble, nullptr);
  message->selectAll();
  QTest::keyClicks(message, "HELLO");
  EXPECT_EQ(frame_->windowTitle(), "CCIR Panel *");
  QTest::keyClick(preamble, Qt::Key_Home);
  const varim::db::RadioDatabases& db = frame_->Controller().Session().Databases();
  EXPECT_STREQ(db.ccir.message1, "HELLO");
  EXPECT_EQ(db.ccir.preamble, 1);

  frame_->OnCommand(CommandId::kCcirNew);
  EXPECT_EQ(frame_->windowTitle(), "CCIR Panel");
  EXPECT_EQ(message->text(), "01 CCIR MSG");
  EXPECT_EQ(preamble->currentText(), "6");
}

// The channels to a spreadsheet and back: a refused file changes nothing and says why.
TEST_F(FrameTest, ChannelsGoOutAsCsvAndComeBackEdited) {
  StartFrame("varim-global");
  frame_->SwitchToPanel(Panel::kRss);
  const QString csv = folder_.filePath("plan.csv");
  chooser_.answer = csv;
  frame_->OnCommand(CommandId::kExportChannelsCsv);
  EXPECT_EQ(chooser_.filters.back(), "CSV Files (*.csv)");
  EXPECT_EQ(chooser_.suffixes.back(), "csv");
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n");
  file.close();
  ASSERT_GE(lines.size(), 2);
  QStringList cells = lines[1].split(',');
  const int row = cells[0].toInt() - 1;
  const QString before = cells[1];
  const QString after = before == "12.34560" ? "12.34570" : "12.34560";
  const auto importWithTx = [&](const QString& tx, const QByteArray& tail = {}) {
    cells[1] = tx;
    lines[1] = cells.join(',');
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.join("\r\n").toUtf8() + tail);
    file.close();
    frame_->OnCommand(CommandId::kImportChannelsCsv);
  };
  const QTableWidget* grid = frame_->View()->ChannelsGrid();

  importWithTx("99");
  EXPECT_TRUE(operator_.LastNotice().starts_with("line 2: Tx MHz")) << operator_.LastNotice();
  importWithTx(after, QByteArray(varim::ui::ChannelCsvFiles::kMaxBytes, '\n'));
  EXPECT_NE(operator_.LastNotice().find("larger than 1 MiB"), std::string::npos);
  EXPECT_EQ(grid->item(row, 1)->text(), before);
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel");

  importWithTx(after);
  EXPECT_EQ(grid->item(row, 1)->text(), after);
  EXPECT_EQ(frame_->windowTitle(), "RSS Panel *");
}

TEST_F(FrameTest, AMissingHelpFileIsNamed) {
  StartFrame(std::nullopt);
  operator_.Forget();
  frame_->OnCommand(CommandId::kHelpContents);
  EXPECT_EQ(operator_.Notices(),
            Texts{texts::HelpFileNotFound(folder_.filePath("KlvHelp.pdf").toStdString())});
}

// What a screen reader says for a control: a name a person would give it, not a code's name
// such as "RssConfigurationCheck".
QString Problem(const QWidget* widget, const QString& objectName) {
  QAccessibleInterface* accessible =
      QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget));
  const QString name = accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
  static const QRegularExpression camelCase("[a-z][A-Z]");
  // Labels of the radio's own that are written as one word.
  static const QStringList kOwnLabels = {"BiDirectional", "MultiNet"};
  const bool identifier = !name.contains(' ') && !kOwnLabels.contains(name) &&
                          (camelCase.match(name).hasMatch() ||
                           (name == objectName && camelCase.match(objectName).hasMatch()));
  if (!name.isEmpty() && !identifier) return {};
  return QString("%1 %2: \"%3\"").arg(widget->metaObject()->className(), objectName, name);
}

// The controls of a window a screen reader cannot name properly. Scroll bars belong to the
// views they scroll.
QStringList UnnamedControls(const QWidget* window) {
  QStringList problems;
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    const bool control =
        qobject_cast<const QAbstractButton*>(w) ||
        (qobject_cast<const QAbstractSlider*>(w) && !qobject_cast<const QScrollBar*>(w)) ||
        qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
        qobject_cast<const QTableWidget*>(w);
    if (!control) continue;
    if (const QString problem = Problem(w, w->objectName()); !problem.isEmpty())
      problems << problem;
  }
  return problems;
}

TEST_F(FrameTest, EveryControlHasANameAScreenReaderCanSay) {
  StartFrame("varim-2e-ccir");
  QStringList problems;
  std::vector<QToolBar*> bars = {frame_->AboutBar()};
  for (const varim::ui::PanelLayout& panel : varim::ui::Panels())
    bars.push_back(frame_->Toolbar(panel.panel));
  for (QToolBar* bar : bars) {
    for (QAction* action : bar->actions()) {
      if (action->isSeparator()) continue;
      const QString problem = Problem(bar->widgetForAction(action), action->objectName());
      if (!problem.isEmpty()) problems << problem;
    }
  }
  EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
  QAction* commPorts = frame_->Toolbar(Panel::kComputerInterface)->findChild<QAction*>("CommPorts");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(
                frame_->Toolbar(Panel::kComputerInterface)->widgetForAction(commPorts))
                ->text(QAccessible::Name),
            "Comm. Ports...");

  // The window with every panel's children, and the dialogs it shows.
  for (const varim::ui::PanelLayout& panel : varim::ui::Panels()) {
    frame_->SwitchToPanel(panel.panel);
    problems << UnnamedControls(frame_.get());
  }
  EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
  varim::db::FileInformation information{};
  EXPECT_EQ(UnnamedControls(new varim::ui::CFileInformationDlg(information, frame_.get())),
            QStringList{});
  EXPECT_EQ(UnnamedControls(new varim::ui::CAboutDlg(frame_.get())), QStringList{});
  EXPECT_EQ(UnnamedControls(new varim::ui::CNetworkControlDlg(
                {}, "", [](const auto&, std::string*) { return true; }, frame_.get())),
            QStringList{});
  varim::panels::CcirDirectory directory(frame_->Controller().Session().Databases().ccir,
                                         operator_);
  EXPECT_EQ(UnnamedControls(new varim::ui::CCcirDirectoryDlg(directory, frame_.get())),
            QStringList{});
  QStringList modal;
  bool walked = false;
  QTimer::singleShot(0, [&modal, &walked] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    modal = UnnamedControls(dialog);
    walked = true;
    static_cast<QDialog*>(dialog)->reject();
  });
  frame_->SwitchToPanel(Panel::kRss);
  frame_->OnCommand(CommandId::kRssConfigurationCheck);
  EXPECT_TRUE(walked);
  EXPECT_EQ(modal, QStringList{});

  // Texts the window shows are read as they stand: no name hides them.
  frame_->SwitchToPanel(Panel::kComputerInterface);
  frame_->View()->SetStatusLine(texts::kCommandInProgress);
  for (const QWidget* shown : {static_cast<const QWidget*>(frame_->View()->StatusLine()),
                               static_cast<const QWidget*>(frame_->Pane(2)),
                               static_cast<const QWidget*>(frame_->statusBar())}) {
    QAccessibleInterface* accessible =
        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(shown));
    EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
        << shown->objectName().toStdString();
  }
  EXPECT_EQ(
      QAccessible::queryAccessibleInterface(frame_->View()->StatusLine())->text(QAccessible::Name),
      texts::kCommandInProgress);
}

}  // namespace

namespace {

TEST_F(FrameTest, TheVarimPanelShowsTheRadiosDisplayAndPressesItsKeys) {
  StartFrame("varim");
  ASSERT_TRUE(frame_->Controller().RadioReady());
  frame_->SwitchToPanel(Panel::kVarim);
  varim::ui::CHalyardView* view = frame_->View();
  auto* line1 = view->Display()->findChild<QLabel*>("DisplayLine1");
  ASSERT_NE(line1, nullptr);
  // The read switched the display reports on: the radio sends its whole display.
  QTRY_VERIFY_WITH_TIMEOUT(!frame_->Controller().State().Now().displayText.empty(), 10000);
  EXPECT_EQ(line1->text().toStdString(), frame_->Controller().State().Now().displayText);

  ASSERT_EQ(view->Keypads().size(), 2);
  QPushButton* f1 = view->Keypads().front()->Button(key::kF1);
  ASSERT_NE(f1, nullptr);
  const std::size_t before = radio_->ReceivedFrames().size();
  f1->click();
  const std::vector<CRadioMessage> frames = radio_->ReceivedFrames();
  ASSERT_EQ(frames.size(), before + 2);
  for (const auto& [frame, key] :
       {std::pair{frames[before], key::kF1}, std::pair{frames[before + 1], key::kIdle}}) {
    EXPECT_EQ(frame.GetOpcode(), opcode::kReportControlHeadKeyboard);
    EXPECT_TRUE(std::equal(key::kPatterns[key], key::kPatterns[key] + 4, frame.GetData()));
  }
}

}  // namespace

namespace {

// A socket of this machine that listens on a port the system chose.
int ListeningSocket() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(fd, 1);
  return fd;
}

int PortOf(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

// A port that nobody listens on at the moment.
int FreePort() {
  const int fd = ListeningSocket();
  const int port = PortOf(fd);
  ::close(fd);
  return port;
}

// A request to the window's network control, answered while the window runs its events.
std::string Ask(varim::testing::LineClient& client, const std::string& request) {
  auto answer = std::async(std::launch::async, [&] {
    client.Send(request + "\n");
    return client.ReadLines(1);
  });
  while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
    QTest::qWait(10);
  return answer.get();
}

TEST_F(FrameTest, NetworkControlIsChosenInPreferencesRememberedAndServedThroughTheWindow) {
  StartFrame("varim-global");
  QAction* item = MenuItem("NetworkControl");
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->isChecked());
  // A port another program holds: OK says why and the dialog stays; a free port is served.
  const int held = ListeningSocket();
  const int taken = PortOf(held);
  const int port = FreePort();
  QString refusal;
  bool stayedOpen = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->findChild<QLineEdit*>("NetworkControlAddress")->isEnabled());
    dialog->findChild<QAbstractButton*>("NetworkControlEnabled")->click();
    EXPECT_EQ(dialog->findChild<QLineEdit*>("NetworkControlAddress")->text(), "127.0.0.1");
    auto* portBox = dialog->findChild<QSpinBox*>("NetworkControlPort");
    QAbstractButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    portBox->setValue(taken);
    ok->click();
    refusal = dialog->findChild<QLabel*>("NetworkControlStatus")->text();
    stayedOpen = dialog->isVisible();
    portBox->setValue(port);
    ok->click();
  });
  frame_->OnCommand(CommandId::kNetworkControl);
  ::close(held);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(refusal, QString("Network control is not serving: cannot listen on 127.0.0.1:%1: "
                             "Address already in use.")
                         .arg(taken));
  EXPECT_TRUE(item->isChecked());
  {
    varim::testing::LineClient client(port);
    ASSERT_TRUE(client.Connected());
    EXPECT_EQ(Ask(client, "f"), std::to_string(radio_->State().current.rxHz) + "\n");
    EXPECT_EQ(Ask(client, "T 1"), "RPRT -1\n");
  }

  // The next start serves again as chosen.
  frame_->close();
  frame_.reset();
  StartFrame("varim-global");
  varim::testing::LineClient client(port);
  ASSERT_TRUE(client.Connected());
  EXPECT_EQ(Ask(client, "f"), std::to_string(radio_->State().current.rxHz) + "\n");
}

}  // namespace
