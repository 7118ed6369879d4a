#pragma once

#include <QObject>
#include <QPushButton>
#include <QTableWidget>

#include <functional>

#include "varim/core/connection_controller.h"

namespace varim::ui {

// The editors of the radio's channels, scan groups and the nets' scanned channels: the RSS
// panel's channel table and group summary show the records, Channel Configuration and Groups
// edit them from the RSS panel, Scanned Channels from the ALE panel.
class CRssEditorsFeature : public QObject {
  Q_OBJECT

 public:
  struct Views {
    QTableWidget* channels;
    QTableWidget* groups;
    QWidget* aleEditor;  // takes the Scanned Channels button
  };

  CRssEditorsFeature(varim::core::ConnectionController& controller, Views views,
                     std::function<void()> help, QWidget* window);

  // The tables from the records, after a read, a file or an edit.
  void Refresh();
  // Told after every edit the operator confirmed.
  void SetEdited(std::function<void()> edited) { edited_ = std::move(edited); }

  void OpenChannels();
  void OpenGroups();
  void OpenScannedChannels();

 private:
  void Install(varim::core::CommandId id, std::function<void()> open);
  void OpenChannelAt(int number);
  void Edited();

  varim::core::ConnectionController& controller_;
  Views views_;
  std::function<void()> help_;
  std::function<void()> edited_;
  QWidget* window_;
  QPushButton* scannedChannels_;
};

}  // namespace varim::ui
