#pragma once

#include <QObject>
#include <QWidget>

#include <functional>

#include "varim/core/connection_controller.h"

namespace varim::ui {

// The ALE data's editors: the directory, the messages and the automatic dials from the RSS ALE
// panel's menu, each net's members and global members from its buttons. Each works on a copy
// that OK hands to the records.
class CAleEditorsFeature : public QObject {
  Q_OBJECT

 public:
  CAleEditorsFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
                     QWidget* aleEditor, std::function<void()> help, QWidget* window);

  // Told after every edit the operator confirmed.
  void SetEdited(std::function<void()> edited) { edited_ = std::move(edited); }

  void OpenDirectory();
  void OpenMembers(bool global);
  void OpenMessages();
  void OpenAutoDials();

 private:
  void Edited();

  varim::core::ConnectionController& controller_;
  varim::core::Operator& operator_;
  std::function<void()> help_;
  std::function<void()> edited_;
  QWidget* window_;
};

}  // namespace varim::ui
