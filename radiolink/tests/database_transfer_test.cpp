#include "varim/database_transfer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "varim/db/radio_databases.h"
#include "varim/radio_commands.h"
#include "varim/sim/radio_memory.h"
#include "varim/sim/radio_model.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/bytes.h"
#include "varim/testing/frame_image.h"
#include "varim/testing/opcode_count.h"
#include "varim/testing/stretch.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using varim::db::RadioDatabases;
using varim::sim::MakeRadioFrame;
using varim::sim::RadioMemory;
using varim::sim::SimOptions;
using varim::sim::SimulatedRadio;
using varim::testing::Bytes;
using varim::testing::CountOpcode;
using varim::testing::Image;
using varim::testing::Stretch;

// Start and stop programming, data byte 0: checksums 24+02+18+7E and 24+02+18+78.
const Bytes kStartFrame = {0x24, 0x02, 0x18, 0x7E, 0x00, 0xBC, 0x03};
const Bytes kStopFrame = {0x24, 0x02, 0x18, 0x78, 0x00, 0xB6, 0x03};

template <typename Record>
Bytes BytesOf(const Record& record) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
  return {bytes, bytes + sizeof record};
}

// The callbacks are plain functions, so what they see is kept here.
std::vector<int> progressSeen;
std::vector<int> continueSeen;
std::size_t cancelAtCall = 0;  // the continue call that answers 0; 0 for none

void ResetCallbacks() {
  progressSeen.clear();
  continueSeen.clear();
  cancelAtCall = 0;
}
// Answers 0 on purpose: the progress result must not stop a transfer.
int RecordProgress(int bytes) {
  progressSeen.push_back(bytes);
  return 0;
}
int RecordContinue(int bytes) {
  continueSeen.push_back(bytes);
  return continueSeen.size() == cancelAtCall ? 0 : 1;
}

Bytes Padded(Bytes head, std::size_t size, std::uint8_t fill) {
  head.resize(size, fill);
  return head;
}
// A name in its 16-byte slot, zero-padded.
Bytes Text(const char* text) {
  return Padded(Bytes(text, text + std::strlen(text)), 16, 0);
}

RadioMemory MemoryWith(std::initializer_list<std::pair<long, Bytes>> stretches) {
  RadioMemory memory;
  for (const auto& [address, bytes] : stretches)
    memory.Write(address, static_cast<int>(bytes.size()), bytes.data());
  return memory;
}

const RadioDatabases& NewRecords() {
  static const RadioDatabases records = varim::db::EmptyRadioDatabases();
  return records;
}

// A write bound to an engine, the recorded callbacks, no pause and its more-follows bytes.
enum class Programming { kNeither, kStarts, kEnds };
struct WriteCase {
  const char* name;
  Programming frames;  // the start or stop programming frame the write sends itself
  std::function<int()> write;
};

// The engine on a simulated radio at 9600 baud over an unpaced pseudo-terminal.
class DatabaseTransferTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetCallbacks(); }
  void TearDown() override { Disconnect(); }

  void Connect(std::optional<RadioMemory> memory = std::nullopt,
               varim::sim::AnswerLead lead = varim::sim::AnswerLead::kEcho) {
    Disconnect();
    SimOptions options;
    options.memory = std::move(memory);
    options.behaviour.answerLead = lead;
    radio_ = std::make_unique<SimulatedRadio>(std::move(options));
    std::string error;
    ASSERT_TRUE(radio_->Start(&error)) << error;
    engine_ = std::make_unique<MessageEngine>();
    ASSERT_EQ(engine_->OpenComPort(radio_->DevicePath().c_str(), 9600), 1);
    ASSERT_EQ(engine_->ConnectSocket(9600, 1), 1);
  }
  void Disconnect() {
    if (engine_) {
      engine_->DisconnectSocket(1);
      engine_->CloseComPort();
    }
    engine_.reset();
    radio_.reset();
  }

  std::size_t FrameCount() const { return radio_->ReceivedFrames().size(); }
  // The program's frames the radio took from the index on.
  std::vector<CRadioMessage> FramesSince(std::size_t from) const {
    const auto frames = radio_->ReceivedFrames();
    return {frames.begin() + static_cast<long>(std::min(from, frames.size())), frames.end()};
  }
  Bytes MemoryAt(long address, int count) const {
    return Stretch(radio_->Memory(), address, count);
  }
  std::vector<WriteCase> EveryWrite() const {
    MessageEngine* e = engine_.get();
    const RadioDatabases& r = NewRecords();
    constexpr TransferCallback p = RecordProgress;
    constexpr TransferCallback c = RecordContinue;
    using enum Programming;
    return {
        {"radio", kStarts, [=, &r] { return WriteRadioDataBase(e, &r.radio, 0, p, c, 0); }},
        {"ale 0 0 0", kEnds, [=, &r] { return WriteAleDataBase(e, &r.ale, p, c, 0, 0, 0, 0); }},
        {"ale 1 0 0", kNeither, [=, &r] { return WriteAleDataBase(e, &r.ale, p, c, 0, 1, 0, 0); }},
        {"ale 0 1 0", kNeither, [=, &r] { return WriteAleDataBase(e, &r.ale, p, c, 0, 0, 1, 0); }},
        {"ale 0 0 1", kNeither, [=, &r] { return WriteAleDataBase(e, &r.ale, p, c, 0, 0, 0, 1); }},
        {"ccir", kNeither, [=, &r] { return WriteCcirDataBase(e, &r.ccir, p, c, 0); }},
        {"names 0", kEnds,
         [=, &r] { return WriteChannelNameDataBase(e, &r.channelNames, p, c, 0, 0); }},
        {"names 1", kNeither,
         [=, &r] { return WriteChannelNameDataBase(e, &r.channelNames, p, c, 0, 1); }},
        {"members 0", kEnds,
         [=, &r] { return WriteGlobalMemberDataBase(e, &r.globalMembers, p, c, 0, 0); }},
        {"members 7", kNeither,
         [=, &r] { return WriteGlobalMemberDataBase(e, &r.globalMembers, p, c, 0, 7); }},
        {"extra", kEnds, [=, &r] { return WriteExtraOptionDataBase(e, &r.extraOptions, p, c, 0); }},
    };
  }
  // The radio writes its memory only in programming mode.
  void StartProgramming() { ASSERT_EQ(StartRADIOProgramming(engine_.get()), 1); }

  std::unique_ptr<SimulatedRadio> radio_;
  std::unique_ptr<MessageEngine> engine_;
};

