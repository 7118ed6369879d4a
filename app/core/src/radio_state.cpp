#include "varim/core/radio_state.h"

#include <utility>
#include <vector>

namespace varim::core {

void RadioState::Change(const std::function<void(RadioStatus&)>& change) {
  RadioStatus changed = status_;
  change(changed);
  if (changed == status_) return;
  status_ = std::move(changed);
  // Observers may observe or forget while they are told: tell a copy.
  std::vector<Observer> told;
  for (const auto& [key, observer] : observers_) told.push_back(observer);
  for (const Observer& observer : told) observer(status_);
}

int RadioState::Observe(Observer observer) {
  observers_[nextKey_] = std::move(observer);
  return nextKey_++;
}

void RadioState::Forget(int key) {
  observers_.erase(key);
}

}  // namespace varim::core
