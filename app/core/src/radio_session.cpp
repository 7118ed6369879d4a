#include "varim/core/radio_session.h"

#include <chrono>
#include <cstring>

#include "varim/core/operator_texts.h"
#include "varim/core/record_transfer.h"
#include "varim/database_transfer.h"
#include "varim/db/channel_set.h"
#include "varim/db/configuration_check.h"
#include "varim/db/empty_records.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace varim::core {

namespace {

// The transfer callbacks carry no context: they reach the session running the transfer here.
std::atomic<RadioSession*> activeSession{nullptr};

// Marks the session whose transfer the library's callbacks report to, for one transfer.
class ActiveTransfer {
 public:
  explicit ActiveTransfer(RadioSession* session) { activeSession = session; }
  ~ActiveTransfer() { activeSession = nullptr; }
  ActiveTransfer(const ActiveTransfer&) = delete;
  ActiveTransfer& operator=(const ActiveTransfer&) = delete;
};

constexpr int kSlowestBaudRate = 1200;
// The bytes of the radio record a write restores from the last read: versions, program word,
// serial number and radio code.
constexpr std::size_t kReadHeaderBytes = 1270;
constexpr char kDefaultNetName[] = "DEF_NET";
constexpr char kDefaultSelfAddress[] = "DEF_ADDRESS";

// Generation 1 radios carry software versions from "01.000" up to and including "03.000".
RadioGeneration GenerationOf(const std::uint8_t* version) {
  const char* text = reinterpret_cast<const char*>(version);
  if (std::strncmp(text, "01.000", 8) < 0) return RadioGeneration::kVarim;
  return std::strncmp(text, "03.000", 8) <= 0 ? RadioGeneration::kVarim2E : RadioGeneration::kVarim;
}

template <std::size_t N>
void SetText(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  std::strncpy(field, text, N - 1);
}

}  // namespace

RadioSession::RadioSession(Operator& op, EventPump& pump, ReportSink sink)
    : operator_(op),
      pump_(pump),
      sink_(std::move(sink)),
      databases_(std::make_unique<varim::db::RadioDatabases>(varim::db::EmptyRadioDatabases())),
      lastReadHeader_(std::make_unique<std::uint8_t[]>(kReadHeaderBytes)) {}

RadioSession::~RadioSession() {
  Close();
}

bool RadioSession::Open(int comPort, int baudRate) {
  if (engine_.OpenComPort(comPort, baudRate) != 1) {
    operator_.Notify(texts::kCannotOpenPort, Operator::Icon::kExclamation);
    return false;
  }
  return Connect(baudRate);
}

bool RadioSession::Open(const std::string& device, int baudRate) {
  if (engine_.OpenComPort(device.c_str(), baudRate) != 1) {
    operator_.Notify(texts::kCannotOpenPort, Operator::Icon::kExclamation);
    return false;
  }
  return Connect(baudRate);
}

bool RadioSession::Connect(int baudRate) {
  baudRate_ = baudRate;
  if (engine_.ConnectSocket(baudRate, 1) != 1) {
    engine_.CloseComPort();
    return false;
  }
  incomingStop_ = false;
  incomingThread_ = std::thread(&RadioSession::IncomingLoop, this);
  return true;
}

void RadioSession::Close() {
  incomingStop_ = true;
  // Disconnecting first releases the incoming thread from its wait for a frame at once.
  engine_.DisconnectSocket(1);
  if (incomingThread_.joinable()) incomingThread_.join();
  engine_.CloseComPort();
}

bool RadioSession::IsOpen() const {
  return engine_.IsPortOpen() == 1;
}

void RadioSession::NotifyNoResponse() {
  if (reportCommErrors_)
    operator_.Notify(texts::kRadioDoesNotRespond, Operator::Icon::kExclamation);
}

bool RadioSession::SendCommand(const CRadioMessage& frame) {
  if (!IsOpen() || pump_.Run([&] { return engine_.SendRadioMessage(&frame); }) != 1) {
    NotifyNoResponse();
    return false;
  }
  return true;
}

