#include "varim/panels/calls.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "varim/core/call_lists.h"
#include "varim/core/radio_session.h"
#include "varim/core/report_dispatcher.h"
#include "varim/db/channel_set.h"
#include "varim/db/profile_file.h"
#include "varim/radio_opcodes.h"
#include "varim/testing/recording_operator.h"
#include "varim/testing/sleeping_pump.h"

namespace {

using varim::core::PendingOperation;
using varim::panels::Calls;
using varim::panels::MessageHistory;
using Items = std::vector<std::string>;

class NoPrompt : public varim::core::IncomingCallPrompt {
 public:
  bool IsOpen() const override { return false; }
  bool Ask(const varim::core::IncomingCallView&) override { return false; }
  void Refresh(const varim::core::IncomingCallView&) override {}
  void Close() override {}
};

void SetText(char (&field)[16], const char* text) {
  std::memset(field, 0, sizeof field);
  std::strncpy(field, text, sizeof field - 1);
}

class CallsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder_);
    auto& db = session_.Databases();
    std::memset(&db.ale, 0, sizeof db.ale);
    for (int number : {3, 5, 7, 40}) {
      db.radio.channels[number - 1].tx_frequency = 7'000'000;
      db.radio.channels[number - 1].rx_frequency = number == 40 ? 31'000'000 : 7'123'456;
    }
    // Net 1 is left without channels: it is never offered.
    SetNet(2, "NETTWO", "ME2", {7, 3}, 1);
    SetNet(5, "NETFIVE", "ME5", {5}, 0);
    SetText(db.ale.directory[0], "ALPHA");
    SetText(db.ale.directory[2], "BRAVO");
    // The radio scans net 2, the first the tab offers.
    state_.Change([](varim::core::RadioStatus& s) { s.currentNet = 1; });
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void SetNet(int number, const char* name, const char* self, std::vector<int> channels,
              int sounding) {
    ale_net& net = session_.Databases().ale.nets[number - 1];
    SetText(net.net_name, name);
    SetText(net.self_address, self);
    for (int c : channels) varim::db::AddChannel(net.scanned_channels, c);
    net.sounding = static_cast<std::uint8_t>(sounding);
  }
  std::vector<int> Opcodes() const {
    std::vector<int> opcodes;
    for (const CRadioMessage& frame : sent_) opcodes.push_back(frame.GetOpcode());
    return opcodes;
  }
  std::string History() const { return folder_ + "/msg.txt"; }

  std::string folder_ = ::testing::TempDir() + "calls_test_" + std::to_string(::getpid());
  varim::testing::RecordingOperator operator_;
  varim::testing::SleepingPump pump_;
  varim::core::RadioSession session_{operator_, pump_};
  varim::core::RadioState state_;
  varim::core::ReportDispatcher dispatcher_;
  varim::core::CallLists lists_{folder_};
  NoPrompt prompt_;
  std::vector<CRadioMessage> sent_;
  varim::core::RadioReports reports_{
      dispatcher_, session_, state_, lists_, operator_, prompt_, [this](const CRadioMessage& f) {
        sent_.push_back(f);
        return true;
      }};
  bool databaseRead_ = true;
  Calls calls_{session_.Databases(),
               state_,
               dispatcher_.Pending(),
               reports_,
               operator_,
               [this](const CRadioMessage& f) {
                 sent_.push_back(f);
                 return true;
               },
               [this] { return databaseRead_; },
               History()};
};

TEST_F(CallsTest, ListsOfferNetsWithChannelsAndTheirAddressees) {
  calls_.SetScanState(1);
  const auto& ale = calls_.Ale();
  EXPECT_EQ(ale.net.items, (Items{"2", "5"}));
  EXPECT_EQ(ale.net.Text(), "2");
  EXPECT_EQ(ale.channel.items, (Items{"3", "7", "Auto"}));
  EXPECT_EQ(ale.channel.Text(), "Auto");
  EXPECT_EQ(ale.to.items, (Items{"ALPHA", "BRAVO", "All Call", "NETTWO"}));
  EXPECT_EQ(ale.netName, "NETTWO");
  EXPECT_EQ(calls_.LinkQuality().to.items, (Items{"ALPHA", "BRAVO", "NETTWO"}));

  calls_.ChooseChannel("7");
  EXPECT_EQ(ale.frequency, "7.12345 MHz");
  EXPECT_EQ(ale.linkQuality, "0");
  calls_.ChooseChannel("Auto");
  EXPECT_EQ(ale.frequency, "");
  EXPECT_EQ(ale.linkQuality, " ");

  calls_.SetScanState(0);
  EXPECT_EQ(ale.channel.items, (Items{"3", "5", "7"})) << "channel 40 is above 30 MHz";
  EXPECT_FALSE(ale.net.enabled);
}

