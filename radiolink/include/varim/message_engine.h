#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "varim/export.h"
#include "varim/frame_trace.h"
#include "varim/radio_message.h"
#include "varim/serial_port.h"

namespace varim::link {
struct MemoryRequests;
}

// The link to one radio: the serial port, a receive thread that cuts the incoming bytes into
// frames, acknowledges every valid one and queues it, and the ways to send and to take frames.
//
// Life: OpenComPort, ConnectSocket (starts the receive thread), exchanges, DisconnectSocket
// (stops it), CloseComPort. Results are 1 for success and 0 for failure unless said otherwise.
//
// A frame trace (SetFrameTrace, off unless installed) hears every frame this engine writes and
// every whole frame it reads, acknowledgements and resends included.
class VARIM_API MessageEngine {
 public:
  // The radio line's read time-outs: a frame read ends 200 ms after the last byte, or after
  // 1000 ms plus 50 ms per byte asked.
  static constexpr std::uint32_t kReadIntervalMs = 200;
  static constexpr std::uint32_t kReadPerByteMs = 50;
  static constexpr std::uint32_t kReadConstantMs = 1000;
  static constexpr int kQueueBytes = 2000;
  static constexpr int kMaxWrites = 5;
  static constexpr int kOpcodeAttempts = 10;
  static constexpr auto kGetMessageWait = std::chrono::milliseconds(500);
  static constexpr auto kOpcodeAttemptWait = std::chrono::milliseconds(200);
  static constexpr auto kOpcodeRescanWindow = std::chrono::milliseconds(500);

  MessageEngine();
  // Stops a receive thread that is still running before anything it uses goes away.
  ~MessageEngine();
  MessageEngine(const MessageEngine&) = delete;
  MessageEngine& operator=(const MessageEngine&) = delete;

  // Opens COM port n (see ComPortDevice) or a device path with the radio's line settings:
  // 8 data bits, odd parity, one stop bit, no handshaking, DTR and RTS off.
  int OpenComPort(int portNumber, int baudRate);
  int OpenComPort(const char* device, int baudRate);
  // Sets the acknowledgement time-out for the baud rate, empties the buffer and starts the
  // receive thread. The flag is kept for callers and does not change the thread.
  int ConnectSocket(int baudRate, std::uint8_t flag);
  // Stops the receive thread and waits for it; 0 when the port is not open. The thread is
  // always waited for, whatever the flag: it must not outlive what it reads.
  int DisconnectSocket(std::uint8_t flag);
  // Closes the port (stopping the receive thread first if it still runs); always 1.
  int CloseComPort();
  int IsPortOpen() const;
  unsigned GetInQue();

  // Reads one frame under the port's read time-outs. Result: the opcode 1..255; 0 when nothing
  // complete came (or opcode 0); -2 checksum mismatch; -3 bad start byte, missing or zero
  // length byte.
  int ReadRadioMessage(CRadioMessage* frame);
  // Writes the frame's image; no acknowledgement wait; always 1.
  int SendToRadio(const CRadioMessage* frame);
  // Writes and waits for the acknowledgement, at most 5 writes; 1 when acknowledged.
  int SendRadioMessage(const CRadioMessage* frame);
  // How many writes the last SendRadioMessage took: more than one means the radio may have
  // heard the frame more than once.
  int LastSendWrites() const { return lastSendWrites_; }
  // Removes the first buffered frame with the opcode, waiting for one at most that long; 1 when
  // one was removed.
  int DropMessageWithOpcode(int opcode, std::chrono::milliseconds within);
  // Waits up to the acknowledgement time-out for an acknowledgement and consumes it.
  int PopOldAck();
  // Appends a copy of the frame to the target engine's buffer.
  int PushMsgToBuffer(MessageEngine* target, const CRadioMessage* frame);
  // Takes the oldest frame: 1 taken, 0 none within 500 ms or the get gate is closed, and 0 at
  // once after DisconnectSocket, so a thread taking frames can be stopped without delay.
  int GetMessageA(CRadioMessage* frame, std::uint8_t flag);
  // Closes the get gate so that GetMessageA leaves the buffer to a request-answer exchange.
  int LockGetMessage();
  // Opens the gate again for an exchange that ends without collecting its answer (the request
  // was not acknowledged), so the reports waiting behind it are not held back.
  int UnlockGetMessage();
  // Takes the oldest frame with the opcode, as soon as it is buffered, within the bounds of
  // ten attempts (200 ms for any frame to arrive, then 500 ms for the wanted one); other frames
  // stay in their order. Always opens the get gate again.
  int GetMessageWithOpcode(CRadioMessage* frame, int opcode);
  // The same, for an answer that can be told from a late copy of an earlier one: frames with
  // the opcode that do not belong are dropped as they are met.
  using AnswerFilter = std::function<bool(const CRadioMessage&)>;
  int GetMessageWithOpcode(CRadioMessage* frame, int opcode, const AnswerFilter& belongs);

