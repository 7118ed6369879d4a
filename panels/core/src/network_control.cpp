#include "varim/panels/network_control.h"

#include "varim/netcontrol/rigctl_handler.h"
#include "varim/netcontrol/rigctl_server.h"
#include "varim/netcontrol/session_radio.h"

namespace varim::panels {

// The window's session, free while the window's own work leaves the radio alone.
class NetworkControl::WindowRadio : public netcontrol::SessionRadio {
 public:
  explicit WindowRadio(core::ConnectionController& controller)
      : SessionRadio(controller.Session()), controller_(controller) {}

  bool Free() override { return controller_.RadioReady() && !controller_.Busy(); }

 private:
  core::ConnectionController& controller_;
};

class NetworkControl::Service {
 public:
  Service(core::ConnectionController& controller, bool allowPtt)
      : radio(controller), handler(radio, allowPtt) {}
  ~Service() {
    if (server) server->Stop();
    // A transmit a client keyed never outlives what it was keyed through.
    handler.EndTransmit();
  }
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  WindowRadio radio;
  netcontrol::RigctlHandler handler;
  std::unique_ptr<netcontrol::RigctlServer> server;
};

NetworkControl::NetworkControl(core::ConnectionController& controller, Poster post)
    : controller_(controller), post_(std::move(post)) {}

NetworkControl::~NetworkControl() {
  Stop();
}

bool NetworkControl::Apply(const NetworkControlSettings& settings, std::string* error) {
  // The clients of a server that would start again the same keep their connections.
  if (service_ && settings == settings_) return true;
  Stop();
  settings_ = settings;
  failure_.clear();
  if (!settings.enabled) return true;
  auto service = std::make_shared<Service>(controller_, settings.allowPtt);
  // A request runs on the window's thread when the window gets to it; the service may have been
  // stopped by then, or be stopped while the request waits for the radio (the window handles
  // its events meanwhile), so each request holds it for as long as it runs.
  const std::weak_ptr<Service> alive = service;
  service->server = std::make_unique<netcontrol::RigctlServer>(
      service->handler,
      [post = post_, alive](std::function<void()> request) {
        post([alive, request = std::move(request)] {
          if (const std::shared_ptr<Service> held = alive.lock()) request();
        });
      },
      netcontrol::RigctlServer::Options{settings.address, settings.port});
  if (!service->server->Start(&failure_)) {
    if (error != nullptr) *error = failure_;
    return false;
  }
  service_ = std::move(service);
  return true;
}

void NetworkControl::Stop() {
  if (!service_) return;
  // The port closes now; a request still running keeps the rest until it ends.
  service_->server->Stop();
  service_.reset();
}

int NetworkControl::Port() const {
  return service_ ? service_->server->Port() : 0;
}

std::string NetworkControl::StatusText() const {
  if (service_) {
    return "Listening on " + service_->server->ListeningAddress() +
           " for Hamlib's NET rigctl (model 2); keying the transmitter is " +
           (settings_.allowPtt ? "allowed." : "refused.");
  }
  if (!failure_.empty()) return "Network control is not serving: " + failure_ + ".";
  return "Network control is off.";
}

}  // namespace varim::panels
