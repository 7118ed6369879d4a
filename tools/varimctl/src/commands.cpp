#include "commands.h"

#include <chrono>
#include <memory>

#include "builder_catalogue.h"
#include "frame_text.h"
#include "varim/core/operator_texts.h"
#include "varim/message_engine.h"
#include "varim/port_names.h"

namespace varimctl {

namespace {

// Builds the named frame; on failure returns the exit code and has said why.
std::optional<int> Build(const std::string& name, const std::vector<std::string>& args,
                         CRadioMessage& frame, std::ostream& err) {
  const BuilderEntry* entry = FindBuilder(name);
  if (entry == nullptr) {
    err << "varimctl: no builder is called '" << name << "' (varimctl frame --list shows them)\n";
    return kExitUsage;
  }
  std::vector<ArgValue> values;
  std::string error;
  if (!ParseArgs(*entry, args, values, error)) {
    err << "varimctl: " << name << ": " << error << "\n";
    return kExitUsage;
  }
  if (entry->build(&frame, BuilderArgs(std::move(values))) != 1) {
    err << "refused\n";
    return kExitNoResponse;
  }
  return std::nullopt;
}

// An engine with its port open and its receive thread running, closed in order at the end.
class OpenLink {
 public:
  ~OpenLink() {
    engine_.DisconnectSocket(1);
    engine_.CloseComPort();
  }

  bool Open(const LinkOptions& link, std::ostream& err) {
    engine_.SetFrameTrace(link.trace);
    const bool opened = link.device.empty()
                            ? engine_.OpenComPort(link.port, link.baud) == 1
                            : engine_.OpenComPort(link.device.c_str(), link.baud) == 1;
    if (!opened) {
      err << "varimctl: cannot open the radio's port: "
          << DescribePortError(engine_.GetPortError(), engine_.GetDevice()) << "\n";
      return false;
    }
    return engine_.ConnectSocket(link.baud, 1) == 1;
  }

  MessageEngine& Engine() { return engine_; }

 private:
  MessageEngine engine_;
};

int NoResponse(std::ostream& err) {
  err << varim::core::texts::kRadioDoesNotRespond << "\n";
  return kExitNoResponse;
}

}  // namespace

int RunFrame(const std::string& name, const std::vector<std::string>& args, std::ostream& out,
             std::ostream& err) {
  CRadioMessage frame;
  if (const auto failure = Build(name, args, frame, err)) return *failure;
  out << FrameHex(frame) << "\n";
  return kExitOk;
}

int RunSend(const LinkOptions& link, const std::string& name, const std::vector<std::string>& args,
            std::optional<int> answerOpcode, bool verbose, std::ostream& out, std::ostream& err) {
  CRadioMessage request;
  if (const auto failure = Build(name, args, request, err)) return *failure;
  OpenLink radio;
  if (!radio.Open(link, err)) return kExitPortUnavailable;
  MessageEngine& engine = radio.Engine();
  if (verbose) err << "> " << FrameHex(request) << "\n";
  if (!answerOpcode) return engine.SendRadioMessage(&request) == 1 ? kExitOk : NoResponse(err);

  // The gate keeps the answer in the buffer for us until we collect it.
  engine.LockGetMessage();
  if (engine.SendRadioMessage(&request) != 1) return NoResponse(err);
  CRadioMessage answer;
  if (engine.GetMessageWithOpcode(&answer, *answerOpcode) != 1) return NoResponse(err);
  if (verbose) err << "< " << FrameHex(answer) << "\n";
  out << FrameHex(answer) << "\n";
  return kExitOk;
}

int RunMonitor(const LinkOptions& link, std::optional<double> seconds,
               const std::atomic<bool>& stop, std::ostream& out, std::ostream& err) {
  OpenLink radio;
  if (!radio.Open(link, err)) return kExitPortUnavailable;
  using Clock = std::chrono::steady_clock;
  const auto end = seconds ? Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                std::chrono::duration<double>(*seconds))
                           : Clock::time_point::max();
  while (!stop && Clock::now() < end) {
    CRadioMessage frame;
    if (radio.Engine().GetMessageA(&frame, 1) == 1) out << FrameHex(frame) << std::endl;
  }
  return kExitOk;
}

}  // namespace varimctl