TEST_F(CallsTest, WithoutAnyNetNothingCanBeCalled) {
  std::memset(&session_.Databases().ale.nets, 0, sizeof session_.Databases().ale.nets);
  for (int scan : {0, 1}) {
    calls_.SetScanState(scan);
    EXPECT_TRUE(calls_.Ale().net.items.empty());
    EXPECT_FALSE(calls_.Ale().sendEnabled) << scan;
    EXPECT_FALSE(calls_.SendCall()) << scan;
  }
  EXPECT_TRUE(sent_.empty());
}

TEST_F(CallsTest, ToChoiceDecidesTheCallType) {
  calls_.SetScanState(1);
  struct Case {
    const char* to;
    int type;
    bool channelEnabled;
    const char* channel;
  } cases[] = {
      {"All Call", 2, false, "Auto"}, {"NETTWO", 1, true, "Auto"}, {"BRAVO", 0, true, "Auto"}};
  calls_.ChooseChannel("3");
  for (const Case& c : cases) {
    calls_.ChooseTo(c.to);
    EXPECT_EQ(calls_.Ale().callType, c.type) << c.to;
    EXPECT_EQ(calls_.Ale().channel.enabled, c.channelEnabled) << c.to;
    EXPECT_EQ(calls_.Ale().channel.Text(), c.channel) << c.to;
  }
  calls_.ChooseCallType(1);
  EXPECT_EQ(calls_.Ale().to.Text(), "NETTWO");
  calls_.ChooseCallType(0);
  EXPECT_EQ(calls_.Ale().to.Text(), "BRAVO") << "the last station chosen comes back";
}

TEST_F(CallsTest, CallFramesAndRecords) {
  struct Case {
    const char* to;
    const char* channel;
    const char* message;
    int opcode;
    int pending;
    std::vector<std::uint8_t> data;
    const char* loggedChannel;
  } cases[] = {
      {"ALPHA",
       "Auto",
       "hello",
       opcode::kStationCall,
       PendingOperation::kCallSent,
       {'A', 'L', 'P', 'H', 'A', 0, 0xFF, 0xFF},
       "255"},
      {"NETTWO",
       "7",
       "",
       opcode::kNetCall,
       PendingOperation::kNetCallPlaced,
       {'N', 'E', 'T', 'T', 'W', 'O', 0, 0x00, 7},
       "7"},
      {"All Call",
       "Auto",
       "",
       opcode::kAllCall,
       PendingOperation::kAllCallPlaced,
       {0x01, 0xFF, 0xFF},
       "255"},
  };
  for (const Case& c : cases) {
    calls_.SetScanState(1);
    sent_.clear();
    calls_.ChooseTo(c.to);
    calls_.ChooseChannel(c.channel);
    calls_.SetMessage(c.message);
    ASSERT_TRUE(calls_.SendCall()) << c.to;
    ASSERT_EQ(Opcodes(), (std::vector<int>{c.opcode})) << c.to;
    const std::string data(reinterpret_cast<const char*>(sent_[0].GetData()), sent_[0].GetLen());
    const std::string expected(c.data.begin(), c.data.end());
    EXPECT_NE(data.find(expected), std::string::npos) << c.to;
    EXPECT_EQ(dispatcher_.Pending().Code(), c.pending) << c.to;
    const auto& record = reports_.CurrentCall();
    EXPECT_EQ(record.channel, c.loggedChannel) << c.to;
    EXPECT_EQ(record.from, "ME2");
    EXPECT_EQ(record.net, "2");
    EXPECT_FALSE(calls_.Ale().sendEnabled);
    EXPECT_TRUE(calls_.Ale().abortEnabled);
    EXPECT_FALSE(calls_.Ale().to.enabled);
    calls_.LinkEnded();
  }
  EXPECT_EQ(reports_.CurrentCall().message, "") << "an empty message is a call without one";
}