bool RadioSession::AwaitAnswer(CRadioMessage& answer, int opcode) {
  if (pump_.Run([&] { return engine_.GetMessageWithOpcode(&answer, opcode); }) != 1) {
    NotifyNoResponse();
    return false;
  }
  return true;
}

bool RadioSession::Request(const CRadioMessage& request, int answerOpcode, CRadioMessage& answer) {
  engine_.LockGetMessage();
  if (!SendCommand(request)) {
    engine_.UnlockGetMessage();
    return false;
  }
  return AwaitAnswer(answer, answerOpcode);
}

bool RadioSession::SetSpecialReports() {
  CRadioMessage frame;
  EnableDisableSpecialReport(&frame, 0, reportsEnabled_ ? 1 : 0, report::kDisplay);
  return SendCommand(frame);
}

bool RadioSession::EnterRemote() {
  CRadioMessage frame;
  EnterRemoteMode(&frame, remoteModeValue_);
  if (!SendCommand(frame)) return false;
  return SetSpecialReports();
}

bool RadioSession::CommunicationTest() {
  std::uint8_t programWord[4];
  return IsOpen() && pump_.Run([&] { return ReadProgramWord(&engine_, programWord); }) == 1;
}

RadioGeneration RadioSession::CheckSoftwareVersion() {
  std::uint8_t version[8];
  if (pump_.Run([&] { return ReadSoftwareVersion(&engine_, version); }) != 1)
    return RadioGeneration::kUnknown;
  return GenerationOf(version);
}

bool RadioSession::ReadCurrentChannel(channel& current) {
  if (!IsOpen() || pump_.Run([&] { return ::ReadCurrentChannel(&engine_, &current); }) != 1) {
    NotifyNoResponse();
    return false;
  }
  return true;
}

bool RadioSession::ProgramChannel(int number, const channel& programmed) {
  if (!IsOpen() ||
      pump_.Run([&] { return ProgramChannelNumberN(&engine_, &programmed, number); }) != 1) {
    NotifyNoResponse();
    return false;
  }
  return true;
}

// The radio answers the mode requests with reports that the incoming thread handles; the
// sequences go on once it has, or after a bounded wait.
bool RadioSession::WaitForReport(const std::atomic<int>& counter, int seenBefore) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kModeReportWaitMs);
  while (counter.load() == seenBefore) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    pump_.Wait(2);
  }
  return true;
}

// Asks for the support mode (the answer, handled by the incoming thread, puts global members
// and extended support in use) and the CCIR mode.
bool RadioSession::AskRadioWhatItCarries(bool cancelWithoutCcirAnswer) {
  CRadioMessage support;
  ReportRadioSupportMode(&support);
  // Marked before sending: the answer can reach the incoming thread before the sender hears
  // the acknowledgement, and would be ignored if the mark came after.
  supportModeRequested_ = 1;
  supportModeRequested_ =
      pump_.Run([&] { return engine_.SendRadioMessage(&support); }) == 1 ? 1 : 0;
  flags_.ccir_present = 0;
  flags_.ccir_from_file = 0;
  const int ccirBefore = ccirReports_.load();
  CRadioMessage ccir;
  ReportCcirMode(&ccir);
  if (!SendCommand(ccir)) return false;
  return WaitForReport(ccirReports_, ccirBefore) || !cancelWithoutCcirAnswer;
}

