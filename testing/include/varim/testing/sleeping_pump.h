#pragma once

#include "varim/core/event_pump.h"

namespace varim::testing {

// The pump of a program without a window: there is nothing to keep live, so a wait only sleeps.
class SleepingPump : public core::EventPump {
 public:
  void Dispatch() override {}
  void Wait(int ms) override;
};

}  // namespace varim::testing
