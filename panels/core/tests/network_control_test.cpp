#include "varim/panels/network_control.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "varim/testing/controller_on_radio.h"
#include "varim/testing/line_client.h"
#include "varim/testing/sample_radio.h"

namespace {

using varim::panels::NetworkControl;
using varim::panels::NetworkControlSettings;
using varim::testing::LineClient;

// The window's network control on a controller connected to the simulated radio; requests are
// posted to the controller's queue, which runs them while the test waits, as the window's event
// loop does.
class NetworkControlTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig_.Connect(varim::testing::SampleRadio())); }

  void Serve(bool allowPtt) {
    ASSERT_TRUE(network_.Apply({true, "127.0.0.1", 0, allowPtt}, nullptr));
    client_ = std::make_unique<LineClient>(network_.Port());
    ASSERT_TRUE(client_->Connected());
  }

  // Sends a request and returns the answer's lines, running the window's queue meanwhile.
  std::string Ask(const std::string& request, int lines = 1) {
    auto answer = std::async(std::launch::async, [&] {
      client_->Send(request + "\n");
      return client_->ReadLines(lines);
    });
    while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
      rig_.pump.Wait(10);
    return answer.get();
  }

  varim::sim::RadioState Radio() { return rig_.Radio().State(); }

  varim::testing::ControllerOnRadio rig_;
  NetworkControl network_{rig_.Controller(),
                          [this](std::function<void()> work) { rig_.pump.Post(std::move(work)); }};
  std::unique_ptr<LineClient> client_;
};

TEST_F(NetworkControlTest, IsOffUntilSwitchedOnAndThenTunesTheRadioThroughTheWindowsSession) {
  EXPECT_FALSE(network_.Settings().enabled);
  EXPECT_EQ(network_.Settings(), (NetworkControlSettings{false, "127.0.0.1", 4532, false}));
  ASSERT_TRUE(network_.Apply(NetworkControlSettings{}, nullptr));
  EXPECT_FALSE(network_.Serving());
  EXPECT_EQ(network_.StatusText(), "Network control is off.");

  Serve(false);
  EXPECT_EQ(network_.StatusText(),
            "Listening on 127.0.0.1:" + std::to_string(network_.Port()) +
                " for Hamlib's NET rigctl (model 2); keying the transmitter is refused.");
  EXPECT_EQ(Ask("f"), std::to_string(Radio().current.rxHz) + "\n");
  EXPECT_EQ(Ask("F 7100000"), "RPRT 0\n");
  EXPECT_EQ(Radio().current.rxHz, 7'100'000u);
  EXPECT_EQ(Radio().current.txHz, 7'100'000u);
  EXPECT_EQ(Ask("T 1"), "RPRT -1\n");
  EXPECT_FALSE(Radio().pttOn);
}

TEST_F(NetworkControlTest, WhileTheWindowIsBusyTheRadioIsLeftToItButTheClientIsStillAnswered) {
  Serve(true);
  rig_.Controller().SetBusy(true);
  EXPECT_EQ(Ask("F 7100000"), "RPRT -14\n");
  EXPECT_EQ(Ask("T 1"), "RPRT -14\n");
  EXPECT_EQ(Ask("v"), "VFOA\n");
  EXPECT_NE(Radio().current.rxHz, 7'100'000u);
  EXPECT_FALSE(Radio().pttOn);
  rig_.Controller().SetBusy(false);
  EXPECT_EQ(Ask("F 7100000"), "RPRT 0\n");
  EXPECT_EQ(Radio().current.rxHz, 7'100'000u);
}

TEST_F(NetworkControlTest, SwitchingItOffClosesThePortAndEndsAKeyedTransmit) {
  Serve(true);
  EXPECT_EQ(Ask("T 1"), "RPRT 0\n");
  EXPECT_TRUE(Radio().pttOn);
  ASSERT_TRUE(network_.Apply({false, "127.0.0.1", 0, true}, nullptr));
  EXPECT_FALSE(Radio().pttOn);
  EXPECT_TRUE(client_->ClosedByServer());
  EXPECT_EQ(network_.StatusText(), "Network control is off.");
}

TEST_F(NetworkControlTest, AnAddressThatCannotBeListenedOnIsToldAndNothingIsServed) {
  Serve(false);
  NetworkControl second(rig_.Controller(), [](std::function<void()>) {});
  const struct {
    std::string address;
    int port;
    std::string reason;
  } cases[] = {
      {"127.0.0.1", network_.Port(), "Address already in use"},
      {"not-an-address", 4532, "cannot listen on not-an-address:4532"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(second.Apply({true, c.address, c.port, false}, &error)) << c.address;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_FALSE(second.Serving());
    EXPECT_EQ(second.StatusText(), "Network control is not serving: " + error + ".");
    EXPECT_TRUE(second.Settings().enabled);
  }
}

}  // namespace