TEST_F(CallsTest, MessagesGoUpperCaseIntoOneSharedHistory) {
  calls_.SetScanState(1);
  for (int i = 0; i < 2; ++i) {
    calls_.SetMessage("hello there");
    ASSERT_TRUE(calls_.SendCall());
    calls_.Abort();
  }
  EXPECT_EQ(reports_.CurrentCall().message, "HELLO THERE");
  EXPECT_EQ(calls_.History().Messages().size(), 1u);
  const std::string data(reinterpret_cast<const char*>(sent_[0].GetData()), sent_[0].GetLen());
  EXPECT_NE(data.find("HELLO THERE"), std::string::npos);

  MessageHistory reread(History());
  reread.Load();
  EXPECT_EQ(reread.Messages(), calls_.History().Messages()) << "saved after the change";
}

TEST_F(CallsTest, RefusedSendsChangeNothing) {
  calls_.SetScanState(1);
  struct Case {
    bool databaseRead;
    std::string message;
    std::string notice;
  } cases[] = {{false, "", Calls::kReadDatabaseFirst},
               {true, std::string(91, 'x'), Calls::kMessageTooLong}};
  for (const Case& c : cases) {
    databaseRead_ = c.databaseRead;
    calls_.SetMessage(c.message);
    std::string reason;
    EXPECT_FALSE(calls_.SendCall(&reason));
    EXPECT_EQ(reason, c.notice);
    EXPECT_EQ(operator_.LastNotice(), c.notice);
    EXPECT_TRUE(calls_.Ale().sendEnabled);
    EXPECT_TRUE(calls_.Ale().to.enabled);
  }
  // The ALE state holds the four buttons over whatever the call's course allows, and gives
  // them back as they stand when it lets go.
  const auto& ale = calls_.Ale();
  calls_.AleUnusable(true);
  for (bool enabled : {ale.sendEnabled, ale.stackEnabled, ale.abortEnabled, ale.replaceEnabled})
    EXPECT_FALSE(ale.Usable(enabled));
  calls_.AleUnusable(false);
  EXPECT_TRUE(ale.Usable(ale.sendEnabled));
  EXPECT_TRUE(ale.Usable(ale.stackEnabled));
  EXPECT_FALSE(ale.Usable(ale.abortEnabled));
  databaseRead_ = false;
  calls_.Abort();
  calls_.Replace();
  EXPECT_TRUE(sent_.empty());
}

TEST_F(CallsTest, CallInAnotherNetFollowsTheNetFirst) {
  calls_.SetScanState(1);
  calls_.ChooseNet(5);
  EXPECT_EQ(calls_.Ale().channel.items, (Items{"5", "Auto"}));
  EXPECT_EQ(calls_.Ale().to.items.back(), "NETFIVE");
  ASSERT_TRUE(calls_.SendCall());
  EXPECT_EQ(Opcodes(), (std::vector<int>{opcode::kEnterNetwork, opcode::kStationCall}));
  EXPECT_EQ(sent_[0].GetDataByte(1), 5);
  EXPECT_EQ(state_.Now().currentNet, 4);
}

TEST_F(CallsTest, BothTabsFollowTheNetTheScanSelectorWorksIn) {
  calls_.SetScanState(0);
  calls_.FollowScannedNet(5);  // scanning starts in net 5: the tabs take it with the state
  calls_.SetScanState(1);
  const auto& ale = calls_.Ale();
  const auto& lq = calls_.LinkQuality();
  EXPECT_EQ(ale.net.Text(), "5");
  EXPECT_EQ(lq.netNumber, "5");
  calls_.FollowScannedNet(2);  // the operator picks net 2 in the selector
  EXPECT_EQ(ale.net.Text(), "2");
  EXPECT_EQ(ale.channel.items, (Items{"3", "7", "Auto"}));
  EXPECT_EQ(lq.netName, "NETTWO");

  calls_.AleScanStopped();
  EXPECT_TRUE(lq.channel.items.empty());
  EXPECT_TRUE(lq.to.items.empty());
  EXPECT_FALSE(lq.sendEnabled || lq.abortEnabled || lq.channel.enabled || lq.fieldsEnabled);
}

TEST_F(CallsTest, AbortAndReplaceRestoreTheScanState) {
  std::vector<int> written;
  calls_.SetChannelForm({{}, {}, {}, [&](int s) { written.push_back(s); }});
  calls_.SetScanState(1);
  calls_.Replace();
  EXPECT_EQ(dispatcher_.Pending().Code(), PendingOperation::kIgnoreCallEnded);
  calls_.Abort();
  EXPECT_EQ(Opcodes(), (std::vector<int>{opcode::kReplaceLinkChannel, opcode::kAbortLink}));
  EXPECT_EQ(dispatcher_.Pending().Code(), PendingOperation::kLinkAborted);
  EXPECT_EQ(written, (std::vector<int>{1})) << "not the -1 of a tab that never sent";
}

