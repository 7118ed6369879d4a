#include "varim/panels/message_history.h"

#include <algorithm>
#include <cstdlib>

#include "varim/db/profile_file.h"

namespace varim::panels {

namespace {

constexpr char kSection[] = "Messages";
constexpr char kCountKey[] = "Number of messages";
constexpr char kMessageKey[] = "Message No. ";
// The count is read with at most four digits, as the file has always been read.
constexpr std::size_t kCountChars = 4;

}  // namespace

void MessageHistory::Load() {
  messages_.clear();
  varim::db::ProfileFile file;
  if (path_.empty() || !file.Load(path_)) return;
  const std::string countText = file.GetString(kSection, kCountKey, "", kCountChars);
  const int total = std::atoi(countText.c_str());
  for (int i = 1; i <= total; ++i) {
    const std::string message =
        file.GetString(kSection, kMessageKey + std::to_string(i), "", kMaxMessageChars);
    if (!message.empty()) messages_.insert(message);
  }
}

bool MessageHistory::Add(const std::string& message) {
  if (message.empty() || !messages_.insert(message).second) return false;
  Save();
  return true;
}

bool MessageHistory::Save(std::string* error) const {
  if (path_.empty()) return true;
  varim::db::ProfileFile file;
  // Whatever else the file holds stays; only the messages are rewritten.
  file.Load(path_);
  file.DeleteSection(kSection);
  const std::size_t count = std::min(messages_.size(), kMaxSaved);
  file.WriteString(kSection, kCountKey, std::to_string(count));
  std::size_t number = 0;
  for (const std::string& message : messages_) {
    if (number == count) break;
    file.WriteString(kSection, kMessageKey + std::to_string(++number), message);
  }
  return file.Save(path_, error);
}

}  // namespace varim::panels
