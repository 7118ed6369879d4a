#include "main_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "about_dlg.h"
#include "ale_editors_feature.h"
#include "bite_feature.h"
#include "call_log_windows.h"
#include "calls_feature.h"
#include "ccir_editors_feature.h"
#include "channel_panes_feature.h"
#include "file_information_dlg.h"
#include "front_panel_feature.h"
#include "help_opener.h"
#include "incoming_call_dlg.h"
#include "network_control_feature.h"
#include "rss_editors_feature.h"
#include "varim/core/operator_texts.h"
#include "varim/db/configuration_check.h"
#include "varim/panels/calls_on_channel_form.h"

// The pictures are compiled into the window's library; a static library has to register them.
static void RegisterPictures() {
  Q_INIT_RESOURCE(icons);
}

namespace varim::ui {

namespace texts = varim::core::texts;
using varim::core::RadioGeneration;
using varim::core::TransferMode;

namespace {

constexpr char kCommandProperty[] = "command";
constexpr char kRecentFileGone[] = "The file %1 no longer exists.";
constexpr int kPaneWidth = 100;
// The toolbar of the About button; created and never shown.
constexpr char kAboutBarName[] = "Toolbar128";
// Qt's buttons for the toolbar buttons and menus that do not fit, and what a screen reader
// calls them.
constexpr char kToolbarExtension[] = "qt_toolbar_ext_button";
constexpr char kMoreButtons[] = "More Buttons";
constexpr char kMenuBarExtension[] = "qt_menubar_ext_button";
constexpr char kMoreMenus[] = "More Menus";

constexpr char kTechnicianText[] =
    "Technician Mode\n\n"
    "Service work on the radio (alignment, calibration, options and software loading) is done "
    "with the separate VARIM service application.\n"
    "Close this program, connect the service cable and start the service application as its "
    "manual describes.";

QIcon Picture(const char* name) {
  return QIcon(QString(":/icons/%1.svg").arg(name));
}

bool IsDatabasePanel(Panel panel) {
  return panel == Panel::kRss || panel == Panel::kRssAle || panel == Panel::kCcir;
}

PrintedFile FileOfPanel(Panel panel) {
  return panel == Panel::kRssAle ? PrintedFile::kAle
         : panel == Panel::kCcir ? PrintedFile::kCcr
                                 : PrintedFile::kRss;
}

// A file saved under another extension is taken as the panel's own kind.
PrintedFile FileOfPath(const QString& path, Panel panel) {
  const QString suffix = QFileInfo(path).suffix();
  for (PrintedFile kind : {PrintedFile::kRss, PrintedFile::kAle, PrintedFile::kCcr}) {
    if (suffix.compare(DatabaseFiles::Suffix(kind), Qt::CaseInsensitive) == 0) return kind;
  }
  return FileOfPanel(panel);
}

// Work from any thread for the window's thread.
std::function<void(std::function<void()>)> PostTo(QtEventPump& pump) {
  return [&pump](std::function<void()> work) { pump.Post(std::move(work)); };
}

}  // namespace

CMainFrame::CMainFrame(const FrameOptions& options, varim::core::Operator& op, FileChooser& chooser)
    : options_(options), operator_(op) {
  RegisterPictures();
  setObjectName("CMainFrame");
  setWindowIcon(Picture("app"));
  pump_ = std::make_unique<QtEventPump>();
  controller_ = std::make_unique<varim::core::ConnectionController>(
      op, *pump_, static_cast<varim::core::ControllerView&>(*this), PostTo(*pump_),
      options.startupDirectory.toStdString());
  if (!options.backupDirectory.isEmpty())
    controller_->KeepBackupsIn(options.backupDirectory.toStdString());
  files_ = std::make_unique<DatabaseFiles>(*controller_, op, chooser);
  recentFiles_ = std::make_unique<RecentFiles>(options.settingsFile);
  channelCsv_ = std::make_unique<ChannelCsvFiles>(*controller_, op, chooser);
  // An operator's writes are read back and compared unless they switch it off: the line's
  // checksum alone lets some corruptions through.
  controller_->Session().SetVerifyWrites(true);
  boxes_ = std::make_unique<WaitBoxes>(this);

  view_ = new CHalyardView(*controller_, this);
  setCentralWidget(view_);
  progress_ = new CProgressDlg([this] { controller_->AbortTransfer(); }, this);
  commPorts_ = new CCommPortsDlg(
      *controller_, op,
      [this] {
        // The dialog's Help looks in the folder of the moment.
        OpenHelp(QDir::currentPath(), operator_);
      },
      this);

  // The seven toolbars; only the Computer Interface one shows at first.
  aboutBar_ = MakeToolbar(kAboutBarName, AboutToolbar());
  aboutBar_->hide();
  for (const PanelLayout& panel : Panels()) {
    QToolBar* bar = MakeToolbar(QString("Toolbar%1").arg(panel.toolbarResource), panel.toolbar);
    toolbars_[static_cast<std::size_t>(panel.panel)] = bar;
    bar->setVisible(panel.panel == Panel::kComputerInterface);
  }

  const char* initial[] = {texts::kSerialNumberPane, texts::kRadioCodePane,
                           texts::kInitialPortPane};
  const char* names[] = {"SerialNumberPane", "RadioCodePane", "PortPane"};
  for (std::size_t i = 0; i < panes_.size(); ++i) {
    panes_[i] = new QLabel(initial[i], this);
    panes_[i]->setObjectName(names[i]);
    panes_[i]->setMinimumWidth(kPaneWidth);
    statusBar()->addPermanentWidget(panes_[i]);
  }
  // The message pane goes back to "Ready" whenever a prompt ends.
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(texts::kIdleMessage);
  });
  statusBar()->showMessage(texts::kIdleMessage);

  InstallHandlers();
  InstallFeatures();
  BuildMenu(Panel::kComputerInterface);
  if (auto* more = menuBar()->findChild<QAbstractButton*>(kMenuBarExtension))
    more->setAccessibleName(kMoreMenus);
  controller_->SetCurrentPanel(Panel::kComputerInterface);
  SetTitle();
  UpdateCommands();
}

