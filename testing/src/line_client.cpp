#include "varim/testing/line_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace varim::testing {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left < 0 ? 0 : static_cast<int>(left);
}

}  // namespace

LineClient::LineClient(int port) {
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    Close();
}

LineClient::~LineClient() {
  Close();
}

void LineClient::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool LineClient::Send(std::string_view text) {
  while (!text.empty()) {
    const ssize_t sent = ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL);
    if (sent <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool LineClient::ReadMore(Clock::time_point deadline) {
  pollfd readable{fd_, POLLIN, 0};
  if (::poll(&readable, 1, MillisecondsUntil(deadline)) <= 0) return false;
  char buffer[4096];
  const ssize_t count = ::recv(fd_, buffer, sizeof buffer, 0);
  if (count <= 0) return false;
  received_.append(buffer, static_cast<std::size_t>(count));
  return true;
}

std::string LineClient::TakeLine() {
  const std::size_t end = received_.find('\n');
  if (end == std::string::npos) return {};
  std::string line = received_.substr(0, end + 1);
  received_.erase(0, end + 1);
  return line;
}

std::string LineClient::ReadLines(int count, Limit limit) {
  const auto deadline = Clock::now() + limit;
  std::string lines;
  while (count > 0) {
    const std::string line = TakeLine();
    if (line.empty()) {
      if (!ReadMore(deadline)) break;
      continue;
    }
    lines += line;
    --count;
  }
  return lines;
}

std::string LineClient::ReadThroughStatus(Limit limit) {
  const auto deadline = Clock::now() + limit;
  std::string lines;
  while (true) {
    const std::string line = TakeLine();
    if (line.empty()) {
      if (!ReadMore(deadline)) return lines;
      continue;
    }
    lines += line;
    if (line.rfind("RPRT", 0) == 0) return lines;
  }
}

bool LineClient::ClosedByServer(Limit limit) {
  const auto deadline = Clock::now() + limit;
  while (Clock::now() < deadline) {
    pollfd readable{fd_, POLLIN, 0};
    if (::poll(&readable, 1, MillisecondsUntil(deadline)) <= 0) return false;
    char buffer[4096];
    const ssize_t count = ::recv(fd_, buffer, sizeof buffer, 0);
    if (count == 0 || (count < 0 && errno == ECONNRESET)) return true;
  }
  return false;
}

}  // namespace varim::testing
