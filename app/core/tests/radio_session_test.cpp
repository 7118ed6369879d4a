#include "varim/core/radio_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "varim/core/operator_texts.h"
#include "varim/database_transfer.h"
#include "varim/db/channel_set.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_model.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/same_frame.h"
#include "varim/testing/sleeping_pump.h"
#include "varim/testing/stretch.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using varim::core::ProgressView;
using varim::core::RadioSession;
namespace texts = varim::core::texts;
using varim::sim::MakeRadioFrame;
using varim::sim::RadioMemory;
using varim::sim::RadioProfile;
using varim::sim::SimOptions;
using varim::sim::SimulatedRadio;
using Texts = std::vector<std::string>;
using varim::testing::RecordingOperator;
using varim::testing::SameFrame;
using varim::testing::SleepingPump;
using varim::testing::Stretch;

constexpr int kAckTimeoutMs = 1044;  // at 9600 baud

class ProgressRecorder : public varim::core::ProgressObserver {
 public:
  void OnProgress(const ProgressView& view) override {
    views.push_back(view);
    if (onView) onView(view);
  }
  std::vector<ProgressView> views;
  std::function<void(const ProgressView&)> onView;
};

// What reaches the session's sink on the incoming thread.
class ReportCollector {
 public:
  RadioSession::ReportSink Sink() {
    return [this](CRadioMessage frame) {
      std::lock_guard lock(mutex_);
      frames_.push_back(frame);
      arrived_.notify_all();
    };
  }
  bool WaitFor(const CRadioMessage& wanted) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, milliseconds(3000), [&] {
      return std::any_of(frames_.begin(), frames_.end(),
                         [&](const CRadioMessage& f) { return SameFrame(f, wanted); });
    });
  }
  std::vector<CRadioMessage> Frames() const {
    std::lock_guard lock(mutex_);
    return frames_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<CRadioMessage> frames_;
};

RadioProfile Profile(const std::string& name) {
  const auto profile = varim::sim::FindProfile(name);
  if (!profile) throw std::runtime_error("no profile " + name);
  return *profile;
}

SimOptions RadioOf(const std::string& profile, bool sample, int baudRate = 9600) {
  SimOptions options;
  options.baudRate = baudRate;
  options.profile = Profile(profile);
  if (sample) options.memory = varim::sim::SampleMemory(options.profile);
  return options;
}

int CountFrames(const SimulatedRadio& radio, const std::function<bool(const CRadioMessage&)>& is) {
  const auto frames = radio.ReceivedFrames();
  return static_cast<int>(std::count_if(frames.begin(), frames.end(), is));
}

// The memory addresses of the chunks the radio was asked for (GetMemorySection: address,
// count) or given (ProgramMemorySection: 0x00, address, count, bytes), in order.
std::vector<long> ChunkAddresses(const SimulatedRadio& radio, int code) {
  const int at = code == opcode::kProgramMemorySection ? 1 : 0;
  std::vector<long> addresses;
  for (const auto& frame : radio.ReceivedFrames()) {
    const std::uint8_t* d = frame.GetData() + at;
    if (frame.GetOpcode() == code) addresses.push_back((d[0] << 16) | (d[1] << 8) | d[2]);
  }
  return addresses;
}

struct Section {
  long address;
  int length;
};
const std::vector<Section> kRadioRecord = {
    {0, 1270}, {1383, 305}, {1688, 2600}, {4288, 14}, {4302, 2}};
const std::vector<Section> kAleRecord = {{4304, 1820}, {6124, 12}, {6136, 1600},
                                         {7736, 20},   {7756, 4},  {7761, 910}};
const std::vector<Section> kCcirAndChannelNames = {{8853, 2}, {8855, 4}, {8859, 400}, {9259, 66},
                                                   {9325, 1}, {9327, 1}, {9326, 1},   {9368, 400}};
const std::vector<Section> kGlobalMembers = {{8853, 320}, {9173, 400}};

