#pragma once

#include <filesystem>
#include <memory>

#include "varim/core/connection_controller.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/queue_pump.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/recording_view.h"

namespace varim::testing {

// A connection controller as the window runs it — a start-up folder of its own, the window's
// queue, an operator and a view that record what they are told — and the simulated radio on its
// port. The tests of the features that ride on the controller build on it; features made on its
// controller must be gone before it is.
class ControllerOnRadio {
 public:
  ControllerOnRadio();
  ~ControllerOnRadio();
  ControllerOnRadio(const ControllerOnRadio&) = delete;
  ControllerOnRadio& operator=(const ControllerOnRadio&) = delete;

  // Starts the radio on the controller's port and makes the start-up connection, as the
  // window does; true when the radio was read and is ready.
  bool Connect(sim::SimOptions options);

  core::ConnectionController& Controller() { return *controller_; }
  sim::SimulatedRadio& Radio() { return *radio_; }

  RecordingOperator op;
  QueuePump pump;
  RecordingView view;

 private:
  std::filesystem::path folder_;
  std::unique_ptr<core::ConnectionController> controller_;
  std::unique_ptr<sim::SimulatedRadio> radio_;
};

}  // namespace varim::testing
