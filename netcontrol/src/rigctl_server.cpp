#include "varim/netcontrol/rigctl_server.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "varim/netcontrol/line_assembler.h"

namespace varim::netcontrol {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kReadChunk = 16 * 1024;
// When the process is out of file descriptors, new clients wait this long in the backlog
// instead of waking the server over and over.
constexpr auto kAcceptPause = std::chrono::milliseconds(500);

std::string ProtocolErrorLine() {
  return "RPRT " + std::to_string(static_cast<int>(HamlibStatus::kProtocolError)) + "\n";
}

std::string Describe(const sockaddr_storage& address) {
  char host[NI_MAXHOST];
  char service[NI_MAXSERV];
  if (::getnameinfo(reinterpret_cast<const sockaddr*>(&address), sizeof address, host, sizeof host,
                    service, sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) != 0)
    return "?";
  const bool v6 = address.ss_family == AF_INET6;
  return (v6 ? "[" : "") + std::string(host) + (v6 ? "]:" : ":") + service;
}

}  // namespace

class RigctlServer::Mailbox {
 public:
  Mailbox() : wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
  ~Mailbox() {
    if (wakeFd_ >= 0) ::close(wakeFd_);
  }
  Mailbox(const Mailbox&) = delete;
  Mailbox& operator=(const Mailbox&) = delete;

  bool Ready() const { return wakeFd_ >= 0; }
  int WakeFd() const { return wakeFd_; }

  void Deliver(ClientId client, Reply reply) {
    {
      std::lock_guard lock(mutex_);
      replies_.emplace_back(client, std::move(reply));
    }
    Wake();
  }
  void Wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
  }
  std::vector<std::pair<ClientId, Reply>> Take() {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(wakeFd_, &count, sizeof count);
    std::lock_guard lock(mutex_);
    return std::exchange(replies_, {});
  }

 private:
  const int wakeFd_;
  std::mutex mutex_;
  std::vector<std::pair<ClientId, Reply>> replies_;
};

class RigctlServer::Connections {
 public:
  Connections(RigctlHandler& handler, const Poster& post, const Options& options, int listenFd,
              std::shared_ptr<Mailbox> mailbox)
      : handler_(handler),
        post_(post),
        options_(options),
        listenFd_(listenFd),
        mailbox_(std::move(mailbox)) {}

  void Run(const std::atomic<bool>& stop) {
    while (!stop) {
      std::vector<pollfd> polled = {{mailbox_->WakeFd(), POLLIN, 0}};
      const Clock::time_point before = Clock::now();
      if (before >= acceptPausedUntil_) polled.push_back({listenFd_, POLLIN, 0});
      std::vector<ClientId> order;
      for (const auto& [id, client] : clients_) {
        polled.push_back({client.fd, client.Events(), 0});
        order.push_back(id);
      }
      if (::poll(polled.data(), polled.size(), TimeoutMs(before)) < 0 && errno != EINTR) return;
      const Clock::time_point now = Clock::now();
      if ((polled[0].revents & POLLIN) != 0) TakeAnswers();
      if (polled.size() > order.size() + 1 && (polled[1].revents & POLLIN) != 0) Accept(now);
      const std::size_t first = polled.size() - order.size();
      for (std::size_t i = 0; i < order.size(); ++i)
        Serve(order[i], polled[first + i].revents, now);
      NoticeSilence(now);
      CloseFinished();
    }
  }

  // Every client is told as gone.
  ~Connections() {
    for (const auto& [id, client] : clients_) Drop(id, client.fd);
  }
  Connections(const Connections&) = delete;
  Connections& operator=(const Connections&) = delete;

 private:
  struct Client {
    int fd = -1;
    LineAssembler input;
    std::deque<LineAssembler::Line> waiting;
    std::string output;
    Clock::time_point lastHeard;
    bool answering = false;  // a line of it is with the handler
    bool ended = false;      // it sends nothing more
    bool quitting = false;   // it asked to be closed
    bool broken = false;     // it cannot be written to, or let its answers pile up

    bool Reading() const {
      return !ended && !quitting && !input.GivenUp() && waiting.size() < kWaitingLines;
    }
    short Events() const {
      return static_cast<short>((Reading() ? POLLIN : 0) | (output.empty() ? 0 : POLLOUT));
    }
    bool Finished() const {
      if (broken) return true;
      const bool noMore = ended || quitting || input.GivenUp();
      return noMore && !answering && waiting.empty() && output.empty();
    }
    void Queue(const std::string& text) {
      if (output.size() + text.size() > kOutputCap) {
        broken = true;
        return;
      }
      output += text;
    }
  };

  int TimeoutMs(Clock::time_point now) const {
    Clock::time_point next = Clock::time_point::max();
    if (now < acceptPausedUntil_) next = acceptPausedUntil_;
    for (const auto& [id, client] : clients_)
      next = std::min(next, client.lastHeard + options_.pttTimeout);
    if (next == Clock::time_point::max()) return -1;
    if (next <= now) return 0;
    // Rounded up, so that the deadline has passed when poll returns.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
  }

  void Accept(Clock::time_point now) {
    while (true) {
      const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
      if (fd < 0) {
        if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
          acceptPausedUntil_ = now + kAcceptPause;
        if (errno == EINTR || errno == ECONNABORTED) continue;
        return;
      }
      // Answers are small and awaited: none waits to be merged with the next.
      const int on = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      Client client;
      client.fd = fd;
      client.lastHeard = now;
      clients_.emplace(nextId_++, std::move(client));
    }
  }

