#pragma once

#include <functional>
#include <string>
#include <vector>

#include "varim/core/operator.h"
#include "varim/radio_records.h"

namespace varim::panels {

// The "CCIR Directory Configuration" dialog without a window: the directory's IDs as a list in
// display form, edited through the entry box, ADD and DELETE. The record changes on OK only.
class CcirDirectory {
 public:
  static constexpr int kCapacity = kCcirDirectoryEntries;
  static constexpr const char* kInvalidAddress = "'%s' is an invalid address.";
  static constexpr const char* kDirectoryFull = "The Directory is full; cannot add new address.";
  static constexpr const char* kInDirectory = " is in the Directory.";
  static constexpr const char* kRemoveQuestion =
      "Are you sure you want to remove all selecting strings?";

  // stored is told once OK has rewritten the record's directory.
  CcirDirectory(ccir_dbase& ccir, varim::core::Operator& op, std::function<void()> stored = {});

  const std::vector<std::string>& Entries() const { return entries_; }
  int Occupied() const { return static_cast<int>(entries_.size()); }

  const std::string& Typed() const { return typed_; }
  // The entry box changed: its rules decide ADD, DELETE and the warning line.
  void Type(const std::string& text);
  bool AddEnabled() const { return addEnabled_; }
  bool DeleteEnabled() const { return deleteEnabled_; }
  // Empty while the warning line is hidden.
  const std::string& Warning() const { return warning_; }

  void Add();
  // After the operator agreed: the rows selected in the list go, and the typed entry.
  void Delete(const std::vector<int>& selectedRows);
  void Ok();

 private:
  bool Listed(const std::string& entry) const;

  ccir_dbase& ccir_;
  varim::core::Operator& operator_;
  std::function<void()> stored_;
  std::vector<std::string> entries_;
  std::string typed_;
  // The typed entry's display form, once it is a valid ID.
  std::string candidate_;
  bool addEnabled_ = false;
  bool deleteEnabled_ = false;
  std::string warning_;
};

}  // namespace varim::panels
