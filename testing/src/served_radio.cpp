#include "varim/testing/served_radio.h"

namespace varim::testing {

ServedRadio::ServedRadio(sim::SimOptions radio, Options options)
    : radio_(std::move(radio)),
      session_(operator_, pump_),
      side_(session_),
      handler_(side_, options.pttAllowed),
      server_(handler_, [this](std::function<void()> work) { work_.Post(std::move(work)); },
              {"127.0.0.1", 0, options.pttTimeout}) {}

ServedRadio::~ServedRadio() {
  server_.Stop();
  stop_ = true;
  if (owner_.joinable()) owner_.join();
}

bool ServedRadio::Start() {
  if (!radio_.Start() || !session_.Open(radio_.DevicePath(), 9600) || !server_.Start(nullptr))
    return false;
  owner_ = std::thread([this] {
    constexpr auto kStopCheck = std::chrono::milliseconds(50);
    while (!stop_) work_.RunUntil(netcontrol::WorkQueue::Clock::now() + kStopCheck);
    // What the server handed over as it stopped: the clients' departures.
    work_.RunUntil(netcontrol::WorkQueue::Clock::now());
  });
  return true;
}

}  // namespace varim::testing