TEST_F(DatabaseTransferTest, RadioRecordReadGoesInChunksOfAtMost200Bytes) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  auto radio = std::make_unique<dbase>();
  EXPECT_EQ(ReadRadioDataBase(engine_.get(), radio.get(), 0, RecordProgress, RecordContinue, 0), 1);
  // Every section in pieces of 200 bytes and a rest, as (opcode, address, count).
  const std::pair<long, int> sections[] = {
      {0, 1270}, {1383, 305}, {1688, 2600}, {4288, 14}, {4302, 2}};
  std::vector<Bytes> expected;
  std::vector<int> counts;
  for (const auto& [address, length] : sections) {
    for (int done = 0; done < length; done += 200) {
      const long at = address + done;
      const int count = std::min(200, length - done);
      expected.push_back({36, 0, static_cast<std::uint8_t>(at >> 8), static_cast<std::uint8_t>(at),
                          static_cast<std::uint8_t>(count)});
      counts.push_back(count);
    }
  }
  ASSERT_EQ(expected.size(), 24u);
  std::vector<Bytes> requested;
  for (const CRadioMessage& f : radio_->ReceivedFrames())
    requested.push_back({static_cast<std::uint8_t>(f.GetOpcode()), f.GetDataByte(0),
                         f.GetDataByte(1), f.GetDataByte(2), f.GetDataByte(3)});
  EXPECT_EQ(requested, expected);
  EXPECT_EQ(continueSeen, counts);
  EXPECT_EQ(progressSeen, counts);
  // The 305 bytes of groups at 00 05 67: 200 (C8) there, then 105 (69) at 00 06 2F.
  const auto frames = radio_->ReceivedFrames();
  ASSERT_GE(frames.size(), 9u);
  EXPECT_EQ(Image(frames[7]), (Bytes{0x24, 0x05, 0x18, 0x24, 0x00, 0x05, 0x67, 0xC8, 0x99, 0x03}));
  EXPECT_EQ(Image(frames[8]), (Bytes{0x24, 0x05, 0x18, 0x24, 0x00, 0x06, 0x2F, 0x69, 0x03, 0x03}));
}

TEST_F(DatabaseTransferTest, TransferAddressCarriesIntoTheMiddleByte) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  Bytes pattern(400);
  for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>(i);
  ASSERT_EQ(ProgramRadioMemorySection(engine_.get(), pattern.data(), 0xF0, 400), 1);
  const auto frames = radio_->ReceivedFrames();
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(Image(frames[0]), kStartFrame);
  // The data bytes 0..199 add up to BC mod 256, and 200..255 with 0..143 to FC.
  Bytes first = {0x24, 0xCE, 0x18, 0x20, 0x00, 0x00, 0x00, 0xF0, 0xC8};
  first.insert(first.end(), pattern.begin(), pattern.begin() + 200);
  first.insert(first.end(), {0x9E, 0x03});
  Bytes second = {0x24, 0xCE, 0x18, 0x20, 0x00, 0x00, 0x01, 0xB8, 0xC8};
  second.insert(second.end(), pattern.begin() + 200, pattern.end());
  second.insert(second.end(), {0xA7, 0x03});
  EXPECT_EQ(Image(frames[1]), first);
  EXPECT_EQ(Image(frames[2]), second);
  EXPECT_EQ(Image(frames[3]), kStopFrame);
  EXPECT_EQ(MemoryAt(0xF0, 400), pattern);
}

