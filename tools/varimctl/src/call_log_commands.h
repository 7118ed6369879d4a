#pragma once

#include <ostream>
#include <string>

namespace varimctl {

// Which list of calls, from which folder, in which form.
struct LogOptions {
  bool stack = false;
  std::string dir = ".";
  bool csv = false;
};

// Prints the call log (or the stack) kept in the folder's log.txt (stack.txt), newest first:
// a table with the grid's columns and the message, or the same as CSV.
int RunLog(const LogOptions& options, std::ostream& out, std::ostream& err);

}  // namespace varimctl