CMainFrame::~CMainFrame() {
  ShutdownOnce();
}

void CMainFrame::ShutdownOnce() {
  if (shutDown_) return;
  shutDown_ = true;
  // A transmit another program keyed ends while the line is still open.
  networkControl_->Stop();
  controller_->Shutdown();
}

void CMainFrame::Start() {
  if (options_.splash) {
    splash_ = new CSplashDlg(this);
    splash_->show();
    QTimer::singleShot(varim::core::ConnectionController::kSplashMs, this, [this] {
      splash_->hide();
      splash_->deleteLater();
      splash_ = nullptr;
    });
  }
  controller_->Initialise();
  networkControl_->Start();
  if (!options_.device.isEmpty())
    controller_->SetDeviceForPort(controller_->Settings().commPort, options_.device.toStdString());
  UpdateCommands();
  // Connects from the event loop, once the window is on screen.
  QTimer::singleShot(0, this, [this] {
    controller_->DeferredConnect();
    emit Connected();
  });
}

QAction* CMainFrame::MakeAction(CommandId id, const QString& text, QObject* owner) {
  const CommandInfo& info = InfoOf(id);
  auto* action = new QAction(text, owner);
  action->setObjectName(info.name);
  action->setProperty(kCommandProperty, static_cast<int>(id));
  action->setStatusTip(info.prompt);
  connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
  return action;
}

QToolBar* CMainFrame::MakeToolbar(const QString& name, const std::vector<ToolbarEntry>& buttons) {
  auto* bar = new QToolBar(name, this);
  bar->setObjectName(name);
  bar->setMovable(true);
  bar->setIconSize(QSize(24, 24));
  for (const ToolbarEntry& entry : buttons) {
    if (entry.gap) {
      bar->addSeparator();
      continue;
    }
    const QString text = MenuTextOf(entry.id);
    QAction* action = MakeAction(entry.id, text, bar);
    action->setIcon(Picture(InfoOf(entry.id).icon));
    action->setToolTip(InfoOf(entry.id).prompt);
    bar->addAction(action);
    // The button's own text drops the menu's trailing dots; a screen reader says it whole.
    bar->widgetForAction(action)->setAccessibleName(text);
  }
  addToolBar(Qt::TopToolBarArea, bar);
  // The button that offers what does not fit comes without a name of its own.
  if (auto* more = bar->findChild<QAbstractButton*>(kToolbarExtension))
    more->setAccessibleName(kMoreButtons);
  return bar;
}

