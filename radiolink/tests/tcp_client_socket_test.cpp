#include "varim/tcp_client_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <future>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Clock = std::chrono::steady_clock;
// Loopback answers in microseconds; two seconds only guards against a hang.
constexpr auto kDeadline = std::chrono::seconds(2);
constexpr int kDeadlineMs = 2000;
constexpr char kLoopback[] = "127.0.0.1";

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// Plays the server side: a listening socket on an ephemeral loopback port, plus a bound socket
// that never listens, so "nothing listens there" holds without racing other processes for a port.
class TcpClientSocketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    listener_.Reset(::socket(AF_INET, SOCK_STREAM, 0));
    ASSERT_GE(listener_.get(), 0);
    ASSERT_NO_FATAL_FAILURE(BindToEphemeralPort(listener_.get(), &port_));
    ASSERT_EQ(::listen(listener_.get(), 4), 0);
    silent_.Reset(::socket(AF_INET, SOCK_STREAM, 0));
    ASSERT_GE(silent_.get(), 0);
    ASSERT_NO_FATAL_FAILURE(BindToEphemeralPort(silent_.get(), &silentPort_));
  }

  static void BindToEphemeralPort(int fd, std::uint16_t* port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    socklen_t size = sizeof address;
    ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size), 0);
    *port = ntohs(address.sin_port);
  }

  // The kernel completes the handshake from the backlog, so the client connects before this.
  void Accept() {
    pollfd readable{listener_.get(), POLLIN, 0};
    ASSERT_EQ(::poll(&readable, 1, kDeadlineMs), 1) << "no connection arrived";
    peer_.Reset(::accept(listener_.get(), nullptr, nullptr));
    ASSERT_GE(peer_.get(), 0);
  }

  // Everything the client sent until it closed, so stray extra bytes are caught too.
  std::vector<std::uint8_t> ReadUntilClosed() {
    std::vector<std::uint8_t> bytes;
    for (;;) {
      pollfd readable{peer_.get(), POLLIN, 0};
      if (::poll(&readable, 1, kDeadlineMs) != 1) {
        ADD_FAILURE() << "the client never closed";
        return bytes;
      }
      std::uint8_t chunk[64];
      const ssize_t count = ::recv(peer_.get(), chunk, sizeof chunk, 0);
      if (count <= 0) return bytes;
      bytes.insert(bytes.end(), chunk, chunk + count);
    }
  }

  void ConnectBlocking() {
    ASSERT_TRUE(client_.Create(nullptr, 0, true));
    ASSERT_TRUE(client_.Connect(kLoopback, port_));
    ASSERT_NO_FATAL_FAILURE(Accept());
  }

  CTcpClientSocket client_;
  Fd listener_;
  Fd silent_;
  Fd peer_;
  std::uint16_t port_ = 0;
  std::uint16_t silentPort_ = 0;
};

TEST(TcpClientSocketStateTest, CreateAndCloseMoveBetweenNoSocketAndCreated) {
  CTcpClientSocket client;
  EXPECT_EQ(client.GetState(), CTcpClientSocket::kNoSocket);
  client.Close();  // Closing nothing is harmless.
  EXPECT_EQ(client.GetState(), CTcpClientSocket::kNoSocket);

  EXPECT_TRUE(client.Create(nullptr, 4000, false));  // No host means any address.
  EXPECT_EQ(client.GetState(), CTcpClientSocket::kCreated);
  EXPECT_TRUE(client.Create(kLoopback, 4000, true));  // A second Create starts over.
  EXPECT_EQ(client.GetState(), CTcpClientSocket::kCreated);
  client.Close();
  EXPECT_EQ(client.GetState(), CTcpClientSocket::kNoSocket);
}

