#pragma once

#include <functional>
#include <string>
#include <vector>

#include "varim/core/operator.h"
#include "varim/db/radio_databases.h"

namespace varim::panels {

// The RSS ALE panel's form: one net's parameters at a time and the ALE options of all nets.
// Every control writes its field as soon as it changes, as the form always has.
class AleNetForm {
 public:
  enum class Check {
    kSilent, kHomeAck, kMonitorAck, kLqaRequest, kSendAllCall, kReceiveAllCall,
    kExternalAlarm, kAlert, kQuickPttCall, kAutoAddress, kAnycall, kWildcard, kAmd, kInLink,
    kMultiNet, kLinkAfterBidirectional, kVcds,
  };
  enum class List { kScanRate, kTuneTime, kSounding, kOccupancy, kPttTimeout, kMaxChannel };

  struct CheckInfo {
    Check check;
    const char* label;
  };
  static const std::vector<CheckInfo>& Checks();
  static const char* LabelOf(List list);
  static std::vector<std::string> Entries(List list);

  AleNetForm(varim::db::RadioDatabases& databases, varim::core::Operator& op);

  // Told after every change the operator made, for the ALE check and the unsaved mark.
  void SetEdited(std::function<void()> edited) { edited_ = std::move(edited); }

  // The "Net No." spin, 1..20; a stored value the lists cannot show is told as it is met.
  void ShowNet(int net);
  int Net() const { return net_ + 1; }

  std::string NetName() const;
  std::string SelfAddress() const;
  std::string GlobalMembersName() const;
  // False, with the reason told, when the text is refused; the box shows the stored value then.
  bool SetNetName(const std::string& text);
  bool SetSelfAddress(const std::string& text);
  void SetGlobalMembersName(const std::string& text);

  bool Checked(Check check) const;
  void SetChecked(Check check, bool checked);
  // -1 when the stored value is none of the entries.
  int Row(List list) const;
  void Choose(List list, int row);
  // 0 Master, 1 Slave; 0 / 1 / 2 for "Accept Link TOT no", "Yes" and "2".
  int MasterSlave() const;
  void SetMasterSlave(int choice);
  int AcceptLinkTimeout() const;
  void SetAcceptLinkTimeout(int choice);
  int MinLqa() const;
  void SetMinLqa(int value);

  // The net's members in order ("*SELF_ADDRESS*" for the net itself) and its global members,
  // the priority one marked; without a priority member the first one is shown as it.
  std::vector<std::string> Members() const;
  std::vector<std::string> GlobalMembers() const;

 private:
  ale_net& Record() const { return databases_.ale.nets[net_]; }
  // The byte a check box writes (the All Call boxes write one bit of theirs).
  std::uint8_t& Field(Check check) const;
  bool SetAddressField(char (&field)[16], const std::string& text, bool isNetName);
  void TellInvalidFields() const;
  void Edited();

  varim::db::RadioDatabases& databases_;
  varim::core::Operator& operator_;
  std::function<void()> edited_;
  int net_ = 0;
};

}  // namespace varim::panels
