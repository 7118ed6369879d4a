#pragma once

#include <functional>
#include <vector>

#include "varim/core/controller_view.h"

namespace varim::testing {

// The window as the connection controller sees it: keeps what it was asked to show, and tells
// a test of panels switched and state changed.
class RecordingView : public core::ControllerView {
 public:
  void EnablePanels(bool enabled) override {
    panels.push_back(enabled);
    if (onEnable) onEnable(enabled);
  }
  void BusyChanged(bool isBusy) override { busy.push_back(isBusy); }
  void StateChanged() override {
    if (onStateChanged) onStateChanged();
  }
  void ShowPleaseWait(bool shown) override { pleaseWait.push_back(shown); }
  void ShowOperationDone(int ms) override { doneMs.push_back(ms); }
  void ProgressStarted(core::TransferMode mode) override { started.push_back(mode); }
  void ProgressChanged(const core::ProgressView& view) override {
    views.push_back(view);
    if (onProgress) onProgress(view);
  }
  void ProgressFinished() override { ++finished; }

  std::vector<bool> panels, busy, pleaseWait;
  std::vector<int> doneMs;
  std::vector<core::TransferMode> started;
  std::vector<core::ProgressView> views;
  int finished = 0;
  std::function<void(bool)> onEnable;
  std::function<void()> onStateChanged;
  std::function<void(const core::ProgressView&)> onProgress;
};

}  // namespace varim::testing
