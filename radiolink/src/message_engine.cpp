#include "varim/message_engine.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "late_answers.h"
#include "varim/error_report.h"
#include "varim/port_names.h"

namespace {

// The radio's event mask: received character, CTS, DSR, RLSD, break, line error and ring.
constexpr std::uint32_t kRadioEventMask = 0x1F9;
constexpr auto kStopPoll = std::chrono::milliseconds(10);
constexpr int kAckMillisecondsPerUnit = 522 * 2;

struct AckFactor {
  int baudRate;
  int factor;
};

constexpr AckFactor kAckFactors[] = {{1200, 8}, {2400, 4}, {4800, 2}};

CRadioMessage MakeAckFrame() {
  CRadioMessage ack;
  ack.SetAddress(kAckAddress);
  ack.SetOpcode(kAckOpcode);
  ack.SetLen(1);
  ack.CalcChecksum();
  return ack;
}

}  // namespace

MessageEngine::MessageEngine() : memoryRequests_(std::make_unique<varim::link::MemoryRequests>()) {}

MessageEngine::~MessageEngine() {
  CloseComPort();
}

int MessageEngine::OpenComPort(int portNumber, int baudRate) {
  return OpenComPort(ComPortDevice(portNumber).c_str(), baudRate);
}

int MessageEngine::OpenComPort(const char* device, int baudRate) {
  device_ = device;
  portError_ = serial_.Open(device, kQueueBytes, kQueueBytes);
  if (portError_ != 0) return 0;
  portError_ = serial_.Setup(static_cast<CSerial::EBaudrate>(baudRate), CSerial::EData8,
                             CSerial::EParOdd, CSerial::EStop1);
  if (portError_ != 0) {
    // A port that could not take the radio's settings must not look usable.
    serial_.Close();
    return 0;
  }
  serial_.SetupHandshaking(CSerial::EHandshakeOff);
  serial_.SetMask(kRadioEventMask);
  serial_.SetupReadTimeouts(CSerial::EReadTimeoutNonblocking);
  serial_.MySetupReadTimeouts(kReadIntervalMs, kReadPerByteMs, kReadConstantMs);
  return 1;
}

int MessageEngine::AckTimeoutForBaudRate(int baudRate) {
  int factor = 1;
  for (const auto& entry : kAckFactors) {
    if (entry.baudRate == baudRate) factor = entry.factor;
  }
  return kAckMillisecondsPerUnit * factor;
}

int MessageEngine::ConnectSocket(int baudRate, std::uint8_t flag) {
  if (!serial_.IsOpen() || receiveThread_.joinable()) return 0;
  ackTimeoutMs_ = AckTimeoutForBaudRate(baudRate);
  {
    std::lock_guard lock(bufferMutex_);
    buffer_.clear();
    getGateOpen_ = true;
    disconnected_ = false;
  }
  memoryRequests_->Forget();
  {
    std::lock_guard lock(ackMutex_);
    ackPending_ = false;
  }
  stopRequested_ = false;
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) {
    const int error = errno;
    DisconnectSocket(flag);
    errno = error;
    OutputError();
    return 0;
  }
  try {
    receiveThread_ = std::thread(&MessageEngine::ReceiveLoop, this);
  } catch (const std::system_error& failure) {
    DisconnectSocket(flag);
    errno = failure.code().value();
    OutputError();
    return 0;
  }
  return 1;
}

int MessageEngine::DisconnectSocket(std::uint8_t /*flag*/) {
  if (!serial_.IsOpen()) return 0;
  stopRequested_ = true;
  if (wakeFd_ >= 0) {
    const std::uint64_t one = 1;
    if (::write(wakeFd_, &one, sizeof one) != sizeof one) FatalError();
  }
  if (receiveThread_.joinable()) {
    try {
      receiveThread_.join();
    } catch (const std::system_error& failure) {
      errno = failure.code().value();
      FatalError();
    }
  }
  if (wakeFd_ >= 0) {
    ::close(wakeFd_);
    wakeFd_ = -1;
  }
  {
    std::lock_guard lock(bufferMutex_);
    disconnected_ = true;
  }
  bufferChanged_.notify_all();
  return 1;
}

