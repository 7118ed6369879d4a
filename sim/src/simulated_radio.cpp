#include "varim/sim/simulated_radio.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "varim/message_engine.h"
#include "varim/radio_opcodes.h"

namespace varim::sim {

namespace {

std::vector<std::uint8_t> ImageOf(const CRadioMessage& frame) {
  MESSAGE_BYTES image;
  frame.GetMessageBytes(&image);
  return {image.bytes, image.bytes + image.size};
}

const std::vector<std::uint8_t>& AckImage() {
  static const std::vector<std::uint8_t> image = [] {
    CRadioMessage ack;
    ack.SetAddress(kAckAddress);
    ack.SetOpcode(kAckOpcode);
    ack.SetLen(1);
    ack.CalcChecksum();
    return ImageOf(ack);
  }();
  return image;
}

// A start bit, 8 data bits, the parity bit and a stop bit.
constexpr double kBitsPerByte = 11.0;

}  // namespace

SimulatedRadio::SimulatedRadio(SimOptions options)
    : options_(std::move(options)),
      ackTimeout_(MessageEngine::AckTimeoutForBaudRate(options_.baudRate)),
      byteTime_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(kBitsPerByte / options_.baudRate))),
      model_(options_.profile) {
  if (options_.memory) model_.Program(*options_.memory);
  model_.Behaviour() = options_.behaviour;
  faults_.Seed(options_.seed);
}

SimulatedRadio::~SimulatedRadio() {
  Stop();
}

bool SimulatedRadio::Start(std::string* error) {
  if (thread_.joinable()) return true;
  if (!pty_.Open(error)) return false;
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) {
    if (error != nullptr) *error = std::string("eventfd: ") + std::strerror(errno);
    pty_.Close();
    return false;
  }
  stopRequested_ = false;
  thread_ = std::thread(&SimulatedRadio::Run, this);
  return true;
}

void SimulatedRadio::Stop() {
  if (!thread_.joinable()) return;
  stopRequested_ = true;
  Wake();
  thread_.join();
  ::close(wakeFd_);
  wakeFd_ = -1;
  pty_.Close();
}

std::string SimulatedRadio::DevicePath() const {
  return pty_.DevicePath();
}

void SimulatedRadio::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

void SimulatedRadio::DropAcks(int count) {
  std::lock_guard lock(mutex_);
  faults_.DropAcks(count);
}

void SimulatedRadio::DelayAcks(int count, std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  faults_.DelayAcks(count, delay);
}

void SimulatedRadio::CorruptFrames(int count) {
  std::lock_guard lock(mutex_);
  faults_.CorruptFrames(count);
}

void SimulatedRadio::GarbageBeforeNextFrame(std::vector<std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  faults_.GarbageBeforeNextFrame(std::move(bytes));
}

void SimulatedRadio::PauseInsideNextFrame(std::chrono::milliseconds pause) {
  std::lock_guard lock(mutex_);
  faults_.PauseInsideNextFrame(pause);
}

void SimulatedRadio::SetSilent(bool silent) {
  std::lock_guard lock(mutex_);
  faults_.SetSilent(silent);
  if (silent) {
    outbox_.clear();
    awaited_.reset();
    writes_.clear();
    arrivals_.clear();
  }
  changed_.notify_all();
}

void SimulatedRadio::RefuseWriteChunks(int count) {
  std::lock_guard lock(mutex_);
  model_.RefuseWrites(count);
}

void SimulatedRadio::CorruptKeepingChecksum(int count) {
  std::lock_guard lock(mutex_);
  faults_.CorruptKeepingChecksum(count);
}

void SimulatedRadio::SetFaultRates(const FaultRates& rates) {
  std::lock_guard lock(mutex_);
  faults_.SetRates(rates);
}

void SimulatedRadio::HangUp() {
  {
    std::lock_guard lock(mutex_);
    hungUp_ = true;
  }
  Wake();
}

void SimulatedRadio::ChangeBehaviour(const std::function<void(SimBehaviour&)>& change) {
  std::lock_guard lock(mutex_);
  change(model_.Behaviour());
}

void SimulatedRadio::Send(std::vector<CRadioMessage> frames) {
  {
    std::lock_guard lock(mutex_);
    outbox_.insert(outbox_.end(), frames.begin(), frames.end());
  }
  Wake();
}

void SimulatedRadio::ReceiveCall(IncomingCall kind, const std::string& address,
                                 const std::string& message) {
  std::vector<CRadioMessage> frames;
  {
    std::lock_guard lock(mutex_);
    frames = model_.ReceiveCall(kind, address, message, Clock::now());
  }
  Send(std::move(frames));
}

void SimulatedRadio::PressKey(int key) {
  std::vector<CRadioMessage> frames;
  {
    std::lock_guard lock(mutex_);
    frames = model_.PressKey(key, Clock::now());
  }
  Send(std::move(frames));
}

