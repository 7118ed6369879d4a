#include "varim/database_transfer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "late_answers.h"
#include "memory_map.h"
#include "varim/byte_order.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"

namespace {

using varim::link::MemorySection;
using namespace varim::link::memory_map;

constexpr long kFirstChannelAddress = 1675;  // channel n at 1675 + 13 n
constexpr std::uint8_t kExtraAutoMaxChannel = 100;
constexpr int kCurrentChannelLength = 17;
constexpr int kAnswerLeadBytes = 4;
constexpr int kAcceptedByte = 4;

std::atomic<TransferCallback> progressCallback{nullptr};
std::atomic<TransferCallback> continueCallback{nullptr};

// Holds the caller's callbacks for the length of one transfer and clears them on every exit.
class TransferScope {
 public:
  TransferScope(TransferCallback progress, TransferCallback proceed) {
    progressCallback = progress;
    continueCallback = proceed;
  }
  ~TransferScope() {
    progressCallback = nullptr;
    continueCallback = nullptr;
  }
  TransferScope(const TransferScope&) = delete;
  TransferScope& operator=(const TransferScope&) = delete;
};

void Pause(int pauseMs) {
  if (pauseMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
}

void AddressBytes(long address, std::uint8_t (&bytes)[3]) {
  bytes[0] = static_cast<std::uint8_t>(address >> 16);
  bytes[1] = static_cast<std::uint8_t>(address >> 8);
  bytes[2] = static_cast<std::uint8_t>(address);
}

// The three address bytes step with carry from the low byte up, as a 24-bit number.
long NextAddress(long address, int chunk) {
  return (address + chunk) & 0xFFFFFF;
}

// The callbacks after a chunk; false when the caller wants the transfer to stop.
bool ChunkDone(int chunk) {
  if (const TransferCallback proceed = continueCallback.load(); proceed != nullptr) {
    if (proceed(chunk) == 0) return false;
  }
  if (const TransferCallback progress = progressCallback.load(); progress != nullptr)
    progress(chunk);
  return true;
}

// A request the radio may have heard twice (its acknowledgement was lost and it went again) is
// answered twice. Where the lead bytes cannot tell the second answer from the next request's,
// it is waited for and dropped here; the wait is spent only after such a resend.
void DropRepeatedAnswer(MessageEngine* engine, varim::link::RecentRequests& requests,
                        int answerOpcode) {
  if (engine->LastSendWrites() < 2 || requests.ConventionKnown()) return;
  engine->LockGetMessage();
  engine->DropMessageWithOpcode(answerOpcode, std::chrono::milliseconds(engine->GetAckTimeout()));
  engine->UnlockGetMessage();
}

int ReadMemory(MessageEngine* engine, long address, int length, std::uint8_t* destination) {
  while (length > 0) {
    const int chunk = std::min(length, kMaxChunkBytes);
    std::uint8_t where[3];
    AddressBytes(address, where);
    CRadioMessage request;
    GetMemorySection(&request, where, chunk);
    if (!engine->LockGetMessage()) return 0;
    if (!engine->SendRadioMessage(&request)) {
      engine->UnlockGetMessage();
      return 0;
    }
    varim::link::RecentRequests& requests = engine->RecentMemoryRequests().reads;
    CRadioMessage answer;
    if (!engine->GetMessageWithOpcode(&answer, answer::kMemorySection, requests.Sent(request)))
      return 0;
    requests.Taken(request, answer);
    DropRepeatedAnswer(engine, requests, answer::kMemorySection);
    // A short answer would fill the record with whatever the frame held before.
    if (answer.GetLen() - 1 < kAnswerLeadBytes + chunk) return 0;
    std::memcpy(destination, answer.GetData() + kAnswerLeadBytes, static_cast<std::size_t>(chunk));
    address = NextAddress(address, chunk);
    destination += chunk;
    length -= chunk;
    if (!ChunkDone(chunk)) return 0;
  }
  return 1;
}

int WriteMemory(MessageEngine* engine, long address, int length, const std::uint8_t* source) {
  int refusals = 0;
  while (length > 0) {
    const int chunk = std::min(length, kMaxChunkBytes);
    std::uint8_t where[3];
    AddressBytes(address, where);
    CRadioMessage request;
    ProgramMemorySection(&request, where, source, chunk);
    engine->LockGetMessage();
    if (!engine->SendRadioMessage(&request)) {
      engine->UnlockGetMessage();
      return 0;
    }
    varim::link::RecentRequests& requests = engine->RecentMemoryRequests().writes;
    CRadioMessage answer;
    if (!engine->GetMessageWithOpcode(&answer, answer::kProgramResult, requests.Sent(request)))
      return 0;
    requests.Taken(request, answer);
    DropRepeatedAnswer(engine, requests, answer::kProgramResult);
    if (answer.GetDataByte(kAcceptedByte) == 0) {
      // Not written: the same chunk again, without advancing and without callbacks.
      if (++refusals > kMaxRefusedChunkResends) return 0;
      continue;
    }
    refusals = 0;
    address = NextAddress(address, chunk);
    source += chunk;
    length -= chunk;
    if (!ChunkDone(chunk)) return 0;
  }
  return 1;
}

int ReadSection(MessageEngine* engine, const MemorySection& section, void* record) {
  return ReadMemory(engine, section.address, section.length,
                    static_cast<std::uint8_t*>(record) + section.recordOffset);
}

int SendProgrammingFrame(MessageEngine* engine, bool start) {
  CRadioMessage frame;
  if (start) {
    StartRadioProgramming(&frame, 0);
  } else {
    StopRadioProgramming(&frame, 0);
  }
  return engine->SendRadioMessage(&frame);
}

// Ends programming mode when nothing more follows. The stop frame goes out even after a failed
// section, so the radio leaves programming mode, but it cannot turn that failure into success.
int FinishWrite(MessageEngine* engine, int written, bool stop) {
  if (!stop) return written;
  const int stopped = SendProgrammingFrame(engine, false);
  return written && stopped ? 1 : 0;
}

template <typename T>
void Swap(T& field) {
  if constexpr (sizeof(T) == 2) {
    field = SwapBytes16(field);
  } else {
    field = SwapBytes32(field);
  }
}

// Host order to the radio's order or back: the same swap both ways.
template <typename Sections>
int ReadSections(MessageEngine* engine, const Sections& sections, void* record, int pauseMs,
                 bool pauseFirst) {
  bool first = true;
  for (const MemorySection& section : sections) {
    if (pauseFirst || !first) Pause(pauseMs);
    first = false;
    if (!ReadSection(engine, section, record)) return 0;
  }
  return 1;
}

template <typename Sections>
void AddImages(std::vector<MemorySectionImage>& images, const Sections& sections,
               const void* record) {
  for (const MemorySection& section : sections) {
    const auto* bytes = static_cast<const std::uint8_t*>(record) + section.recordOffset;
    images.push_back({section.name, section.address, {bytes, bytes + section.length}});
  }
}

// Writes the sections in order, with a pause before each but the first (and before the first
// too when asked).
int WriteImages(MessageEngine* engine, const std::vector<MemorySectionImage>& images, int pauseMs,
                bool pauseFirst) {
  bool first = true;
  for (const MemorySectionImage& image : images) {
    if (pauseFirst || !first) Pause(pauseMs);
    first = false;
    if (!WriteMemory(engine, image.address, static_cast<int>(image.bytes.size()),
                     image.bytes.data())) {
      return 0;
    }
  }
  return 1;
}

}  // namespace

void SwapRadioDatabaseOrder(dbase& radio, bool serviceArea) {
  if (serviceArea) {
    std::uint16_t word = radio.service_word;
    Swap(word);
    radio.service_word = word;
  }
  for (scan_group& group : radio.groups) {
    std::uint16_t guard = group.guard_channel;
    Swap(guard);
    group.guard_channel = guard;
  }
  for (channel& c : radio.channels) {
    std::uint32_t tx = c.tx_frequency;
    std::uint32_t rx = c.rx_frequency;
    Swap(tx);
    Swap(rx);
    c.tx_frequency = tx;
    c.rx_frequency = rx;
  }
  std::uint16_t priority = radio.radio_options.priority_channel;
  Swap(priority);
  radio.radio_options.priority_channel = priority;
}

void SwapAleDatabaseOrder(ale_dbase& ale) {
  for (ale_net& net : ale.nets) {
    std::uint16_t allCall = net.all_call_channel;
    Swap(allCall);
    net.all_call_channel = allCall;
  }
}

int ReadRadioDataBase(MessageEngine* engine, dbase* radio, int flag, TransferCallback progress,
                      TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  int ok = ReadSection(engine, kRadioHeader, radio);
  if (ok && flag) ok = ReadSections(engine, kRadioServiceArea, radio, pauseMs, true);
  if (ok) ok = ReadSections(engine, kRadioTail, radio, pauseMs, true);
  SwapRadioDatabaseOrder(*radio, flag != 0);
  return ok;
}

std::vector<MemorySectionImage> RadioDataBaseImage(const dbase& radio, int flag) {
  auto copy = std::make_unique<dbase>(radio);
  SwapRadioDatabaseOrder(*copy, true);
  std::vector<MemorySectionImage> images;
  AddImages(images, std::span(&kRadioLanguage, 1), copy.get());
  if (flag) AddImages(images, kRadioServiceArea, copy.get());
  AddImages(images, kRadioTail, copy.get());
  return images;
}

int WriteRadioDataBase(MessageEngine* engine, const dbase* radio, int flag,
                       TransferCallback progress, TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  if (!SendProgrammingFrame(engine, true)) return 0;
  return WriteImages(engine, RadioDataBaseImage(*radio, flag), pauseMs, false);
}

int ReadAleDataBase(MessageEngine* engine, ale_dbase* ale, TransferCallback progress,
                    TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  const int ok = ReadSections(engine, kAleSections, ale, pauseMs, true);
  SwapAleDatabaseOrder(*ale);
  return ok;
}

std::vector<MemorySectionImage> AleDataBaseImage(const ale_dbase& ale) {
  auto copy = std::make_unique<ale_dbase>(ale);
  SwapAleDatabaseOrder(*copy);
  std::vector<MemorySectionImage> images;
  AddImages(images, kAleSections, copy.get());
  return images;
}

int WriteAleDataBase(MessageEngine* engine, const ale_dbase* ale, TransferCallback progress,
                     TransferCallback proceed, int pauseMs, std::uint8_t first, std::uint8_t second,
                     std::uint8_t third) {
  TransferScope scope(progress, proceed);
  const int ok = WriteImages(engine, AleDataBaseImage(*ale), pauseMs, false);
  return FinishWrite(engine, ok, first == 0 && second == 0 && third == 0);
}

int ReadCcirDataBase(MessageEngine* engine, ccir_dbase* ccir, TransferCallback progress,
                     TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  return ReadSections(engine, kCcirSections, ccir, pauseMs, true);
}

std::vector<MemorySectionImage> CcirDataBaseImage(const ccir_dbase& ccir) {
  std::vector<MemorySectionImage> images;
  AddImages(images, kCcirSections, &ccir);
  return images;
}

int WriteCcirDataBase(MessageEngine* engine, const ccir_dbase* ccir, TransferCallback progress,
                      TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  return WriteImages(engine, CcirDataBaseImage(*ccir), pauseMs, true);
}

int ReadChannelNameDataBase(MessageEngine* engine, channel_name* names, TransferCallback progress,
                            TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  Pause(pauseMs);
  return ReadSection(engine, kChannelNames, names);
}

std::vector<MemorySectionImage> ChannelNameDataBaseImage(const channel_name& names) {
  std::vector<MemorySectionImage> images;
  AddImages(images, std::span(&kChannelNames, 1), &names);
  return images;
}

int WriteChannelNameDataBase(MessageEngine* engine, const channel_name* names,
                             TransferCallback progress, TransferCallback proceed, int pauseMs,
                             std::uint8_t moreFollows) {
  TransferScope scope(progress, proceed);
  const int ok = WriteImages(engine, ChannelNameDataBaseImage(*names), pauseMs, true);
  return FinishWrite(engine, ok, moreFollows == 0);
}

int ReadGlobalMemberDataBase(MessageEngine* engine, ale_dbase_global_members* members,
                             TransferCallback progress, TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  char names[kNets][16];
  std::uint8_t addresses[kNets][kGlobalMembers];
  Pause(pauseMs);
  if (!ReadSection(engine, kGlobalNames, names)) return 0;
  Pause(pauseMs);
  if (!ReadSection(engine, kGlobalAddresses, addresses)) return 0;
  for (int k = 0; k < kNets; ++k) {
    global_members_entry& entry = members->nets[k];
    // A name that fills its slot keeps 15 characters, so the field stays a text.
    std::memset(entry.global_members_name, 0, sizeof entry.global_members_name);
    std::memcpy(entry.global_members_name, names[k], strnlen(names[k], 15));
    for (int j = 0; j < kGlobalMembers; ++j) {
      const std::uint8_t stored = addresses[k][j];
      entry.global_members[j] =
          (stored & 0x7F) != 0 ? static_cast<std::uint8_t>(stored - 1) : kNoEntry;
    }
  }
  return 1;
}

std::vector<MemorySectionImage> GlobalMemberDataBaseImage(const ale_dbase_global_members& members) {
  char names[kNets][16] = {};
  std::uint8_t addresses[kNets][kGlobalMembers] = {};
  for (int k = 0; k < kNets; ++k) {
    const global_members_entry& entry = members.nets[k];
    std::memcpy(names[k], entry.global_members_name,
                strnlen(entry.global_members_name, sizeof entry.global_members_name));
    for (int j = 0; j < kGlobalMembers; ++j) {
      const std::uint8_t value = entry.global_members[j];
      addresses[k][j] = value == kNoEntry ? 0 : static_cast<std::uint8_t>(value + 1);
    }
  }
  std::vector<MemorySectionImage> images;
  AddImages(images, std::span(&kGlobalNames, 1), names);
  AddImages(images, std::span(&kGlobalAddresses, 1), addresses);
  return images;
}

int WriteGlobalMemberDataBase(MessageEngine* engine, const ale_dbase_global_members* members,
                              TransferCallback progress, TransferCallback proceed, int pauseMs,
                              std::uint8_t moreFollows) {
  TransferScope scope(progress, proceed);
  const int ok = WriteImages(engine, GlobalMemberDataBaseImage(*members), pauseMs, true);
  return FinishWrite(engine, ok, moreFollows == 0);
}

int ReadExtraOptionDataBase(MessageEngine* engine, tag_extra_options* options,
                            TransferCallback progress, TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  Pause(pauseMs);
  const int ok = ReadSection(engine, kExtraOptions, options);
  if (options->max_channel == kExtraAutoMaxChannel) options->max_channel = 0;
  if (options->link_after_bidirectional > 1) options->link_after_bidirectional = 0;
  if (options->vcds > 1) options->vcds = 0;
  return ok;
}

std::vector<MemorySectionImage> ExtraOptionDataBaseImage(const tag_extra_options& options) {
  tag_extra_options copy = options;
  if (copy.max_channel == 0) copy.max_channel = kExtraAutoMaxChannel;
  std::vector<MemorySectionImage> images;
  AddImages(images, std::span(&kExtraOptions, 1), &copy);
  return images;
}

int WriteExtraOptionDataBase(MessageEngine* engine, const tag_extra_options* options,
                             TransferCallback progress, TransferCallback proceed, int pauseMs) {
  TransferScope scope(progress, proceed);
  const int ok = WriteImages(engine, ExtraOptionDataBaseImage(*options), pauseMs, true);
  return FinishWrite(engine, ok, true);
}

int StartRADIOProgramming(MessageEngine* engine) {
  return SendProgrammingFrame(engine, true);
}

int StopRADIOProgramming(MessageEngine* engine) {
  return SendProgrammingFrame(engine, false);
}

int WriteRADIOMemorySection(MessageEngine* engine, const std::uint8_t* bytes, long address,
                            int length) {
  return WriteMemory(engine, address, length, bytes);
}

int ReadRADIOMemorySection(MessageEngine* engine, std::uint8_t* bytes, long address, int length) {
  return ReadMemory(engine, address, length, bytes);
}

int ProgramRadioMemorySection(MessageEngine* engine, const std::uint8_t* bytes, long address,
                              int length) {
  if (!StartRADIOProgramming(engine)) return 0;
  const int written = WriteRADIOMemorySection(engine, bytes, address, length);
  return written && StopRADIOProgramming(engine) ? 1 : 0;
}

int ReadRadioSoftwareVersion(MessageEngine* engine, std::uint8_t* buffer) {
  return ReadSection(engine, kRadioSoftwareVersion, buffer);
}

int ReadProgramWord(MessageEngine* engine, std::uint8_t* buffer) {
  return ReadSection(engine, kProgramWord, buffer);
}

int ReadSoftwareVersion(MessageEngine* engine, std::uint8_t* buffer) {
  return ReadSection(engine, kSoftwareVersion, buffer);
}

int ReadOptionList(MessageEngine* engine, wide_i* wide) {
  return ReadSection(engine, kOptionList, wide);
}

int ReadCurrentChannel(MessageEngine* engine, channel* current) {
  CRadioMessage request;
  ReportCurrentChannelParameters(&request);
  engine->LockGetMessage();
  if (!engine->SendRadioMessage(&request)) {
    engine->UnlockGetMessage();
    return 0;
  }
  CRadioMessage answer;
  if (!engine->GetMessageWithOpcode(&answer, answer::kCurrentChannelParameters)) return 0;
  if (answer.GetLen() != kCurrentChannelLength) return 0;
  const std::uint8_t* d = answer.GetData();
  // The power byte is the radio's level, not its code.
  struct PowerLevel {
    std::uint8_t level;
    std::uint8_t code;
  };
  constexpr PowerLevel kPowerLevels[] = {{25, 2}, {62, 3}, {100, 4}};
  std::uint8_t power = 5;
  for (const auto& level : kPowerLevels) {
    if (d[14] == level.level) power = level.code;
  }
  current->tx_power = power;
  current->sideband = d[12];
  current->bandwidth = d[15];
  current->tx_frequency = ReadBigEndian32(d + 6);
  current->rx_frequency = ReadBigEndian32(d + 2);
  current->agc = d[11];
  current->mode = d[10];
  return 1;
}

int ProgramChannelNumberN(MessageEngine* engine, const channel* programmed, int n) {
  // Any other number would program memory that holds no channel.
  if (n < 1 || n > kMaxChannel) return 0;
  channel radioOrder = *programmed;
  radioOrder.tx_frequency = SwapBytes32(programmed->tx_frequency);
  radioOrder.rx_frequency = SwapBytes32(programmed->rx_frequency);
  std::uint8_t where[3];
  AddressBytes(kFirstChannelAddress + 13L * n, where);
  CRadioMessage frame;
  ProgramMemorySection(&frame, where, reinterpret_cast<const std::uint8_t*>(&radioOrder),
                       sizeof radioOrder);
  SendProgrammingFrame(engine, true);  // its acknowledgement is not needed
  if (!engine->SendRadioMessage(&frame)) return 0;
  SendProgrammingFrame(engine, false);
  return 1;
}