bool RadioSession::ReadRadio(ProgressObserver* observer) {
  transferMode_ = TransferMode::kRead;
  transferAborted_ = false;
  observer_ = observer;
  ActiveTransfer active(this);
  bool completed = true;

  flags_.extended_support = 0;
  flags_.global_ale_present = 0;
  if (!AskRadioWhatItCarries(false)) {
    // The program has always taken a radio that does not answer here for a CCIR radio.
    flags_.ccir_present = 1;
    transferMode_ = TransferMode::kNone;
    return false;
  }
  radioGeneration_ = CheckSoftwareVersion();
  if (radioGeneration_ == RadioGeneration::kUnknown)
    completed = false;  // the databases are still read
  if (!ReadDatabases()) completed = false;
  if (completed) {
    const int isbBefore = isbReports_.load();
    CRadioMessage isb;
    ReportIsbMode(&isb);
    completed = SendCommand(isb);
    if (completed) WaitForReport(isbReports_, isbBefore);
  }
  transferMode_ = TransferMode::kNone;
  return completed && !transferAborted_;
}

bool RadioSession::ReadDatabases() {
  reportsEnabled_ = false;
  if (!SetSpecialReports()) return false;
  varim::db::RadioDatabases& db = *databases_;
  std::memset(&db.radio, 0, sizeof db.radio);
  std::memset(&db.ale, 0, sizeof db.ale);
  std::memset(&db.ccir, 0, sizeof db.ccir);
  // Empty is 255 for a global member: a zeroed record would name directory entry 0 twenty
  // times in every net, and a radio that keeps CCIR data instead gives none back.
  db.globalMembers = varim::db::EmptyGlobalMembers();
  if (flags_.extended_support == 1) std::memset(&db.extraOptions, 0, sizeof db.extraOptions);

  const TransferContents contents = Contents();
  progress_ = std::make_unique<TransferProgress>(TransferMode::kRead, contents);

  MessageEngine* e = &engine_;
  const int ok = pump_.Run([&] {
    for (const RadioRecord record : TransferPlan(contents)) {
      if (!TransferOf(record).read(e, db, ProgressCallback, ContinueCallback, kSectionPauseMs))
        return 0;
    }
    return 1;
  });
  if (!ok) {
    if (!transferAborted_) NotifyNoResponse();
    return false;
  }
  std::memcpy(lastReadHeader_.get(), &db.radio, kReadHeaderBytes);
  headerRead_ = true;
  reportsEnabled_ = true;
  radioBaudIndex_ = db.radio.radio_options.baud_rate;
  return true;
}

bool RadioSession::WriteRadio(ProgressObserver* observer) {
  varim::db::RadioDatabases& db = *databases_;
  std::memcpy(db.ale.ale_program_word, "ALE", 4);
  // Only a read gives the radio's own versions and identity to restore.
  if (headerRead_) std::memcpy(&db.radio, lastReadHeader_.get(), kRestoredHeaderBytes);
  transferMode_ = TransferMode::kWrite;
  transferAborted_ = false;
  observer_ = observer;
  ActiveTransfer active(this);

  const int loadedCcir = flags_.ccir_present;
  const int loadedGlobal = flags_.global_ale_present;
  auto restoreLoadedFlags = [&] {
    flags_.ccir_present = loadedCcir;
    flags_.global_ale_present = loadedGlobal;
  };
  flags_.ccir_present = 0;
  flags_.global_ale_present = 0;
  flags_.ccir_from_file = 0;
  const bool slowLine = baudRate_ == kSlowestBaudRate;
  if (!slowLine) {
    flags_.extended_support = 0;
    varim::core::RadioGeneration generation = RadioGeneration::kUnknown;
    if (!AskRadioWhatItCarries(true) ||
        (generation = CheckSoftwareVersion()) == RadioGeneration::kUnknown) {
      // Nothing was written: the loaded data keeps what it carries.
      restoreLoadedFlags();
      transferMode_ = TransferMode::kNone;
      return false;
    }
    radioGeneration_ = generation;
  }

  const bool written = WriteSequence();
  if (written && verifyWrites_ && !VerifyWrite()) {
    if (slowLine) restoreLoadedFlags();
    transferMode_ = TransferMode::kNone;
    return false;
  }
  const bool ccirLost = loadedCcir == 1 && flags_.ccir_present == 0;
  const bool globalLost = loadedGlobal == 1 && flags_.global_ale_present == 0;
  if (slowLine) restoreLoadedFlags();
  transferMode_ = TransferMode::kNone;
  if (!written) {
    // An operator who aborted knows the radio answered; what they need to hear is that it now
    // holds part of the new data.
    if (transferAborted_) {
      operator_.Notify(texts::kWriteAborted, Operator::Icon::kExclamation);
    } else {
      NotifyNoResponse();
    }
    return false;
  }
  if (ccirLost) operator_.Notify(texts::kCcirNotProgrammed, Operator::Icon::kExclamation);
  if (globalLost) operator_.Notify(texts::kGlobalNotProgrammed, Operator::Icon::kExclamation);
  return true;
}