  // Hears a frame as it crosses the line: kToRadio for every write, kFromRadio for every whole
  // frame read (a bad checksum flagged). Called on the writing thread or the receive thread,
  // one call at a time in line order (under the engine's line lock, so it must be quick and
  // must not call the engine); the bytes are valid during the call only.
  using FrameTrace = std::function<void(const TracedFrame&)>;
  // Installs the trace, or removes it when empty. Only while the port is closed, so that no
  // thread of the engine can be reading it: 0 and nothing changed when the port is open. With
  // none installed the line costs nothing extra.
  int SetFrameTrace(FrameTrace trace);

  // 522 ms x 2 x factor, the factor 8, 4, 2 and 1 for 1200, 2400, 4800 and other rates.
  static int AckTimeoutForBaudRate(int baudRate);
  // 0 until the first ConnectSocket.
  int GetAckTimeout() const { return ackTimeoutMs_.load(); }
  // The system's reason (errno) for the last failed OpenComPort, 0 after a successful one.
  long GetPortError() const { return portError_; }
  const std::string& GetDevice() const { return device_; }
  bool IsReceiving() const { return receiveThread_.joinable(); }

  // What the memory transfers have learnt of this line: its recent memory requests and how the
  // radio leads its answers. It stays with the line, as the radio does not change from one
  // record to the next, and is forgotten when the line is connected again.
  varim::link::MemoryRequests& RecentMemoryRequests() { return *memoryRequests_; }

 private:
  void ReceiveLoop();
  void ReadWaitingFrames();
  void SignalAck();
  bool TakeFirstWithOpcode(CRadioMessage* frame, int opcode, const AnswerFilter& belongs);
  void WaitForStop(std::chrono::milliseconds limit);
  void TraceFrame(TraceDirection direction, bool badChecksum, const std::uint8_t* bytes,
                  std::size_t size);

  CSerial serial_;
  std::string device_;
  long portError_ = 0;
  std::atomic<int> ackTimeoutMs_{0};
  std::atomic<int> lastSendWrites_{0};
  FrameTrace trace_;  // changed only while the port is closed

  std::mutex portMutex_;  // one frame read or write on the line at a time

  std::mutex bufferMutex_;
  std::condition_variable bufferChanged_;  // a frame arrived, or the get gate changed
  std::deque<CRadioMessage> buffer_;
  std::uint64_t arrivals_ = 0;
  bool getGateOpen_ = true;
  bool disconnected_ = false;

  std::mutex ackMutex_;
  std::condition_variable ackArrived_;
  bool ackPending_ = false;  // one acknowledgement satisfies one wait

  // This engine's own stop signal: the flag, and a descriptor that wakes the port wait.
  std::atomic<bool> stopRequested_{false};
  int wakeFd_ = -1;
  std::thread receiveThread_;

  std::unique_ptr<varim::link::MemoryRequests> memoryRequests_;
};
