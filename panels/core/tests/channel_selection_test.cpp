#include "varim/panels/channel_selection.h"

#include <gtest/gtest.h>

#include <cstring>

#include "varim/db/channel_set.h"

namespace {

using varim::panels::ChannelSelection;
using Button = ChannelSelection::Button;
using Cell = ChannelSelection::Cell;
using Kind = ChannelSelection::Kind;

class ChannelSelectionTest : public ::testing::Test {
 protected:
  ChannelSelectionTest() {
    std::memset(&db_, 0, sizeof db_);
    for (int number = 1; number <= 150; ++number)
      db_.radio.channels[number - 1].rx_frequency = 2'000'000;
    for (auto& group : db_.radio.groups) group.guard_channel = kNoChannel;
    for (auto& net : db_.ale.nets) net.all_call_channel = kNoChannel;
  }

  varim::db::RadioDatabases db_{};
};

TEST_F(ChannelSelectionTest, ClicksSelectAndRightClicksMoveTheMark) {
  ChannelSelection groups(db_, Kind::kGroups, false);
  groups.Show(2);
  groups.Click(5, Button::kLeft);
  groups.Click(6, Button::kRight);
  EXPECT_EQ(groups.CellOf(5), Cell::kSelected);
  EXPECT_EQ(groups.CellOf(6), Cell::kMarked);
  EXPECT_EQ(groups.MarkText(), "6");
  groups.Click(7, Button::kRight);
  EXPECT_EQ(groups.CellOf(6), Cell::kSelected) << "the old mark stays selected";
  groups.Click(7, Button::kRight);
  EXPECT_EQ(groups.CellOf(7), Cell::kNotSelected) << "the mark taken off entirely";
  EXPECT_EQ(groups.MarkText(), ChannelSelection::kOff);
  EXPECT_EQ(groups.SelectedCount(), 2);

  groups.Click(180, Button::kLeft);
  EXPECT_EQ(groups.HintLine().text, "Channel number 180 is not programmed");
  EXPECT_TRUE(groups.HintLine().warning);
  EXPECT_EQ(groups.CellOf(180), Cell::kNotSelected);
  groups.Click(5, Button::kLeft);
  EXPECT_EQ(groups.HintLine().text, ChannelSelection::kGroupsHint);
  EXPECT_EQ(groups.CellOf(5), Cell::kNotSelected);

  // Dragging selects with the left button and takes out with the right one, the mark too.
  groups.Click(9, Button::kRight);
  for (int channel : {8, 9, 10}) groups.Drag(channel, Button::kLeft);
  EXPECT_EQ(groups.CellOf(8), Cell::kSelected);
  EXPECT_EQ(groups.CellOf(9), Cell::kMarked);
  for (int channel : {9, 10}) groups.Drag(channel, Button::kRight);
  EXPECT_EQ(groups.MarkText(), ChannelSelection::kOff);
  EXPECT_EQ(groups.SelectedCount(), 2);

  groups.Ok();
  EXPECT_TRUE(varim::db::HasChannel(db_.radio.groups[1].member_channels, 6));
  EXPECT_TRUE(varim::db::HasChannel(db_.radio.groups[1].member_channels, 8));
  EXPECT_FALSE(varim::db::HasChannel(db_.radio.groups[1].member_channels, 9));
  EXPECT_EQ(std::uint16_t{db_.radio.groups[1].guard_channel}, kNoChannel);
  EXPECT_FALSE(varim::db::AnyChannel(db_.radio.groups[0].member_channels));
}

TEST_F(ChannelSelectionTest, AllNetsTogetherScanAtMostAHundredChannels) {
  ChannelSelection nets(db_, Kind::kNets, false);
  for (int channel = 1; channel <= 60; ++channel) nets.Click(channel, Button::kLeft);
  nets.Show(2);
  for (int channel = 41; channel <= 80; ++channel) nets.Click(channel, Button::kLeft);
  nets.Show(3);
  for (int channel = 81; channel <= 100; ++channel) nets.Click(channel, Button::kLeft);
  EXPECT_EQ(nets.SelectedCount(), 100);

  nets.Click(101, Button::kLeft);
  EXPECT_EQ(nets.CellOf(101), Cell::kNotSelected);
  EXPECT_EQ(nets.HintLine().text, ChannelSelection::kTooManyChannels);
  nets.Click(101, Button::kRight);
  EXPECT_EQ(nets.MarkText(), ChannelSelection::kOff);
  nets.Click(1, Button::kRight);
  EXPECT_EQ(nets.CellOf(1), Cell::kMarked) << "a channel another net scans is no new one";

  nets.Show(1);
  nets.Deselect();
  EXPECT_FALSE(nets.DeselectEnabled());
  EXPECT_EQ(nets.SelectedCount(), 61) << "41..60 stay scanned by net 2, 1 by net 3";
  nets.Show(3);
  nets.Click(101, Button::kLeft);
  EXPECT_EQ(nets.CellOf(101), Cell::kSelected);
  nets.Ok();
  EXPECT_EQ(std::uint16_t{db_.ale.nets[2].all_call_channel}, 1);
  EXPECT_FALSE(varim::db::AnyChannel(db_.ale.nets[0].scanned_channels));
}

TEST_F(ChannelSelectionTest, SelectiveCallingBlocksTheMark) {
  ChannelSelection nets(db_, Kind::kNets, true);
  nets.Click(3, Button::kRight);
  EXPECT_EQ(nets.CellOf(3), Cell::kNotSelected);
  EXPECT_EQ(nets.MarkText(), ChannelSelection::kOff);
}

}  // namespace