int MessageEngine::CloseComPort() {
  if (receiveThread_.joinable()) DisconnectSocket(1);
  serial_.Close();
  return 1;
}

int MessageEngine::IsPortOpen() const {
  return serial_.IsOpen() ? 1 : 0;
}

unsigned MessageEngine::GetInQue() {
  return serial_.GetInQue();
}

int MessageEngine::ReadRadioMessage(CRadioMessage* frame) {
  std::uint8_t start = 0;
  unsigned got = 0;
  serial_.Read(&start, 1, &got);
  if (got == 0) return 0;
  // A stray byte is consumed on its own, so the next read resynchronises on the byte after it.
  if (start != kStartByte) return -3;
  std::uint8_t length = 0;
  serial_.Read(&length, 1, &got);
  // Every frame carries at least its opcode, so a length of 0 cannot start one.
  if (got == 0 || length == 0) return -3;
  // Address, opcode, length - 1 data bytes, checksum, end byte.
  std::uint8_t rest[kMaxDataBytes + 3];
  const unsigned wanted = length + 3u;
  if (serial_.Read(rest, wanted, &got) != 0 || got < wanted) return 0;
  frame->SetLen(length);
  frame->SetAddress(rest[0]);
  frame->SetOpcode(rest[1]);
  frame->SetData(static_cast<std::uint8_t>(length - 1), rest + 2);
  frame->CalcChecksum();
  const bool badChecksum = frame->GetChecksum() != rest[length + 1];
  if (trace_) {
    std::uint8_t image[kMaxImageBytes] = {start, length};
    std::copy(rest, rest + wanted, image + 2);
    TraceFrame(TraceDirection::kFromRadio, badChecksum, image, wanted + 2);
  }
  if (badChecksum) return -2;
  return frame->GetOpcode();
}

int MessageEngine::SendToRadio(const CRadioMessage* frame) {
  MESSAGE_BYTES image;
  frame->GetMessageBytes(&image);
  std::lock_guard lock(portMutex_);
  // A lost write shows up as a missing acknowledgement, which the sender handles.
  serial_.Write(image.bytes, image.size);
  // Traced under the line lock, so the acknowledgement read after it is traced after it.
  if (trace_) TraceFrame(TraceDirection::kToRadio, false, image.bytes, image.size);
  return 1;
}

int MessageEngine::SetFrameTrace(FrameTrace trace) {
  if (serial_.IsOpen()) return 0;
  trace_ = std::move(trace);
  return 1;
}

void MessageEngine::TraceFrame(TraceDirection direction, bool badChecksum,
                               const std::uint8_t* bytes, std::size_t size) {
  trace_(TracedFrame{TraceClockNow(), direction, badChecksum, bytes, size});
}

int MessageEngine::SendRadioMessage(const CRadioMessage* frame) {
  for (int write = 1; write <= kMaxWrites; ++write) {
    SendToRadio(frame);
    lastSendWrites_ = write;
    if (PopOldAck()) return 1;
  }
  return 0;
}

int MessageEngine::DropMessageWithOpcode(int opcode, std::chrono::milliseconds within) {
  std::unique_lock lock(bufferMutex_);
  CRadioMessage dropped;
  const bool found = bufferChanged_.wait_for(
      lock, within, [&] { return TakeFirstWithOpcode(&dropped, opcode, {}); });
  return found ? 1 : 0;
}

int MessageEngine::PopOldAck() {
  std::unique_lock lock(ackMutex_);
  const auto limit = std::chrono::milliseconds(ackTimeoutMs_.load());
  if (!ackArrived_.wait_for(lock, limit, [this] { return ackPending_; })) return 0;
  ackPending_ = false;
  return 1;
}

void MessageEngine::SignalAck() {
  {
    std::lock_guard lock(ackMutex_);
    ackPending_ = true;
  }
  ackArrived_.notify_all();
}

int MessageEngine::PushMsgToBuffer(MessageEngine* target, const CRadioMessage* frame) {
  {
    std::lock_guard lock(target->bufferMutex_);
    target->buffer_.push_back(*frame);
    ++target->arrivals_;
  }
  target->bufferChanged_.notify_all();
  return 1;
}

