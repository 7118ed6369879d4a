#pragma once

#include <set>
#include <string>

namespace varim::panels {

// The call messages the operator has typed before, kept alphabetically in msg.txt so both
// call tabs offer them again after a restart.
class MessageHistory {
 public:
  // The file keeps at most this many; the rest are dropped from the end of the list.
  static constexpr std::size_t kMaxSaved = 200;
  // A message as the file gives it back.
  static constexpr std::size_t kMaxMessageChars = 99;

  // An empty path keeps the history in memory only.
  explicit MessageHistory(std::string path) : path_(std::move(path)) {}

  void Load();
  // Adds a non-empty message not yet there and saves at once, so a crash loses nothing.
  // False when it was there already or empty.
  bool Add(const std::string& message);
  const std::set<std::string>& Messages() const { return messages_; }
  // Writes the file atomically; false, with the reason, when it cannot be written.
  bool Save(std::string* error = nullptr) const;

 private:
  std::string path_;
  std::set<std::string> messages_;
};

}  // namespace varim::panels
