#pragma once

#include <QObject>
#include <QWidget>
#include <memory>

#include "varim/core/connection_controller.h"
#include "varim/panels/calls.h"

namespace varim::ui {

class CLinkDlg;
class CUpdateLinkQualityDlg;

// The ALE calls in the window: the calls' rules on the controller's seams and the two tabs
// that mirror them, ready for the channel form's tab row. Lives as long as the window.
class CCallsFeature : public QObject {
  Q_OBJECT

 public:
  CCallsFeature(varim::core::ConnectionController& controller, varim::core::Operator& op,
                QWidget* window);
  ~CCallsFeature() override;

  varim::panels::Calls& Feature() { return *calls_; }
  // The "ALE" and "Update Link Quality" tabs, to be handed to the channel form.
  QWidget* AleTab();
  QWidget* LinkQualityTab();

 private:
  std::unique_ptr<varim::panels::Calls> calls_;
  CLinkDlg* ale_;
  CUpdateLinkQualityDlg* linkQuality_;
};

}  // namespace varim::ui
