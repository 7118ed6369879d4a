#pragma once

#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>

#include "varim/core/connection_controller.h"
#include "varim/panels/ale_net_form.h"

namespace varim::ui {

class CAleNetFormView;

// The ALE data's editors: the RSS ALE panel's net form, which writes each change at once; the
// directory, the messages and the automatic dials from the panel's menu, and each net's members
// and global members from its buttons, each on a copy that OK hands to the records.
class CAleEditorsFeature : public QObject {
  Q_OBJECT

 public:
  CAleEditorsFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
                     QWidget* aleEditor, std::function<void()> help, QWidget* window);

  // Told after every edit the operator confirmed.
  void SetEdited(std::function<void()> edited) { edited_ = std::move(edited); }
  // The net form from the records, after a read or a file.
  void Reload();

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
  std::unique_ptr<varim::panels::AleNetForm> form_;
  CAleNetFormView* formView_;
};

}  // namespace varim::ui
