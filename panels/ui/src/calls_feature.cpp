#include "calls_feature.h"

#include "link_dlg.h"

namespace varim::ui {

CCallsFeature::CCallsFeature(varim::core::ConnectionController& controller,
                             varim::core::Operator& op, QWidget* window)
    : QObject(window),
      calls_(varim::panels::Calls::For(controller, op)),
      ale_(new CLinkDlg(
          *calls_, [&controller] { controller.Commands().Run(varim::core::CommandId::kStack); },
          window)),
      linkQuality_(new CUpdateLinkQualityDlg(*calls_, window)) {
  // Until the channel form takes them into its tab row, the tabs are not shown.
  ale_->hide();
  linkQuality_->hide();
  calls_->SetChanged([this] {
    ale_->Mirror();
    linkQuality_->Mirror();
  });
  calls_->UpdateLinkInfo();
}

// The tabs mirror the calls: they must not hear of them once the feature is gone.
CCallsFeature::~CCallsFeature() {
  calls_->SetChanged({});
}

QWidget* CCallsFeature::AleTab() {
  return ale_;
}

QWidget* CCallsFeature::LinkQualityTab() {
  return linkQuality_;
}

}  // namespace varim::ui
