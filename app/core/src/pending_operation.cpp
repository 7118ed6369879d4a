#include "varim/core/pending_operation.h"

#include "varim/radio_opcodes.h"

namespace varim::core {

void PendingOperation::Step(int lastOpcode, std::string_view displayText, Effects& effects) {
  switch (code_) {
    case kCallSent:
      effects.EvaluateCallResult();
      return;
    case kLinkQualityDone:
    case kBackToIdle:
      effects.ResetLinkQualityBoth();
      code_ = kIdle;
      return;
    case kNoLinkWaiting:
      // The radio is still busy ending the call while it reports ALE states or says so.
      if (lastOpcode == report::kAleState ||
          displayText.find("NO LINK") != std::string_view::npos ||
          displayText.find("END CALLING") != std::string_view::npos)
        return;
      effects.LinkEnded();
      code_ = kIdle;
      return;
    case kNoLinkWhileLinked:
      code_ = kNoLinkWaiting;
      return;
    case kReturnToIdle:
      code_ = kIdle;
      return;
    case kLinkAccepted:
      effects.LinkUp();
      code_ = kIdle;
      return;
    case kLinkAborted:
      effects.LinkEnded();
      code_ = kIdle;
      return;
    default:
      return;
  }
}

}  // namespace varim::core