void CMainFrame::BuildMenu(Panel panel) {
  QMenuBar* bar = menuBar();
  // The old menu's actions go with it.
  for (QAction* action : bar->actions()) {
    if (QMenu* menu = action->menu()) menu->deleteLater();
  }
  bar->clear();
  std::function<void(QWidget*, const std::vector<MenuEntry>&)> fill =
      [&](QWidget* into, const std::vector<MenuEntry>& entries) {
        for (const MenuEntry& entry : entries) {
          switch (entry.kind) {
            case MenuEntry::Kind::kSeparator:
              static_cast<QMenu*>(into)->addSeparator();
              break;
            case MenuEntry::Kind::kPopup: {
              auto* menu = new QMenu(entry.text, into);
              fill(menu, entry.children);
              into->addAction(menu->menuAction());
              break;
            }
            case MenuEntry::Kind::kCommand:
              into->addAction(MakeAction(entry.id, entry.text, into));
              break;
          }
        }
      };
  fill(bar, LayoutOf(panel).menu);
  if (IsDatabasePanel(panel)) AddRecentFiles(bar->actions().front()->menu());
  // Every item shows the state of the moment when its menu opens.
  for (QMenu* menu : bar->findChildren<QMenu*>()) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
  }
}

void CMainFrame::AddRecentFiles(QMenu* fileMenu) {
  const QStringList paths = recentFiles_->Paths();
  if (paths.isEmpty()) return;
  QAction* exit = fileMenu->findChild<QAction*>(InfoOf(CommandId::kExit).name);
  for (int i = 0; i < paths.size(); ++i) {
    const QString path = paths[i];
    // A '&' of the path is shown, not taken for a mnemonic.
    const QString text =
        QString("&%1 %2").arg(QString::number(i + 1), QString(path).replace('&', "&&"));
    auto* action = new QAction(text, fileMenu);
    action->setObjectName(QString("RecentFile%1").arg(i + 1));
    action->setStatusTip("Open " + path);
    connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    fileMenu->insertAction(exit, action);
  }
  fileMenu->insertSeparator(exit);
}

void CMainFrame::OpenRecentFile(const QString& path) {
  if (recentFiles_->KeepIfPresent(path)) {
    const PrintedFile kind = FileOfPath(path, controller_->CurrentPanel());
    if (files_->MayDiscard({kind}) && files_->OpenPath(kind, path)) FinishFileCommand(kind);
  } else {
    operator_.Notify(QString(kRecentFileGone).arg(path).toStdString(),
                     varim::core::Operator::Icon::kExclamation);
    BuildMenu(controller_->CurrentPanel());
  }
  UpdateCommands();
}

void CMainFrame::ImportChannels() {
  if (!channelCsv_->Import(this)) return;
  files_->MarkEdited(PrintedFile::kRss);
  controller_->RunConfigurationChecks();
  rssEditors_->Refresh();
  ShowFileTitle();
}