  void Serve(ClientId id, short events, Clock::time_point now) {
    Client& client = clients_.at(id);
    if ((events & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
      client.broken = true;
      return;
    }
    if ((events & POLLIN) != 0) Read(id, client, now);
    if ((events & POLLOUT) != 0) Write(client);
  }

  void Read(ClientId id, Client& client, Clock::time_point now) {
    char buffer[kReadChunk];
    const ssize_t count = ::recv(client.fd, buffer, sizeof buffer, 0);
    if (count == 0) {
      client.ended = true;
      return;
    }
    if (count < 0) {
      if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) client.broken = true;
      return;
    }
    client.lastHeard = now;
    std::vector<LineAssembler::Line> lines;
    client.input.Feed({buffer, static_cast<std::size_t>(count)}, lines);
    for (LineAssembler::Line& line : lines) client.waiting.push_back(std::move(line));
    AnswerNext(id, client);
  }

  void Write(Client& client) {
    const ssize_t count =
        ::send(client.fd, client.output.data(), client.output.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (count >= 0) {
      client.output.erase(0, static_cast<std::size_t>(count));
    } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      client.broken = true;
    }
  }

  // The client's next line goes to the handler once its last one is answered.
  void AnswerNext(ClientId id, Client& client) {
    while (!client.answering && !client.waiting.empty() && !client.broken) {
      LineAssembler::Line line = std::move(client.waiting.front());
      client.waiting.pop_front();
      if (line.tooLong) {
        client.Queue(ProtocolErrorLine());
        continue;
      }
      client.answering = true;
      post_([&handler = handler_, mailbox = mailbox_, id, text = std::move(line.text)] {
        mailbox->Deliver(id, handler.Handle(id, text));
      });
    }
  }

  void TakeAnswers() {
    for (auto& [id, reply] : mailbox_->Take()) {
      const auto found = clients_.find(id);
      if (found == clients_.end()) continue;  // it left meanwhile
      Client& client = found->second;
      client.answering = false;
      client.Queue(reply.text);
      if (reply.closeClient) {
        client.quitting = true;
        client.waiting.clear();
      }
      AnswerNext(id, client);
    }
  }

  void NoticeSilence(Clock::time_point now) {
    for (auto& [id, client] : clients_) {
      if (now - client.lastHeard < options_.pttTimeout) continue;
      client.lastHeard = now;
      post_([&handler = handler_, id = id] { handler.ClientSilent(id); });
    }
  }

  void CloseFinished() {
    for (auto it = clients_.begin(); it != clients_.end();) {
      if (it->second.Finished()) {
        Drop(it->first, it->second.fd);
        it = clients_.erase(it);
      } else {
        ++it;
      }
    }
  }

  void Drop(ClientId id, int fd) {
    ::close(fd);
    post_([&handler = handler_, id] { handler.ClientLeft(id); });
  }

  RigctlHandler& handler_;
  const Poster& post_;
  const Options& options_;
  const int listenFd_;
  std::shared_ptr<Mailbox> mailbox_;
  std::map<ClientId, Client> clients_;
  ClientId nextId_ = 1;
  Clock::time_point acceptPausedUntil_{};
};

RigctlServer::RigctlServer(RigctlHandler& handler, Poster post, Options options)
    : handler_(handler), post_(std::move(post)), options_(std::move(options)) {}

RigctlServer::~RigctlServer() {
  Stop();
}

bool RigctlServer::Start(std::string* error) {
  if (thread_.joinable()) return true;
  const auto fail = [&](const std::string& reason) {
    if (error != nullptr)
      *error = "cannot listen on " + options_.address + ":" + std::to_string(options_.port) + ": " +
               reason;
    if (listenFd_ >= 0) ::close(listenFd_);
    listenFd_ = -1;
    return false;
  };
  addrinfo hints{};
  hints.ai_flags = AI_PASSIVE | AI_NUMERICHOST | AI_NUMERICSERV;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(options_.port);
  if (const int failure = ::getaddrinfo(options_.address.c_str(), port.c_str(), &hints, &found);
      failure != 0)
    return fail(::gai_strerror(failure));
  const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> address(found, &::freeaddrinfo);
  listenFd_ = ::socket(address->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return fail(std::strerror(errno));
  // A server started again at once takes its port back from the connections it just closed.
  const int on = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(listenFd_, address->ai_addr, address->ai_addrlen) != 0 ||
      ::listen(listenFd_, SOMAXCONN) != 0)
    return fail(std::strerror(errno));
  sockaddr_storage bound{};
  socklen_t length = sizeof bound;
  ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&bound), &length);
  port_ = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                            : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
  listening_ = Describe(bound);
  mailbox_ = std::make_shared<Mailbox>();
  if (!mailbox_->Ready()) return fail(std::string("eventfd: ") + std::strerror(errno));
  stopRequested_ = false;
  thread_ = std::thread(
      [this] { Connections(handler_, post_, options_, listenFd_, mailbox_).Run(stopRequested_); });
  return true;
}

void RigctlServer::Stop() {
  if (!thread_.joinable()) return;
  stopRequested_ = true;
  mailbox_->Wake();
  thread_.join();
  ::close(listenFd_);
  listenFd_ = -1;
}

}  // namespace varim::netcontrol
