#include "varim/netcontrol/rigctl_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "varim/netcontrol/rig_capabilities.h"
#include "varim/testing/line_client.h"
#include "varim/testing/sample_radio.h"
#include "varim/testing/served_radio.h"

namespace {

using varim::testing::LineClient;
using varim::testing::ServedRadio;

// Polls until the radio's transmitter is as expected, or the limit passes.
bool TransmitterBecomes(varim::sim::SimulatedRadio& radio, bool on) {
  const auto deadline = std::chrono::steady_clock::now() + LineClient::kPatience;
  while (radio.State().pttOn != on) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

int LineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class RigctlServerTest : public ::testing::Test {
 protected:
  void Serve(ServedRadio::Options options) {
    served_ = std::make_unique<ServedRadio>(varim::testing::SampleRadio(), options);
    ASSERT_TRUE(served_->Start());
  }
  varim::sim::SimulatedRadio& Radio() { return served_->Radio(); }
  std::string Frequency() const { return std::to_string(served_->Radio().State().current.rxHz); }

  std::unique_ptr<ServedRadio> served_;
};

TEST_F(RigctlServerTest, RequestsReachTheRadioAndTheirAnswersComeBackInBothForms) {
  Serve({});
  LineClient client(served_->Port());
  ASSERT_TRUE(client.Connected());
  const std::string before = Frequency();
  const struct {
    std::string request;
    std::string reply;
  } exchanges[] = {
      {"f\n", before + "\n"},
      {"+f\n", "get_freq:\nFrequency: " + before + "\nRPRT 0\n"},
      {"F 7100400\n", "RPRT 0\n"},
      {"\\get_freq\n", "7100000\n"},
      {"M LSB 0\n", "RPRT 0\n"},
      {"+M USB 0\n", "set_mode: USB 0\nRPRT 0\n"},
      {"+\\get_powerstat\n", "get_powerstat:\nPower Status: 1\nRPRT 0\n"},
      {"v\n", "VFOA\n"},
      {"s\n", "0\nVFOA\n"},
      {"F 40000000\n", "RPRT -1\n"},
      {"xyz\n", "RPRT -11\n"},
      {std::string(2000, 'f') + "\n", "RPRT -8\n"},
      {"\x01\x02\xfe\n", "RPRT -8\n"},
  };
  for (const auto& exchange : exchanges) {
    ASSERT_TRUE(client.Send(exchange.request));
    EXPECT_EQ(client.ReadLines(LineCount(exchange.reply)), exchange.reply) << exchange.request;
  }
  EXPECT_EQ(Radio().State().current.rxHz, 7'100'000u);
  EXPECT_EQ(Radio().State().current.txHz, 7'100'000u);
  EXPECT_EQ(Radio().State().current.sideband, 1);
  ASSERT_TRUE(client.Send("q\n"));
  EXPECT_EQ(client.ReadLines(1), "RPRT 0\n");
  EXPECT_TRUE(client.ClosedByServer());
}

TEST_F(RigctlServerTest, TwoClientsAreAnsweredEachInTurnWithLinesSentTogether) {
  Serve({});
  LineClient first(served_->Port());
  LineClient second(served_->Port());
  const std::string before = Frequency();
  ASSERT_TRUE(first.Send("f\n\\dump_state\nv\n"));
  ASSERT_TRUE(second.Send("F 14074000\nf\n"));
  EXPECT_EQ(second.ReadLines(2), "RPRT 0\n14074000\n");
  const std::string answers =
      first.ReadLines(static_cast<int>(varim::netcontrol::DumpState().size()) + 2);
  EXPECT_EQ(answers.substr(0, before.size() + 3), before + "\n1\n") << answers;
  EXPECT_EQ(answers.substr(answers.size() - 10), "done\nVFOA\n") << answers;
}

TEST_F(RigctlServerTest, GarbageAndAMegabyteWithoutANewlineNeitherStopTheServerNorTheOthers) {
  Serve({});
  LineClient flooder(served_->Port());
  LineClient other(served_->Port());
  ASSERT_TRUE(flooder.Send(std::string("\x80\x81\x00garbage\n", 11)));
  EXPECT_EQ(flooder.ReadLines(1), "RPRT -8\n");
  std::thread flood([&flooder] { flooder.Send(std::string(2 * 1024 * 1024, 'x')); });
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(other.Send("f\n"));
    EXPECT_EQ(other.ReadLines(1), Frequency() + "\n");
  }
  EXPECT_EQ(flooder.ReadLines(1), "RPRT -8\n");
  EXPECT_TRUE(flooder.ClosedByServer());
  flood.join();
  ASSERT_TRUE(other.Send("+f\n"));
  EXPECT_EQ(other.ReadThroughStatus(), "get_freq:\nFrequency: " + Frequency() + "\nRPRT 0\n");
}

TEST_F(RigctlServerTest, TheTransmitterIsKeyedOnlyWhenAllowed) {
  Serve({});
  LineClient client(served_->Port());
  ASSERT_TRUE(client.Send("T 1\nt\n"));
  EXPECT_EQ(client.ReadLines(2), "RPRT -1\n0\n");
  EXPECT_FALSE(Radio().State().pttOn);
}

TEST_F(RigctlServerTest, AKeyedTransmitterIsReleasedWhenItsClientDisconnects) {
  Serve({true});
  LineClient keyer(served_->Port());
  ASSERT_TRUE(keyer.Send("T 1\n"));
  EXPECT_EQ(keyer.ReadLines(1), "RPRT 0\n");
  EXPECT_TRUE(Radio().State().pttOn);
  keyer.Close();
  EXPECT_TRUE(TransmitterBecomes(Radio(), false));
}

TEST_F(RigctlServerTest, AKeyedTransmitterIsReleasedWhenItsClientFallsSilent) {
  Serve({true, std::chrono::milliseconds(300)});
  LineClient keyer(served_->Port());
  ASSERT_TRUE(keyer.Send("T 1\n"));
  EXPECT_EQ(keyer.ReadLines(1), "RPRT 0\n");
  EXPECT_TRUE(TransmitterBecomes(Radio(), false));
  ASSERT_TRUE(keyer.Send("t\n"));
  EXPECT_EQ(keyer.ReadLines(1), "0\n");
}

}  // namespace
