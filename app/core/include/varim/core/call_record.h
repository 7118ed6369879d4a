#pragma once

#include <string>

namespace varim::core {

// One call as the log and the stack keep it: ten texts, all free text.
struct CallRecord {
  std::string from;  // the caller; for own calls the self address of the net in use
  std::string to;
  std::string date;      // MM/DD/YY when the call started
  std::string start;     // HH:MM:SS
  std::string end;       // HH:MM:SS when the record was logged
  std::string callType;  // "Station", "Net", ...
  std::string net;
  std::string channel;  // "255" when the radio chose the channel
  std::string status;   // set by the calls panel; neither shown nor stored
  std::string message;

  void Clear() { *this = CallRecord{}; }
  // The message as it is read out: without trailing blanks.
  std::string MessageText() const;
  bool operator==(const CallRecord&) const = default;
};

}  // namespace varim::core
