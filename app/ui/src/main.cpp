// KLV: remote operation and programming of a VARIM radio over its serial line.

#include <CLI/CLI.hpp>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <optional>

#include "main_frame.h"
#include "message_box_operator.h"
#include "varim/core/radio_backups.h"
#include "varim/error_report.h"
#include "varim/frame_trace_file.h"
#include "varim/product_version.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"

namespace {

constexpr char kDefaultSimulatedProfile[] = "varim-global";
// The demo's picture is taken once the start-up boxes have had time to draw.
constexpr int kScreenshotDelayMs = 500;

// The library's system errors as boxes; from another thread they go to the terminal, since a
// box belongs to the window's thread.
void ShowLibraryError(const char* title, const char* text) {
  if (QThread::currentThread() == qApp->thread()) {
    QMessageBox::critical(nullptr, title, text);
  } else {
    std::cerr << title << ": " << text << "\n";
  }
}

std::unique_ptr<varim::sim::SimulatedRadio> StartSimulatedRadio(const std::string& profileName) {
  const auto profile = varim::sim::FindProfile(profileName);
  if (!profile) {
    std::cerr << "KLV: there is no radio profile \"" << profileName << "\"; known:";
    for (const auto& known : varim::sim::KnownProfiles()) std::cerr << " " << known.name;
    std::cerr << "\n";
    return nullptr;
  }
  varim::sim::SimOptions options;
  options.profile = *profile;
  options.memory = varim::sim::SampleMemory(*profile);
  // As fast as a real line at 9600 baud, so the program behaves as it will with a radio.
  options.paced = true;
  auto radio = std::make_unique<varim::sim::SimulatedRadio>(std::move(options));
  std::string error;
  if (!radio->Start(&error)) {
    std::cerr << "KLV: the simulated radio cannot start: " << error << "\n";
    return nullptr;
  }
  return radio;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "KLV: remote operation, ALE calling, databases and built-in test of a VARIM "
      "HF radio over its serial line."};
  app.allow_extras();
  app.set_version_flag("--version",
                       std::string(varim::kProductName) + " " + varim::kProductVersion);
  std::string device;
  app.add_option("--device", device,
                 "Serial device of the radio for this run (default: the COM port chosen in "
                 "Comm. Ports, /dev/ttyS<n-1> or VARIM_COM<n>)");
  std::string profile = kDefaultSimulatedProfile;
  auto* simulate =
      app.add_option("--simulate", profile,
                     "Start a simulated radio (profile varim, varim-global, varim-ccir, "
                     "varim-ccir-extended, varim-isb, varim-2e or varim-2e-ccir) and connect to it")
          ->expected(0, 1)
          ->excludes(app.get_option("--device"));
  std::string screenshot;
  app.add_option("--screenshot", screenshot,
                 "Save a picture of the window to this PNG file once connected, then quit");
  std::string panel;
  const std::map<std::string, varim::core::Panel> panels = {
      {"varim", varim::core::Panel::kVarim},
      {"varim-2e", varim::core::Panel::kVarim2E},
      {"rss", varim::core::Panel::kRss},
      {"rss-ale", varim::core::Panel::kRssAle}};
  app.add_option("--panel", panel,
                 "Show this panel once connected (varim, varim-2e, rss or rss-ale)")
      ->check(CLI::IsMember(panels));
  std::string tracePath;
  app.add_option("--trace", tracePath,
                 "Log every frame on the line with its time into this file (- for the error "
                 "stream): > written to the radio, < taken from it, as varim-sim --trace");
  CLI11_PARSE(app, argc, argv);

  // Before the window, so a trace that cannot be written stops the run at once. It outlives
  // the window, whose engine writes into it.
  FrameTraceFile trace;
  if (!tracePath.empty() && !trace.Open(tracePath)) {
    std::cerr << "KLV: cannot write the trace " << tracePath << ": " << std::strerror(trace.Error())
              << "\n";
    return 3;
  }

  QApplication qt(argc, argv);
  // Where the user's settings are kept.
  QApplication::setOrganizationName("Varim");
  QApplication::setApplicationName(varim::kProductName);
  QApplication::setApplicationVersion(varim::kProductVersion);
  SetErrorMessageHandler(ShowLibraryError);

  std::unique_ptr<varim::sim::SimulatedRadio> radio;
  if (simulate->count() > 0) {
    radio = StartSimulatedRadio(profile.empty() ? kDefaultSimulatedProfile : profile);
    if (!radio) return 3;
    device = radio->DevicePath();
  }

  varim::ui::FrameOptions options;
  options.startupDirectory = QDir::currentPath();
  options.helpDirectory = QDir::currentPath();
  options.device = QString::fromStdString(device);
  options.backupDirectory =
      QString::fromStdString(varim::core::RadioBackups::DefaultBase().string());
  varim::ui::MessageBoxOperator op;
  varim::ui::DialogFileChooser chooser;
  varim::ui::CMainFrame frame(options, op, chooser);
  op.SetParent(&frame);
  // The port opens only once the window is on screen (Start), so the trace is in place for
  // the first frame.
  if (!tracePath.empty()) {
    frame.Controller().Session().Engine().SetFrameTrace(
        [&trace](const TracedFrame& traced) { trace.Write(traced); });
  }
  // The size it takes where no window manager maximises it (a bare X server, a demo).
  frame.resize(1280, 800);
  frame.showMaximized();
  if (!panel.empty()) {
    QObject::connect(&frame, &varim::ui::CMainFrame::Connected, &frame, [&] {
      frame.SwitchToPanel(panels.at(panel));
    });
  }
  frame.Start();

  if (!screenshot.empty()) {
    QObject::connect(&frame, &varim::ui::CMainFrame::Connected, &frame, [&] {
      QTimer::singleShot(kScreenshotDelayMs, &frame, [&] {
        const bool saved = frame.grab().save(QString::fromStdString(screenshot));
        if (!saved) std::cerr << "KLV: cannot save " << screenshot << "\n";
        QApplication::exit(saved ? 0 : 1);
      });
    });
  }
  return QApplication::exec();
}
