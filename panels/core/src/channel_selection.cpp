#include "varim/panels/channel_selection.h"

#include <algorithm>

#include "varim/db/channel_set.h"
#include "varim/panels/channel_table.h"

namespace varim::panels {

namespace {

constexpr int kGroups = 5;
constexpr int kNets = 20;

std::string NotProgrammedText(int channel) {
  return "Channel number " + std::to_string(channel) + " is not programmed";
}

}  // namespace

ChannelSelection::ChannelSelection(varim::db::RadioDatabases& databases, Kind kind,
                                   bool markBlocked)
    : databases_(databases),
      kind_(kind),
      markBlocked_(markBlocked),
      sets_(kind == Kind::kGroups ? kGroups : kNets),
      hint_{kind == Kind::kGroups ? kGroupsHint : kNetsHint, false} {
  for (int index = 0; index < Count(); ++index) {
    const std::uint8_t(&bits)[kChannelSetBytes] =
        kind == Kind::kGroups ? databases.radio.groups[index].member_channels
                              : databases.ale.nets[index].scanned_channels;
    const int mark = kind == Kind::kGroups ? databases.radio.groups[index].guard_channel
                                           : databases.ale.nets[index].all_call_channel;
    Selection& set = sets_[static_cast<std::size_t>(index)];
    for (int channel = 1; channel <= kMaxChannel; ++channel) {
      if (!varim::db::HasChannel(bits, channel)) continue;
      set.selected[static_cast<std::size_t>(channel)] = true;
      ++set.count;
      if (kind == Kind::kNets && netsUsing_[static_cast<std::size_t>(channel)]++ == 0)
        ++channelsInUse_;
    }
    set.mark = Within(mark) ? mark : 0;
  }
}

void ChannelSelection::Show(int n) {
  shown_ = std::clamp(n, 1, Count()) - 1;
}

ChannelSelection::Cell ChannelSelection::CellOf(int channel) const {
  const Selection& set = sets_[static_cast<std::size_t>(shown_)];
  if (!Within(channel)) return Cell::kNotSelected;
  if (set.mark == channel) return Cell::kMarked;
  return set.selected[static_cast<std::size_t>(channel)] ? Cell::kSelected : Cell::kNotSelected;
}

bool ChannelSelection::Programmed(int channel) const {
  return Within(channel) && IsProgrammedChannel(databases_.radio.channels[channel - 1]);
}

std::string ChannelSelection::MarkText() const {
  const int mark = sets_[static_cast<std::size_t>(shown_)].mark;
  return mark == 0 ? kOff : std::to_string(mark);
}

int ChannelSelection::SelectedCount() const {
  return kind_ == Kind::kNets ? channelsInUse_ : sets_[static_cast<std::size_t>(shown_)].count;
}

bool ChannelSelection::DeselectEnabled() const {
  return sets_[static_cast<std::size_t>(shown_)].count > 0;
}

// A channel that is not programmed is refused and taken out; otherwise the usual hint shows.
bool ChannelSelection::UsableChannel(int channel) {
  if (!Programmed(channel)) {
    hint_ = {NotProgrammedText(channel), true};
    Unselect(channel);
    return false;
  }
  hint_ = {kind_ == Kind::kGroups ? kGroupsHint : kNetsHint, false};
  return true;
}

bool ChannelSelection::Select(int channel) {
  Selection& set = sets_[static_cast<std::size_t>(shown_)];
  bool& selected = set.selected[static_cast<std::size_t>(channel)];
  if (selected) return true;
  if (kind_ == Kind::kNets) {
    int& using_ = netsUsing_[static_cast<std::size_t>(channel)];
    if (using_ == 0 && channelsInUse_ >= kAleChannelLimit) {
      hint_ = {kTooManyChannels, true};
      return false;
    }
    if (using_++ == 0) ++channelsInUse_;
  }
  selected = true;
  ++set.count;
  return true;
}

void ChannelSelection::Unselect(int channel) {
  Selection& set = sets_[static_cast<std::size_t>(shown_)];
  if (set.mark == channel) set.mark = 0;
  bool& selected = set.selected[static_cast<std::size_t>(channel)];
  if (!selected) return;
  selected = false;
  --set.count;
  if (kind_ == Kind::kNets && --netsUsing_[static_cast<std::size_t>(channel)] == 0)
    --channelsInUse_;
}

void ChannelSelection::Click(int channel, Button button) {
  if (!Within(channel) || !UsableChannel(channel)) return;
  Selection& set = sets_[static_cast<std::size_t>(shown_)];
  const Cell cell = CellOf(channel);
  if (button == Button::kLeft) {
    if (cell == Cell::kNotSelected) {
      Select(channel);
    } else {
      Unselect(channel);
    }
    return;
  }
  if (markBlocked_) return;
  if (cell == Cell::kMarked) {
    Unselect(channel);
    return;
  }
  // The earlier mark stays selected as an ordinary channel.
  if (Select(channel)) set.mark = channel;
}

void ChannelSelection::Drag(int channel, Button button) {
  if (!Within(channel)) return;
  if (button == Button::kRight) {
    Unselect(channel);
    return;
  }
  if (CellOf(channel) == Cell::kNotSelected && UsableChannel(channel)) Select(channel);
}

void ChannelSelection::Deselect() {
  for (int channel = 1; channel <= kMaxChannel; ++channel) Unselect(channel);
}

void ChannelSelection::Ok() {
  for (int index = 0; index < Count(); ++index) {
    const Selection& set = sets_[static_cast<std::size_t>(index)];
    std::uint8_t(&bits)[kChannelSetBytes] = kind_ == Kind::kGroups
                                                ? databases_.radio.groups[index].member_channels
                                                : databases_.ale.nets[index].scanned_channels;
    for (int channel = 1; channel <= kMaxChannel; ++channel) {
      if (set.selected[static_cast<std::size_t>(channel)]) {
        varim::db::AddChannel(bits, channel);
      } else {
        varim::db::RemoveChannel(bits, channel);
      }
    }
    const std::uint16_t mark = set.mark == 0 ? kNoChannel : static_cast<std::uint16_t>(set.mark);
    if (kind_ == Kind::kGroups) {
      databases_.radio.groups[index].guard_channel = mark;
    } else {
      databases_.ale.nets[index].all_call_channel = mark;
    }
  }
}

}  // namespace varim::panels
