#include "varim/db/configuration_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "varim/db/channel_set.h"
#include "varim/radio_records.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using varim::db::AddChannel;
using varim::db::CheckAleConfiguration;
using varim::db::CheckConfiguration;
using varim::db::CheckRssConfiguration;

// Records that refer to no channel but the programmed priority channel 1, with empty nets,
// groups without guards and no global members: both checks find nothing in them.
class CheckTest : public ::testing::Test {
 protected:
  CheckTest() {
    radio_.radio_options.priority_channel = 1;
    Program(1);
    for (scan_group& group : radio_.groups) group.guard_channel = kNoChannel;
    for (ale_net& net : ale_.nets) {
      net.all_call_channel = kNoChannel;
      std::fill(std::begin(net.members), std::end(net.members), kNoEntry);
    }
    for (global_members_entry& entry : globalMembers_.nets) {
      std::fill(std::begin(entry.global_members), std::end(entry.global_members), kNoEntry);
    }
  }

  void Program(int channel) { radio_.channels[channel - 1].tx_frequency = 7'000'000; }
  ale_net& Net(int n) { return ale_.nets[n - 1]; }

  static void SetText(char (&field)[16], std::string_view text) {
    std::fill(std::begin(field), std::end(field), '\0');
    std::copy(text.begin(), text.end(), field);
  }

  // A net without any finding of its own, provided the names are unique and channel 1 stays
  // programmed.
  void CompleteNet(int n, std::string_view name, std::string_view selfAddress) {
    SetText(Net(n).net_name, name);
    SetText(Net(n).self_address, selfAddress);
    AddChannel(Net(n).scanned_channels, 1);
  }

  std::vector<std::string> Rss() const { return CheckRssConfiguration(radio_, ale_); }
  varim::db::AleCheckResult Ale(bool globalAlePresent = true) const {
    return CheckAleConfiguration(ale_, globalMembers_, globalAlePresent);
  }

  dbase radio_{};
  ale_dbase ale_{};
  ale_dbase_global_members globalMembers_{};
};

using RssCheck = CheckTest;
using AleCheck = CheckTest;
using ConfigurationCheck = CheckTest;

TEST_F(RssCheck, PriorityChannelMustBeAProgrammedChannelOfTheRadio) {
  radio_.radio_options.priority_channel = 0;
  EXPECT_THAT(Rss(), ElementsAre("Priority channel 0 is not programmed."));
  radio_.radio_options.priority_channel = 201;
  EXPECT_THAT(Rss(), ElementsAre("Priority channel 201 is not programmed."));
  radio_.radio_options.priority_channel = 2;
  EXPECT_THAT(Rss(), ElementsAre("Priority channel 2 is not programmed."));
  radio_.channels[1].rx_frequency = 5'000'000;
  EXPECT_THAT(Rss(), IsEmpty());
}

TEST_F(RssCheck, GuardChannelsAreReportedOnlyAsGuardsNotAlsoAsMembers) {
  scan_group& group = radio_.groups[0];
  group.guard_channel = 7;
  AddChannel(group.member_channels, 7);
  AddChannel(group.member_channels, 8);
  radio_.groups[2].guard_channel = 0;
  radio_.groups[4].guard_channel = 201;
  EXPECT_THAT(Rss(), ElementsAre("Guard channel 7 for group A is not programmed.",
                                 "Guard channel 0 for group C is not programmed.",
                                 "Guard channel 201 for group E is not programmed.",
                                 "Channel 8 in group A selected but not programmed."));
}

TEST_F(RssCheck, AllCallChannelIsReportedOnlyAsAllCallNotAlsoAsScanned) {
  Net(3).all_call_channel = 12;
  AddChannel(Net(3).scanned_channels, 12);
  AddChannel(Net(3).scanned_channels, 13);
  EXPECT_THAT(Rss(), ElementsAre("Channel 12 is All Call channel in net no. 3 but not programmed.",
                                 "Channel 13 is scanned channel in net no. 3 but not programmed."));
}

TEST_F(RssCheck, OnlyChannelsOneToTwoHundredOfASetAreChecked) {
  for (int outside : {0, 201}) {
    AddChannel(radio_.groups[1].member_channels, outside);
    AddChannel(Net(1).scanned_channels, outside);
  }
  EXPECT_THAT(Rss(), IsEmpty());
}