void RadioSession::FillDefaultNet() {
  varim::db::RadioDatabases& db = *databases_;
  ale_net& net = db.ale.nets[0];
  SetText(net.net_name, kDefaultNetName);
  SetText(net.self_address, kDefaultSelfAddress);
  varim::db::AddChannel(net.scanned_channels, db.radio.radio_options.priority_channel);
}

bool RadioSession::WriteSequence() {
  varim::db::RadioDatabases& db = *databases_;
  const bool globalInUse = flags_.global_ale_present == 1;
  if (!varim::db::CheckAleConfiguration(db.ale, db.globalMembers, globalInUse).aleNetInUse)
    FillDefaultNet();
  const TransferContents contents = Contents();
  progress_ = std::make_unique<TransferProgress>(TransferMode::kWrite, contents);

  MessageEngine* e = &engine_;
  const int ok = pump_.Run([&] {
    const std::vector<RadioRecord> plan = TransferPlan(contents);
    for (auto record = plan.begin(); record != plan.end(); ++record) {
      const bool moreFollows = record + 1 != plan.end();
      if (!TransferOf(*record).write(e, db, ProgressCallback, ContinueCallback, kSectionPauseMs,
                                     moreFollows))
        return 0;
    }
    return 1;
  });
  if (ok) radioBaudIndex_ = db.radio.radio_options.baud_rate;
  return ok;
}

std::vector<MemorySectionImage> RadioSession::WrittenSections() const {
  const varim::db::RadioDatabases& db = *databases_;
  std::vector<MemorySectionImage> images;
  for (const RadioRecord record : TransferPlan(Contents())) {
    std::vector<MemorySectionImage> more = TransferOf(record).image(db);
    images.insert(images.end(), more.begin(), more.end());
  }

  // The extra options lie inside the channel names: what a later section writes over an
  // earlier one is what the radio holds there.
  for (std::size_t earlier = 0; earlier < images.size(); ++earlier) {
    MemorySectionImage& image = images[earlier];
    const long end = image.address + static_cast<long>(image.bytes.size());
    for (std::size_t later = earlier + 1; later < images.size(); ++later) {
      const MemorySectionImage& over = images[later];
      const long overEnd = over.address + static_cast<long>(over.bytes.size());
      for (long at = std::max(image.address, over.address); at < std::min(end, overEnd); ++at)
        image.bytes[at - image.address] = over.bytes[at - over.address];
    }
  }
  return images;
}

std::vector<std::string> RadioSession::SectionsDifferingFrom(
    const varim::db::RadioDatabases& records) {
  varim::db::RadioDatabases& db = *databases_;
  const varim::db::RadioDatabases read = db;
  const std::vector<MemorySectionImage> held = WrittenSections();
  db = records;
  std::memcpy(db.ale.ale_program_word, "ALE", 4);
  std::memcpy(&db.radio, &read.radio, kRestoredHeaderBytes);
  const std::vector<MemorySectionImage> written = WrittenSections();
  db = read;
  std::vector<std::string> differing;
  for (std::size_t i = 0; i < written.size() && i < held.size(); ++i) {
    if (written[i].bytes != held[i].bytes) differing.emplace_back(written[i].name);
  }
  return differing;
}