TEST_F(DatabaseTransferTest, TransferSendsARefusedChunkAgainUnchanged) {
  channel_name names;
  std::memset(&names, 0x41, sizeof names);
  // 200 data bytes of 41 add up to 0x76 with the rest of the frame.
  Bytes firstChunk = {0x24, 0xCE, 0x18, 0x20, 0x00, 0x00, 0x24, 0x98, 0xC8};
  firstChunk.insert(firstChunk.end(), 200, 0x41);
  firstChunk.insert(firstChunk.end(), {0x76, 0x03});
  for (const int refusals : {1, kMaxRefusedChunkResends}) {
    SCOPED_TRACE(refusals);
    ResetCallbacks();
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_NO_FATAL_FAILURE(StartProgramming());
    radio_->RefuseWriteChunks(refusals);
    EXPECT_EQ(WriteChannelNameDataBase(engine_.get(), &names, RecordProgress, RecordContinue, 0, 0),
              1);
    const auto frames = FramesSince(1);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(refusals) + 3);
    for (int i = 0; i <= refusals; ++i) EXPECT_EQ(Image(frames[i]), firstChunk) << i;
    const CRadioMessage& secondChunk = frames[refusals + 1];
    EXPECT_EQ(Bytes(secondChunk.GetData(), secondChunk.GetData() + 5),
              (Bytes{0x00, 0x00, 0x25, 0x60, 0xC8}));
    EXPECT_EQ(Image(frames.back()), kStopFrame);
    EXPECT_THAT(continueSeen, ElementsAre(200, 200)) << "no callbacks for a refused send";
    EXPECT_THAT(progressSeen, ElementsAre(200, 200));
    EXPECT_EQ(MemoryAt(9368, 400), Bytes(400, 0x41));
  }
}

TEST_F(DatabaseTransferTest, TransferFailsWhenTheRadioKeepsRefusingButStillEndsProgramming) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  for (const WriteCase& c : EveryWrite()) {
    SCOPED_TRACE(c.name);
    ResetCallbacks();
    ASSERT_NO_FATAL_FAILURE(StartProgramming());
    const std::size_t before = FrameCount();
    radio_->RefuseWriteChunks(kMaxRefusedChunkResends + 1);
    EXPECT_EQ(c.write(), 0);
    const auto frames = FramesSince(before);
    std::vector<CRadioMessage> writes;
    std::copy_if(frames.begin(), frames.end(), std::back_inserter(writes),
                 [](const auto& f) { return f.GetOpcode() == 32; });
    ASSERT_EQ(writes.size(), 1u + kMaxRefusedChunkResends) << "the first chunk only, 1 + 10 times";
    for (const auto& w : writes) EXPECT_EQ(Image(w), Image(writes.front()));
    EXPECT_EQ(CountOpcode(frames, 120), c.frames == Programming::kEnds ? 1 : 0);
    EXPECT_EQ(Image(frames.back()) == kStopFrame, c.frames == Programming::kEnds);
    EXPECT_THAT(continueSeen, IsEmpty());
    EXPECT_THAT(progressSeen, IsEmpty());
  }
}

TEST_F(DatabaseTransferTest, EveryWriteFollowsItsStartAndStopRules) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  for (const WriteCase& c : EveryWrite()) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(StartProgramming());
    const std::size_t before = FrameCount();
    EXPECT_EQ(c.write(), 1);
    const auto frames = FramesSince(before);
    ASSERT_FALSE(frames.empty());
    // The write's own start or stop frame, once, where it belongs.
    EXPECT_EQ(CountOpcode(frames, 126), c.frames == Programming::kStarts ? 1 : 0);
    EXPECT_EQ(Image(frames.front()) == kStartFrame, c.frames == Programming::kStarts);
    EXPECT_EQ(CountOpcode(frames, 120), c.frames == Programming::kEnds ? 1 : 0);
    EXPECT_EQ(Image(frames.back()) == kStopFrame, c.frames == Programming::kEnds);
  }
  // Of the first 1270 bytes the radio record writes only the language byte at 04 C5.
  auto radio = std::make_unique<dbase>(NewRecords().radio);
  radio->language = 2;
  const std::size_t before = FrameCount();
  ASSERT_EQ(WriteRadioDataBase(engine_.get(), radio.get(), 0, nullptr, nullptr, 0), 1);
  const auto frames = FramesSince(before);
  ASSERT_GE(frames.size(), 2u);
  EXPECT_EQ(Image(frames[1]),
            (Bytes{0x24, 0x07, 0x18, 0x20, 0x00, 0x00, 0x04, 0xC5, 0x01, 0x02, 0x2F, 0x03}));
}

