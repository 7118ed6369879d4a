#include "varim/sim/radio_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "varim/db/empty_records.h"
#include "varim/db/radio_databases.h"
#include "varim/radio_commands.h"
#include "varim/radio_opcodes.h"
#include "varim/sim/radio_memory.h"

namespace {

using varim::sim::RadioModel;

std::vector<std::uint8_t> DataOf(const CRadioMessage& frame) {
  return {frame.GetData(), frame.GetData() + frame.GetLen() - 1};
}

// Sends a request and expects exactly one answer with the given opcode.
CRadioMessage AnswerTo(RadioModel& radio, int (*build)(CRadioMessage*), int answerOpcode) {
  CRadioMessage request;
  build(&request);
  const auto answers = radio.Handle(request);
  EXPECT_EQ(answers.size(), 1u);
  if (answers.empty()) return {};
  EXPECT_EQ(answers[0].GetOpcode(), answerOpcode);
  EXPECT_EQ(answers[0].GetChecksum(), answers[0].ComputeChecksum());
  return answers[0];
}

TEST(RadioModel, SetCommandsAreSilentAndChangeTheAnswers) {
  RadioModel radio;
  CRadioMessage command;

  SetActiveChannel(&command, 0, 4);
  EXPECT_TRUE(radio.Handle(command).empty());
  EXPECT_EQ(DataOf(AnswerTo(radio, ReportActiveChannel, answer::kActiveChannel)),
            (std::vector<std::uint8_t>{0, 4}));

  SetSquelchOnOff(&command, 0, 1);
  EXPECT_TRUE(radio.Handle(command).empty());
  EXPECT_EQ(DataOf(AnswerTo(radio, ReportSquelchState, answer::kSquelchState)),
            std::vector<std::uint8_t>{0x02});

  SetClarifier(&command, 0, 2, 150);
  radio.Handle(command);
  EXPECT_EQ(DataOf(AnswerTo(radio, ReportClarifierPosition, answer::kClarifierPosition)),
            (std::vector<std::uint8_t>{2, 150}));

  SetRadioOperationMode(&command, 0, 4);
  radio.Handle(command);
  EXPECT_EQ(DataOf(AnswerTo(radio, ReportRadioOperationMode, answer::kRadioOperationMode)),
            std::vector<std::uint8_t>{4});

  SetAleMode(&command, 0, 1);
  radio.Handle(command);
  EXPECT_EQ(DataOf(AnswerTo(radio, ReportAleON_OFF, answer::kAleOnOff)),
            std::vector<std::uint8_t>{1});
}

TEST(RadioModel, DspSettingsOf255LeaveTheSettingAsItIs) {
  RadioModel radio;
  CRadioMessage command;
  SetDspMenuParameters(&command, 0, 7, 1, 0, 1);
  radio.Handle(command);
  EXPECT_EQ(DataOf(AnswerTo(radio, ReportDspMenuParameters, answer::kDspMenuParameters)),
            (std::vector<std::uint8_t>{7, 1, 0, 1}));
  SetDspMenuParameters(&command, 0, 255, 255, 1, 255);
  radio.Handle(command);
  EXPECT_EQ(DataOf(AnswerTo(radio, ReportDspMenuParameters, answer::kDspMenuParameters)),
            (std::vector<std::uint8_t>{7, 1, 1, 1}));
}

TEST(RadioModel, CurrentChannelParametersFollowTheChannelAndTheWorkedFrequencies) {
  varim::db::RadioDatabases programming = varim::db::EmptyRadioDatabases();
  programming.radio.channels[8] = {2, 0, 3, 7'150'000, 7'150'000, 1, 2};  // channel 9, LSB
  varim::sim::RadioMemory memory;
  memory.Store(programming, varim::sim::KnownProfiles().front());
  RadioModel radio;
  radio.Program(memory);
  CRadioMessage command;
  SetActiveChannel(&command, 0, 9);
  radio.Handle(command);
  SetRecieverFrequency(&command, 0, 7155);
  radio.Handle(command);

  const CRadioMessage answer =
      AnswerTo(radio, ReportCurrentChannelParameters, answer::kCurrentChannelParameters);
  ASSERT_EQ(answer.GetLen(), 17);
  const auto d = DataOf(answer);
  EXPECT_EQ(d[1], 9);
  EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + 2, d.begin() + 6),
            (std::vector<std::uint8_t>{0x00, 0x6D, 0x2D, 0x38}))
      << "receive 7155000 Hz, big-endian";
  EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + 6, d.begin() + 10),
            (std::vector<std::uint8_t>{0x00, 0x6D, 0x19, 0xB0}))
      << "transmit stays 7150000 Hz";
  EXPECT_EQ(d[10], 2) << "AME";
  EXPECT_EQ(d[11], 1) << "fast AGC";
  EXPECT_EQ(d[12], 0) << "LSB";
  EXPECT_EQ(d[14], 25) << "low power";
  EXPECT_EQ(d[15], 3) << "CW bandwidth";

  // Selecting the channel again restores its programmed frequencies.
  SetActiveChannel(&command, 0, 9);
  radio.Handle(command);
  EXPECT_EQ(radio.State().current.rxHz, 7150000u);
}

