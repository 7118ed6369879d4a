#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "channel_csv_files.h"
#include "comm_ports_dlg.h"
#include "command_table.h"
#include "database_files.h"
#include "file_chooser.h"
#include "halyard_view.h"
#include "progress_dlg.h"
#include "qt_event_pump.h"
#include "recent_files.h"
#include "varim/core/connection_controller.h"
#include "wait_boxes.h"

namespace varim::ui {

class CCallLogWindows;
class CCcirEditorsFeature;
class CRssEditorsFeature;
class CAleEditorsFeature;
class CNetworkControlFeature;

// What the window is started with.
struct FrameOptions {
  // Where CommPort.txt is kept: the working directory when the program started.
  QString startupDirectory;
  // Where the help document is looked for.
  QString helpDirectory;
  // The device for the stored COM port during this run, when given.
  QString device;
  // The start-up picture; tests go without it.
  bool splash = true;
  // An INI file for what the window remembers between runs; empty: the user's settings.
  QString settingsFile;
  // Where a backup of every whole read of the radio goes (see RadioBackups); empty: none.
  QString backupDirectory;
};

// The main window: six panels, each with its own menu, toolbar and title, over one view; the
// status bar; the commands of the connection and of the database files.
class CMainFrame : public QMainWindow, private varim::core::ControllerView {
  Q_OBJECT

 public:
  // op and chooser are used for every message and file question; they must outlive the frame.
  CMainFrame(const FrameOptions& options, varim::core::Operator& op, FileChooser& chooser);
  ~CMainFrame() override;

  // Shows the start-up picture and connects once the window is on screen.
  void Start();
  // Runs a command as its menu item or button does.
  void OnCommand(CommandId id);
  // Installs a command of the window's own, enabled and checked by the command rules.
  void Install(CommandId id, std::function<void()> run);
  void SwitchToPanel(Panel panel);

  // Every command's enabled and checked state from the controller, the toggle pictures, the
  // panel buttons and the status-bar panes.
  void UpdateCommands();

  varim::core::ConnectionController& Controller() { return *controller_; }
  QtEventPump& Pump() { return *pump_; }
  CHalyardView* View() const { return view_; }
  CProgressDlg* ProgressDialog() const { return progress_; }
  CCommPortsDlg* CommPortsDialog() const { return commPorts_; }
  DatabaseFiles& Files() { return *files_; }
  const WaitBoxes& Boxes() const { return *boxes_; }
  QToolBar* Toolbar(Panel panel) const { return toolbars_[static_cast<std::size_t>(panel)]; }
  QToolBar* AboutBar() const { return aboutBar_; }
  QLabel* Pane(int index) const { return panes_[static_cast<std::size_t>(index)]; }

 signals:
  // The start-up connection (and read) has ended, with or without a radio.
  void Connected();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  // Shows the latest progress the transfer reported.
  void ShowProgress();

 private:
  // What the controller asks of the window.
  void EnablePanels(bool enabled) override;
  void EnableEditors() override;
  bool MayReplaceRecords() override;
  void BusyChanged(bool busy) override;
  void StateChanged() override;
  void ShowPleaseWait(bool shown) override;
  void ShowOperationDone(int ms) override;
  void ProgressStarted(varim::core::TransferMode mode) override;
  void ProgressChanged(const varim::core::ProgressView& view) override;
  void ProgressFinished() override;

  QAction* MakeAction(CommandId id, const QString& text, QObject* owner);
  QToolBar* MakeToolbar(const QString& name, const std::vector<ToolbarEntry>& buttons);
  void BuildMenu(Panel panel);
  void AdjustPanelButtons();
  void AdaptToCcir();
  void SetTitle();
  void InstallHandlers();
  void InstallFeatures();
  void RunCommPorts();
  void Print(PrintedFile kind);
  void ShowConfigurationCheck(bool rss);
  void ShowTechnicianMode();
  void OpenHelpFile();
  // After a file command of the kind; a file opened or saved joins the recent files.
  void FinishFileCommand(PrintedFile kind);
  void AddRecentFiles(QMenu* fileMenu);
  void OpenRecentFile(const QString& path);
  void ImportChannels();
  // A database panel's title: its file, and whether it has unsaved changes.
  void ShowFileTitle();
  // Network control and then the link, as the window goes.
  void ShutdownOnce();

  FrameOptions options_;
  varim::core::Operator& operator_;
  std::unique_ptr<QtEventPump> pump_;
  std::unique_ptr<varim::core::ConnectionController> controller_;
  std::unique_ptr<DatabaseFiles> files_;
  std::unique_ptr<RecentFiles> recentFiles_;
  std::unique_ptr<ChannelCsvFiles> channelCsv_;
  std::unique_ptr<WaitBoxes> boxes_;
  CHalyardView* view_ = nullptr;
  CProgressDlg* progress_ = nullptr;
  CCommPortsDlg* commPorts_ = nullptr;
  QWidget* splash_ = nullptr;
  std::array<QToolBar*, kPanelCount> toolbars_{};
  QToolBar* aboutBar_ = nullptr;
  std::array<QLabel*, 3> panes_{};
  std::mutex progressMutex_;
  std::optional<varim::core::ProgressView> latestProgress_;
  bool shutDown_ = false;
  CCallLogWindows* callLog_ = nullptr;
  CRssEditorsFeature* rssEditors_ = nullptr;
  CAleEditorsFeature* aleEditors_ = nullptr;
  CCcirEditorsFeature* ccirEditors_ = nullptr;
  CNetworkControlFeature* networkControl_ = nullptr;
};

}  // namespace varim::ui