TEST(TcpClientSocketStateTest, CreateRejectsHostsThatAreNotDottedIpv4) {
  for (const char* host : {"localhost", "radio.example", "256.1.2.3", "::1"}) {
    CTcpClientSocket client;
    EXPECT_FALSE(client.Create(host, 4000, true)) << host;
    EXPECT_EQ(client.GetState(), CTcpClientSocket::kNoSocket) << host;
  }
  // The old socket is closed before the host is checked.
  CTcpClientSocket client;
  ASSERT_TRUE(client.Create(nullptr, 0, true));
  EXPECT_FALSE(client.Create("localhost", 0, true));
  EXPECT_EQ(client.GetState(), CTcpClientSocket::kNoSocket);
}

TEST(TcpClientSocketStateTest, CallsOutOfStateFailWithoutChangingIt) {
  CTcpClientSocket client;
  std::uint8_t buffer[4] = {1, 2, 3, 4};
  int length = sizeof buffer;
  EXPECT_FALSE(client.Connect(kLoopback, 4000));
  EXPECT_FALSE(client.Send(buffer, &length));
  EXPECT_FALSE(client.Receive(buffer, &length));
  EXPECT_EQ(client.GetState(), CTcpClientSocket::kNoSocket);

  ASSERT_TRUE(client.Create(nullptr, 0, false));
  EXPECT_FALSE(client.Send(buffer, &length));
  EXPECT_FALSE(client.Receive(buffer, &length));
  EXPECT_FALSE(client.Connect("localhost", 4000));
  EXPECT_EQ(client.GetState(), CTcpClientSocket::kCreated);
}

TEST_F(TcpClientSocketTest, BlockingConnectDeliversBytesExactly) {
  ASSERT_NO_FATAL_FAILURE(ConnectBlocking());
  EXPECT_EQ(client_.GetState(), CTcpClientSocket::kConnected);
  EXPECT_FALSE(client_.Connect(kLoopback, port_));  // Only a created socket may connect.
  EXPECT_EQ(client_.GetState(), CTcpClientSocket::kConnected);

  const std::uint8_t bytes[] = {0x00, 0x7E, 0xFF};
  int length = sizeof bytes;
  EXPECT_TRUE(client_.Send(bytes, &length));
  EXPECT_EQ(length, 3);
  client_.Close();
  EXPECT_EQ(client_.GetState(), CTcpClientSocket::kNoSocket);
  EXPECT_EQ(ReadUntilClosed(), std::vector<std::uint8_t>(bytes, bytes + 3));
}

TEST_F(TcpClientSocketTest, NonBlockingConnectSendsTheTestButtonBytes) {
  ASSERT_TRUE(client_.Create(kLoopback, 4000, false));
  ASSERT_TRUE(client_.Connect(kLoopback, port_));
  EXPECT_EQ(client_.GetState(), CTcpClientSocket::kConnected);
  ASSERT_NO_FATAL_FAILURE(Accept());

  const std::uint8_t bytes[] = {0x18, 0x02};
  int length = sizeof bytes;
  EXPECT_TRUE(client_.Send(bytes, &length));
  EXPECT_EQ(length, 2);
  client_.Close();
  EXPECT_EQ(ReadUntilClosed(), (std::vector<std::uint8_t>{0x18, 0x02}));
}

TEST_F(TcpClientSocketTest, CreateOnAConnectedSocketClosesTheConnection) {
  ASSERT_NO_FATAL_FAILURE(ConnectBlocking());
  ASSERT_TRUE(client_.Create(nullptr, 0, true));
  EXPECT_EQ(client_.GetState(), CTcpClientSocket::kCreated);
  EXPECT_TRUE(ReadUntilClosed().empty());
}

TEST_F(TcpClientSocketTest, ReceiveReportsTheBytesThatArrived) {
  ASSERT_NO_FATAL_FAILURE(ConnectBlocking());
  const std::uint8_t sent[] = {0x18, 0x02, 0x55};
  ASSERT_EQ(::send(peer_.get(), sent, sizeof sent, 0), 3);

  std::uint8_t buffer[16] = {};
  int length = sizeof buffer;
  EXPECT_TRUE(client_.Receive(buffer, &length));
  ASSERT_EQ(length, 3);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 3),
            std::vector<std::uint8_t>(sent, sent + 3));
  EXPECT_EQ(client_.GetState(), CTcpClientSocket::kConnected);
}

