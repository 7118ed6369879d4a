#pragma once

#include <string>

namespace varim::core {

// An incoming call as the incoming-call dialog shows it.
struct IncomingCallView {
  std::string title;     // "Incoming Station Call.", ...
  std::string callType;  // "Station", "Net" or "Priority"
  std::string net;       // the net number (from 1) and name
  std::string channel;
  std::string value;
  std::string caller;
  std::string message;
};

// What becomes of an incoming call: accepted, declined, or left to the radio without a word
// (a listener that only watches must not decline calls on the operator's behalf).
enum class IncomingCallAnswer { kAccept, kDecline, kNone };

// The incoming-call dialog: the window shows it modally, a terminal asks or answers as told.
class IncomingCallPrompt {
 public:
  virtual ~IncomingCallPrompt() = default;
  virtual bool IsOpen() const = 0;
  // Shows the call and waits for the operator; true when the call is accepted.
  virtual bool Ask(const IncomingCallView& call) = 0;
  // The answer the radio is given; a dialog answers what its operator chose.
  virtual IncomingCallAnswer Answer(const IncomingCallView& call) {
    return Ask(call) ? IncomingCallAnswer::kAccept : IncomingCallAnswer::kDecline;
  }
  // Another call came while the dialog is open: it shows that one.
  virtual void Refresh(const IncomingCallView& call) = 0;
  // The radio gave up the call: the dialog goes without an answer.
  virtual void Close() = 0;
};

}  // namespace varim::core