TEST_F(DatabaseTransferTest, TransferEndsRightAfterTheChunkTheCallerCancels) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  cancelAtCall = 3;
  auto radio = std::make_unique<dbase>();
  EXPECT_EQ(ReadRadioDataBase(engine_.get(), radio.get(), 0, RecordProgress, RecordContinue, 0), 0);
  EXPECT_EQ(FrameCount(), 3u);
  EXPECT_THAT(continueSeen, ElementsAre(200, 200, 200));
  EXPECT_THAT(progressSeen, ElementsAre(200, 200)) << "no progress for the cancelled chunk";

  // A cancelled write stops the same way and still takes the radio out of programming.
  ResetCallbacks();
  cancelAtCall = 1;
  ASSERT_NO_FATAL_FAILURE(StartProgramming());
  EXPECT_EQ(WriteChannelNameDataBase(engine_.get(), &NewRecords().channelNames, RecordProgress,
                                     RecordContinue, 0, 0),
            0);
  const auto frames = FramesSince(4);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].GetOpcode(), 32);
  EXPECT_EQ(Image(frames[1]), kStopFrame);
}

TEST_F(DatabaseTransferTest, TransferClearsTheCallbacksOnEveryExit) {
  const std::pair<const char*, std::function<int(MessageEngine*)>> cases[] = {
      {"completed read",
       [](MessageEngine* e) {
         tag_extra_options options{};
         return ReadExtraOptionDataBase(e, &options, RecordProgress, RecordContinue, 0);
       }},
      {"cancelled read",
       [](MessageEngine* e) {
         cancelAtCall = 1;
         channel_name names{};
         return ReadChannelNameDataBase(e, &names, RecordProgress, RecordContinue, 0);
       }},
      {"refused write",
       [this](MessageEngine* e) {
         StartProgramming();
         radio_->RefuseWriteChunks(kMaxRefusedChunkResends + 1);
         return WriteExtraOptionDataBase(e, &NewRecords().extraOptions, RecordProgress,
                                         RecordContinue, 0);
       }},
  };
  ASSERT_NO_FATAL_FAILURE(Connect());
  for (const auto& [name, transfer] : cases) {
    SCOPED_TRACE(name);
    transfer(engine_.get());
    ResetCallbacks();
    std::uint8_t word[4];
    EXPECT_EQ(ReadProgramWord(engine_.get(), word), 1);
    EXPECT_THAT(continueSeen, IsEmpty());
    EXPECT_THAT(progressSeen, IsEmpty());
  }
}

TEST_F(DatabaseTransferTest, TransferFailsOnAReadAnswerShorterThanItsChunk) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  // Taken before the radio's own answer: the program word at 8 with 2 of its 4 bytes.
  const CRadioMessage shortAnswer = MakeRadioFrame(32, {0x00, 0x00, 0x08, 0x04, 'A', 'L'});
  engine_->PushMsgToBuffer(engine_.get(), &shortAnswer);
  std::uint8_t word[4] = {};
  EXPECT_EQ(ReadProgramWord(engine_.get(), word), 0);
}

// A request sent twice (its acknowledgement was lost) is answered twice; the second answer
// must not stand in for the next chunk's: the lead bytes tell them apart once the radio has
// shown how it leads, and before that, or for a radio that leads with nothing, the second
// answer to a request that went twice is waited for and dropped.
TEST_F(DatabaseTransferTest, ARepeatedAnswerIsNotTakenForTheNextChunk) {
  Bytes names(200, 'A');
  names.resize(400, 'B');
  for (const auto& lead : varim::sim::kAnswerLeadNames) {
    for (const bool leadShown : {false, true}) {
      SCOPED_TRACE(std::string(lead.name) + (leadShown ? " after a first read" : ""));
      ASSERT_NO_FATAL_FAILURE(Connect(MemoryWith({{9368, names}}), lead.lead));
      std::uint8_t word[4];
      if (leadShown) {
        ASSERT_EQ(ReadProgramWord(engine_.get(), word), 1);
      }
      const std::size_t before = FrameCount();
      radio_->DropAcks(1);
      channel_name read{};
      ASSERT_EQ(ReadChannelNameDataBase(engine_.get(), &read, nullptr, nullptr, 0), 1);
      EXPECT_EQ(BytesOf(read), names);
      EXPECT_EQ(CountOpcode(FramesSince(before), 36), 3) << "the first request went twice";
    }
  }
}

