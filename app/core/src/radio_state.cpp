#include "varim/core/radio_state.h"

#include <memory>
#include <utility>
#include <vector>

namespace varim::core {

void RadioState::Change(const std::function<void(RadioStatus&)>& change) {
  RadioStatus changed = status_;
  change(changed);
  if (changed == status_) return;
  status_ = std::move(changed);
  // Observers may observe or forget while they are told: each is held until it was told, and
  // tells the one it observes with, so what it keeps between changes is kept.
  std::vector<std::shared_ptr<Observer>> told;
  for (const auto& [key, observer] : observers_) told.push_back(observer);
  for (const auto& observer : told) (*observer)(status_);
}

int RadioState::Observe(Observer observer) {
  observers_[nextKey_] = std::make_shared<Observer>(std::move(observer));
  return nextKey_++;
}

void RadioState::Forget(int key) {
  observers_.erase(key);
}

}  // namespace varim::core
