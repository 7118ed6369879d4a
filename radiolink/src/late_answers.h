#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "varim/message_engine.h"
#include "varim/radio_message.h"

namespace varim::link {

// The protocol numbers nothing, so a memory answer the radio sent twice (its first copy's
// acknowledgement was lost, or the request reached it twice) would be taken as the answer to
// the next request, and every chunk after it would land one place off.
//
// The four bytes that lead a memory answer are the radio's own business: some radios repeat
// the request's first four data bytes, some give 0x00 and the address, some give nothing of
// use. Which one this radio does is learnt from the answers themselves, and an answer is only
// dropped when that convention proves it belongs to another, earlier request. Until the radio
// has shown its convention, every answer is taken, so the answer to the current request is
// never lost whatever its lead bytes hold.
class RecentRequests {
 public:
  static constexpr std::size_t kKept = 64;
  static constexpr std::size_t kLeadBytes = 4;

  // Remembers the request and gives the filter that tells its answer from late copies.
  MessageEngine::AnswerFilter Sent(const CRadioMessage& request);
  // Learns the convention from the answer that was taken for the request.
  void Taken(const CRadioMessage& request, const CRadioMessage& answer);
  // Whether the radio has shown how it leads its answers, so a late copy can be told apart.
  bool ConventionKnown() const;
  // A new line, perhaps a different radio: nothing is known any more.
  void Forget();

 private:
  using Lead = std::array<std::uint8_t, kLeadBytes>;
  struct Request {
    int opcode = 0;
    std::array<std::uint8_t, kLeadBytes> data{};
  };
  // How the radio leads its memory answers; kUnknown filters nothing.
  enum class Convention { kUnknown, kEcho, kAddress };
  static constexpr Convention kConventions[] = {Convention::kEcho, Convention::kAddress};
  static constexpr Lead kNothing{};

  static bool HeadOf(const CRadioMessage& request, Request& head);
  static bool LeadOf(const CRadioMessage& answer, Lead& lead);
  static Lead Expected(Convention convention, const Request& request);
  bool Belongs(const Request& current, const CRadioMessage& answer) const;
  bool ExpectedOfAnother(Convention convention, const Request& current, const Lead& lead) const;

  mutable std::mutex mutex_;
  std::array<Request, kKept> kept_{};
  std::size_t count_ = 0;
  std::size_t next_ = 0;
  Convention convention_ = Convention::kUnknown;
};

// The two exchanges of a memory transfer, each with its own history and convention: a radio
// may lead its read answers one way and its write results another.
struct MemoryRequests {
  RecentRequests reads;
  RecentRequests writes;
  void Forget() {
    reads.Forget();
    writes.Forget();
  }
};

}  // namespace varim::link
