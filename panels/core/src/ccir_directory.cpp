#include "varim/panels/ccir_directory.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>
#include <utility>

#include "varim/byte_order.h"
#include "varim/panels/selcall_id.h"

namespace varim::panels {

namespace {

std::string InvalidAddress(const std::string& text) {
  std::string warning = CcirDirectory::kInvalidAddress;
  warning.replace(warning.find("%s"), 2, text);
  return warning;
}

}  // namespace

CcirDirectory::CcirDirectory(ccir_dbase& ccir, varim::core::Operator& op,
                             std::function<void()> stored)
    : ccir_(ccir), operator_(op), stored_(std::move(stored)) {
  // The radio packs its directory from the start: the first free entry ends it.
  for (const auto& entry : ccir_.ccir_directory) {
    const std::uint32_t id = ReadBigEndian32(entry);
    if (id == 0) break;
    if (id <= kLastSelcallId) entries_.push_back(SelcallDisplayForm(id));
  }
}

void CcirDirectory::Type(const std::string& text) {
  typed_ = text;
  candidate_.clear();
  addEnabled_ = deleteEnabled_ = false;
  warning_.clear();
  if (typed_.empty()) return;
  const std::optional<std::uint32_t> id = SelcallIdOf(typed_);
  if (!id) {
    warning_ = InvalidAddress(typed_);
    return;
  }
  candidate_ = SelcallDisplayForm(*id);
  if (Listed(candidate_)) {
    warning_ = candidate_ + kInDirectory;
    deleteEnabled_ = true;
  } else if (Occupied() >= kCapacity) {
    warning_ = kDirectoryFull;
  } else {
    addEnabled_ = true;
  }
}

bool CcirDirectory::Listed(const std::string& entry) const {
  return std::find(entries_.begin(), entries_.end(), entry) != entries_.end();
}

void CcirDirectory::Add() {
  if (!addEnabled_) return;
  entries_.push_back(candidate_);
  Type({});
}

void CcirDirectory::Delete(const std::vector<int>& selectedRows) {
  if (!deleteEnabled_ || !operator_.Ask(kRemoveQuestion)) return;
  const std::set<int> doomed(selectedRows.begin(), selectedRows.end());
  std::vector<std::string> kept;
  for (int row = 0; row < Occupied(); ++row) {
    const std::string& entry = entries_[static_cast<std::size_t>(row)];
    if (!doomed.contains(row) && entry != candidate_) kept.push_back(entry);
  }
  entries_ = std::move(kept);
  Type(typed_);
}

void CcirDirectory::Ok() {
  for (std::size_t i = 0; i < std::size(ccir_.ccir_directory); ++i) {
    const std::optional<std::uint32_t> id =
        i < entries_.size() ? SelcallIdOf(entries_[i]) : std::nullopt;
    WriteBigEndian32(ccir_.ccir_directory[i], id.value_or(0));
  }
  if (stored_) stored_();
}

}  // namespace varim::panels