// Every request of a whole read: the generation check, the radio and ALE records, then the
// CCIR data and channel names or the global members, and the extra options.
std::vector<long> ExpectedReadRequests(const RadioProfile& profile) {
  std::vector<Section> sections = {{60, 8}};
  auto add = [&](const std::vector<Section>& more) {
    sections.insert(sections.end(), more.begin(), more.end());
  };
  add(kRadioRecord);
  add(kAleRecord);
  if (profile.ccir) {
    add(kCcirAndChannelNames);
  } else if (profile.extendedSupport) {
    add(kGlobalMembers);
  }
  if (profile.extendedSupport) add({{9573, 4}});
  std::vector<long> starts;
  for (const Section& s : sections) {
    for (int done = 0; done < s.length; done += kMaxChunkBytes) starts.push_back(s.address + done);
  }
  return starts;
}

const Texts kSectionOrder = {"Groups Section",          "Channels Section",
                             "Radio Options Section",   "External Options Section",
                             "ALE Nets Section",        "ALE Options Section",
                             "ALE Directory Section",   "ALE Autodials Section",
                             "ALE Program Word",        "ALE Messages",
                             "Global member Data Base", "CCIR Data Base",
                             "CCIR Channel Number"};

// The bar never goes back and fills up; the sections the window shows (below 100 %) follow the
// memory's order, begin with the groups and end with what the radio carries after the ALE data.
void ExpectSteadyProgress(const std::vector<ProgressView>& views, const std::string& verb,
                          const Texts& afterAle) {
  ASSERT_FALSE(views.empty());
  Texts shown;
  for (std::size_t i = 0; i < views.size(); ++i) {
    if (i > 0) {
      EXPECT_GE(views[i].percent, views[i - 1].percent) << "at view " << i;
    }
    if (views[i].percent >= 100) continue;
    ASSERT_EQ(views[i].status.rfind(verb, 0), 0u) << views[i].status;
    const std::string section = views[i].status.substr(verb.size());
    if (shown.empty() || shown.back() != section) shown.push_back(section);
  }
  EXPECT_EQ(views.back().percent, 100);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), "Groups Section");
  for (std::size_t i = 1; i < shown.size(); ++i) {
    const auto before = std::find(kSectionOrder.begin(), kSectionOrder.end(), shown[i - 1]);
    const auto now = std::find(kSectionOrder.begin(), kSectionOrder.end(), shown[i]);
    ASSERT_NE(now, kSectionOrder.end()) << shown[i];
    EXPECT_LT(before, now) << shown[i - 1] << " then " << shown[i];
  }
  const auto ale = std::find(shown.begin(), shown.end(), "ALE Messages");
  ASSERT_NE(ale, shown.end());
  EXPECT_EQ(Texts(ale + 1, shown.end()), afterAle);
}

class SessionTest : public ::testing::Test {
 protected:
  void Connect(SimOptions options, int baudRate = 9600) {
    radio_ = std::make_unique<SimulatedRadio>(std::move(options));
    std::string error;
    ASSERT_TRUE(radio_->Start(&error)) << error;
    ASSERT_TRUE(session_.Open(radio_->DevicePath(), baudRate));
  }

  // Delivers the radio's report, then a display report the sink is sure to get: once that is
  // there, the incoming thread has handled the report before it.
  void Deliver(const CRadioMessage& report) {
    radio_->SendFrame(report);
    const CRadioMessage marker = MakeRadioFrame(report::kDisplay, {0xEE, ++markers_});
    radio_->SendFrame(marker);
    ASSERT_TRUE(reports_.WaitFor(marker));
  }

