#pragma once

#include <string_view>

namespace varim::core {

// The one number through which the call panels and the radio's reports agree on what the
// radio is doing with a call. The panels set it when they send; every report the dispatch
// handles then moves it on.
class PendingOperation {
 public:
  static constexpr int kIdle = 1;
  static constexpr int kCallSent = 31;  // a call was reported sent; its result is due
  static constexpr int kNetCallPlaced = 32;
  static constexpr int kAllCallPlaced = 33;
  static constexpr int kLinkQualityDone = 34;  // reset both parts of the link-quality panel
  static constexpr int kNoLinkWaiting = 36;
  static constexpr int kBiDirectionalStationSent = 37;
  static constexpr int kBiDirectionalNetSent = 38;
  static constexpr int kIgnoreCallEnded = 39;
  static constexpr int kNoLinkWhileLinked = 40;
  static constexpr int kBackToIdle = 53;  // as 34
  static constexpr int kReturnToIdle = 54;
  static constexpr int kIncomingCall = 55;
  static constexpr int kLinkAccepted = 57;
  static constexpr int kLinkAborted = 58;
  static constexpr int kSoundingSent = 62;

  // What a step does besides changing the code.
  class Effects {
   public:
    virtual ~Effects() = default;
    virtual void EvaluateCallResult() = 0;
    virtual void ResetLinkQualityBoth() = 0;
    virtual void LinkUp() = 0;
    virtual void LinkEnded() = 0;
  };

  int Code() const { return code_; }
  void Set(int code) { code_ = code; }

  // The step after every handled report: the report's opcode and the radio's display text.
  void Step(int lastOpcode, std::string_view displayText, Effects& effects);

 private:
  int code_ = kIdle;
};

}  // namespace varim::core