void CMainFrame::InstallHandlers() {
  using C = CommandId;
  for (const PanelLayout& layout : Panels()) {
    const Panel panel = layout.panel;
    Install(PanelCommand(panel), [this, panel] { SwitchToPanel(panel); });
  }
  Install(C::kExit, [this] { close(); });
  Install(C::kCommPorts, [this] { RunCommPorts(); });
  for (C help : {C::kHelpContents, C::kRssHelp, C::kAleHelp, C::kCcirHelp})
    Install(help, [this] { OpenHelpFile(); });
  Install(C::kAbout, [this] { CAboutDlg(this).exec(); });
  Install(C::kTechnician, [this] { ShowTechnicianMode(); });
  Install(C::kRssConfigurationCheck, [this] { ShowConfigurationCheck(true); });
  Install(C::kAleConfigurationCheck, [this] { ShowConfigurationCheck(false); });
  Install(C::kImportChannelsCsv, [this] { ImportChannels(); });
  Install(C::kExportChannelsCsv, [this] { channelCsv_->Export(this); });

  struct FileCommands {
    PrintedFile kind;
    C newFile, open, information, save, print;
  };
  const FileCommands files[] = {
      {PrintedFile::kRss, C::kRssNew, C::kRssOpen, C::kRssInformation, C::kRssSave, C::kRssPrint},
      {PrintedFile::kAle, C::kAleNew, C::kAleOpen, C::kAleInformation, C::kAleSave, C::kAlePrint},
      {PrintedFile::kCcr, C::kCcirNew, C::kCcirOpen, C::kCcirInformation, C::kCcirSave,
       C::kCcirPrint},
  };
  for (const FileCommands& f : files) {
    const PrintedFile kind = f.kind;
    Install(f.newFile, [this, kind] {
      if (!files_->MayDiscard({kind})) return;
      files_->New(kind);
      FinishFileCommand(kind);
      // A new radio database starts from the options a new radio has, not from zeros.
      if (kind == PrintedFile::kRss) rssEditors_->NewOptionsPage();
    });
    Install(f.open, [this, kind] {
      if (files_->MayDiscard({kind}) && files_->Open(this, kind)) FinishFileCommand(kind);
    });
    Install(f.save, [this, kind] {
      rssEditors_->StoreIntoRecords();
      if (files_->Save(this, kind)) FinishFileCommand(kind);
    });
    Install(f.information,
            [this, kind] { CFileInformationDlg(files_->Information(kind), this).exec(); });
    Install(f.print, [this, kind] { Print(kind); });
  }
}

// Each operator feature plugs into the controller's seams with one call.
void CMainFrame::InstallFeatures() {
  auto* incomingCall = new CIncomingCallDlg(this);
  controller_->SetIncomingCallPrompt(*incomingCall);
  view_->AttachFrontPanel((new CFrontPanelFeature(*controller_, operator_, this))->Panel());
  callLog_ = new CCallLogWindows(
      controller_->Calls(), controller_->State(), controller_->Commands(), operator_,
      {[this](const varim::core::CallRecord& call) { controller_->Reports().Reply(call); },
       [this] { OpenHelpFile(); }, [this] { UpdateCommands(); }},
      view_);
  new varim::ui::CBiteFeature(*controller_, operator_, this);
  auto* calls = new varim::ui::CCallsFeature(*controller_, operator_, this);
  auto* channels = new CChannelDlg(*controller_, *this, operator_, view_->StatusLine());
  channels->SetAleTabs(calls->AleTab(), calls->LinkQualityTab());
  varim::panels::CallsOnChannelForm::Install(calls->Feature(), channels->Control(), *controller_);
  view_->AttachChannelDlg(channels);
  view_->AttachChannelPanes((new CChannelPanesFeature(*controller_, this))->Panes());
  rssEditors_ = new CRssEditorsFeature(
      *controller_, operator_,
      {view_->ChannelsGrid(), view_->GroupsGrid(), view_->AleEditor(), view_->OptionsEditor()},
      [this] { OpenHelpFile(); }, this);
  rssEditors_->SetEdited([this](PrintedFile file) {
    files_->MarkEdited(file);
    ShowFileTitle();
    UpdateCommands();
  });
  aleEditors_ = new CAleEditorsFeature(*controller_, operator_, view_->AleEditor(),
                                       [this] { OpenHelpFile(); }, this);
  aleEditors_->SetEdited([this] {
    files_->MarkEdited(PrintedFile::kAle);
    ShowFileTitle();
    UpdateCommands();
  });
  ccirEditors_ = new CCcirEditorsFeature(*controller_, operator_, view_->CcirEditor(), this);
  ccirEditors_->SetEdited([this] {
    files_->MarkEdited(PrintedFile::kCcr);
    ShowFileTitle();
    UpdateCommands();
  });
  networkControl_ = new CNetworkControlFeature(*controller_, operator_, PostTo(*pump_),
                                               options_.settingsFile, this);
  controller_->State().Observe([this](const varim::core::RadioStatus&) { UpdateCommands(); });
}