TEST_F(RssCheck, FindingsFollowTheRulesThenGroupsNetsAndChannelsInAscendingOrder) {
  AddChannel(Net(2).scanned_channels, 20);
  AddChannel(Net(1).scanned_channels, 200);
  Net(1).all_call_channel = 30;
  AddChannel(Net(1).scanned_channels, 30);
  AddChannel(radio_.groups[1].member_channels, 15);
  AddChannel(radio_.groups[0].member_channels, 16);
  AddChannel(radio_.groups[0].member_channels, 14);
  radio_.groups[1].guard_channel = 40;
  AddChannel(radio_.groups[1].member_channels, 40);
  radio_.groups[0].guard_channel = 41;
  AddChannel(radio_.groups[0].member_channels, 41);
  radio_.radio_options.priority_channel = 50;
  EXPECT_THAT(Rss(), ElementsAre("Priority channel 50 is not programmed.",
                                 "Guard channel 41 for group A is not programmed.",
                                 "Guard channel 40 for group B is not programmed.",
                                 "Channel 14 in group A selected but not programmed.",
                                 "Channel 16 in group A selected but not programmed.",
                                 "Channel 15 in group B selected but not programmed.",
                                 "Channel 30 is All Call channel in net no. 1 but not programmed.",
                                 "Channel 200 is scanned channel in net no. 1 but not programmed.",
                                 "Channel 20 is scanned channel in net no. 2 but not programmed."));
}

TEST_F(AleCheck, EmptyNetsAreNotInUseAndTheirEmptyTextsMatchNothing) {
  const varim::db::AleCheckResult result = Ale();
  EXPECT_THAT(result.messages, IsEmpty());
  EXPECT_FALSE(result.aleNetInUse);
}

TEST_F(AleCheck, IncompleteNetsAreReportedNetByNet) {
  AddChannel(Net(4).scanned_channels, 1);
  Net(6).members[3] = 0;
  SetText(Net(7).net_name, "ALPHA");
  SetText(Net(9).self_address, "BASE");
  SetText(Net(11).net_name, "BRAVO");
  Net(11).members[0] = kOwnSelfAddress;
  EXPECT_THAT(
      Ale().messages,
      ElementsAre(
          "Net no. 4 does not have Self Address.", "Net no. 6 does not have Net Name.",
          "Net no. 6 does not have Scanned Channels.", "Net no. 6 does not have Self Address.",
          "Net no. 7 does not have Scanned Channels.", "Net no. 7 does not have Self Address.",
          "Net no. 9 does not have Scanned Channels.", "Net no. 11 does not have Scanned Channels.",
          "Net no. 11 does not have Self Address."));
}

TEST_F(AleCheck, AnyPartOfANetPutsItInUse) {
  const ale_net empty = Net(20);
  const auto inUseWith = [&](void (*fill)(ale_net&)) {
    fill(Net(20));
    const bool inUse = Ale().aleNetInUse;
    Net(20) = empty;
    return inUse;
  };
  EXPECT_TRUE(inUseWith([](ale_net& net) { SetText(net.net_name, "N"); }));
  EXPECT_TRUE(inUseWith([](ale_net& net) { SetText(net.self_address, "S"); }));
  EXPECT_TRUE(inUseWith([](ale_net& net) { AddChannel(net.scanned_channels, 1); }));
  EXPECT_TRUE(inUseWith([](ale_net& net) { net.members[15] = 99; }));
  EXPECT_FALSE(inUseWith([](ale_net& net) { net.all_call = 3; }));
}

TEST_F(AleCheck, NetNameEqualToASelfAddressNamesTheFirstNetWithThatAddress) {
  CompleteNet(3, "HQ", "HQ");
  CompleteNet(2, "X", "N2");
  CompleteNet(5, "N5", "X");
  CompleteNet(8, "N8", "X");
  CompleteNet(10, "x", "N10");
  EXPECT_THAT(Ale().messages,
              ElementsAre("Net no. 5 Self Address ('X') defined as Net no. 2 Net Name",
                          "Net no. 3 Self Address ('HQ') defined as Net no. 3 Net Name"));
}

TEST_F(AleCheck, NamesAndSelfAddressesMustNotBeDirectoryAddresses) {
  CompleteNet(1, "alpha", "BRAVO");
  CompleteNet(4, "CHARLIE", "DELTA");
  SetText(ale_.directory[0], "DELTA");
  SetText(ale_.directory[50], "ALPHA");
  SetText(ale_.directory[99], "CHARLIE");
  EXPECT_THAT(Ale().messages,
              ElementsAre("Net no. 4 Net Name ('CHARLIE') defined in the Directory",
                          "Net no. 4 Self Address ('DELTA') defined in the Directory"));
}