void SimulatedRadio::Trace(TraceDirection direction, bool badChecksum, const std::uint8_t* bytes,
                           std::size_t count) {
  if (!options_.trace) return;
  options_.trace(
      FormatTraceLine(TracedFrame{TraceClockNow(), direction, badChecksum, bytes, count}));
}

void SimulatedRadio::SendFrame(const CRadioMessage& frame) {
  {
    std::lock_guard lock(mutex_);
    outbox_.push_back(frame);
  }
  Wake();
}

void SimulatedRadio::WriteRaw(std::vector<std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    ScheduleWrite(std::move(bytes), Clock::now());
  }
  Wake();
}

LineStatistics SimulatedRadio::Statistics() const {
  std::lock_guard lock(mutex_);
  return statistics_;
}

std::vector<CRadioMessage> SimulatedRadio::ReceivedFrames() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool SimulatedRadio::WaitForReceived(std::size_t count, std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] { return received_.size() >= count; });
}

bool SimulatedRadio::Idle() const {
  return outbox_.empty() && !awaited_ && writes_.empty();
}

bool SimulatedRadio::WaitUntilIdle(std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [&] { return Idle(); });
}

RadioState SimulatedRadio::State() const {
  std::lock_guard lock(mutex_);
  return model_.State();
}

RadioMemory SimulatedRadio::Memory() const {
  std::lock_guard lock(mutex_);
  return model_.Memory();
}

SimulatedRadio::Clock::duration SimulatedRadio::LineTime(std::size_t bytes) const {
  return options_.paced ? byteTime_ * static_cast<long>(bytes) : Clock::duration::zero();
}

void SimulatedRadio::ScheduleWrite(std::vector<std::uint8_t> bytes, Clock::time_point notBefore) {
  // One line: bytes leave in the order they were scheduled, never overtaking earlier ones. On
  // a paced line they are handed over when the last of them would have arrived.
  faults_.Garble(bytes);
  const Clock::time_point due = std::max(notBefore, lastDue_) + LineTime(bytes.size());
  lastDue_ = due;
  writes_.push_back({due, std::move(bytes)});
}

void SimulatedRadio::HandleFrame(const CRadioMessage& frame, Clock::time_point now) {
  if (frame.GetOpcode() == kAckOpcode) {
    ++statistics_.acksReceived;
    if (awaited_) {
      awaited_.reset();
      ++statistics_.ownFramesAcknowledged;
    }
    return;
  }
  if (frame.GetOpcode() == 0) return;  // not a frame the program can mean
  received_.push_back(frame);
  ++statistics_.framesReceived;
  if (faults_.TakeDroppedAck()) {
    ++statistics_.acksDropped;
  } else {
    ScheduleWrite(AckImage(), now + faults_.TakeAckDelay());
    ++statistics_.acksSent;
  }
  CRadioMessage request = frame;
  if (frame.GetOpcode() == opcode::kProgramMemorySection && frame.GetDataByte(0) == 0) {
    if (faults_.TakeRefusedWrite()) model_.RefuseWrites(1);
    // The bytes to write start at data byte 5, after the lead byte, the address and the count.
    if (frame.GetLen() > 7 && faults_.TakeCompensatedCorruption()) {
      std::vector<std::uint8_t> data(frame.GetData(), frame.GetData() + frame.GetLen() - 1);
      faults_.CompensatingCorruption(data, 5, data.size());
      request.SetData(static_cast<std::uint8_t>(data.size()), data.data());
    }
  }
  for (const CRadioMessage& answerFrame : model_.Handle(request, now))
    outbox_.push_back(answerFrame);
}

void SimulatedRadio::StartNextOwnFrame(Clock::time_point now) {
  if (awaited_ || outbox_.empty()) return;
  awaited_ = AwaitedFrame{outbox_.front(), 0, {}};
  outbox_.pop_front();
  WriteOwnFrame(now);
}

void SimulatedRadio::WriteOwnFrame(Clock::time_point now) {
  std::vector<std::uint8_t> image = ImageOf(awaited_->frame);
  if (faults_.TakeCorruption()) image[image.size() - 2] ^= 0xFF;  // the checksum byte
  // Memory bytes of a memory answer start at image offset 8, after the four lead bytes.
  if (awaited_->frame.GetOpcode() == answer::kMemorySection && faults_.TakeCompensatedCorruption())
    faults_.CompensatingCorruption(image, 8, image.size() - 2);
  if (auto garbage = faults_.TakeGarbage(); !garbage.empty())
    ScheduleWrite(std::move(garbage), now);
  if (const auto pause = faults_.TakePause(); pause.count() > 0) {
    const auto half = image.begin() + static_cast<std::ptrdiff_t>(image.size() / 2);
    ScheduleWrite({image.begin(), half}, now);
    ScheduleWrite({half, image.end()}, lastDue_ + pause);
  } else {
    ScheduleWrite(std::move(image), now);
  }
  ++awaited_->writes;
  ++statistics_.ownFrameWrites;
  awaited_->deadline = lastDue_ + ackTimeout_;
}