void CMainFrame::Install(CommandId id, std::function<void()> run) {
  varim::core::CommandRegistry& commands = controller_->Commands();
  commands.Install(id, {[this, id] { return controller_->StateOf(id).enabled; },
                        [this, id] { return controller_->StateOf(id).checked; }, std::move(run)});
}

void CMainFrame::OnCommand(CommandId id) {
  if (controller_->Commands().Run(id)) UpdateCommands();
}

void CMainFrame::SwitchToPanel(Panel panel) {
  for (const PanelLayout& layout : Panels())
    Toolbar(layout.panel)->setVisible(layout.panel == panel);
  BuildMenu(panel);
  controller_->SetCurrentPanel(panel);
  AdjustPanelButtons();
  view_->ShowPanel(panel);
  callLog_->PanelShown(panel);
  SetTitle();
  UpdateCommands();
}

void CMainFrame::SetTitle() {
  // A panel shown anew carries its own title; the file's path comes back with its next file
  // command.
  setWindowTitle(LayoutOf(controller_->CurrentPanel()).title);
}

void CMainFrame::AdjustPanelButtons() {
  const varim::core::CommandContext context = controller_->Context();
  for (QToolBar* bar : toolbars_) {
    const bool aleBar = bar == Toolbar(Panel::kRssAle);
    for (QAction* action : bar->actions()) {
      const QVariant command = action->property(kCommandProperty);
      if (!command.isValid()) continue;
      switch (static_cast<CommandId>(command.toInt())) {
        case CommandId::kVarimPanel:
          action->setVisible(context.radioGeneration != RadioGeneration::kVarim2E);
          break;
        case CommandId::kVarim2EPanel:
          action->setVisible(context.radioGeneration == RadioGeneration::kVarim2E);
          break;
        case CommandId::kCcirPanel:
          action->setVisible(context.ccirPresent);
          break;
        case CommandId::kComputerInterfacePanel:
          action->setVisible(!aleBar);
          break;
        default:
          break;
      }
    }
  }
}

void CMainFrame::AdaptToCcir() {
  const bool ccir = controller_->Context().ccirPresent;
  view_->AdaptToCcir(ccir);
  // Without CCIR there is no CCIR panel to stay on.
  if (!ccir && controller_->CurrentPanel() == Panel::kCcir)
    SwitchToPanel(Panel::kComputerInterface);
}

void CMainFrame::UpdateCommands() {
  for (QAction* action : findChildren<QAction*>()) {
    const QVariant command = action->property(kCommandProperty);
    if (!command.isValid()) continue;
    const auto id = static_cast<CommandId>(command.toInt());
    const varim::core::CommandState state = controller_->Commands().StateOf(id);
    action->setEnabled(state.enabled);
    const CommandInfo& info = InfoOf(id);
    const bool toggle = *info.offIcon != '\0';
    const bool checkable = toggle || state.checked || id == CommandId::kClarifier ||
                           id == CommandId::kNotchFilter || id == CommandId::kRemoteControl ||
                           id == CommandId::kVerifyWrites || id == CommandId::kNetworkControl ||
                           PanelOfCommand(id).has_value();
    // Toolbar buttons show a toggle's state by their picture; menu items by a check mark.
    const bool onToolbar = qobject_cast<QToolBar*>(action->parent()) != nullptr;
    if (onToolbar && toggle) {
      action->setIcon(Picture(state.checked ? info.icon : info.offIcon));
    } else if (!onToolbar) {
      action->setCheckable(checkable);
      action->setChecked(state.checked);
    }
  }
  AdjustPanelButtons();
  panes_[0]->setText(QString::fromStdString(controller_->SerialNumberPane()));
  panes_[1]->setText(QString::fromStdString(controller_->RadioCodePane()));
  panes_[2]->setText(QString::fromStdString(controller_->PortPane()));
}

void CMainFrame::RunCommPorts() {
  const varim::core::CommSettings before = controller_->BeginCommPorts();
  UpdateCommands();
  commPorts_->Load();
  const bool accepted = commPorts_->exec() == QDialog::Accepted;
  controller_->EndCommPorts(accepted, before);
  view_->SetStatusLine({});
}

