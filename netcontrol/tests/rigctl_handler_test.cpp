#include "varim/netcontrol/rigctl_handler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using varim::netcontrol::RigctlHandler;

// A radio that does what it is asked and keeps a word of each command, or answers nothing.
class FakeRadio : public varim::netcontrol::RadioSide {
 public:
  std::optional<std::uint32_t> ReceiveFrequencyHz() override {
    // A copy: the record is packed, its frequency not aligned.
    const std::uint32_t hz = working.rx_frequency;
    return answering ? std::optional(hz) : std::nullopt;
  }
  bool TuneReceiver(int kHz) override { return Did("rx " + std::to_string(kHz)); }
  bool TuneTransmitter(int kHz) override { return Did("tx " + std::to_string(kHz)); }
  std::optional<channel> WorkingChannel() override {
    return answering ? std::optional(working) : std::nullopt;
  }
  bool SelectSideband(std::uint8_t sideband) override {
    return Did("sideband " + std::to_string(sideband));
  }
  bool Transmit(bool on) override { return Did(on ? "ptt on" : "ptt off"); }
  bool Free() override { return free; }

  // An SSB channel on the upper sideband with the 2700 Hz filter.
  channel working{5, 1, 0, 7'155'000, 7'155'000, 0, 0};
  bool answering = true;
  bool free = true;
  std::vector<std::string> commands;

 private:
  bool Did(std::string command) {
    if (answering) commands.push_back(std::move(command));
    return answering;
  }
};

using Commands = std::vector<std::string>;

struct Exchange {
  std::string request;
  std::string reply;
  Commands sent;
};

TEST(RigctlHandlerTest, EachRequestIsAnsweredAndCarriedOutAsHamlibExpects) {
  const Exchange exchanges[] = {
      {"f", "7155000\n", {}},
      {"\\get_freq", "7155000\n", {}},
      {"+f", "get_freq:\nFrequency: 7155000\nRPRT 0\n", {}},
      {";f", "get_freq:;Frequency: 7155000;RPRT 0\n", {}},
      {"f\r", "7155000\n", {}},
      {"F 7100000", "RPRT 0\n", {"rx 7100", "tx 7100"}},
      {"+F 14074000", "set_freq: 14074000\nRPRT 0\n", {"rx 14074", "tx 14074"}},
      {"F 7100499.9", "RPRT 0\n", {"rx 7100", "tx 7100"}},
      {"F 7100500", "RPRT 0\n", {"rx 7101", "tx 7101"}},
      {"F 1000000", "RPRT 0\n", {"rx 1000"}},
      {"F 100000", "RPRT -1\n", {}},
      {"F 30001000", "RPRT -1\n", {}},
      {"F -7100000", "RPRT -1\n", {}},
      {"F seven", "RPRT -1\n", {}},
      {"F", "RPRT -1\n", {}},
      {"m", "USB\n2700\n", {}},
      {"+\\get_mode", "get_mode:\nMode: USB\nPassband: 2700\nRPRT 0\n", {}},
      {"M LSB 2400", "RPRT 0\n", {"sideband 0"}},
      {"M USB -1", "RPRT 0\n", {}},
      {"M AM 0", "RPRT -1\n", {}},
      {"M CW 0", "RPRT -1\n", {}},
      {"M FM 0", "RPRT -1\n", {}},
      {"M LSB wide", "RPRT -1\n", {}},
      {"v", "VFOA\n", {}},
      {"V VFOA", "RPRT 0\n", {}},
      {"V VFOB", "RPRT -1\n", {}},
      {"s", "0\nVFOA\n", {}},
      {"+s", "get_split_vfo:\nSplit: 0\nTX VFO: VFOA\nRPRT 0\n", {}},
      {"S 0 VFOA", "RPRT 0\n", {}},
      {"S 1 VFOB", "RPRT -1\n", {}},
      {"t", "0\n", {}},
      {"T 1", "RPRT -1\n", {}},
      {"T 0", "RPRT 0\n", {"ptt off"}},
      {"\\get_powerstat", "1\n", {}},
      {"+\\get_powerstat", "get_powerstat:\nPower Status: 1\nRPRT 0\n", {}},
      {"\\chk_vfo", "0\n", {}},
      {"\\get_lock_mode", "0\n", {}},
      {"l RFPOWER", "RPRT -11\n", {}},
      {"\\set_level", "RPRT -11\n", {}},
      {std::string("f\0", 2), "RPRT -8\n", {}},
      {"\x1b[A", "RPRT -8\n", {}},
      {"F 7100000\xff", "RPRT -8\n", {}},
      {"   ", "", {}},
  };
  for (const Exchange& exchange : exchanges) {
    FakeRadio radio;
    RigctlHandler handler(radio, false);
    const varim::netcontrol::Reply reply = handler.Handle(1, exchange.request);
    EXPECT_EQ(reply.text, exchange.reply) << exchange.request;
    EXPECT_EQ(radio.commands, exchange.sent) << exchange.request;
    EXPECT_FALSE(reply.closeClient) << exchange.request;
  }
}

TEST(RigctlHandlerTest, TheModeIsReadFromTheChannelsModeSidebandAndFilter) {
  struct Case {
    std::uint8_t mode, sideband, bandwidth;
    std::string reply;
  };
  const Case cases[] = {
      {0, 1, 0, "USB\n2700\n"}, {0, 0, 5, "LSB\n2100\n"}, {2, 1, 1, "AM\n3300\n"},
      {0, 1, 3, "CW\n0\n"},     {1, 0, 4, "LSB\n3000\n"}, {3, 1, 2, "USB\n0\n"},
  };
  for (const Case& c : cases) {
    FakeRadio radio;
    radio.working.mode = c.mode;
    radio.working.sideband = c.sideband;
    radio.working.bandwidth = c.bandwidth;
    RigctlHandler handler(radio, false);
    EXPECT_EQ(handler.Handle(1, "m").text, c.reply) << int{c.mode} << " " << int{c.bandwidth};
  }
}

