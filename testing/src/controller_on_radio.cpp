#include "varim/testing/controller_on_radio.h"

#include <unistd.h>

#include <atomic>
#include <string>

namespace varim::testing {

namespace {

std::filesystem::path NewFolder() {
  static std::atomic<int> made{0};
  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("klv-controller-on-radio-" + std::to_string(::getpid()) + "-" +
                                  std::to_string(made++));
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

ControllerOnRadio::ControllerOnRadio() : folder_(NewFolder()) {
  controller_ = std::make_unique<core::ConnectionController>(
      op, pump, view, [this](std::function<void()> work) { pump.Post(std::move(work)); },
      folder_.string());
  controller_->Initialise();
}

ControllerOnRadio::~ControllerOnRadio() {
  controller_->Shutdown();
  controller_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

bool ControllerOnRadio::Connect(sim::SimOptions options) {
  radio_ = std::make_unique<sim::SimulatedRadio>(std::move(options));
  if (!radio_->Start()) return false;
  controller_->SetDeviceForPort(controller_->Settings().commPort, radio_->DevicePath());
  controller_->DeferredConnect();
  return controller_->RadioReady();
}

}  // namespace varim::testing
