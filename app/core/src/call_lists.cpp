#include "varim/core/call_lists.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <utility>

#include "varim/db/profile_file.h"

namespace varim::core {

namespace {

// How each list is kept in its file.
struct ListFile {
  const char* header;
  const char* countKey;
  const char* recordSection;  // followed by 1, 2, ...
  std::size_t written;
  std::size_t maxLoaded;  // the log is read with whatever count it states
};

constexpr ListFile kLogFile = {"Log File", "Number of Log Records", "Log Record No. ",
                               CallLists::kLogRecordsWritten, 9999};
constexpr ListFile kStackFile = {"Stack List", "Number of Stack Records", "Stack Record No. ",
                                 CallLists::kStackRecordsWritten, CallLists::kStackRecordsWritten};

// The keys of a record section, in the order they are written.
struct RecordKey {
  const char* key;
  std::string CallRecord::*text;
};

constexpr RecordKey kRecordKeys[] = {
    {"From", &CallRecord::from},       {"To", &CallRecord::to},
    {"Date", &CallRecord::date},       {"Start", &CallRecord::start},
    {"End", &CallRecord::end},         {"Call Type", &CallRecord::callType},
    {"Net", &CallRecord::net},         {"Channel", &CallRecord::channel},
    {"Message", &CallRecord::message},
};

// A count of at most four characters, read as a plain decimal number (no digits: 0).
std::size_t CountOf(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    count = count * 10 + static_cast<std::size_t>(c - '0');
  }
  return count;
}

std::vector<CallRecord> LoadList(const std::string& path, const ListFile& format) {
  std::vector<CallRecord> records;
  varim::db::ProfileFile file;
  if (!file.Load(path)) return records;
  const std::size_t count =
      std::min(CountOf(file.GetString(format.header, format.countKey, "", 4)), format.maxLoaded);
  for (std::size_t i = 1; i <= count; ++i) {
    const std::string section = format.recordSection + std::to_string(i);
    CallRecord record;
    for (const RecordKey& key : kRecordKeys)
      record.*key.text = file.GetString(section, key.key, "", CallLists::kMaxTextChars);
    records.push_back(std::move(record));
  }
  return records;
}

bool SaveList(const std::string& path, const ListFile& format,
              const std::vector<CallRecord>& records, std::string* error) {
  varim::db::ProfileFile file;
  const std::size_t count = std::min(records.size(), format.written);
  file.WriteString(format.header, format.countKey, std::to_string(count));
  for (std::size_t i = 0; i < count; ++i) {
    const std::string section = format.recordSection + std::to_string(i + 1);
    CallRecord stored = records[i];
    stored.message = stored.MessageText();
    for (const RecordKey& key : kRecordKeys) file.WriteString(section, key.key, stored.*key.text);
  }
  return file.Save(path, error);
}

std::string Formatted(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

}  // namespace

std::string CallRecord::MessageText() const {
  const auto last = message.find_last_not_of(' ');
  return last == std::string::npos ? std::string() : message.substr(0, last + 1);
}

std::string LocalTimeOfDay() {
  return Formatted("%H:%M:%S");
}

std::string LocalDate() {
  return Formatted("%m/%d/%y");
}

CallLists::CallLists(std::string directory, TimeOfDay timeOfDay)
    : directory_(std::move(directory)),
      timeOfDay_(timeOfDay ? std::move(timeOfDay) : TimeOfDay(LocalTimeOfDay)) {}

std::string CallLists::LogPath() const {
  return directory_ + "/" + kLogFileName;
}

std::string CallLists::StackPath() const {
  return directory_ + "/" + kStackFileName;
}

void CallLists::Load() {
  log_ = LoadList(LogPath(), kLogFile);
  stack_ = LoadList(StackPath(), kStackFile);
  loaded_ = true;
}

void CallLists::EnsureLoaded() {
  if (!loaded_) Load();
}

bool CallLists::Save(std::string* error) const {
  std::string logError, stackError;
  // Each file on its own: one that cannot be written does not keep the other from being saved.
  const bool log = SaveList(LogPath(), kLogFile, log_, &logError);
  const bool stack = SaveList(StackPath(), kStackFile, stack_, &stackError);
  if (error != nullptr) *error = log ? stackError : logError;
  return log && stack;
}

void CallLists::Changed() {
  std::string error;
  const bool saved = Save(&error);
  if (!saved && !saveFailing_ && saveFailure_) saveFailure_(error);
  saveFailing_ = !saved;
}

void CallLists::LogCall(CallRecord& current, bool toStack) {
  if (current.from.empty()) return;
  EnsureLoaded();
  current.end = timeOfDay_();
  if (toStack) stack_.insert(stack_.begin(), current);
  log_.insert(log_.begin(), current);
  current.Clear();
  Changed();
}

void CallLists::DeleteLogRecord(std::size_t index) {
  if (index >= log_.size()) return;
  log_.erase(log_.begin() + static_cast<std::ptrdiff_t>(index));
  Changed();
}

void CallLists::DeleteAllLogRecords() {
  EnsureLoaded();
  log_.clear();
  Changed();
}

void CallLists::DeleteStackRecord(std::size_t index) {
  if (index >= stack_.size()) return;
  stack_.erase(stack_.begin() + static_cast<std::ptrdiff_t>(index));
  Changed();
}

void CallLists::DeleteAllStackRecords() {
  EnsureLoaded();
  stack_.clear();
  Changed();
}

CallRecord CallLists::TakeFromStack(std::size_t index) {
  if (index >= stack_.size()) return {};
  CallRecord taken = stack_[index];
  DeleteStackRecord(index);
  return taken;
}

}  // namespace varim::core
