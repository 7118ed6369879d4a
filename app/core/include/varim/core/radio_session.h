#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "varim/core/event_pump.h"
#include "varim/core/operator.h"
#include "varim/core/radio_generation.h"
#include "varim/core/transfer_progress.h"
#include "varim/database_transfer.h"
#include "varim/db/presence_flags.h"
#include "varim/db/radio_databases.h"
#include "varim/message_engine.h"

namespace varim::core {

// Told of the progress of a whole-radio read or write after every chunk, on the thread that
// runs the transfer (see EventPump::Run).
class ProgressObserver {
 public:
  virtual ~ProgressObserver() = default;
  virtual void OnProgress(const ProgressView& view) = 0;
};

// The program's link to one radio, without any window: the message engine, the incoming
// thread that takes the radio's reports, the six database records with the presence flags,
// and the sequences that read a whole radio into the records and write them back.
//
// Everything but the incoming thread and AbortTransfer runs on the caller's (the window's)
// thread; waits go through the EventPump so the window stays live.
class RadioSession {
 public:
  // Reports the incoming thread does not handle itself, each handed over by value on that
  // thread.
  using ReportSink = std::function<void(CRadioMessage)>;

  // Pause between the sections of a transfer, as the radio has always been given.
  static constexpr int kSectionPauseMs = 10;
  // How long to wait for a mode report the radio sends in answer to a mode request.
  static constexpr int kModeReportWaitMs = 2000;

  RadioSession(Operator& op, EventPump& pump, ReportSink sink = {});
  ~RadioSession();
  RadioSession(const RadioSession&) = delete;
  RadioSession& operator=(const RadioSession&) = delete;

  // Opens the port (a device path, or COM port n) and the engine, and starts the incoming
  // thread. On failure the operator is told "Can't open port."; PortError() keeps the reason.
  bool Open(const std::string& device, int baudRate);
  bool Open(int comPort, int baudRate);
  void Close();
  bool IsOpen() const;
  int BaudRate() const { return baudRate_; }
  long PortError() const { return engine_.GetPortError(); }
  const std::string& Device() const { return engine_.GetDevice(); }

  // Sends and waits for the acknowledgement; tells the operator when the radio does not
  // respond (unless that is switched off).
  bool SendCommand(const CRadioMessage& frame);
  // Collects the answer with the opcode after the gate was closed and the request sent.
  bool AwaitAnswer(CRadioMessage& answer, int opcode);
  // The whole request-answer pattern: close the gate, send, collect.
  bool Request(const CRadioMessage& request, int answerOpcode, CRadioMessage& answer);
  void SetReportCommErrors(bool report) { reportCommErrors_ = report; }
  bool ReportCommErrors() const { return reportCommErrors_; }

  // Special report 46 on or off as reportsEnabled says.
  bool SetSpecialReports();
  // Remote mode (remoteModeValue), then the special reports.
  bool EnterRemote();
  // The port is open and the radio gives its program word.
  bool CommunicationTest();
  // 1 or 2 from the radio's software version, 0 when it cannot be read.
  varim::core::RadioGeneration CheckSoftwareVersion();
  bool ReadCurrentChannel(channel& current);
  bool ProgramChannel(int number, const channel& programmed);

  // Reads the whole radio into the records: asks the radio what it carries, classifies it,
  // reads every database it has and its ISB mode. False when cancelled, aborted or failed (the
  // operator has been told, unless aborted).
  bool ReadRadio(ProgressObserver* observer);
  // Writes the records into the radio with the presence flags the radio reports (none asked
  // at 1200 baud), filling in a default net 1 when no net is in use. False when cancelled,
  // aborted or failed.
  bool WriteRadio(ProgressObserver* observer);
  // After a write, read every written section back and compare it byte for byte; a section
  // that differs is written once more, and the write fails when it still differs. The line's
  // 8-bit checksum cannot catch every corruption; this makes sure the radio holds the data.
  void SetVerifyWrites(bool verify) { verifyWrites_ = verify; }
  bool VerifyWrites() const { return verifyWrites_; }
  // The memory sections a write puts into the radio from the records, as the presence flags
  // stand (the radio and ALE records, the CCIR data and channel names or the global members,
  // and the extra options), each as the radio holds it once the whole write is done.
  std::vector<MemorySectionImage> WrittenSections() const;
  // After a read: the names of the sections a write of records would change, their header
  // restored from the radio as a write restores it. Empty when the radio holds the records.
  std::vector<std::string> SectionsDifferingFrom(const varim::db::RadioDatabases& records);
  // The first bytes of the radio record (versions, program word, identity) that a write takes
  // from the radio's last read instead of the records.
  static constexpr std::size_t kRestoredHeaderBytes = 68;
  // Ends a running read or write at the next chunk; callable from any thread.
  void AbortTransfer() { transferAborted_ = true; }