  // Switches the radio off once the transfer has reached the percentage: the transfer gives up
  // after five unanswered writes of its next chunk and tells the operator; then the radio is
  // switched on again.
  void ExpectGivingUpOnASilentRadio(int percent,
                                    const std::function<bool(ProgressRecorder*)>& transfer) {
    ProgressRecorder progress;
    std::optional<Clock::time_point> switchedOff;
    progress.onView = [&](const ProgressView& view) {
      if (!switchedOff && view.percent >= percent) {
        radio_->SetSilent(true);
        switchedOff = Clock::now();
      }
    };
    EXPECT_FALSE(transfer(&progress));
    ASSERT_TRUE(switchedOff);
    const auto waited = std::chrono::duration_cast<milliseconds>(Clock::now() - *switchedOff);
    EXPECT_GE(waited.count(), 4 * kAckTimeoutMs);
    EXPECT_LT(waited.count(), 5 * kAckTimeoutMs + 2500);
    EXPECT_EQ(operator_.Notices(), Texts{texts::kRadioDoesNotRespond});
    radio_->SetSilent(false);
  }

  std::unique_ptr<SimulatedRadio> radio_;
  std::unique_ptr<SimulatedRadio> secondRadio_;
  RecordingOperator operator_;
  SleepingPump pump_;
  ReportCollector reports_;
  RadioSession session_{operator_, pump_, reports_.Sink()};
  std::uint8_t markers_ = 0;
};

// A radio of each kind, whatever its memory answers lead with, on a line that goes as fast as
// it can or one paced byte by byte as a real line is (at eight times 9600 baud, to keep the
// suite short; the transfer benchmark times whole transfers at the real rates).
struct RadioKind {
  std::string profile;
  varim::sim::AnswerLeadName lead;
  bool paced;
};

void PrintTo(const RadioKind& kind, std::ostream* out) {
  *out << kind.profile << ", answers led by " << kind.lead.name << (kind.paced ? ", paced" : "");
}

constexpr int kPacedTestBaud = 76800;

SimOptions RadioOf(const RadioKind& kind, bool sample) {
  SimOptions options = RadioOf(kind.profile, sample, kind.paced ? kPacedTestBaud : 9600);
  options.paced = kind.paced;
  options.behaviour.answerLead = kind.lead.lead;
  return options;
}

class EveryProfile : public SessionTest, public ::testing::WithParamInterface<RadioKind> {};

TEST_P(EveryProfile, ReadsTheWholeRadioAndWritesItIntoAnotherVerified) {
  const RadioProfile profile = Profile(GetParam().profile);
  Connect(RadioOf(GetParam(), true));
  ProgressRecorder reading;
  ASSERT_TRUE(session_.ReadRadio(&reading));

  const auto& flags = session_.Flags();
  EXPECT_EQ(flags.ccir_present.load(), profile.ccir ? 1 : 0);
  EXPECT_EQ(flags.global_ale_present.load(), profile.extendedSupport ? 1 : 0);
  EXPECT_EQ(flags.extended_support.load(), profile.extendedSupport ? 1 : 0);
  EXPECT_EQ(flags.isb_present.load(), profile.isb ? 1 : 0);
  EXPECT_EQ(session_.RadioGeneration(),
            static_cast<varim::core::RadioGeneration>(profile.generation));
  EXPECT_EQ(ChunkAddresses(*radio_, opcode::kGetMemorySection), ExpectedReadRequests(profile));
  Texts afterAle;
  if (profile.ccir) {
    afterAle = {"CCIR Data Base", "CCIR Channel Number"};
  } else if (profile.extendedSupport) {
    afterAle = {"Global member Data Base"};
  }
  ExpectSteadyProgress(reading.views, "Reading ", afterAle);

  // The same records into a blank radio of the same kind; the identity edited meanwhile is
  // the radio's own again after the write.
  session_.Close();
  std::strcpy(session_.Databases().radio.serial_number, "EDITED");
  secondRadio_ = std::make_unique<SimulatedRadio>(RadioOf(GetParam(), false));
  ASSERT_TRUE(secondRadio_->Start());
  ASSERT_TRUE(session_.Open(secondRadio_->DevicePath(), 9600));
  ProgressRecorder writing;
  session_.SetVerifyWrites(true);
  ASSERT_TRUE(session_.WriteRadio(&writing));
  const auto verifying =
      std::find_if(writing.views.begin(), writing.views.end(),
                   [](const ProgressView& view) { return view.caption == "Verify"; });
  ASSERT_NE(verifying, writing.views.end()) << "the write was not checked";
  ExpectSteadyProgress({writing.views.begin(), verifying}, "Writing ", afterAle);

  const RadioMemory original = radio_->Memory();
  const RadioMemory copy = secondRadio_->Memory();
  for (const auto& range : varim::sim::WrittenRanges(profile)) {
    EXPECT_EQ(Stretch(copy, range.address, range.length),
              Stretch(original, range.address, range.length))
        << "the " << range.length << " bytes at " << range.address;
  }
  EXPECT_EQ(std::memcmp(session_.Databases().radio.serial_number, original.Bytes().data() + 12, 16),
            0);
  EXPECT_TRUE(operator_.Notices().empty());
  EXPECT_TRUE(operator_.Questions().empty());
}

