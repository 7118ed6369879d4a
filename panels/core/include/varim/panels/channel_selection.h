#pragma once

#include <array>
#include <string>
#include <vector>

#include "varim/db/radio_databases.h"

namespace varim::panels {

// The "Groups" and "Scanned Channels" editors without a window: which of the 200 channels a
// scan group or an ALE net holds, and its guard or All Call channel, worked by clicks and drags
// on a grid of the channel numbers. It works on a copy and hands it back on OK only.
class ChannelSelection {
 public:
  enum class Kind { kGroups, kNets };
  enum class Cell { kNotSelected, kSelected, kMarked };  // marked: the guard or All Call channel
  enum class Button { kLeft, kRight };

  static constexpr int kAleChannelLimit = 100;
  static constexpr const char* kGroupsHint =
      "Click to select channel. Right Click to select guard channel.";
  static constexpr const char* kNetsHint =
      "Click to select channel. Right Click to select All Call channel.";
  static constexpr const char* kTooManyChannels =
      "Can't select more than 100 different channels in all nets.";
  static constexpr const char* kOff = "Off";

  // The hint line: a warning shows on yellow, the usual hint on grey.
  struct Hint {
    std::string text;
    bool warning = false;
  };

  // markBlocked: the right click sets no mark (a CCIR radio in selective calling).
  ChannelSelection(varim::db::RadioDatabases& databases, Kind kind, bool markBlocked);

  Kind WhatIsEdited() const { return kind_; }
  // 5 groups ("A".."E") or 20 nets.
  int Count() const { return static_cast<int>(sets_.size()); }
  // The spin: shows group or net n (from 1), limited to the range.
  void Show(int n);
  int Shown() const { return shown_ + 1; }

  Cell CellOf(int channel) const;
  // Programmed channels are drawn in blue.
  bool Programmed(int channel) const;
  // The guard or All Call channel's number, or "Off".
  std::string MarkText() const;
  // A group's own count; for the nets, the different channels all nets scan together.
  int SelectedCount() const;
  bool DeselectEnabled() const;
  const Hint& HintLine() const { return hint_; }

  void Click(int channel, Button button);
  // The pointer passed over channel with button held.
  void Drag(int channel, Button button);
  void Deselect();
  // Hands the selections back to the records.
  void Ok();

 private:
  struct Selection {
    std::array<bool, kMaxChannel + 1> selected{};
    int mark = 0;  // 0: none
    int count = 0;
  };

  bool Select(int channel);
  void Unselect(int channel);
  bool UsableChannel(int channel);
  bool Within(int channel) const { return channel >= 1 && channel <= kMaxChannel; }

  varim::db::RadioDatabases& databases_;
  const Kind kind_;
  const bool markBlocked_;
  std::vector<Selection> sets_;
  int shown_ = 0;
  // How many nets scan each channel, and how many channels are scanned at all.
  std::array<int, kMaxChannel + 1> netsUsing_{};
  int channelsInUse_ = 0;
  Hint hint_;
};

}  // namespace varim::panels
