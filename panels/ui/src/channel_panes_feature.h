#pragma once

#include <QObject>

#include "varim/core/connection_controller.h"
#include "varim/panels/channel_panes.h"

namespace varim::ui {

// The clarifier and notch-filter panes' rules for as long as the window lives.
class CChannelPanesFeature : public QObject {
  Q_OBJECT

 public:
  CChannelPanesFeature(varim::core::ConnectionController& controller, QObject* parent);

  varim::panels::ChannelPanes& Panes() { return panes_; }

 private:
  varim::panels::ChannelPanes panes_;
};

}  // namespace varim::ui