// The answer to the chunk at 200 leads 00 00 00 C8 in the address form, which is also the
// request for 200 bytes at 0: it is still this chunk's answer, for every way of leading.
TEST_F(DatabaseTransferTest, EveryLeadStyleReadsAndWritesTheWholeRadioRecord) {
  const RadioMemory memory = varim::sim::SampleMemory(varim::sim::KnownProfiles().front());
  for (const auto& lead : varim::sim::kAnswerLeadNames) {
    SCOPED_TRACE(lead.name);
    ASSERT_NO_FATAL_FAILURE(Connect(memory, lead.lead));
    auto radio = std::make_unique<dbase>();
    ASSERT_EQ(ReadRadioDataBase(engine_.get(), radio.get(), 0, nullptr, nullptr, 0), 1);
    EXPECT_EQ(Bytes(reinterpret_cast<const std::uint8_t*>(radio.get()),
                    reinterpret_cast<const std::uint8_t*>(radio.get()) + 1270),
              MemoryAt(0, 1270));
    radio->channels[0].rx_frequency = 7123450;
    ASSERT_EQ(WriteRadioDataBase(engine_.get(), radio.get(), 0, nullptr, nullptr, 0), 1);
    auto back = std::make_unique<dbase>();
    ASSERT_EQ(ReadRadioDataBase(engine_.get(), back.get(), 0, nullptr, nullptr, 0), 1);
    const std::uint32_t rx = back->channels[0].rx_frequency;  // packed: copied, not bound
    EXPECT_EQ(rx, 7123450u);
  }
}

// A radio that stops leading as it did is trusted again only once it shows a new way.
TEST_F(DatabaseTransferTest, ARadioThatChangesHowItLeadsIsStillRead) {
  Bytes names(400, 'N');
  ASSERT_NO_FATAL_FAILURE(Connect(MemoryWith({{9368, names}})));
  channel_name read{};
  ASSERT_EQ(ReadChannelNameDataBase(engine_.get(), &read, nullptr, nullptr, 0), 1);
  for (const auto lead : {varim::sim::AnswerLead::kAddress, varim::sim::AnswerLead::kZero,
                          varim::sim::AnswerLead::kEcho}) {
    radio_->ChangeBehaviour([&](varim::sim::SimBehaviour& b) { b.answerLead = lead; });
    auto radio = std::make_unique<dbase>();
    EXPECT_EQ(ReadRadioDataBase(engine_.get(), radio.get(), 0, nullptr, nullptr, 0), 1);
  }
}

TEST_F(DatabaseTransferTest, ALateWriteResultOfAnEarlierChunkDoesNotHideARefusal) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  ASSERT_NO_FATAL_FAILURE(StartProgramming());
  channel_name names;
  std::memset(&names, 0x41, sizeof names);
  ASSERT_EQ(WriteChannelNameDataBase(engine_.get(), &names, nullptr, nullptr, 0, 1), 1);
  // The radio's result for the first name chunk once more, then a refusal of the next write.
  const CRadioMessage late = MakeRadioFrame(36, {0x00, 0x00, 0x24, 0x98, 0x01});
  engine_->PushMsgToBuffer(engine_.get(), &late);
  radio_->RefuseWriteChunks(1);
  tag_extra_options options{};
  options.max_channel = 50;
  const std::size_t before = FrameCount();
  ASSERT_EQ(WriteExtraOptionDataBase(engine_.get(), &options, nullptr, nullptr, 0), 1);
  EXPECT_EQ(CountOpcode(FramesSince(before), 32), 2) << "the refused chunk went again";
  EXPECT_EQ(MemoryAt(9573, 4), BytesOf(options));
}

// A radio whose answers do not begin with the request's bytes is understood as before.
TEST_F(DatabaseTransferTest, AnAnswerThatEchoesNoRequestIsTaken) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  const CRadioMessage answer = MakeRadioFrame(32, {0xFF, 0xFF, 0xFF, 0xFF, 'W', 'O', 'R', 'D'});
  engine_->PushMsgToBuffer(engine_.get(), &answer);
  std::uint8_t word[4] = {};
  ASSERT_EQ(ReadProgramWord(engine_.get(), word), 1);
  EXPECT_EQ(Bytes(word, word + 4), (Bytes{'W', 'O', 'R', 'D'}));
}