  varim::db::RadioDatabases& Databases() { return *databases_; }
  varim::db::PresenceFlags& Flags() { return flags_; }
  const varim::db::PresenceFlags& Flags() const { return flags_; }
  varim::core::RadioGeneration RadioGeneration() const { return radioGeneration_; }
  bool ReportsEnabled() const { return reportsEnabled_; }
  void SetReportsEnabled(bool enabled) { reportsEnabled_ = enabled; }
  // The argument of the remote-mode command: 2 puts the radio under remote control, 0 frees it.
  int RemoteModeValue() const { return remoteModeValue_; }
  void SetRemoteModeValue(int value) { remoteModeValue_ = value; }
  int RadioBaudIndex() const { return radioBaudIndex_; }
  int AleOnOffState() const { return aleOnOffState_; }
  // ALE is off unless the radio reports its state 1; kept with the state on the incoming thread.
  bool AleOff() const { return aleOff_; }
  // Told on the incoming thread whenever a mode report changed the flags it keeps (ALE state,
  // CCIR, support mode); set before the link opens.
  void SetFlagsListener(std::function<void()> listener) { flagsListener_ = std::move(listener); }
  void SetAleOnOffState(int state) {
    aleOnOffState_ = state;
    aleOff_ = state != 1;
  }
  TransferMode Mode() const { return transferMode_; }
  MessageEngine& Engine() { return engine_; }

 private:
  bool Connect(int baudRate);
  void IncomingLoop();
  void HandleIncoming(const CRadioMessage& frame);
  void SetAleState(int state);
  bool WaitForReport(const std::atomic<int>& counter, int seenBefore);
  bool ReadDatabases();
  bool WriteSequence();
  bool VerifyWrite();
  bool AskRadioWhatItCarries(bool cancelWithoutCcirAnswer);
  void FillDefaultNet();
  // What the radio carries as the presence flags stand: what a whole-radio transfer moves.
  TransferContents Contents() const;
  bool Transferred(int bytes);
  void NotifyNoResponse();
  static int ContinueCallback(int bytes);
  static int ProgressCallback(int bytes);

  Operator& operator_;
  EventPump& pump_;
  ReportSink sink_;
  MessageEngine engine_;
  int baudRate_ = 9600;
  bool reportCommErrors_ = true;
  bool verifyWrites_ = false;

  std::unique_ptr<varim::db::RadioDatabases> databases_;
  varim::db::PresenceFlags flags_;
  // The first bytes of the radio record as last read: versions, program word, identity.
  std::unique_ptr<std::uint8_t[]> lastReadHeader_;
  bool headerRead_ = false;

  std::atomic<int> aleOnOffState_{0};
  std::atomic<bool> aleOff_{true};
  std::function<void()> flagsListener_;
  std::atomic<int> supportModeRequested_{0};
  std::atomic<int> ccirReports_{0};
  std::atomic<int> isbReports_{0};
  varim::core::RadioGeneration radioGeneration_ = varim::core::RadioGeneration::kUnknown;
  bool reportsEnabled_ = false;
  int remoteModeValue_ = 2;
  int radioBaudIndex_ = 3;

  TransferMode transferMode_ = TransferMode::kNone;
  std::atomic<bool> transferAborted_{false};
  std::unique_ptr<TransferProgress> progress_;
  ProgressObserver* observer_ = nullptr;

  std::atomic<bool> incomingStop_{false};
  std::thread incomingThread_;
};

}  // namespace varim::core
