#include "late_answers.h"

#include <algorithm>
#include <cstring>

namespace varim::link {

bool RecentRequests::LeadOf(const CRadioMessage& frame, Lead& lead) {
  if (frame.GetLen() - 1 < kLeadBytes) return false;
  std::memcpy(lead.data(), frame.GetData(), kLeadBytes);
  return true;
}

bool RecentRequests::Earlier(const Lead& lead) const {
  return std::find(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(count_), lead) !=
         kept_.begin() + static_cast<std::ptrdiff_t>(count_);
}

MessageEngine::AnswerFilter RecentRequests::Sent(const CRadioMessage& request) {
  Lead current{};
  if (!LeadOf(request, current)) return {};
  kept_[next_] = current;
  next_ = (next_ + 1) % kKept;
  count_ = std::min(count_ + 1, kKept);
  return [this, current](const CRadioMessage& answer) {
    Lead lead{};
    if (!LeadOf(answer, lead) || lead == current) return true;
    return !Earlier(lead);
  };
}

}  // namespace varim::link