TEST(RadioModel, MemoryIsReadWithTheAddressEchoedAndWrittenOnlyWhileProgramming) {
  RadioModel radio;
  const std::uint8_t address[3] = {0x00, 0x10, 0x00};
  const std::uint8_t bytes[3] = {0xAA, 0xBB, 0xCC};
  CRadioMessage write;
  ProgramMemorySection(&write, address, bytes, 3);
  auto answers = radio.Handle(write);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].GetOpcode(), answer::kProgramResult);
  EXPECT_EQ(DataOf(answers[0]), (std::vector<std::uint8_t>{0, 0x00, 0x10, 0x00, 0}))
      << "not in programming mode: not written";

  CRadioMessage start;
  StartRadioProgramming(&start, 0);
  EXPECT_TRUE(radio.Handle(start).empty());
  radio.RefuseWrites(1);
  EXPECT_EQ(DataOf(radio.Handle(write)[0])[4], 0) << "refused once";
  EXPECT_EQ(DataOf(radio.Handle(write)[0])[4], 1);

  CRadioMessage read;
  GetMemorySection(&read, address, 4);
  answers = radio.Handle(read);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].GetOpcode(), answer::kMemorySection);
  EXPECT_EQ(DataOf(answers[0]),
            (std::vector<std::uint8_t>{0x00, 0x10, 0x00, 4, 0xAA, 0xBB, 0xCC, 0x00}));

  CRadioMessage stop;
  StopRadioProgramming(&stop, 0);
  radio.Handle(stop);
  EXPECT_EQ(DataOf(radio.Handle(write)[0])[4], 0) << "programming ended";
}

// Whatever leads a memory answer, the bytes the program reads from data byte 4 stay the same.
TEST(RadioModel, MemoryAnswersLeadAsChosenAndKeepTheirData) {
  using varim::sim::AnswerLead;
  const std::uint8_t address[3] = {0x00, 0x10, 0x20};
  const std::uint8_t bytes[3] = {0xAA, 0xBB, 0xCC};
  struct Case {
    AnswerLead lead;
    std::vector<std::uint8_t> readLead;
    std::vector<std::uint8_t> writeLead;
  };
  const Case cases[] = {
      {AnswerLead::kEcho, {0x00, 0x10, 0x20, 3}, {0x00, 0x00, 0x10, 0x20}},
      {AnswerLead::kAddress, {0x00, 0x00, 0x10, 0x20}, {0x00, 0x00, 0x10, 0x20}},
      {AnswerLead::kZero, {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.lead));
    RadioModel radio;
    radio.Behaviour().answerLead = c.lead;
    CRadioMessage request;
    StartRadioProgramming(&request, 0);
    radio.Handle(request);

    ProgramMemorySection(&request, address, bytes, 3);
    auto answers = radio.Handle(request);
    ASSERT_EQ(answers.size(), 1u);
    std::vector<std::uint8_t> expected = c.writeLead;
    expected.push_back(1);
    EXPECT_EQ(DataOf(answers[0]), expected) << "write";

    GetMemorySection(&request, address, 3);
    answers = radio.Handle(request);
    ASSERT_EQ(answers.size(), 1u);
    expected = c.readLead;
    expected.insert(expected.end(), bytes, bytes + 3);
    EXPECT_EQ(DataOf(answers[0]), expected) << "read";
  }
}

TEST(RadioModel, ModeRequestsAreAnsweredAsTheProfileSays) {
  auto answersOf = [](RadioModel& radio, int (*build)(CRadioMessage*)) {
    CRadioMessage request;
    build(&request);
    const auto answers = radio.Handle(request);
    EXPECT_EQ(answers.size(), 1u);
    return answers.empty() ? std::pair<int, std::vector<std::uint8_t>>{}
                           : std::pair{answers[0].GetOpcode(), DataOf(answers[0])};
  };
  RadioModel plain(*varim::sim::FindProfile("varim"));
  EXPECT_EQ(answersOf(plain, ReportCcirMode), (std::pair{96, std::vector<std::uint8_t>{0, 0}}));
  EXPECT_EQ(answersOf(plain, ReportRadioSupportMode),
            (std::pair{98, std::vector<std::uint8_t>{0}}));
  EXPECT_EQ(answersOf(plain, ReportIsbMode), (std::pair{48, std::vector<std::uint8_t>{0}}));

  RadioModel rich(*varim::sim::FindProfile("varim-isb"));
  CRadioMessage aleOn;
  SetAleMode(&aleOn, 0, 1);
  rich.Handle(aleOn);
  EXPECT_EQ(answersOf(rich, ReportCcirMode), (std::pair{96, std::vector<std::uint8_t>{0, 1}}));
  EXPECT_EQ(answersOf(rich, ReportRadioSupportMode), (std::pair{98, std::vector<std::uint8_t>{1}}));
  EXPECT_EQ(answersOf(rich, ReportIsbMode), (std::pair{48, std::vector<std::uint8_t>{1}}));
  EXPECT_EQ(answersOf(*std::make_unique<RadioModel>(*varim::sim::FindProfile("varim-ccir")),
                      ReportCcirMode),
            (std::pair{96, std::vector<std::uint8_t>{1, 0}}));
}

TEST(RadioModel, ChannelsOutsideTheRadioAreIgnored) {
  RadioModel radio;
  CRadioMessage command;
  SetActiveChannel(&command, 0, 0);
  radio.Handle(command);
  EXPECT_EQ(radio.State().activeChannel, 1);
}

}  // namespace
