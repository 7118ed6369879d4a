#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "varim/message_engine.h"
#include "varim/radio_message.h"

namespace varim::link {

// The protocol numbers nothing, so a memory answer the radio sent twice (its first copy's
// acknowledgement was lost, or the request reached it twice) would be taken as the answer to
// the next request, and every chunk after it would land one place off. The radio begins each
// memory answer with the request's first four data bytes; an answer that begins with those of
// an earlier, different request is such a late copy. An answer that matches no request at all
// is taken as it always was.
class RecentRequests {
 public:
  static constexpr std::size_t kKept = 64;
  static constexpr int kLeadBytes = 4;

  // Remembers the request and gives the filter that tells its answer from late copies.
  MessageEngine::AnswerFilter Sent(const CRadioMessage& request);

 private:
  using Lead = std::array<std::uint8_t, kLeadBytes>;
  static bool LeadOf(const CRadioMessage& frame, Lead& lead);
  bool Earlier(const Lead& lead) const;

  std::array<Lead, kKept> kept_{};
  std::size_t count_ = 0;
  std::size_t next_ = 0;
};

}  // namespace varim::link