TEST(RigctlHandlerTest, AnAmOrCwChannelKeepsItsModeAndNoSidebandIsChosenOnIt) {
  struct Case {
    std::uint8_t mode, bandwidth;
    std::string request, reply;
  };
  const Case cases[] = {
      {2, 0, "M AM 0", "RPRT 0\n"},
      {2, 0, "M USB 0", "RPRT -1\n"},
      {0, 3, "M CW 0", "RPRT 0\n"},
      {0, 3, "M LSB 0", "RPRT -1\n"},
  };
  for (const Case& c : cases) {
    FakeRadio radio;
    radio.working.mode = c.mode;
    radio.working.bandwidth = c.bandwidth;
    RigctlHandler handler(radio, false);
    EXPECT_EQ(handler.Handle(1, c.request).text, c.reply) << c.request;
    EXPECT_TRUE(radio.commands.empty()) << c.request;
  }
}

TEST(RigctlHandlerTest, ARadioThatDoesNotAnswerTimesTheRequestOut) {
  for (const char* request : {"f", "F 7100000", "m", "M LSB 0", "T 0"}) {
    FakeRadio radio;
    radio.answering = false;
    RigctlHandler handler(radio, true);
    EXPECT_EQ(handler.Handle(1, request).text, "RPRT -5\n") << request;
  }
}

TEST(RigctlHandlerTest, WhileTheRadioIsNotFreeOnlyWhatLeavesItAloneOrSwitchesPttOffIsDone) {
  const Exchange exchanges[] = {
      {"f", "RPRT -14\n", {}},
      {"+F 7100000", "set_freq: 7100000\nRPRT -14\n", {}},
      {"m", "RPRT -14\n", {}},
      {"M LSB 0", "RPRT -14\n", {}},
      {"T 1", "RPRT -14\n", {}},
      {"T 0", "RPRT 0\n", {"ptt off"}},
      {"v", "VFOA\n", {}},
      {"\\chk_vfo", "0\n", {}},
      {"\\get_powerstat", "1\n", {}},
  };
  for (const Exchange& exchange : exchanges) {
    FakeRadio radio;
    radio.free = false;
    RigctlHandler handler(radio, true);
    EXPECT_EQ(handler.Handle(1, exchange.request).text, exchange.reply) << exchange.request;
    EXPECT_EQ(radio.commands, exchange.sent) << exchange.request;
  }
  // A client's departure still releases the transmitter it keyed before the radio got busy.
  FakeRadio radio;
  RigctlHandler handler(radio, true);
  handler.Handle(1, "T 1");
  radio.free = false;
  handler.ClientLeft(1);
  EXPECT_FALSE(handler.Transmitting());
}

TEST(RigctlHandlerTest, ATransmitEndsWhenItsClientLeavesOrFallsSilentButNotForAnother) {
  FakeRadio radio;
  RigctlHandler handler(radio, true);
  EXPECT_EQ(handler.Handle(1, "T 1").text, "RPRT 0\n");
  EXPECT_EQ(handler.Handle(2, "t").text, "1\n");
  handler.ClientLeft(2);
  handler.ClientSilent(2);
  EXPECT_TRUE(handler.Transmitting());
  handler.ClientSilent(1);
  EXPECT_FALSE(handler.Transmitting());
  EXPECT_EQ(handler.Handle(1, "T 3").text, "RPRT 0\n");
  handler.ClientLeft(1);
  EXPECT_EQ(handler.Handle(2, "T 1").text, "RPRT 0\n");
  handler.EndTransmit();
  EXPECT_EQ(radio.commands,
            (Commands{"ptt on", "ptt off", "ptt on", "ptt off", "ptt on", "ptt off"}));
  EXPECT_EQ(handler.Handle(2, "t").text, "0\n");
}

TEST(RigctlHandlerTest, QuitIsAnsweredAndClosesTheClient) {
  FakeRadio radio;
  RigctlHandler handler(radio, false);
  for (const char* request : {"q", "Q", "\\quit"}) {
    const varim::netcontrol::Reply reply = handler.Handle(1, request);
    EXPECT_EQ(reply.text, "RPRT 0\n");
    EXPECT_TRUE(reply.closeClient);
  }
}

TEST(RigctlHandlerTest, TheStateDumpGivesTheRangesModesAndPttTypeAndEndsWithDone) {
  FakeRadio radio;
  RigctlHandler handler(radio, false);
  const std::string dump = handler.Handle(1, "\\dump_state").text;
  // Protocol version 1, then (after model and region) the receive and transmit ranges in all
  // four modes (AM, CW, USB, LSB: 0xf), each list closed by its line of zeros.
  EXPECT_EQ(dump.rfind("1\n", 0), 0u) << dump;
  EXPECT_NE(dump.find("\n101000.000000 30000000.000000 0xf -1 -1 0x1 0x1\n0 0 0 0 0 0 0\n"
                      "1600000.000000 30000000.000000 0xf "),
            std::string::npos)
      << dump;
  EXPECT_NE(dump.find("\nptt_type=0x1\n"), std::string::npos) << dump;
  EXPECT_EQ(dump.substr(dump.size() - 6), "\ndone\n");
  const std::string extended = handler.Handle(1, "+\\dump_state").text;
  EXPECT_EQ(extended, "dump_state:\n" + dump + "RPRT 0\n");
}

}  // namespace
