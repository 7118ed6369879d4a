#pragma once

#include <QObject>
#include <QPushButton>
#include <QTableWidget>

#include <functional>
#include <memory>

#include "varim/core/connection_controller.h"
#include "varim/core/print_document.h"
#include "varim/panels/radio_options_page.h"

namespace varim::ui {

// The editors of the radio's database: the RSS panel's channel table, group summary and radio
// options page, Channel Configuration and Groups from the RSS panel, Scanned Channels from the
// ALE panel, and the Radio Wide Information window.
class CRssEditorsFeature : public QObject {
  Q_OBJECT

 public:
  struct Views {
    QTableWidget* channels;
    QTableWidget* groups;
    QWidget* aleEditor;      // takes the Scanned Channels button
    QWidget* optionsEditor;  // takes the radio options page
  };

  CRssEditorsFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
                     Views views, std::function<void()> help, QWidget* window);

  // Everything from the records, after a read or a file was opened or made.
  void Reload();
  // The tables from the records, after an edit.
  void Refresh();
  // The options page of a new database: the defaults, stored with the next save or write.
  void NewOptionsPage() { optionsPage_->NewPage(); }
  // What the options page holds into the records, before a save or a write.
  void StoreIntoRecords() { optionsPage_->Store(); }
  // Nothing on the options page changes while the database moves to or from the radio.
  void SetTransferRunning(bool running) { optionsPage_->SetTransferRunning(running); }
  // Told after every edit the operator confirmed, with the file that now has unsaved changes.
  void SetEdited(std::function<void(varim::core::PrintedFile)> edited) {
    edited_ = std::move(edited);
  }

  void OpenChannels();
  void OpenGroups();
  void OpenScannedChannels();

 private:
  void Install(varim::core::CommandId id, std::function<void()> open);
  void OpenChannelAt(int number);
  void Edited(varim::core::PrintedFile file);

  varim::core::ConnectionController& controller_;
  Views views_;
  std::function<void()> help_;
  std::function<void(varim::core::PrintedFile)> edited_;
  QWidget* window_;
  QPushButton* scannedChannels_;
  std::unique_ptr<varim::panels::RadioOptionsPage> optionsPage_;
};

}  // namespace varim::ui
