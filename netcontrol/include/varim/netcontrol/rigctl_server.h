#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "varim/netcontrol/rigctl_handler.h"

namespace varim::netcontrol {

// Hamlib's rigctld on a TCP port, for any number of clients. The server's thread only moves
// bytes; each request line goes to the handler as work posted to the thread that owns the
// radio's session, one line of a client at a time, and its answer comes back to the client.
// Nothing on the server's thread waits for the radio or for a client, so a slow or vanished
// client holds up neither the radio nor the others.
class RigctlServer {
 public:
  // Hands work to the thread that owns the radio's session; called from the server's thread.
  using Poster = std::function<void(std::function<void()>)>;

  struct Options {
    // Only this machine's programs, unless another address is given.
    std::string address = "127.0.0.1";
    int port = 4532;  // 0: any free port
    // A client that keyed the transmitter and then sends nothing for this long loses it.
    std::chrono::milliseconds pttTimeout{60'000};
  };

  // Answers a client has not read are kept up to this many bytes; a client that lets more pile
  // up is dropped.
  static constexpr std::size_t kOutputCap = 64 * 1024;
  // Lines waiting for their turn; while a client has this many, it is not read.
  static constexpr std::size_t kWaitingLines = 32;

  // The handler must outlive the work posted, whether that work runs or not.
  RigctlServer(RigctlHandler& handler, Poster post, Options options);
  ~RigctlServer();
  RigctlServer(const RigctlServer&) = delete;
  RigctlServer& operator=(const RigctlServer&) = delete;

  // Listens and starts the server's thread; false with the reason when the address cannot be
  // listened on.
  bool Start(std::string* error);
  // Closes every client, telling the handler that each one left, and stops listening.
  void Stop();
  // The port listened on, once started.
  int Port() const { return port_; }
  // "127.0.0.1:4532", once started.
  const std::string& ListeningAddress() const { return listening_; }

 private:
  // Where answers wait for the server's thread, shared with the work posted.
  class Mailbox;
  // The server thread's clients and their buffers.
  class Connections;

  RigctlHandler& handler_;
  Poster post_;
  const Options options_;
  int listenFd_ = -1;
  int port_ = 0;
  std::string listening_;
  std::shared_ptr<Mailbox> mailbox_;
  std::atomic<bool> stopRequested_{false};
  std::thread thread_;
};

}  // namespace varim::netcontrol
