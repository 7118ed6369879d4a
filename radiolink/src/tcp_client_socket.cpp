#include "varim/tcp_client_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

bool ParseAddress(const char* host, std::uint16_t port, sockaddr_in& address) {
  address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  if (host == nullptr) {
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    return true;
  }
  return ::inet_pton(AF_INET, host, &address.sin_addr) == 1;
}

}  // namespace

CTcpClientSocket::~CTcpClientSocket() {
  Close();
}

bool CTcpClientSocket::Create(const char* host, std::uint16_t port, bool blocking) {
  Close();
  blocking_ = blocking;
  sockaddr_in address{};
  if (!ParseAddress(host, port, address)) return false;
  socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_ < 0) return false;
  localAddress_ = address;
  if (!blocking) {
    const int flags = ::fcntl(socket_, F_GETFL);
    if (flags < 0 || ::fcntl(socket_, F_SETFL, flags | O_NONBLOCK) != 0) {
      Close();
      return false;
    }
  }
  state_ = kCreated;
  return true;
}

void CTcpClientSocket::Close() {
  if (socket_ >= 0) {
    ::close(socket_);
    socket_ = -1;
  }
  state_ = kNoSocket;
}

bool CTcpClientSocket::Connect(const char* host, std::uint16_t port) {
  if (state_ != kCreated || host == nullptr) return false;
  sockaddr_in address{};
  if (!ParseAddress(host, port, address)) return false;
  peerAddress_ = address;
  if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
      errno == EISCONN) {
    state_ = kConnected;
    return true;
  }
  if (errno != EINPROGRESS) return false;
  pollfd writable{socket_, POLLOUT, 0};
  if (::poll(&writable, 1, kConnectWaitMs) <= 0) return false;
  // A refused or unreachable peer also makes the socket writable; only a clear pending error
  // means the connection is up.
  int pendingError = 0;
  socklen_t size = sizeof pendingError;
  if (::getsockopt(socket_, SOL_SOCKET, SO_ERROR, &pendingError, &size) != 0 || pendingError != 0)
    return false;
  state_ = kConnected;
  return true;
}

bool CTcpClientSocket::TransferFailed(long result) {
  // Would-block keeps the connection; a peer that closed (0 bytes) or a hard error ends it.
  if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return false;
  Close();
  return false;
}

bool CTcpClientSocket::Send(const void* buffer, int* length, int flags) {
  if (state_ != kConnected || length == nullptr || *length < 0) return false;
  const ssize_t sent =
      ::send(socket_, buffer, static_cast<std::size_t>(*length), flags | MSG_NOSIGNAL);
  if (sent <= 0 && *length > 0) return TransferFailed(sent);
  if (sent < *length) {
    *length = static_cast<int>(sent);
    return false;
  }
  return true;
}

bool CTcpClientSocket::Receive(void* buffer, int* length, int flags) {
  if (state_ != kConnected || length == nullptr || *length <= 0) return false;
  const ssize_t received = ::recv(socket_, buffer, static_cast<std::size_t>(*length), flags);
  if (received <= 0) {
    *length = 0;
    return TransferFailed(received);
  }
  *length = static_cast<int>(received);
  return true;
}
