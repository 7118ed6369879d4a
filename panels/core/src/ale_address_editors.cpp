#include "varim/panels/ale_address_editors.h"

#include <algorithm>

namespace varim::panels {

using varim::core::Operator;

AleAddressEditor::AleAddressEditor(const varim::db::RadioDatabases& databases, Operator& op,
                                   AddressEditor kind)
    : book_(databases), operator_(op), kind_(kind) {}

void AleAddressEditor::Select(const std::vector<int>& rows) {
  const int count = static_cast<int>(List().size());
  selection_.clear();
  for (const int row : rows) {
    if (row >= 0 && row < count) selection_.push_back(row);
  }
  if (!selection_.empty()) SetBox(EntryOfRow(selection_.back()));
}

void AleAddressEditor::SetBox(const std::string& text) {
  box_ = text;
  verdict_ = CheckAddress(book_, kind_, EditedNet(), text);
}

void AleAddressEditor::Add() {
  if (!verdict_.addEnabled) return;
  Insert(verdict_.entry);
  selection_.clear();
  SetBox("");
}

void AleAddressEditor::Delete() {
  if (selection_.empty() && !verdict_.deleteEnabled) return;
  if (!operator_.Ask(kDeleteQuestion)) return;
  std::vector<std::string> removed;
  for (const int row : selection_) removed.push_back(EntryOfRow(row));
  if (verdict_.deleteEnabled) removed.push_back(verdict_.entry);
  Remove(removed);
  selection_.clear();
  SetBox("");
}

namespace {

std::vector<std::string> SetTexts(const AleAddressBook& book,
                                  std::string (AleAddressBook::*text)(int) const) {
  std::vector<std::string> texts;
  for (int net = 0; net < kNets; ++net) {
    std::string value = (book.*text)(net);
    if (!value.empty()) texts.push_back(std::move(value));
  }
  return texts;
}

}  // namespace

std::vector<std::string> AleDirectoryEditor::NetNames() const {
  return SetTexts(book_, &AleAddressBook::NetName);
}

std::vector<std::string> AleDirectoryEditor::SelfAddresses() const {
  return SetTexts(book_, &AleAddressBook::SelfAddress);
}

AleMembersEditor::AleMembersEditor(const varim::db::RadioDatabases& databases, Operator& op,
                                   bool global)
    : AleAddressEditor(databases, op,
                       global ? AddressEditor::kGlobalMembers : AddressEditor::kNetMembers),
      global_(global) {}

void AleMembersEditor::ShowNet(int net) {
  if (ManualOrdering()) return;
  net_ = std::clamp(net, 1, kNets) - 1;
  Select({});
  SetBox("");
}

std::vector<std::string> AleMembersEditor::List() const {
  std::vector<std::string> texts;
  for (const NetMember& member : Members())
    texts.push_back(member.priority ? member.address + kPrioritySuffix : member.address);
  return texts;
}

std::string AleMembersEditor::EntryOfRow(int row) const {
  return Members()[static_cast<std::size_t>(row)].address;
}

std::string AleMembersEditor::DirectoryHint() const {
  const std::size_t size = book_.Directory().size();
  return size == 0 ? "" : "Click arrow to get from Directory (" + std::to_string(size) + ")";
}

void AleMembersEditor::Insert(const std::string& entry) {
  // A new station joins the directory too; the members follow the directory's new order.
  if (entry != AleAddressBook::kSelfAddress) book_.AddToDirectory(entry);
  Members().push_back({entry, false});
}

void AleMembersEditor::Remove(const std::vector<std::string>& entries) {
  std::erase_if(Members(), [&entries](const NetMember& member) {
    return std::find(entries.begin(), entries.end(), member.address) != entries.end();
  });
}

bool AleMembersEditor::OrderEnabled() const {
  return !ManualOrdering() && Members().size() >= 2;
}

std::string AleMembersEditor::SortText(const NetMember& member) const {
  return member.address == AleAddressBook::kSelfAddress ? book_.SelfAddress(net_) : member.address;
}

void AleMembersEditor::AutoOrder() {
  if (!OrderEnabled()) return;
  std::stable_sort(Members().begin(), Members().end(),
                   [this](const NetMember& a, const NetMember& b) {
                     return SortText(a) < SortText(b);
                   });
}

void AleMembersEditor::StartManualOrder() {
  if (!OrderEnabled()) return;
  Select({});
  manualPosition_ = 1;
}

std::string AleMembersEditor::ManualOrderText() const {
  if (!ManualOrdering()) return {};
  return "Click on Member no. " + std::to_string(manualPosition_) +
         ".\nRight-click to end manual order.";
}

void AleMembersEditor::ClickInManualOrder(int row) {
  std::vector<NetMember>& members = Members();
  const int count = static_cast<int>(members.size());
  if (!ManualOrdering() || row < 0 || row >= count) return;
  const auto from = members.begin() + row;
  const auto to = members.begin() + (manualPosition_ - 1);
  // The clicked member takes the place; those between move down one.
  if (from > to) std::rotate(to, from, from + 1);
  if (++manualPosition_ > count) EndManualOrder();
}

void AleMembersEditor::SetPriority() {
  if (!global_) return;
  if (Selection().size() != 1) {
    operator_.Notify(kSeveralSelected, Operator::Icon::kExclamation);
    return;
  }
  const int chosen = Selection().front();
  std::vector<NetMember>& members = Members();
  for (int row = 0; row < static_cast<int>(members.size()); ++row)
    members[static_cast<std::size_t>(row)].priority = row == chosen;
}

}  // namespace varim::panels
