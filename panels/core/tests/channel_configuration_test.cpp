#include "varim/panels/channel_configuration.h"

#include <gtest/gtest.h>

#include <cstring>

#include "varim/byte_order.h"

namespace {

using varim::panels::ChannelConfiguration;
using varim::panels::ChannelSetting;
using Box = ChannelConfiguration::Box;
using Type = ChannelConfiguration::FrequencyType;

class ChannelConfigurationTest : public ::testing::Test {
 protected:
  ChannelConfigurationTest() {
    std::memset(&db_, 0, sizeof db_);
    Program(1, 7'500'000, 7'500'000);
    Program(2, 0, 2'000'000);
    Program(3, 12'345'600, 9'876'540);
    Program(4, 25'000'000, 0);
  }
  void Program(int number, std::uint32_t tx, std::uint32_t rx) {
    db_.radio.channels[number - 1].tx_frequency = tx;
    db_.radio.channels[number - 1].rx_frequency = rx;
  }
  std::uint32_t Tx(int number) const { return db_.radio.channels[number - 1].tx_frequency; }
  std::uint32_t Rx(int number) const { return db_.radio.channels[number - 1].rx_frequency; }

  varim::db::RadioDatabases db_{};
};

TEST_F(ChannelConfigurationTest, AChannelOpensAsItsKindOfFrequencies) {
  struct Case {
    int number;
    Type type;
    Box box;
    const char* text;
  } cases[] = {
      {1, Type::kSimplex, Box::kSimplex, "7.5"},
      {2, Type::kReceiveOnly, Box::kReceiveOnly, "2"},
      {3, Type::kHalfDuplex, Box::kHalfDuplexRx, "9.87654"},
      {4, Type::kTransmitOnly, Box::kTransmitOnly, "25"},
      {5, Type::kSimplex, Box::kSimplex, ""},
  };
  ChannelConfiguration editor(db_, false, false);
  for (const Case& c : cases) {
    editor.Spin(c.number);
    EXPECT_EQ(editor.Type(), c.type) << c.number;
    EXPECT_EQ(editor.Text(c.box), c.text) << c.number;
  }
  EXPECT_EQ(editor.Warning(), ChannelConfiguration::kBothZero) << "channel 5 is empty";
  EXPECT_FALSE(editor.OkEnabled());
  EXPECT_TRUE(editor.SpinEnabled()) << "an empty channel can be passed over";
}

TEST_F(ChannelConfigurationTest, WarningsHoldOkAndTheSpin) {
  struct Case {
    Box box;
    const char* text;
    const char* warning;
  } cases[] = {
      {Box::kSimplex, "7.5.1", "7.5.1 is an invalid frequency"},
      {Box::kSimplex, "1.2", "1.2 is out of range. TX frequency range is 1.6 to 30Mhz."},
      {Box::kTransmitOnly, "31", "31 is out of range. TX frequency range is 1.6 to 30Mhz."},
      {Box::kReceiveOnly, "0.05", "0.05 is out of range. RX frequency range is 0.1 to 30Mhz."},
      {Box::kHalfDuplexRx, "99999999", "99999999 is out of range. RX frequency range is 0.1 to 30Mhz."},
      {Box::kHalfDuplexRx, "12.3456", ChannelConfiguration::kSameFrequencies},
  };
  ChannelConfiguration editor(db_, false, false);
  for (const Case& c : cases) {
    editor.Spin(3);
    editor.ChooseType(Type::kHalfDuplex);
    editor.ChangeText(c.box, c.text);
    EXPECT_EQ(editor.Warning(), c.warning) << c.text;
    EXPECT_FALSE(editor.OkEnabled()) << c.text;
    EXPECT_FALSE(editor.SpinEnabled()) << c.text;
    editor.ChangeText(Box::kHalfDuplexTx, "12.3456");
    editor.ChangeText(Box::kHalfDuplexRx, "9.87654");
    ASSERT_TRUE(editor.OkEnabled()) << "a sound entry again";
  }
}

TEST_F(ChannelConfigurationTest, ChangingTheKindConvertsAndOkStoresExactly) {
  ChannelConfiguration editor(db_, false, false);
  editor.ChooseType(Type::kTransmitOnly);
  EXPECT_FALSE(editor.WarningShown());
  editor.Spin(3);  // channel 1 stored on the way
  EXPECT_EQ(Rx(1), 7'500'000u) << "nothing reaches the records before OK";
  editor.ChooseType(Type::kSimplex);
  EXPECT_EQ(editor.Text(Box::kSimplex), "9.87654") << "after Half Duplex, the receive value";
  editor.ChangeText(Box::kSimplex, "7.1234567");
  editor.Choose(ChannelSetting::kPower, 0);
  ASSERT_TRUE(editor.Ok());
  EXPECT_EQ(Tx(1), 7'500'000u);
  EXPECT_EQ(Rx(1), 0u);
  EXPECT_EQ(Tx(3), 7'123'450u);
  EXPECT_EQ(Rx(3), 7'123'450u);
  EXPECT_EQ(db_.radio.channels[2].tx_power, 2);
}

TEST_F(ChannelConfigurationTest, HalfDuplexWithOneFrequencyTwiceIsRefused) {
  Program(6, 5'000'000, 5'000'000);
  ChannelConfiguration editor(db_, false, false);
  editor.Spin(6);
  editor.ChooseType(Type::kHalfDuplex);
  EXPECT_EQ(editor.Warning(), ChannelConfiguration::kSameFrequencies);
  EXPECT_FALSE(editor.Ok());
  EXPECT_EQ(Tx(6), 5'000'000u);
}

TEST_F(ChannelConfigurationTest, CcirNumbersOnlyOnACcirRadio) {
  for (const bool ccir : {false, true}) {
    ChannelConfiguration editor(db_, ccir, false);
    EXPECT_EQ(editor.CcirShown(), ccir);
    editor.SetCcirNumber(777);
    EXPECT_EQ(editor.CcirNumber(), ChannelConfiguration::kLastCcirNumber);
    ASSERT_TRUE(editor.Ok());
    EXPECT_EQ(ReadBigEndian16(db_.channelNames.number[0]), ccir ? 500 : 0);
  }
}

}  // namespace