TEST_F(DatabaseTransferTest, ExtraOptionsTransferCodesAutoAndTheFlags) {
  const std::pair<Bytes, Bytes> reads[] = {
      {{100, 100, 2, 1}, {100, 0, 0, 1}},  // only byte 1 holds a channel
      {{0, 7, 1, 5}, {0, 7, 1, 0}},
      {{1, 0, 255, 100}, {1, 0, 0, 0}},
  };
  for (const auto& [stored, expected] : reads) {
    ASSERT_NO_FATAL_FAILURE(Connect(MemoryWith({{9573, stored}})));
    tag_extra_options options;
    std::memset(&options, 0xEE, sizeof options);
    EXPECT_EQ(ReadExtraOptionDataBase(engine_.get(), &options, nullptr, nullptr, 0), 1);
    EXPECT_EQ(BytesOf(options), expected);
  }

  tag_extra_options options{3, 0, 1, 0};
  ASSERT_NO_FATAL_FAILURE(StartProgramming());
  const std::size_t before = FrameCount();
  EXPECT_EQ(WriteExtraOptionDataBase(engine_.get(), &options, nullptr, nullptr, 0), 1);
  EXPECT_EQ(Image(FramesSince(before).front()),
            (Bytes{0x24, 0x0A, 0x18, 0x20, 0x00, 0x00, 0x25, 0x65, 0x04, 0x03, 0x64, 0x01, 0x00,
                   0x5C, 0x03}));
  EXPECT_EQ(Image(FramesSince(before).back()), kStopFrame);
  EXPECT_EQ(MemoryAt(9573, 4), (Bytes{3, 100, 1, 0}));
  EXPECT_EQ(+options.max_channel, 0) << "the caller's record is not changed";
  options = {0, 7, 1, 1};
  ASSERT_NO_FATAL_FAILURE(StartProgramming());
  EXPECT_EQ(WriteExtraOptionDataBase(engine_.get(), &options, nullptr, nullptr, 0), 1);
  EXPECT_EQ(MemoryAt(9573, 4), (Bytes{0, 7, 1, 1}));
}

TEST_F(DatabaseTransferTest, GlobalMemberTransferCodesEachMemberAsValuePlusOne) {
  // Net 1's name and members at 8853 and 9173, net 20's 19 slots further on.
  ASSERT_NO_FATAL_FAILURE(Connect(MemoryWith({{8853, Text("ALPHA BRAVO")},
                                              {8853 + 19 * 16, Text("NET TWENTY")},
                                              {9173, {0, 0x80, 5, 0x85, 1, 0xFF, 0x7F}},
                                              {9173 + 19 * 20, {2}}})));
  auto read = std::make_unique<ale_dbase_global_members>();
  ASSERT_EQ(ReadGlobalMemberDataBase(engine_.get(), read.get(), nullptr, nullptr, 0), 1);
  EXPECT_STREQ(read->nets[0].global_members_name, "ALPHA BRAVO");
  EXPECT_STREQ(read->nets[19].global_members_name, "NET TWENTY");
  EXPECT_EQ(BytesOf(read->nets[0].global_members),
            Padded({255, 255, 4, 0x84, 0, 254, 0x7E}, 20, 255));
  EXPECT_EQ(BytesOf(read->nets[19].global_members), Padded({1}, 20, 255));

  auto members = std::make_unique<ale_dbase_global_members>();
  std::memset(members.get(), 0, sizeof *members);
  for (global_members_entry& net : members->nets) std::memset(net.global_members, 255, 20);
  std::memset(members->nets[0].global_members_name, 'x', 16);
  std::memcpy(members->nets[0].global_members_name, "BRAVO", 6);  // text, then leftovers
  std::copy_n(Bytes{4, 0x84, 254, 0}.begin(), 4, members->nets[0].global_members + 1);
  const Bytes original = BytesOf(*members);
  ASSERT_NO_FATAL_FAILURE(StartProgramming());
  EXPECT_EQ(WriteGlobalMemberDataBase(engine_.get(), members.get(), nullptr, nullptr, 0, 0), 1);
  EXPECT_EQ(MemoryAt(8853, 16), Text("BRAVO"));
  EXPECT_EQ(MemoryAt(8853 + 19 * 16, 16), Bytes(16, 0));
  EXPECT_EQ(MemoryAt(9173, 20), Padded({0, 5, 0x85, 255, 1}, 20, 0));
  EXPECT_EQ(MemoryAt(9173 + 19 * 20, 20), Bytes(20, 0));
  EXPECT_EQ(BytesOf(*members), original) << "the caller's record is not changed";
}