std::vector<RadioKind> EveryKindOfRadio() {
  std::vector<RadioKind> kinds;
  for (const auto& profile : varim::sim::KnownProfiles()) {
    for (const auto& lead : varim::sim::kAnswerLeadNames) {
      for (const bool paced : {false, true}) kinds.push_back({profile.name, lead, paced});
    }
  }
  return kinds;
}

INSTANTIATE_TEST_SUITE_P(KnownRadios, EveryProfile, ::testing::ValuesIn(EveryKindOfRadio()),
                         [](const ::testing::TestParamInfo<RadioKind>& param) {
                           std::string name = param.param.profile + "_" + param.param.lead.name +
                                              (param.param.paced ? "_paced" : "");
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// At 1200 baud the radio is not asked what it carries: only the radio and ALE records go, and
// the loaded data keeps its CCIR and global members for a faster line.
TEST_F(SessionTest, WritingAt1200BaudAsksNothingAndKeepsTheLoadedData) {
  std::string error;
  auto programming = varim::sim::LoadProgramming(varim::sim::DefaultProgrammingFolder(), &error);
  ASSERT_TRUE(programming) << error;
  Connect(RadioOf("varim-ccir", false, 1200), 1200);
  session_.Databases() = *programming;
  session_.Flags().ccir_present = 1;
  session_.Flags().global_ale_present = 1;
  session_.Flags().extended_support = 0;

  ProgressRecorder writing;
  ASSERT_TRUE(session_.WriteRadio(&writing));
  ExpectSteadyProgress(writing.views, "Writing ", {});
  EXPECT_EQ(
      CountFrames(*radio_,
                  [](const CRadioMessage& f) { return f.GetOpcode() == opcode::kReportMode; }),
      0);
  const auto written = ChunkAddresses(*radio_, opcode::kProgramMemorySection);
  ASSERT_FALSE(written.empty());
  EXPECT_LT(*std::max_element(written.begin(), written.end()), 8853) << "no CCIR section";
  EXPECT_EQ(written.back(), 7761 + 800) << "the ALE messages' last chunk ends the write";
  EXPECT_EQ(radio_->ReceivedFrames().back().GetOpcode(), opcode::kStopRadioProgramming);
  EXPECT_EQ(operator_.Notices(), (Texts{texts::kCcirNotProgrammed, texts::kGlobalNotProgrammed}));
  EXPECT_EQ(session_.Flags().ccir_present.load(), 1);
  EXPECT_EQ(session_.Flags().global_ale_present.load(), 1);
}

TEST_F(SessionTest, WritingWithoutANetInUseFillsInADefaultNetOne) {
  Connect(RadioOf("varim", false));
  auto& records = session_.Databases();
  records.radio.radio_options.priority_channel = 7;
  records.ale.nets[0].tune_time = 9;
  std::strcpy(records.radio.serial_number, "LOADED");
  session_.Flags().global_ale_present = 0;
  ASSERT_TRUE(session_.WriteRadio(nullptr));
  EXPECT_STREQ(records.radio.serial_number, "LOADED") << "nothing was read to restore it from";

  auto inRadio = std::make_unique<ale_dbase>();
  std::memcpy(inRadio.get(), radio_->Memory().Bytes().data() + 4304, sizeof(ale_dbase));
  SwapAleDatabaseOrder(*inRadio);
  const ale_dbase* const recordAndRadio[] = {&records.ale, inRadio.get()};
  for (const ale_dbase* ale : recordAndRadio) {
    const ale_net& net = ale->nets[0];
    EXPECT_STREQ(net.net_name, "DEF_NET");
    EXPECT_STREQ(net.self_address, "DEF_ADDRESS");
    EXPECT_TRUE(varim::db::HasChannel(net.scanned_channels, 7));
    EXPECT_FALSE(varim::db::HasChannel(net.scanned_channels, 8));
    EXPECT_EQ(+net.tune_time, 9) << "the net's other fields stay as they are";
    EXPECT_STREQ(ale->nets[1].net_name, "");
  }
  EXPECT_TRUE(operator_.Notices().empty());
}

TEST_F(SessionTest, ARadioThatFallsSilentFailsTheReadOnceAndCanBeUsedAgain) {
  Connect(RadioOf("varim-global", true));
  ASSERT_NO_FATAL_FAILURE(ExpectGivingUpOnASilentRadio(
      30, [this](ProgressRecorder* reading) { return session_.ReadRadio(reading); }));
  EXPECT_TRUE(session_.CommunicationTest());
  const CRadioMessage display = MakeRadioFrame(report::kDisplay, {1, 2, 3});
  radio_->SendFrame(display);
  EXPECT_TRUE(reports_.WaitFor(display)) << "the incoming thread takes reports again";
  EXPECT_EQ(operator_.Notices().size(), 1u);
}

// Loads the sample programming, to be written into the connected radio.
void LoadSample(RadioSession& session) {
  std::string error;
  auto programming = varim::sim::LoadProgramming(varim::sim::DefaultProgrammingFolder(), &error);
  ASSERT_TRUE(programming) << error;
  session.Databases() = *programming;
}

// The names of the written sections the radio's memory does not hold as the records have them.
Texts SectionsThatDiffer(const RadioSession& session, const RadioMemory& memory) {
  Texts differ;
  for (const auto& image : session.WrittenSections()) {
    const int length = static_cast<int>(image.bytes.size());
    if (Stretch(memory, image.address, length) != image.bytes) differ.push_back(image.name);
  }
  return differ;
}

// Once the write has begun (the questions before it read memory too), the next chunk written
// arrives with two wrong bytes that keep its checksum.
void SpoilOneWrittenChunk(ProgressRecorder& progress, SimulatedRadio& radio) {
  progress.onView = [&radio, spoiled = false](const ProgressView&) mutable {
    if (!std::exchange(spoiled, true)) radio.CorruptKeepingChecksum(1);
  };
}

TEST_F(SessionTest, WithoutVerificationAChecksumKeepingCorruptionGoesUnseen) {
  Connect(RadioOf("varim-ccir-extended", false));
  LoadSample(session_);
  ProgressRecorder writing;
  SpoilOneWrittenChunk(writing, *radio_);
  ASSERT_TRUE(session_.WriteRadio(&writing));
  EXPECT_EQ(SectionsThatDiffer(session_, radio_->Memory()).size(), 1u);
  EXPECT_TRUE(operator_.Notices().empty());
}

TEST_F(SessionTest, VerificationWritesASpoiledSectionAgainAndTheRadioHoldsTheRecords) {
  Connect(RadioOf("varim-ccir-extended", false));
  LoadSample(session_);
  session_.SetVerifyWrites(true);
  ProgressRecorder writing;
  SpoilOneWrittenChunk(writing, *radio_);
  ASSERT_TRUE(session_.WriteRadio(&writing));
  EXPECT_EQ(SectionsThatDiffer(session_, radio_->Memory()), Texts{});
  EXPECT_TRUE(operator_.Notices().empty());

  // Every chunk went once, but for the spoiled section's, which went twice.
  const auto written = ChunkAddresses(*radio_, opcode::kProgramMemorySection);
  std::vector<long> twice;
  for (const long address : written) {
    const auto times = std::count(written.begin(), written.end(), address);
    ASSERT_LE(times, 2) << "at " << address;
    if (times == 2 && std::find(twice.begin(), twice.end(), address) == twice.end())
      twice.push_back(address);
  }
  ASSERT_FALSE(twice.empty());
  const auto sections = session_.WrittenSections();
  const auto spoiled = std::find_if(sections.begin(), sections.end(), [&](const auto& image) {
    return image.address == twice.front();
  });
  ASSERT_NE(spoiled, sections.end());
  const auto spoiledEnd = spoiled->address + static_cast<long>(spoiled->bytes.size());
  for (const long address : twice) {
    EXPECT_TRUE(address >= spoiled->address && address < spoiledEnd)
        << address << " is outside " << spoiled->name;
  }

  Texts verified;
  for (const ProgressView& view : writing.views) {
    if (view.status.rfind("Verifying ", 0) == 0) verified.push_back(view.status.substr(10));
  }
  Texts names;
  for (const auto& image : session_.WrittenSections()) names.push_back(image.name);
  EXPECT_EQ(verified, names);
}

TEST_F(SessionTest, ADifferenceThatStaysFailsTheVerifiedWriteNamingTheSection) {
  Connect(RadioOf("varim-global", false));
  LoadSample(session_);
  session_.SetVerifyWrites(true);
  // Every memory frame in either direction from now on, so each read back differs too.
  radio_->CorruptKeepingChecksum(1 << 20);
  EXPECT_FALSE(session_.WriteRadio(nullptr));
  // The one-byte language section cannot carry two compensating errors; the groups are next.
  EXPECT_EQ(operator_.Notices(), Texts{std::string(texts::kVerificationFailed) + "Groups"});
}

TEST_F(SessionTest, ARadioSwitchedOffDuringAWriteFailsItAndTheNextWriteSucceeds) {
  Connect(RadioOf("varim-ccir-extended", false));
  LoadSample(session_);
  ASSERT_NO_FATAL_FAILURE(ExpectGivingUpOnASilentRadio(
      40, [this](ProgressRecorder* writing) { return session_.WriteRadio(writing); }));
  EXPECT_TRUE(session_.CommunicationTest());
  ASSERT_TRUE(session_.WriteRadio(nullptr));
  EXPECT_EQ(SectionsThatDiffer(session_, radio_->Memory()), Texts{});
  EXPECT_EQ(operator_.Notices().size(), 1u);
}

TEST_F(SessionTest, AbortEndsTheReadAtTheNextChunkWithoutAMessage) {
  Connect(RadioOf("varim-ccir-extended", true));
  ProgressRecorder reading;
  std::optional<Clock::time_point> abortedAt;
  std::size_t viewsAtAbort = 0;
  reading.onView = [&](const ProgressView& view) {
    if (!abortedAt && view.percent >= 50) {
      session_.AbortTransfer();
      abortedAt = Clock::now();
      viewsAtAbort = reading.views.size();
    }
  };
  EXPECT_FALSE(session_.ReadRadio(&reading));
  ASSERT_TRUE(abortedAt);
  EXPECT_LT(Clock::now() - *abortedAt, milliseconds(1000));
  EXPECT_TRUE(operator_.Notices().empty());
  EXPECT_EQ(reading.views.size(), viewsAtAbort);
  // One request per chunk seen, and the generation check: nothing was asked after the abort.
  EXPECT_EQ(ChunkAddresses(*radio_, opcode::kGetMemorySection).size(), viewsAtAbort + 1);
  EXPECT_EQ(CountFrames(*radio_,
                        [](const CRadioMessage& f) {
                          return f.GetOpcode() == opcode::kReportMode &&
                                 f.GetDataByte(0) == opcode::kModeIsb;
                        }),
            0);

  // The abort belonged to that read only.
  EXPECT_TRUE(session_.ReadRadio(nullptr));
  EXPECT_TRUE(operator_.Notices().empty());
}

TEST_F(SessionTest, AleAndCcirModeReportsSetTheStateOnTheIncomingThread) {
  session_.Flags().ccir_from_file = 1;
  Connect(RadioOf("varim", false));
  Deliver(MakeRadioFrame(report::kAleOnOff, {2}));
  EXPECT_EQ(session_.AleOnOffState(), 2);
  EXPECT_TRUE(session_.AleOff());
  Deliver(MakeRadioFrame(report::kAleOnOff, {1}));
  EXPECT_FALSE(session_.AleOff()) << "the flag follows every report, not only the state";

  Deliver(MakeRadioFrame(report::kCcirMode, {1, 3}));
  EXPECT_EQ(session_.Flags().ccir_present.load(), 1);
  EXPECT_EQ(session_.Flags().ccir_from_file.load(), 1) << "CCIR reported keeps the file's data";
  EXPECT_EQ(session_.AleOnOffState(), 3);
  EXPECT_TRUE(session_.AleOff());

  Deliver(MakeRadioFrame(report::kCcirMode, {0, 1}));
  EXPECT_EQ(session_.Flags().ccir_present.load(), 0);
  EXPECT_EQ(session_.Flags().ccir_from_file.load(), 0);
  EXPECT_EQ(session_.AleOnOffState(), 1);

  Deliver(MakeRadioFrame(report::kCcirMode, {1, 1}));
  session_.Flags().ccir_from_file = 1;
  Deliver(MakeRadioFrame(report::kCcirMode, {2, 1}));
  EXPECT_EQ(session_.Flags().ccir_present.load(), 0) << "only 1 means CCIR";
  EXPECT_EQ(session_.Flags().ccir_from_file.load(), 0);
  for (const auto& frame : reports_.Frames()) EXPECT_EQ(frame.GetOpcode(), report::kDisplay);
}

TEST_F(SessionTest, TheSupportModeReportCountsOnlyOnceItWasAskedFor) {
  session_.Flags().global_ale_present = 0;
  Connect(RadioOf("varim", true));
  Deliver(MakeRadioFrame(report::kSupportMode, {1}));
  EXPECT_EQ(session_.Flags().global_ale_present.load(), 0) << "nobody asked";
  EXPECT_EQ(session_.Flags().extended_support.load(), 0);

  // A read asks for the support mode; this radio answers without the extended bit.
  ASSERT_TRUE(session_.ReadRadio(nullptr));
  Deliver(MakeRadioFrame(report::kSupportMode, {2}));
  EXPECT_EQ(session_.Flags().global_ale_present.load(), 0) << "bit 0 is the extended support";
  EXPECT_EQ(session_.Flags().extended_support.load(), 0);
  Deliver(MakeRadioFrame(report::kSupportMode, {1}));
  EXPECT_EQ(session_.Flags().global_ale_present.load(), 1);
  EXPECT_EQ(session_.Flags().extended_support.load(), 1);
  for (const auto& frame : reports_.Frames()) EXPECT_NE(frame.GetOpcode(), report::kSupportMode);
}

TEST_F(SessionTest, OtherReportsReachTheSinkWholeAndInOrder) {
  Connect(RadioOf("varim", false));
  const std::vector<CRadioMessage> sent = {
      MakeRadioFrame(report::kAleState, {1, 0, 0, 9}),
      MakeRadioFrame(report::kStationCallSent, {2, 0, 17, 80}),
      MakeRadioFrame(report::kIsbMode, {1}),
      MakeRadioFrame(report::kCallEnded, {7}),
  };
  for (const auto& frame : sent) radio_->SendFrame(frame);
  ASSERT_TRUE(reports_.WaitFor(sent.back()));
  const auto received = reports_.Frames();
  ASSERT_EQ(received.size(), sent.size());
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_TRUE(SameFrame(received[i], sent[i])) << "frame " << i;
  }
  EXPECT_EQ(session_.Flags().isb_present.load(), 1) << "the ISB report is kept on the way";
}

}  // namespace
