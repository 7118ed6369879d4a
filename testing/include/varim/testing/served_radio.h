#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "varim/core/radio_session.h"
#include "varim/netcontrol/rigctl_handler.h"
#include "varim/netcontrol/rigctl_server.h"
#include "varim/netcontrol/session_radio.h"
#include "varim/netcontrol/work_queue.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/sleeping_pump.h"

namespace varim::testing {

// The simulated radio served over TCP as a program serves it: a session on the radio's line, the
// rigctld handler and server, and a thread of the program's own that runs the work the server
// hands it, as varimctl's main loop does.
class ServedRadio {
 public:
  struct Options {
    bool pttAllowed = false;
    std::chrono::milliseconds pttTimeout{60'000};
  };

  ServedRadio(sim::SimOptions radio, Options options);
  ~ServedRadio();
  ServedRadio(const ServedRadio&) = delete;
  ServedRadio& operator=(const ServedRadio&) = delete;

  // Starts the radio, opens the line and serves it on a free port of this machine.
  bool Start();
  int Port() const { return server_.Port(); }
  sim::SimulatedRadio& Radio() { return radio_; }

 private:
  sim::SimulatedRadio radio_;
  RecordingOperator operator_;
  SleepingPump pump_;
  core::RadioSession session_;
  netcontrol::SessionRadio side_;
  netcontrol::RigctlHandler handler_;
  netcontrol::WorkQueue work_;
  netcontrol::RigctlServer server_;
  std::atomic<bool> stop_{false};
  std::thread owner_;
};

}  // namespace varim::testing
