#include "varim/panels/calls_on_channel_form.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "varim/radio_commands.h"

namespace varim::panels {

namespace {

// Runs work with the flag set, restoring it after, as calls may nest through the form.
template <typename Work>
void AtWork(bool& flag, Work work) {
  const bool before = flag;
  flag = true;
  work();
  flag = before;
}

}  // namespace

void CallsOnChannelForm::Install(Calls& calls, ChannelControl& form,
                                 varim::core::ConnectionController& controller) {
  const std::shared_ptr<CallsOnChannelForm> link(new CallsOnChannelForm(calls, form, controller));
  calls.SetChannelForm({[link](int net) { link->EnterNet(net); },
                        [link](int number) { link->SelectChannel(number); },
                        [link](bool enabled) { link->EnableChannelControls(enabled); },
                        [link](int state) {
                          AtWork(link->callsAtWork_, [&] { link->form_.WriteScanState(state); });
                        }});
  form.SetScanEvents({[link](ChannelControl::ScanButton state) { link->ScanStateChanged(state); },
                      [link](int net) { link->calls_.FollowScannedNet(net); },
                      [link] { link->calls_.AleScanStopped(); }});
  link->ScanStateChanged(form.ScanState());
}

void CallsOnChannelForm::EnterNet(int net) {
  const std::vector<std::string>& entries = form_.Selector().entries;
  const auto found = std::find(entries.begin(), entries.end(), std::to_string(net));
  if (found != entries.end()) {
    AtWork(callsAtWork_, [&] { form_.SelectScanEntry(static_cast<int>(found - entries.begin())); });
    return;
  }
  // A net the selector does not offer is still the call's net: the radio is told directly.
  CRadioMessage frame;
  EnterNetwork(&frame, static_cast<std::uint8_t>(net));
  controller_.SendCommand(frame);
  controller_.State().Change([net](varim::core::RadioStatus& s) { s.currentNet = net - 1; });
}

void CallsOnChannelForm::SelectChannel(int number) {
  const std::vector<int>& numbers = form_.ChannelNumbers();
  const auto found = std::find(numbers.begin(), numbers.end(), number);
  if (found == numbers.end()) return;
  AtWork(callsAtWork_, [&] { form_.SelectRow(static_cast<int>(found - numbers.begin())); });
}

void CallsOnChannelForm::EnableChannelControls(bool enabled) {
  AtWork(callsAtWork_, [&] { form_.EnableArea(enabled); });
  // The area given back takes its state from the scanning flag, which the calls panel follows
  // once its call is over; the area held for a call leaves the saved state alone.
  if (enabled) ScanStateChanged(form_.ScanState());
}

void CallsOnChannelForm::ScanStateChanged(ChannelControl::ScanButton state) {
  if (callsAtWork_ || static_cast<int>(state) == calls_.ScanState()) return;
  calls_.SetScanState(static_cast<int>(state));
}

}  // namespace varim::panels
