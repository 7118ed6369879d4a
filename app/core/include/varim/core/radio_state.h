#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "varim/core/radio_generation.h"

namespace varim::core {

// What the program knows of the radio at this moment, as one value the panels observe.
struct RadioStatus {
  RadioGeneration generation = RadioGeneration::kUnknown;
  // The radio's ALE state as last reported, and the flag the program derives from it: ALE is
  // off unless the state is 1.
  int aleOnOffState = 0;
  bool aleOff = true;
  bool ccirPresent = false;
  bool isbPresent = false;
  bool linkUp = false;
  // A bidirectional link-quality exchange runs: the scan selector is locked until it ends.
  bool linkExchange = false;
  bool monitor = false;
  // Line 1 of the radio's display: the display text the rest of the program reads.
  std::string displayText;
  // The built-in test dialog is open: the radio's test reports go to it.
  bool biteOpen = false;
  // The call status line: the result of the last call.
  std::string callStatus;
  // The net the radio works in, from 0, and the link quality its ALE state last reported.
  int currentNet = 0;
  std::string aleStateValue;

  bool operator==(const RadioStatus&) const = default;
};

// Holds the radio's status and tells its observers of every change, on the window's thread.
class RadioState {
 public:
  using Observer = std::function<void(const RadioStatus&)>;

  const RadioStatus& Now() const { return status_; }
  // Applies the change; the observers hear of it only when something changed.
  void Change(const std::function<void(RadioStatus&)>& change);
  // Returns a key for Forget.
  int Observe(Observer observer);
  void Forget(int key);

 private:
  RadioStatus status_;
  std::map<int, std::shared_ptr<Observer>> observers_;
  int nextKey_ = 0;
};

}  // namespace varim::core