void SimulatedRadio::HandleArrivals(Clock::time_point now) {
  while (!arrivals_.empty() && arrivals_.front().first <= now) {
    const auto [due, frame] = arrivals_.front();
    arrivals_.pop_front();
    HandleFrame(frame, due);
  }
}

void SimulatedRadio::ServeTimers(Clock::time_point now) {
  HandleArrivals(now);
  for (const CRadioMessage& frame : model_.Tick(now)) outbox_.push_back(frame);
  if (awaited_ && now >= awaited_->deadline) {
    if (awaited_->writes < kMaxWrites) {
      WriteOwnFrame(now);
    } else {
      awaited_.reset();
      ++statistics_.ownFramesGivenUp;
    }
  }
  StartNextOwnFrame(now);
  FlushDueWrites(now);
}

void SimulatedRadio::FlushDueWrites(Clock::time_point now) {
  while (!writes_.empty() && writes_.front().due <= now) {
    auto& bytes = writes_.front().bytes;
    const ssize_t n = ::write(pty_.MasterFd(), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EAGAIN || errno == EINTR) return;  // the program is not reading; try later
      writes_.pop_front();                            // nobody on the other side
      continue;
    }
    statistics_.bytesSent += n;
    Trace(TraceDirection::kFromRadio, false, bytes.data(), static_cast<std::size_t>(n));
    bytes.erase(bytes.begin(), bytes.begin() + n);
    if (!bytes.empty()) return;
    writes_.pop_front();
  }
}

int SimulatedRadio::MillisecondsToNextTimer(Clock::time_point now) const {
  Clock::time_point next = Clock::time_point::max();
  if (!writes_.empty()) next = writes_.front().due;
  if (awaited_) next = std::min(next, awaited_->deadline);
  if (!arrivals_.empty()) next = std::min(next, arrivals_.front().first);
  next = std::min(next, model_.NextTimer());
  if (next == Clock::time_point::max()) return -1;
  if (next <= now) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

void SimulatedRadio::TakeInput(Clock::time_point now) {
  std::uint8_t bytes[4096];
  for (;;) {
    const ssize_t n = ::read(pty_.MasterFd(), bytes, sizeof bytes);
    if (n <= 0) return;
    statistics_.bytesReceived += n;
    if (faults_.Silent() || model_.Offline(now)) continue;
    std::vector<std::uint8_t> received(bytes, bytes + n);
    faults_.Garble(received);
    for (const auto& outcome : assembler_.Feed(received.data(), received.size(), now)) {
      if (outcome.kind != FrameAssembler::Kind::kAbandoned) {
        MESSAGE_BYTES image;
        outcome.frame.GetMessageBytes(&image);
        Trace(TraceDirection::kToRadio, outcome.kind == FrameAssembler::Kind::kBadChecksum,
              image.bytes, image.size);
      }
      if (outcome.kind == FrameAssembler::Kind::kFrame) {
        // The frame is the radio's once its last byte would have crossed the line.
        inputFreeAt_ = std::max(now, inputFreeAt_) + LineTime(outcome.frame.GetRealMessageSize());
        arrivals_.emplace_back(inputFreeAt_, outcome.frame);
      } else if (outcome.kind == FrameAssembler::Kind::kBadChecksum) {
        ++statistics_.badFramesReceived;
      }
    }
  }
}

void SimulatedRadio::Run() {
  while (!stopRequested_) {
    int timeoutMs;
    bool wantWrite;
    {
      std::lock_guard lock(mutex_);
      const auto now = Clock::now();
      ServeTimers(now);
      timeoutMs = MillisecondsToNextTimer(now);
      wantWrite = !writes_.empty() && writes_.front().due <= now;
      changed_.notify_all();
    }
    bool hungUp;
    {
      std::lock_guard lock(mutex_);
      hungUp = hungUp_;
      if (hungUp_ && pty_.MasterFd() >= 0) pty_.HangUp();
    }
    pollfd fds[2] = {
        {hungUp ? -1 : pty_.MasterFd(), static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0},
        {wakeFd_, POLLIN, 0}};
    // A write blocked by a full line is retried when the line drains, not in a tight loop.
    constexpr int kBlockedWriteRetryMs = 100;
    ::poll(fds, 2, wantWrite ? kBlockedWriteRetryMs : timeoutMs);
    if (fds[1].revents & POLLIN) {
      std::uint64_t drained;
      [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &drained, sizeof drained);
    }
    if (fds[0].revents & POLLIN) {
      std::lock_guard lock(mutex_);
      TakeInput(Clock::now());
      changed_.notify_all();
    }
  }
}

}  // namespace varim::sim
