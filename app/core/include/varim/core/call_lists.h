#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "varim/core/call_record.h"

namespace varim::core {

// The calls of the radio: the log (every call placed or received that has ended) and the stack
// (incoming calls that wait for the operator's reply), newest first, kept in log.txt and
// stack.txt in the start folder. Both files are saved, atomically, after every change of the
// lists, so a crash or a power cut loses no call that was logged.
class CallLists {
 public:
  static constexpr std::size_t kLogRecordsWritten = 200;
  static constexpr std::size_t kStackRecordsWritten = 100;
  static constexpr std::size_t kMaxTextChars = 99;
  static constexpr char kLogFileName[] = "log.txt";
  static constexpr char kStackFileName[] = "stack.txt";

  // The local time of day as HH:MM:SS; replaceable for tests.
  using TimeOfDay = std::function<std::string()>;

  explicit CallLists(std::string directory, TimeOfDay timeOfDay = {});

  // Reads both files; a missing file gives an empty list. A change made before the first
  // Load reads the files first, so saving it never drops the calls already kept there.
  void Load();
  // Writes both files; false, with the reason, when either could not be written.
  bool Save(std::string* error = nullptr) const;
  // Told when the files cannot be written after a change, with the reason: once, until a save
  // succeeds again, so a folder that stays unwritable does not ask at every call.
  void OnSaveFailure(std::function<void(const std::string& reason)> listener) {
    saveFailure_ = std::move(listener);
  }

  // Logs the current call: nothing when it has no caller; else its end time is set, it goes
  // into the log (and into the stack when asked) and the current call is cleared.
  void LogCall(CallRecord& current, bool toStack);

  const std::vector<CallRecord>& Log() const { return log_; }
  const std::vector<CallRecord>& Stack() const { return stack_; }
  void DeleteLogRecord(std::size_t index);
  void DeleteAllLogRecords();
  void DeleteStackRecord(std::size_t index);
  void DeleteAllStackRecords();
  // Takes a record out of the stack to be answered.
  CallRecord TakeFromStack(std::size_t index);

  std::string LogPath() const;
  std::string StackPath() const;

 private:
  void EnsureLoaded();
  void Changed();

  std::string directory_;
  TimeOfDay timeOfDay_;
  std::vector<CallRecord> log_;
  std::vector<CallRecord> stack_;
  bool loaded_ = false;
  std::function<void(const std::string&)> saveFailure_;
  bool saveFailing_ = false;
};

// The present local time as HH:MM:SS and the date as MM/DD/YY.
std::string LocalTimeOfDay();
std::string LocalDate();

}  // namespace varim::core