TEST_F(DatabaseTransferTest, RadioRecordTransferKeepsTheRadiosBigEndianFields) {
  ASSERT_NO_FATAL_FAILURE(
      Connect(MemoryWith({{1691, {0x00, 0x6A, 0xCF, 0xC0, 0x00, 0x6C, 0x56, 0x60}},  // channel 1
                          {4278, {0x01, 0xC9, 0xC3, 0x7F, 0x00, 0x18, 0x6A, 0x00}},  // channel 200
                          {1383, {0x00, 0x07}},                                      // group 1
                          {1627, {0x01, 0x02}},                                      // group 5
                          {4288, {0x00, 0x2A}},                                      // priority
                          {1330, {0x12, 0x34}}})));                                  // service
  // The service word moves, and is converted, only with the flag.
  for (const auto& [flag, serviceWord] : {std::pair{0, 0xBEEF}, std::pair{1, 0x1234}}) {
    SCOPED_TRACE(flag);
    auto radio = std::make_unique<dbase>();
    radio->service_word = 0xBEEF;
    ASSERT_EQ(ReadRadioDataBase(engine_.get(), radio.get(), flag, nullptr, nullptr, 0), 1);
    EXPECT_EQ(+radio->channels[0].tx_frequency, 7000000u);
    EXPECT_EQ(+radio->channels[0].rx_frequency, 7100000u);
    EXPECT_EQ(+radio->channels[199].tx_frequency, 29999999u);
    EXPECT_EQ(+radio->channels[199].rx_frequency, 1600000u);
    EXPECT_EQ(+radio->groups[0].guard_channel, 7);
    EXPECT_EQ(+radio->groups[4].guard_channel, 0x0102);
    EXPECT_EQ(+radio->radio_options.priority_channel, 42);
    EXPECT_EQ(+radio->service_word, serviceWord);
  }

  auto radio = std::make_unique<dbase>();
  radio->channels[0].tx_frequency = 2000000;
  radio->channels[0].rx_frequency = 2100000;
  radio->channels[199].tx_frequency = 12345678;
  radio->channels[199].rx_frequency = 23456789;
  radio->groups[0].guard_channel = 0x0A0B;
  radio->groups[4].guard_channel = 3;
  radio->radio_options.priority_channel = 199;
  radio->service_word = 0x5678;
  const Bytes original = BytesOf(*radio);
  ASSERT_EQ(WriteRadioDataBase(engine_.get(), radio.get(), 1, nullptr, nullptr, 0), 1);
  EXPECT_EQ(MemoryAt(1691, 8), (Bytes{0x00, 0x1E, 0x84, 0x80, 0x00, 0x20, 0x0B, 0x20}));
  EXPECT_EQ(MemoryAt(4278, 8), (Bytes{0x00, 0xBC, 0x61, 0x4E, 0x01, 0x65, 0xEC, 0x15}));
  EXPECT_EQ(MemoryAt(1383, 2), (Bytes{0x0A, 0x0B}));
  EXPECT_EQ(MemoryAt(1627, 2), (Bytes{0x00, 0x03}));
  EXPECT_EQ(MemoryAt(4288, 2), (Bytes{0x00, 0xC7}));
  EXPECT_EQ(MemoryAt(1330, 2), (Bytes{0x56, 0x78}));
  EXPECT_EQ(BytesOf(*radio), original) << "the caller's record is not changed";
}

TEST_F(DatabaseTransferTest, AleRecordTransferKeepsTheAllCallChannelsBigEndian) {
  // Net 1's All Call channel at 4304 + 49, net 20's at 4304 + 19 x 91 + 49; 7760 never moves.
  ASSERT_NO_FATAL_FAILURE(
      Connect(MemoryWith({{4353, {0x00, 0x05}}, {6082, {0x01, 0x02}}, {7760, {0x5A}}})));
  auto read = std::make_unique<ale_dbase>();
  read->reserved_3456 = 0x77;
  ASSERT_EQ(ReadAleDataBase(engine_.get(), read.get(), nullptr, nullptr, 0), 1);
  EXPECT_EQ(+read->nets[0].all_call_channel, 5);
  EXPECT_EQ(+read->nets[19].all_call_channel, 0x0102);
  EXPECT_EQ(+read->reserved_3456, 0x77);

  auto ale = std::make_unique<ale_dbase>();
  ale->nets[0].all_call_channel = 0x0A0B;
  ale->nets[19].all_call_channel = 200;
  ale->reserved_3456 = 0x11;
  const Bytes original = BytesOf(*ale);
  ASSERT_NO_FATAL_FAILURE(StartProgramming());
  ASSERT_EQ(WriteAleDataBase(engine_.get(), ale.get(), nullptr, nullptr, 0, 0, 0, 0), 1);
  EXPECT_EQ(MemoryAt(4353, 2), (Bytes{0x0A, 0x0B}));
  EXPECT_EQ(MemoryAt(6082, 2), (Bytes{0x00, 0xC8}));
  EXPECT_EQ(MemoryAt(7760, 1), Bytes{0x5A});
  EXPECT_EQ(BytesOf(*ale), original) << "the caller's record is not changed";
}

