#pragma once

#include <string>
#include <vector>

#include "varim/core/operator.h"
#include "varim/panels/ale_address_book.h"

namespace varim::panels {

// The address box, ADD and DELETE that the directory and member editors share, on a copy of
// the ALE addresses that OK hands back.
class AleAddressEditor {
 public:
  static constexpr const char* kDeleteQuestion =
      "Are you sure you want to remove all selecting strings?";

  AleAddressEditor(const varim::db::RadioDatabases& databases, varim::core::Operator& op,
                   AddressEditor kind);
  virtual ~AleAddressEditor() = default;

  // The list as it is shown, and the rows chosen in it (the last one fills the address box).
  virtual std::vector<std::string> List() const = 0;
  void Select(const std::vector<int>& rows);
  const std::vector<int>& Selection() const { return selection_; }

  const std::string& Box() const { return box_; }
  void SetBox(const std::string& text);
  const AddressVerdict& Verdict() const { return verdict_; }
  int Occupied() const { return static_cast<int>(List().size()); }

  void Add();
  // Asks first; takes out the chosen entries and the typed one when it is listed.
  void Delete();

  void Ok(varim::db::RadioDatabases& databases) const { book_.Store(databases); }
  AleAddressBook& Book() { return book_; }

 protected:
  virtual void Insert(const std::string& entry) = 0;
  virtual void Remove(const std::vector<std::string>& entries) = 0;
  // The entry a list row stands for.
  virtual std::string EntryOfRow(int row) const { return List()[static_cast<std::size_t>(row)]; }
  void Recheck() { SetBox(box_); }
  virtual int EditedNet() const { return 0; }

  AleAddressBook book_;
  varim::core::Operator& operator_;

 private:
  const AddressEditor kind_;
  std::string box_;
  AddressVerdict verdict_;
  std::vector<int> selection_;
};

// "ALE Directory Configuration".
class AleDirectoryEditor : public AleAddressEditor {
 public:
  AleDirectoryEditor(const varim::db::RadioDatabases& databases, varim::core::Operator& op)
      : AleAddressEditor(databases, op, AddressEditor::kDirectory) {}

  std::vector<std::string> List() const override { return book_.Directory(); }
  // The reference lists beside the directory: every net's name and self address that is set.
  std::vector<std::string> NetNames() const;
  std::vector<std::string> SelfAddresses() const;

 protected:
  void Insert(const std::string& entry) override { book_.AddToDirectory(entry); }
  void Remove(const std::vector<std::string>& entries) override {
    book_.RemoveFromDirectory(entries);
  }
};

// "Net Members" and "Net Global Members": one net's list at a time, its order, its priority.
class AleMembersEditor : public AleAddressEditor {
 public:
  static constexpr const char* kPrioritySuffix = "  Priority";
  static constexpr const char* kSeveralSelected = "More then one global member is selected";

  AleMembersEditor(const varim::db::RadioDatabases& databases, varim::core::Operator& op,
                   bool global);

  // The net spin (1..20); nothing changes nets during manual ordering.
  void ShowNet(int net);
  int Net() const { return net_ + 1; }
  bool Global() const { return global_; }
  std::vector<std::string> List() const override;
  // The hint "Click arrow to get from Directory (%d)", empty while the directory is.
  std::string DirectoryHint() const;

  bool OrderEnabled() const;
  void AutoOrder();
  void StartManualOrder();
  bool ManualOrdering() const { return manualPosition_ > 0; }
  // The warning line while ordering by hand.
  std::string ManualOrderText() const;
  // A click on row moves that member to the next place; a right click (or the last place)
  // ends the ordering.
  void ClickInManualOrder(int row);
  void EndManualOrder() { manualPosition_ = 0; }

  void SetPriority();

 protected:
  void Insert(const std::string& entry) override;
  void Remove(const std::vector<std::string>& entries) override;
  std::string EntryOfRow(int row) const override;
  int EditedNet() const override { return net_; }

 private:
  std::vector<NetMember>& Members() {
    return global_ ? book_.GlobalMembers(net_) : book_.Members(net_);
  }
  const std::vector<NetMember>& Members() const {
    return global_ ? book_.GlobalMembers(net_) : book_.Members(net_);
  }
  std::string SortText(const NetMember& member) const;

  const bool global_;
  int net_ = 0;
  int manualPosition_ = 0;  // 1-based place the next click fills; 0: not ordering by hand
};

}  // namespace varim::panels