void CMainFrame::FinishFileCommand(PrintedFile kind) {
  // A new file has no path until it is saved.
  if (const QString path = files_->Path(kind); !path.isEmpty()) {
    recentFiles_->Add(path);
    BuildMenu(controller_->CurrentPanel());
  }
  AdaptToCcir();
  view_->Refresh();
  rssEditors_->Reload();
  aleEditors_->Reload();
  ccirEditors_->Reload();
  ShowFileTitle();
}

void CMainFrame::ShowFileTitle() {
  // The file may have taken the CCIR panel away, and with it the file's title.
  const Panel panel = controller_->CurrentPanel();
  if (IsDatabasePanel(panel)) setWindowTitle(files_->Title(FileOfPanel(panel)));
}

void CMainFrame::Print(PrintedFile kind) {
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  files_->Print(kind, printer);
}

void CMainFrame::ShowConfigurationCheck(bool rss) {
  const varim::db::RadioDatabases& db = controller_->Session().Databases();
  const varim::db::ConfigurationReport report = varim::db::CheckConfiguration(
      db.radio, db.ale, db.globalMembers, controller_->Session().Flags().global_ale_present == 1);
  controller_->SetConfigurationValid(report.configurationValid);
  QDialog dialog(this);
  dialog.setObjectName("ConfigurationCheck");
  dialog.setWindowTitle("Configuration Check");
  auto* list = new QListWidget(&dialog);
  for (const std::string& message : rss ? report.rssMessages : report.aleMessages)
    list->addItem(QString::fromStdString(message));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(buttons);
  dialog.resize(480, 320);
  dialog.exec();
}

void CMainFrame::ShowTechnicianMode() {
  QMessageBox box(QMessageBox::Information, "Technician Mode", kTechnicianText, QMessageBox::Ok,
                  this);
  box.setObjectName("TechnicianMode");
  box.exec();
}

void CMainFrame::OpenHelpFile() {
  OpenHelp(options_.helpDirectory, operator_);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // A transfer is never cut off by closing the window.
  if (!varim::core::CanClose(controller_->Context()) ||
      !files_->MayDiscard({PrintedFile::kRss, PrintedFile::kAle, PrintedFile::kCcr})) {
    event->ignore();
    return;
  }
  ShutdownOnce();
  event->accept();
}

void CMainFrame::EnablePanels(bool enabled) {
  view_->EnablePanels(enabled);
}

bool CMainFrame::MayReplaceRecords() {
  return files_->MayDiscard({PrintedFile::kRss, PrintedFile::kAle, PrintedFile::kCcr});
}

void CMainFrame::EnableEditors() {
  view_->EnableEditors();
}

void CMainFrame::BusyChanged(bool busy) {
  view_->SetStatusLine(busy ? texts::kCommandInProgress : "");
  UpdateCommands();
}

void CMainFrame::StateChanged() {
  AdaptToCcir();
  view_->Refresh();
  UpdateCommands();
}

void CMainFrame::ShowPleaseWait(bool shown) {
  boxes_->ShowPleaseWait(shown);
}

void CMainFrame::ShowOperationDone(int ms) {
  boxes_->ShowOperationDone(ms);
}

void CMainFrame::ProgressStarted(TransferMode mode) {
  rssEditors_->SetTransferRunning(true);
  progress_->Start(mode);
}

void CMainFrame::ProgressChanged(const varim::core::ProgressView& view) {
  // Comes from the thread that runs the transfer: the window shows the latest on its own.
  {
    std::lock_guard lock(progressMutex_);
    latestProgress_ = view;
  }
  QMetaObject::invokeMethod(this, "ShowProgress", Qt::QueuedConnection);
}

void CMainFrame::ShowProgress() {
  std::optional<varim::core::ProgressView> view;
  {
    std::lock_guard lock(progressMutex_);
    view.swap(latestProgress_);
  }
  if (view) progress_->Update(*view);
}

void CMainFrame::ProgressFinished() {
  progress_->Finish();
  rssEditors_->SetTransferRunning(false);
}

}  // namespace varim::ui