int MessageEngine::GetMessageA(CRadioMessage* frame, std::uint8_t /*flag*/) {
  std::unique_lock lock(bufferMutex_);
  const bool ready = bufferChanged_.wait_for(lock, kGetMessageWait, [this] {
    return (getGateOpen_ && !buffer_.empty()) || disconnected_;
  });
  if (!ready || disconnected_) return 0;
  *frame = buffer_.front();
  buffer_.pop_front();
  return 1;
}

int MessageEngine::LockGetMessage() {
  std::lock_guard lock(bufferMutex_);
  getGateOpen_ = false;
  return 1;
}

int MessageEngine::UnlockGetMessage() {
  {
    std::lock_guard lock(bufferMutex_);
    getGateOpen_ = true;
  }
  bufferChanged_.notify_all();
  return 1;
}

bool MessageEngine::TakeFirstWithOpcode(CRadioMessage* frame, int opcode,
                                        const AnswerFilter& belongs) {
  for (auto it = buffer_.begin(); it != buffer_.end();) {
    if (it->GetOpcode() != opcode) {
      ++it;
    } else if (belongs && !belongs(*it)) {
      it = buffer_.erase(it);
    } else {
      *frame = *it;
      buffer_.erase(it);
      return true;
    }
  }
  return false;
}

int MessageEngine::GetMessageWithOpcode(CRadioMessage* frame, int opcode) {
  return GetMessageWithOpcode(frame, opcode, {});
}

int MessageEngine::GetMessageWithOpcode(CRadioMessage* frame, int opcode,
                                        const AnswerFilter& belongs) {
  std::unique_lock lock(bufferMutex_);
  bool found = false;
  for (int attempt = 0; attempt < kOpcodeAttempts && !found; ++attempt) {
    if (!bufferChanged_.wait_for(lock, kOpcodeAttemptWait, [this] { return !buffer_.empty(); }))
      continue;
    found = TakeFirstWithOpcode(frame, opcode, belongs);
    // Only unrelated frames so far: give the answer the rest of this attempt to arrive, and
    // take it the moment it does rather than after a fixed pause.
    const auto windowEnd = std::chrono::steady_clock::now() + kOpcodeRescanWindow;
    std::uint64_t seen = arrivals_;
    while (!found &&
           bufferChanged_.wait_until(lock, windowEnd, [&] { return arrivals_ != seen; })) {
      seen = arrivals_;
      found = TakeFirstWithOpcode(frame, opcode, belongs);
    }
  }
  getGateOpen_ = true;
  lock.unlock();
  bufferChanged_.notify_all();
  return found ? 1 : 0;
}

void MessageEngine::WaitForStop(std::chrono::milliseconds limit) {
  pollfd wake{wakeFd_, POLLIN, 0};
  ::poll(&wake, 1, static_cast<int>(limit.count()));
}

void MessageEngine::ReceiveLoop() {
  while (!stopRequested_) {
    bool readSomething = false;
    if (serial_.WaitEvent(wakeFd_) == 0 && !stopRequested_ &&
        (serial_.GetEventType() & CSerial::EEventRecv) && serial_.GetInQue() > 0) {
      readSomething = true;
      ReadWaitingFrames();
    }
    // A line that hung up wakes the wait at once; pace such idle passes instead of spinning.
    if (!readSomething && !stopRequested_) WaitForStop(kStopPoll);
  }
}

void MessageEngine::ReadWaitingFrames() {
  static const CRadioMessage ack = MakeAckFrame();
  for (;;) {
    CRadioMessage frame;
    int result;
    {
      std::lock_guard lock(portMutex_);
      result = ReadRadioMessage(&frame);
    }
    if (result == 0) return;
    if (result == kAckOpcode) {
      SignalAck();
    } else if (result > 0) {
      // Acknowledged before it is buffered, whether or not anybody ever reads it.
      SendToRadio(&ack);
      PushMsgToBuffer(this, &frame);
      if (stopRequested_) return;
    }
    if (serial_.GetInQue() == 0) return;
  }
}
