#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "varim/core/operator.h"
#include "varim/db/radio_databases.h"
#include "varim/panels/ccir_directory.h"

namespace varim::panels {

// The CCIR panel's form without a window: the radio's own selcall IDs, alarm, beacon and
// preamble, the two messages and the directory summary. Every edit goes into the program's
// record at once, so a save or a write takes what the form shows.
class CcirForm {
 public:
  enum class IdBox { kFourDigit, kSixDigit };
  enum class MessageBox { kFirst, kSecond };

  static constexpr const char* kNotWholeNumber = "Selcall ID must be a whole number!";
  static constexpr int kPreambles = 10;
  static constexpr int kLongestMessage = 32;

  CcirForm(varim::db::RadioDatabases& databases, varim::core::Operator& op);

  // Called after every change of what the form shows.
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }
  // Told of every edit that changes the record, for the file's unsaved-changes mark.
  void SetEdited(std::function<void()> edited) { edited_ = std::move(edited); }

  // After a file was opened or made or the database read. A preamble the radio cannot use
  // becomes the default one, in the record too, as the form shows it.
  void Load();

  static int MaxDigits(IdBox box) { return box == IdBox::kFourDigit ? 4 : 6; }
  const std::string& IdText(IdBox box) const { return ids_[Index(box)]; }
  // The box as the operator left it. Each character that is not a digit is dropped with a
  // notice of its own; digits beyond the box's width are cut.
  void TypeId(IdBox box, const std::string& text);

  std::string MessageText(MessageBox box) const;
  // The box as the operator left it; characters the radio cannot send are dropped silently.
  void TypeMessage(MessageBox box, const std::string& text);

  // The list's position, 0 for a preamble of 1.
  int PreambleIndex() const;
  void ChoosePreamble(int index);
  bool Alarm() const { return ccir().alarm != 0; }
  void SetAlarm(bool on);
  bool Beacon() const { return ccir().beacon != 0; }
  void SetBeacon(bool on);

  // One row per directory position: its ID in display form, or empty.
  std::vector<std::string> DirectorySummary() const;
  // The directory dialog's model over this record; its OK counts as the operator's edit.
  CcirDirectory Directory();

 private:
  static std::size_t Index(auto box) { return static_cast<std::size_t>(box); }
  ccir_dbase& ccir() { return databases_.ccir; }
  const ccir_dbase& ccir() const { return databases_.ccir; }
  char* MessageField(MessageBox box);
  // The box shows the cleaned text even when the record keeps its value.
  void Changed(bool recordChanged);

  varim::db::RadioDatabases& databases_;
  varim::core::Operator& operator_;
  std::function<void()> listener_;
  std::function<void()> edited_;
  // As typed: "0012" stores 12 but stays "0012" in its box.
  std::array<std::string, 2> ids_;
};

}  // namespace varim::panels
