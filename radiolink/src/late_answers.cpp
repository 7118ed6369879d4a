#include "late_answers.h"

#include <algorithm>
#include <cstring>

#include "varim/radio_opcodes.h"

namespace varim::link {

bool RecentRequests::HeadOf(const CRadioMessage& request, Request& head) {
  if (request.GetLen() - 1 < static_cast<int>(kLeadBytes)) return false;
  head.opcode = request.GetOpcode();
  std::memcpy(head.data.data(), request.GetData(), kLeadBytes);
  return true;
}

bool RecentRequests::LeadOf(const CRadioMessage& answer, Lead& lead) {
  if (answer.GetLen() - 1 < static_cast<int>(kLeadBytes)) return false;
  std::memcpy(lead.data(), answer.GetData(), kLeadBytes);
  return true;
}

// A read request carries the address in its first three bytes, a write after a leading 0x00.
RecentRequests::Lead RecentRequests::Expected(Convention convention, const Request& request) {
  if (convention == Convention::kEcho) return request.data;
  const std::size_t at = request.opcode == opcode::kGetMemorySection ? 0 : 1;
  return {0x00, request.data[at], request.data[at + 1], request.data[at + 2]};
}

bool RecentRequests::ExpectedOfAnother(Convention convention, const Request& current,
                                       const Lead& lead) const {
  const Lead own = Expected(convention, current);
  return std::any_of(kept_.begin(), kept_.begin() + static_cast<std::ptrdiff_t>(count_),
                     [&](const Request& earlier) {
                       const Lead expected = Expected(convention, earlier);
                       return expected == lead && expected != own;
                     });
}

// Four zeros prove nothing either way: they are also what a radio that leads with nothing sends.
bool RecentRequests::Belongs(const Request& current, const CRadioMessage& answer) const {
  Lead lead{};
  if (convention_ == Convention::kUnknown || !LeadOf(answer, lead)) return true;
  if (lead == Expected(convention_, current) || lead == kNothing) return true;
  return !ExpectedOfAnother(convention_, current, lead);
}

MessageEngine::AnswerFilter RecentRequests::Sent(const CRadioMessage& request) {
  Request current;
  if (!HeadOf(request, current)) return {};
  std::lock_guard lock(mutex_);
  kept_[next_] = current;
  next_ = (next_ + 1) % kKept;
  count_ = std::min(count_ + 1, kKept);
  return [this, current](const CRadioMessage& answer) {
    std::lock_guard answerLock(mutex_);
    return Belongs(current, answer);
  };
}

void RecentRequests::Taken(const CRadioMessage& request, const CRadioMessage& answer) {
  Request current;
  Lead lead{};
  if (!HeadOf(request, current) || !LeadOf(answer, lead)) return;
  std::lock_guard lock(mutex_);
  // A radio that breaks the convention it seemed to follow is trusted with nothing more.
  if (convention_ != Convention::kUnknown && lead != Expected(convention_, current))
    convention_ = Convention::kUnknown;
  if (convention_ != Convention::kUnknown) return;
  // Only a lead that names this request and could be no other request's answer shows the
  // convention: a radio that leads with zeros matches the address form at address 0, and a
  // late answer could match another request's form.
  for (const Convention convention : kConventions) {
    const Lead expected = Expected(convention, current);
    if (expected != lead || expected == kNothing) continue;
    const bool ambiguous =
        std::any_of(std::begin(kConventions), std::end(kConventions),
                    [&](Convention other) { return ExpectedOfAnother(other, current, lead); });
    if (!ambiguous) convention_ = convention;
    return;
  }
}

bool RecentRequests::ConventionKnown() const {
  std::lock_guard lock(mutex_);
  return convention_ != Convention::kUnknown;
}

void RecentRequests::Forget() {
  std::lock_guard lock(mutex_);
  count_ = 0;
  next_ = 0;
  convention_ = Convention::kUnknown;
}

}  // namespace varim::link
