#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "varim/netcontrol/hamlib_status.h"
#include "varim/netcontrol/radio_side.h"

namespace varim::netcontrol {

using ClientId = std::uint64_t;

// The answer to one request line: complete lines, or nothing.
struct Reply {
  std::string text;
  bool closeClient = false;
};

// Hamlib's rigctld protocol for one radio, without any socket: one request line of one client in,
// its answer out, in the default form or, for a line that starts with punctuation, the extended
// one. It remembers which client keyed the transmitter, so that a client that goes away or falls
// silent does not leave the radio transmitting. Runs on the thread that owns the radio's session.
class RigctlHandler {
 public:
  RigctlHandler(RadioSide& radio, bool pttAllowed);

  Reply Handle(ClientId client, std::string_view line);
  // The client disconnected, or sent nothing for the PTT timeout: a transmit it keyed ends.
  void ClientLeft(ClientId client);
  void ClientSilent(ClientId client) { ClientLeft(client); }
  // Ends a transmit whichever client keyed it, as the server stops.
  void EndTransmit();
  bool Transmitting() const { return transmitter_.has_value(); }

 private:
  using Arguments = std::vector<std::string_view>;
  // One value of an answer; a line of its own when it has no key.
  struct Field {
    std::string key;
    std::string value;
  };
  struct Outcome {
    Outcome(HamlibStatus result = HamlibStatus::kOk, std::vector<Field> values = {},
            bool close = false)
        : status(result), fields(std::move(values)), closeClient(close) {}
    HamlibStatus status;
    std::vector<Field> fields;
    bool closeClient;
  };
  struct Command {
    char shortName;  // '\0': the long name only
    std::string_view longName;
    std::size_t arguments;  // at least
    // Asks the radio, so it waits for the radio to be free; PTT decides for itself, as switching
    // the transmitter off is never held back.
    bool asksRadio;
    Outcome (RigctlHandler::*run)(ClientId client, const Arguments& arguments);
  };
  static const Command kCommands[];

  static std::string Answer(std::string_view longName, const Arguments& arguments,
                            const Outcome& outcome, char separator);

  Outcome GetFrequency(ClientId, const Arguments&);
  Outcome SetFrequency(ClientId, const Arguments& arguments);
  Outcome GetMode(ClientId, const Arguments&);
  Outcome SetMode(ClientId, const Arguments& arguments);
  Outcome GetVfo(ClientId, const Arguments&);
  Outcome SetVfo(ClientId, const Arguments& arguments);
  Outcome GetPtt(ClientId, const Arguments&);
  Outcome SetPtt(ClientId client, const Arguments& arguments);
  Outcome GetSplit(ClientId, const Arguments&);
  Outcome SetSplit(ClientId, const Arguments& arguments);
  Outcome GetPowerStatus(ClientId, const Arguments&);
  Outcome CheckVfo(ClientId, const Arguments&);
  Outcome DumpStateCommand(ClientId, const Arguments&);
  Outcome DumpCapsCommand(ClientId, const Arguments&);
  Outcome GetLockMode(ClientId, const Arguments&);
  Outcome Quit(ClientId, const Arguments&);

  RadioSide& radio_;
  const bool pttAllowed_;
  // The client whose request keyed the transmitter, while it is keyed.
  std::optional<ClientId> transmitter_;
};

}  // namespace varim::netcontrol