TEST_F(AleCheck, TextsEndAtTheEndOfTheirFieldWithoutATerminatingZero) {
  const std::string full(16, 'A');
  CompleteNet(1, "", "B");
  std::copy(full.begin(), full.end(), Net(1).net_name);
  std::copy(full.begin(), full.end(), ale_.directory[0]);
  SetText(ale_.directory[1], "C");
  EXPECT_THAT(Ale().messages,
              ElementsAre("Net no. 1 Net Name ('AAAAAAAAAAAAAAAA') defined in the Directory"));
}

TEST_F(AleCheck, GlobalMembersNeedANameOnlyWhileGlobalAleIsPresent) {
  globalMembers_.nets[0].global_members[0] = 3;
  globalMembers_.nets[1].global_members[1] = 3;
  globalMembers_.nets[2].global_members[0] = 3;
  SetText(globalMembers_.nets[2].global_members_name, "G");
  globalMembers_.nets[19].global_members[0] = kOwnSelfAddress;
  EXPECT_THAT(Ale(true).messages,
              ElementsAre("Net no. 1 no ALE global name", "Net no. 20 no ALE global name"));
  EXPECT_THAT(Ale(false).messages, IsEmpty());
}

TEST_F(AleCheck, PassOneFindingsComeBeforePassTwoFindings) {
  CompleteNet(1, "HQ", "HQ");
  CompleteNet(2, "N2", "HQ");
  SetText(ale_.directory[7], "HQ");
  globalMembers_.nets[0].global_members[0] = 0;
  AddChannel(Net(20).scanned_channels, 1);
  EXPECT_THAT(Ale().messages,
              ElementsAre("Net no. 20 does not have Self Address.",
                          "Net no. 1 Self Address ('HQ') defined as Net no. 1 Net Name",
                          "Net no. 1 Net Name ('HQ') defined in the Directory",
                          "Net no. 1 Self Address ('HQ') defined in the Directory",
                          "Net no. 1 no ALE global name",
                          "Net no. 2 Self Address ('HQ') defined in the Directory"));
}

TEST_F(ConfigurationCheck, FullyConsistentDatabaseIsValid) {
  radio_.radio_options.priority_channel = 5;
  radio_.channels[4].rx_frequency = 3'000'000;
  for (int c : {3, 4, 9, 10}) Program(c);
  radio_.groups[0].guard_channel = 3;
  AddChannel(radio_.groups[0].member_channels, 3);
  AddChannel(radio_.groups[3].member_channels, 4);
  CompleteNet(1, "NET1", "SELF1");
  Net(1).all_call_channel = 9;
  AddChannel(Net(1).scanned_channels, 9);
  AddChannel(Net(1).scanned_channels, 10);
  Net(1).members[0] = 0;
  SetText(ale_.directory[0], "PEER");
  SetText(globalMembers_.nets[0].global_members_name, "ALL");
  globalMembers_.nets[0].global_members[0] = 0x80;

  const varim::db::ConfigurationReport report =
      CheckConfiguration(radio_, ale_, globalMembers_, true);
  EXPECT_THAT(report.rssMessages, IsEmpty());
  EXPECT_THAT(report.aleMessages, IsEmpty());
  EXPECT_TRUE(report.aleNetInUse);
  EXPECT_TRUE(report.configurationValid);
}

TEST_F(ConfigurationCheck, AFindingOfEitherCheckMakesTheConfigurationInvalid) {
  radio_.radio_options.priority_channel = 2;
  varim::db::ConfigurationReport report = CheckConfiguration(radio_, ale_, globalMembers_, true);
  EXPECT_THAT(report.rssMessages, ElementsAre("Priority channel 2 is not programmed."));
  EXPECT_THAT(report.aleMessages, IsEmpty());
  EXPECT_FALSE(report.aleNetInUse);
  EXPECT_FALSE(report.configurationValid);

  Program(2);
  SetText(Net(2).net_name, "N2");
  report = CheckConfiguration(radio_, ale_, globalMembers_, true);
  EXPECT_THAT(report.rssMessages, IsEmpty());
  EXPECT_THAT(report.aleMessages, ElementsAre("Net no. 2 does not have Scanned Channels.",
                                              "Net no. 2 does not have Self Address."));
  EXPECT_TRUE(report.aleNetInUse);
  EXPECT_FALSE(report.configurationValid);
}

TEST_F(ConfigurationCheck, GlobalAlePresenceDecidesWhetherAnUnnamedGlobalMemberListCounts) {
  globalMembers_.nets[4].global_members[0] = 1;
  EXPECT_FALSE(CheckConfiguration(radio_, ale_, globalMembers_, true).configurationValid);
  EXPECT_TRUE(CheckConfiguration(radio_, ale_, globalMembers_, false).configurationValid);
}

}  // namespace
