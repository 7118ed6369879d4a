#pragma once

#include <ostream>

#include "commands.h"
#include "terminal_io.h"
#include "varim/core/radio_session.h"
#include "varim/port_names.h"

namespace varimctl {

// Opens the session's line as the options say, with the frame trace when one was asked for;
// false (after saying why) when the port cannot be opened.
inline bool OpenSession(varim::core::RadioSession& session, const LinkOptions& options,
                        std::ostream& err) {
  session.Engine().SetFrameTrace(options.trace);
  const bool opened = options.device.empty() ? session.Open(options.port, options.baud)
                                             : session.Open(options.device, options.baud);
  if (!opened)
    err << "varimctl: " << DescribePortError(session.PortError(), session.Device()) << "\n";
  return opened;
}

// A session on the link; false (after saying why) when the port cannot be opened.
struct Link {
  Link(std::ostream& err, bool assumeYes) : op(err, assumeYes), session(op, pump) {}

  bool Open(const LinkOptions& options, std::ostream& err) {
    return OpenSession(session, options, err);
  }

  TerminalOperator op;
  TerminalPump pump;
  varim::core::RadioSession session;
};

}  // namespace varimctl
