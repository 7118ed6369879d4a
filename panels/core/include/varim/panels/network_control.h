#pragma once

#include <functional>
#include <memory>
#include <string>

#include "varim/core/connection_controller.h"

namespace varim::panels {

// What the operator chose for network control; the window remembers it between runs.
struct NetworkControlSettings {
  // Off until the operator switches it on: a port open to other programs is their choice.
  bool enabled = false;
  // Only this machine's programs, unless the operator names another address.
  std::string address = "127.0.0.1";
  int port = 4532;
  // Other programs may not key the transmitter unless the operator allows it.
  bool allowPtt = false;
  bool operator==(const NetworkControlSettings&) const = default;
};

// The window's rigctld, so digital-mode and logging programs tune and key the radio while the
// window keeps the line. Each request is posted to the window's thread and asks the radio
// through the window's own session, after any exchange already in flight; while the window's
// own work has the radio (a read, a write, a test) or no radio is ready, requests that would
// ask the radio are refused. Runs on the window's thread.
class NetworkControl {
 public:
  // Hands work to the window's thread from any thread.
  using Poster = std::function<void(std::function<void()>)>;

  NetworkControl(core::ConnectionController& controller, Poster post);
  // Ends a transmit a client keyed and closes the port; must go before the controller's link.
  ~NetworkControl();
  NetworkControl(const NetworkControl&) = delete;
  NetworkControl& operator=(const NetworkControl&) = delete;

  // Stops what is served and serves again as the settings say; false, with the reason, when
  // they switch it on and the address cannot be listened on. The settings are kept either way.
  bool Apply(const NetworkControlSettings& settings, std::string* error);
  // Stops serving, ending a transmit a client keyed; the settings stay.
  void Stop();
  const NetworkControlSettings& Settings() const { return settings_; }
  bool Serving() const { return service_ != nullptr; }
  // The port listened on while serving (the one given, or the one chosen for port 0).
  int Port() const;
  // A line for the operator: off, where it listens, or why it does not.
  std::string StatusText() const;

 private:
  class WindowRadio;
  // The radio side, the protocol and the port, kept alive by a request that is being handled.
  class Service;

  core::ConnectionController& controller_;
  Poster post_;
  NetworkControlSettings settings_;
  std::shared_ptr<Service> service_;
  std::string failure_;
};

}  // namespace varim::panels
