#include "serve_command.h"

#include <chrono>

#include "session_link.h"
#include "varim/netcontrol/rigctl_handler.h"
#include "varim/netcontrol/rigctl_server.h"
#include "varim/netcontrol/session_radio.h"
#include "varim/netcontrol/work_queue.h"

namespace varimctl {

using varim::netcontrol::WorkQueue;

int RunServe(const LinkOptions& link, const ServeOptions& options, const std::atomic<bool>& stop,
             std::ostream& out, std::ostream& err) {
  Link radioLink(err, false);
  if (!radioLink.Open(link, err)) return kExitPortUnavailable;
  varim::netcontrol::SessionRadio radio(radioLink.session);
  varim::netcontrol::RigctlHandler handler(radio, options.allowPtt);
  // Work for the radio runs here, on this thread, which alone uses the session.
  WorkQueue work;
  varim::netcontrol::RigctlServer server(
      handler, [&work](std::function<void()> job) { work.Post(std::move(job)); },
      {options.address, options.port});
  std::string error;
  if (!server.Start(&error)) {
    err << "varimctl: " << error << "\n";
    return kExitPortUnavailable;
  }
  out << "listening on " << server.ListeningAddress() << std::endl;

  constexpr auto kStopCheck = std::chrono::milliseconds(100);
  const auto end = options.seconds ? WorkQueue::Clock::now() +
                                         std::chrono::duration_cast<WorkQueue::Clock::duration>(
                                             std::chrono::duration<double>(*options.seconds))
                                   : WorkQueue::Clock::time_point::max();
  while (!stop) {
    const auto now = WorkQueue::Clock::now();
    if (now >= end) break;
    work.RunUntil(std::min(end, now + kStopCheck));
  }
  server.Stop();
  // The clients' departures, which end what they keyed, then whatever is still keyed.
  work.RunUntil(WorkQueue::Clock::now());
  handler.EndTransmit();
  if (handler.Transmitting()) {
    err << "varimctl: the radio did not take PTT off: it may still be transmitting\n";
    return kExitNoResponse;
  }
  return kExitOk;
}

}  // namespace varimctl
