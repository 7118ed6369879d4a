#pragma once

#include "varim/core/transfer_progress.h"

namespace varim::core {

// What the window does for the connection controller. Every call comes on the window's thread
// except ProgressChanged, which comes on the thread that runs the transfer.
class ControllerView {
 public:
  virtual ~ControllerView() = default;
  // The panels that talk to the radio take input, or not.
  virtual void EnablePanels(bool enabled) = 0;
  // The database editors take input once the start-up connection was tried, radio or not: a
  // file can be prepared without one.
  virtual void EnableEditors() {}
  // Before a read replaces every record: false keeps them (the operator kept unsaved edits).
  virtual bool MayReplaceRecords() { return true; }
  // A long command started or ended: the status line, the Close item and the commands follow.
  virtual void BusyChanged(bool busy) = 0;
  // What the controller knows of the radio changed: generation, CCIR, toggles, sliders,
  // channel list, status-bar texts. The window asks again for what it shows.
  virtual void StateChanged() = 0;
  // The modeless "Please wait" box while the radio restarts.
  virtual void ShowPleaseWait(bool shown) = 0;
  // The box that says the operation completed, hidden again after ms milliseconds.
  virtual void ShowOperationDone(int ms) = 0;
  // The progress dialog of a database transfer, with its Abort button.
  virtual void ProgressStarted(TransferMode mode) = 0;
  virtual void ProgressChanged(const ProgressView& view) = 0;
  virtual void ProgressFinished() = 0;
};

}  // namespace varim::core
