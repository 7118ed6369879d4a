// A depot's rack: writing four radios at once with `varimctl fleet write`, each on a line paced
// at 9600 baud, against writing one of them alone. The rack may take at most 1.2 times as long.
//
// Usage: fleet_benchmark [radios]   (default 4)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "fleet_command.h"
#include "varim/sim/radio_profile.h"
#include "varim/sim/sample_programming.h"
#include "varim/sim/simulated_radio.h"

namespace {

constexpr int kBaud = 9600;
constexpr double kAllowedRatio = 1.2;

varim::sim::SimOptions PacedRadio() {
  varim::sim::SimOptions options;
  options.profile = *varim::sim::FindProfile("varim-ccir");
  options.memory = varim::sim::SampleMemory(options.profile);
  options.baudRate = kBaud;
  options.paced = true;
  return options;
}

// Seconds the fleet write of count radios takes; negative when a radio failed.
double WriteRack(int count) {
  std::vector<std::unique_ptr<varim::sim::SimulatedRadio>> radios;
  const std::string folder = varim::sim::DefaultProgrammingFolder();
  varimctl::FleetRequest request{
      "write",
      {folder + "/sample.rss", folder + "/sample.ale", folder + "/sample.ccr"},
      {},
      kBaud,
      true};
  for (int i = 0; i < count; ++i) {
    radios.push_back(std::make_unique<varim::sim::SimulatedRadio>(PacedRadio()));
    if (!radios.back()->Start()) return -1;
    request.devices.push_back(radios.back()->DevicePath());
  }
  std::ostringstream out, err;
  const auto start = std::chrono::steady_clock::now();
  const int result = varimctl::RunFleet(request, VARIMCTL_PROGRAM, out, err);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (result != varimctl::kExitOk) std::fprintf(stderr, "%s%s", out.str().c_str(), err.str().c_str());
  return result == varimctl::kExitOk ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 4;
  const double one = WriteRack(1);
  const double rack = WriteRack(count);
  if (one < 0 || rack < 0) {
    std::printf("fleet write failed\n");
    return 1;
  }
  const double ratio = rack / one;
  std::printf("fleet write at %d baud (paced): 1 radio %.1f s, %d radios %.1f s, ratio %.2f "
              "(at most %.1f)\n",
              kBaud, one, count, rack, ratio, kAllowedRatio);
  return ratio <= kAllowedRatio ? 0 : 1;
}