bool RadioSession::VerifyWrite() {
  const std::vector<MemorySectionImage> images = WrittenSections();
  std::size_t total = 0;
  for (const MemorySectionImage& image : images) total += image.bytes.size();
  std::size_t verified = 0;
  bool answered = true;
  auto holds = [this, &answered](const MemorySectionImage& image) {
    std::vector<std::uint8_t> radio(image.bytes.size());
    answered = pump_.Run([&] {
      return ReadRADIOMemorySection(&engine_, radio.data(), image.address,
                                    static_cast<int>(radio.size()));
    }) == 1;
    return answered && radio == image.bytes;
  };
  for (const MemorySectionImage& image : images) {
    if (transferAborted_) return false;
    if (observer_ != nullptr) {
      observer_->OnProgress({static_cast<int>(verified * 100 / total), "Verify",
                             std::string("Verifying ") + image.name});
    }
    if (!holds(image)) {
      if (!answered) {
        NotifyNoResponse();
        return false;
      }
      // Written once more; a second difference is no accident of the line.
      const bool rewritten = pump_.Run([&] {
        return StartRADIOProgramming(&engine_) == 1 &&
               WriteRADIOMemorySection(&engine_, image.bytes.data(), image.address,
                                       static_cast<int>(image.bytes.size())) == 1 &&
               StopRADIOProgramming(&engine_) == 1;
      }) == 1;
      if (!rewritten || !holds(image)) {
        if (!rewritten || !answered) {
          NotifyNoResponse();
        } else {
          operator_.Notify(std::string(texts::kVerificationFailed) + image.name,
                           Operator::Icon::kError);
        }
        return false;
      }
    }
    verified += image.bytes.size();
  }
  return true;
}

TransferContents RadioSession::Contents() const {
  return {flags_.ccir_present == 1, flags_.global_ale_present == 1, flags_.extended_support == 1};
}

bool RadioSession::Transferred(int bytes) {
  if (transferAborted_) return false;
  if (progress_) {
    progress_->Add(bytes);
    if (observer_ != nullptr) observer_->OnProgress(progress_->View());
  }
  return !transferAborted_;
}

int RadioSession::ContinueCallback(int bytes) {
  RadioSession* session = activeSession.load();
  return session != nullptr && session->Transferred(bytes) ? 1 : 0;
}

int RadioSession::ProgressCallback(int /*bytes*/) {
  if (RadioSession* session = activeSession.load()) session->pump_.Dispatch();
  return 1;
}

void RadioSession::IncomingLoop() {
  while (!incomingStop_) {
    CRadioMessage frame;
    const int taken = engine_.GetMessageA(&frame, 1);
    if (taken < 0) return;  // the link failed; it takes a new Open to read again
    if (taken == 1 && !incomingStop_) HandleIncoming(frame);
  }
}

void RadioSession::HandleIncoming(const CRadioMessage& frame) {
  const std::uint8_t* d = frame.GetData();
  switch (frame.GetOpcode()) {
    case report::kAleOnOff:
      SetAleState(d[0]);
      return;
    case report::kCcirMode:
      if (d[0] == 1) {
        flags_.ccir_present = 1;
      } else {
        flags_.ccir_present = 0;
        flags_.ccir_from_file = 0;
      }
      SetAleState(d[1]);
      ++ccirReports_;
      return;
    case report::kSupportMode:
      if (supportModeRequested_ == 1 && (d[0] & 1) != 0) {
        flags_.global_ale_present = 1;
        flags_.extended_support = 1;
        if (flagsListener_) flagsListener_();
      }
      return;
    case report::kIsbMode:  // kept here too, so a read knows it before it returns
      if (d[0] < 2) flags_.isb_present = d[0] == 1 ? 1 : 0;
      ++isbReports_;
      break;
    default:
      break;
  }
  if (sink_) sink_(frame);
}

void RadioSession::SetAleState(int state) {
  aleOnOffState_ = state;
  aleOff_ = state != 1;
  if (flagsListener_) flagsListener_();
}

}  // namespace varim::core