TEST_F(TcpClientSocketTest, WouldBlockReceiveKeepsTheConnection) {
  ASSERT_TRUE(client_.Create(nullptr, 0, false));
  ASSERT_TRUE(client_.Connect(kLoopback, port_));
  ASSERT_NO_FATAL_FAILURE(Accept());

  std::uint8_t buffer[8] = {};
  int length = sizeof buffer;
  {
    // If the socket wrongly blocks, end the wait with the peer's FIN rather than hang the run.
    std::promise<void> answered;
    std::thread watchdog([&peer = peer_, done = answered.get_future()] {
      if (done.wait_for(kDeadline) == std::future_status::timeout) ::shutdown(peer.get(), SHUT_WR);
    });
    EXPECT_FALSE(client_.Receive(buffer, &length));
    answered.set_value();
    watchdog.join();
  }
  ASSERT_EQ(client_.GetState(), CTcpClientSocket::kConnected);

  // The connection must still carry data after the would-block.
  const std::uint8_t byte = 0x42;
  ASSERT_EQ(::send(peer_.get(), &byte, 1, 0), 1);
  const auto deadline = Clock::now() + kDeadline;
  bool received = false;
  while (!received && Clock::now() < deadline) {
    length = sizeof buffer;
    received = client_.Receive(buffer, &length);
    ASSERT_EQ(client_.GetState(), CTcpClientSocket::kConnected);
  }
  ASSERT_TRUE(received);
  EXPECT_EQ(length, 1);
  EXPECT_EQ(buffer[0], 0x42);
}

TEST_F(TcpClientSocketTest, ConnectWhereNothingListensFailsPromptlyAndStaysCreated) {
  for (const bool blocking : {false, true}) {
    ASSERT_TRUE(client_.Create(nullptr, 0, blocking));
    const auto start = Clock::now();
    // A refused connect leaves the socket writable on Linux; that must not count as connected.
    EXPECT_FALSE(client_.Connect(kLoopback, silentPort_)) << "blocking " << blocking;
    EXPECT_LT(Clock::now() - start, kDeadline) << "blocking " << blocking;
    EXPECT_EQ(client_.GetState(), CTcpClientSocket::kCreated) << "blocking " << blocking;
  }
}

TEST_F(TcpClientSocketTest, SendAfterPeerClosedFailsAndClosesWithoutSigpipe) {
  ASSERT_NO_FATAL_FAILURE(ConnectBlocking());
  peer_.Reset();

  // The first sends may still be buffered; the peer's reset turns a later one into EPIPE, which
  // would raise SIGPIPE and end this process if the class let it through.
  const std::uint8_t bytes[] = {0x18, 0x02};
  const auto deadline = Clock::now() + kDeadline;
  bool sent = true;
  while (sent && Clock::now() < deadline) {
    int length = sizeof bytes;
    sent = client_.Send(bytes, &length);
    if (sent) {
      ASSERT_EQ(client_.GetState(), CTcpClientSocket::kConnected);
    }
  }
  EXPECT_FALSE(sent);
  EXPECT_EQ(client_.GetState(), CTcpClientSocket::kNoSocket);
}

TEST_F(TcpClientSocketTest, ReceiveAfterPeerClosedFailsAndCloses) {
  ASSERT_NO_FATAL_FAILURE(ConnectBlocking());
  peer_.Reset();

  std::uint8_t buffer[8] = {};
  int length = sizeof buffer;
  EXPECT_FALSE(client_.Receive(buffer, &length));
  EXPECT_EQ(client_.GetState(), CTcpClientSocket::kNoSocket);
  EXPECT_TRUE(client_.Create(nullptr, 0, true));  // Ready to start again.
}

}  // namespace
