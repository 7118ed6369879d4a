#pragma once

#include <netinet/in.h>

#include <cstdint>

#include "varim/export.h"

// A small TCP stream client. It keeps a three-valued state and closes itself when the peer
// goes away or a call fails hard, ready for a new Create.
class VARIM_API CTcpClientSocket {
 public:
  enum State { kNoSocket = 0, kCreated = 1, kConnected = 2 };
  static constexpr int kConnectWaitMs = 500;

  CTcpClientSocket() = default;
  virtual ~CTcpClientSocket();
  CTcpClientSocket(const CTcpClientSocket&) = delete;
  CTcpClientSocket& operator=(const CTcpClientSocket&) = delete;

  // Closes any previous socket and makes a new one bound to nothing in particular. host, when
  // given, must be a dotted IPv4 address; null means any address.
  virtual bool Create(const char* host, std::uint16_t port, bool blocking);
  virtual void Close();

  // Needs a created socket. A non-blocking connect waits up to 500 ms for the connection, and
  // succeeds only when the connection was really made.
  bool Connect(const char* host, std::uint16_t port);
  // Needs a connection. True only when every byte went; after a partial send length holds the
  // bytes sent. A peer that closed, or a hard error, closes the socket.
  bool Send(const void* buffer, int* length, int flags = 0);
  // Needs a connection. True when at least one byte arrived; length is then the count.
  bool Receive(void* buffer, int* length, int flags = 0);

  State GetState() const { return state_; }

 private:
  bool TransferFailed(long result);

  State state_ = kNoSocket;
  sockaddr_in localAddress_{};
  sockaddr_in peerAddress_{};
  int socket_ = -1;
  bool blocking_ = true;
};