TEST_F(CallsTest, LinkQualityExchangesAndTheirIndicators) {
  calls_.SetScanState(1);
  const auto& lq = calls_.LinkQuality();
  EXPECT_FALSE(lq.soundingAllowed) << "net 2 sounds by hand only when its sounding is Manual";
  ASSERT_TRUE(calls_.SendLinkQuality());
  EXPECT_TRUE(lq.biDirectionalRunning);
  EXPECT_TRUE(state_.Now().linkExchange) << "the scan selector is locked during the exchange";
  EXPECT_EQ(dispatcher_.Pending().Code(), PendingOperation::kBiDirectionalStationSent);
  EXPECT_FALSE(calls_.Ale().sendEnabled);
  calls_.AbortLinkQuality();
  EXPECT_FALSE(lq.biDirectionalRunning);
  EXPECT_FALSE(state_.Now().linkExchange);
  EXPECT_EQ(dispatcher_.Pending().Code(), PendingOperation::kSoundingSent);

  calls_.ChooseLinkQualityTo("NETTWO");
  ASSERT_TRUE(calls_.SendLinkQuality());
  EXPECT_EQ(sent_.back().GetOpcode(), opcode::kBiDirectionalNet);
  calls_.ResetLinkQuality(0);
  EXPECT_FALSE(lq.biDirectionalRunning);

  calls_.ChooseNet(5);
  calls_.RefreshLinkQualityTab();
  EXPECT_TRUE(lq.soundingAllowed);
  calls_.ChooseLinkQualityType(1);
  EXPECT_EQ(lq.channel.Text(), "Auto");
  ASSERT_TRUE(calls_.SendLinkQuality());
  EXPECT_TRUE(lq.soundingRunning);
  EXPECT_EQ(dispatcher_.Pending().Code(), PendingOperation::kSoundingSent);
  calls_.AbortLinkQuality();
  EXPECT_FALSE(lq.soundingRunning);
  EXPECT_EQ(sent_.back().GetOpcode(), opcode::kSetSoundOnOff);
  EXPECT_EQ(sent_.back().GetDataByte(1), 0);

  calls_.SetScanState(-1);
  EXPECT_FALSE(calls_.SendLinkQuality());
  EXPECT_EQ(operator_.LastNotice(), Calls::kScanDisabled);
}

TEST_F(CallsTest, ReplyFillsTheTabFromTheStackedCall) {
  calls_.SetScanState(1);
  varim::core::CallRecord record;
  record.from = "STRANGER";
  record.net = "5";
  record.channel = "5";
  record.message = "SEE YOU   ";
  calls_.Reply(record);
  const auto& ale = calls_.Ale();
  EXPECT_EQ(ale.net.Text(), "5");
  EXPECT_EQ(ale.channel.Text(), "5");
  EXPECT_EQ(ale.to.Text(), "STRANGER");
  EXPECT_EQ(ale.callType, 0);
  EXPECT_EQ(ale.message, "SEE YOU");
}

class MessageHistoryTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  void Write(const std::string& text) { std::ofstream(path_) << text; }
  std::string path_ = ::testing::TempDir() + "msg_" + std::to_string(::getpid()) + ".txt";
};

TEST_F(MessageHistoryTest, CountsThatLoadNothing) {
  for (const char* text :
       {"[Messages]\nNumber of messages=0\nMessage No. 1=A\n", "[Messages]\nMessage No. 1=A\n",
        "[Messages]\nNumber of messages=-3\n"}) {
    Write(text);
    MessageHistory history(path_);
    history.Load();
    EXPECT_TRUE(history.Messages().empty()) << text;
  }
}

TEST_F(MessageHistoryTest, KeepsTheFirst200InOrder) {
  MessageHistory history(path_);
  for (int i = 0; i < 250; ++i) history.Add("M" + std::to_string(1000 + i));
  varim::db::ProfileFile file;
  ASSERT_TRUE(file.Load(path_));
  EXPECT_EQ(file.GetInt("Messages", "Number of messages", -1), 200);
  EXPECT_EQ(file.GetString("Messages", "Message No. 1", ""), "M1000");
  EXPECT_EQ(file.GetString("Messages", "Message No. 200", ""), "M1199");
  EXPECT_FALSE(file.HasKey("Messages", "Message No. 201"));
  MessageHistory reread(path_);
  reread.Load();
  EXPECT_EQ(reread.Messages().size(), 200u);
}

}  // namespace