TEST_F(DatabaseTransferTest, CurrentChannelTransferMapsTheSixteenAnswerBytes) {
  struct Case {
    int number;
    Bytes stored;  // the channel record in radio memory
    channel expected;
  };
  // The radio answers power codes 2..5 as 25, 62, 100 and 150.
  const Case cases[] = {
      {1,
       {2, 0, 1, 0x00, 0x1E, 0x84, 0x80, 0x00, 0x20, 0x0B, 0x20, 0, 1},
       {2, 0, 1, 2000000, 2100000, 0, 1}},
      {2,
       {3, 1, 5, 0x00, 0x6A, 0xCF, 0xC0, 0x00, 0x6C, 0x56, 0x60, 1, 3},
       {3, 1, 5, 7000000, 7100000, 1, 3}},
      {3,
       {4, 1, 4, 0x00, 0xBC, 0x61, 0x4E, 0x01, 0x65, 0xEC, 0x15, 255, 2},
       {4, 1, 4, 12345678, 23456789, 255, 2}},
      {4,
       {5, 0, 3, 0x01, 0xC9, 0xC3, 0x7F, 0x00, 0x18, 0x6A, 0x00, 1, 0},
       {5, 0, 3, 29999999, 1600000, 1, 0}},
  };
  ASSERT_NO_FATAL_FAILURE(Connect(MemoryWith({{1688, cases[0].stored},
                                              {1701, cases[1].stored},
                                              {1714, cases[2].stored},
                                              {1727, cases[3].stored}})));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    CRadioMessage select;
    ASSERT_EQ(SetActiveChannel(&select, 0, c.number), 1);
    ASSERT_EQ(engine_->SendRadioMessage(&select), 1);
    channel current{};
    ASSERT_EQ(ReadCurrentChannel(engine_.get(), &current), 1);
    EXPECT_EQ(BytesOf(current), BytesOf(c.expected));
  }

  // An answer put in the buffer first is taken before the radio's own, which is then drained.
  auto readPushed = [this](const Bytes& data, channel* current) {
    const CRadioMessage pushed = MakeRadioFrame(29, data);
    engine_->PushMsgToBuffer(engine_.get(), &pushed);
    const int result = ReadCurrentChannel(engine_.get(), current);
    CRadioMessage own;
    EXPECT_EQ(engine_->GetMessageWithOpcode(&own, 29), 1);
    return result;
  };
  // d0, d1 and d13 carry nothing; a power level of 26 is none of the three named ones.
  channel current{};
  ASSERT_EQ(readPushed({9, 7, 0x00, 0x0F, 0x42, 0x40, 0x00, 0x2D, 0xC6, 0xC0, 3, 0, 1, 0x77, 26, 4},
                       &current),
            1);
  const channel expected{5, 1, 4, 3000000, 1000000, 0, 3};
  EXPECT_EQ(BytesOf(current), BytesOf(expected));

  for (const std::size_t count : {15u, 17u}) {
    SCOPED_TRACE(count);
    channel untouched;
    std::memset(&untouched, 0xA5, sizeof untouched);
    EXPECT_EQ(readPushed(Bytes(count, 25), &untouched), 0);
    EXPECT_EQ(BytesOf(untouched), Bytes(sizeof untouched, 0xA5));
  }
}

TEST_F(DatabaseTransferTest, SingleChannelTransferProgramsChannelN) {
  struct Case {
    int number;
    channel programmed;
    Bytes frame;
    long address;
  };
  // 1675 + 13 N: 00 06 98 for channel 1, 00 10 B3 for channel 200.
  const Case cases[] = {
      {1,
       {4, 1, 0, 7000000, 7100000, 1, 0},
       {0x24, 0x13, 0x18, 0x20, 0x00, 0x00, 0x06, 0x98, 0x0D, 0x04, 0x01, 0x00,
        0x00, 0x6A, 0xCF, 0xC0, 0x00, 0x6C, 0x56, 0x60, 0x01, 0x00, 0x3B, 0x03},
       1688},
      {200,
       {5, 0, 3, 29999999, 1600000, 255, 3},
       {0x24, 0x13, 0x18, 0x20, 0x00, 0x00, 0x10, 0xB3, 0x0D, 0x05, 0x00, 0x03,
        0x01, 0xC9, 0xC3, 0x7F, 0x00, 0x18, 0x6A, 0x00, 0xFF, 0x03, 0xD7, 0x03},
       4275},
  };
  ASSERT_NO_FATAL_FAILURE(Connect());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    const std::size_t before = FrameCount();
    EXPECT_EQ(ProgramChannelNumberN(engine_.get(), &c.programmed, c.number), 1);
    const auto frames = FramesSince(before);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(Image(frames[0]), kStartFrame);
    EXPECT_EQ(Image(frames[1]), c.frame);
    EXPECT_EQ(Image(frames[2]), kStopFrame);
    EXPECT_EQ(MemoryAt(c.address, 13), Bytes(c.frame.begin() + 9, c.frame.end() - 2));
  }

  // Numbers that hold no channel send nothing: only the stop frame sent after them arrives.
  for (const int number : {0, 201, -1}) {
    SCOPED_TRACE(number);
    const std::size_t before = FrameCount();
    EXPECT_EQ(ProgramChannelNumberN(engine_.get(), &cases[0].programmed, number), 0);
    ASSERT_EQ(StopRADIOProgramming(engine_.get()), 1);
    const auto frames = FramesSince(before);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Image(frames[0]), kStopFrame);
  }
}

}  // namespace
