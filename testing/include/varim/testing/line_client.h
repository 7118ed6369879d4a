#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace varim::testing {

// A TCP client on this machine that speaks in lines, as a Hamlib program talks to rigctld.
// Every wait ends at its limit, so a server that does not answer fails a test instead of
// stalling it.
class LineClient {
 public:
  using Limit = std::chrono::milliseconds;
  static constexpr Limit kPatience{10'000};

  explicit LineClient(int port);
  ~LineClient();
  LineClient(const LineClient&) = delete;
  LineClient& operator=(const LineClient&) = delete;

  bool Connected() const { return fd_ >= 0; }
  bool Send(std::string_view text);
  // The next count lines, each with its newline; fewer when the limit passed first.
  std::string ReadLines(int count, Limit limit = kPatience);
  // The lines up to and with the next that starts with "RPRT".
  std::string ReadThroughStatus(Limit limit = kPatience);
  // True when the server closes the connection within the limit; what it sent before is dropped.
  bool ClosedByServer(Limit limit = kPatience);
  void Close();

 private:
  // Reads what is there, waiting until the deadline for something; false at the end of the
  // stream or the deadline.
  bool ReadMore(std::chrono::steady_clock::time_point deadline);
  std::string TakeLine();

  int fd_ = -1;
  std::string received_;
};

}  // namespace varim::testing
