#include "varim/core/transfer_progress.h"

#include <algorithm>
#include <cstring>

namespace varim::core {

namespace {

// How the operator is told where a transfer stands: the window caption of each record and the
// section named in the status line. The radio header (and a write's language byte) count as
// the groups section, which follows it.
struct SectionLabel {
  const char* section;  // the memory section's name in the transfer plan
  const char* label;
};

struct RecordLabels {
  RadioRecord record;
  const char* caption;
  const char* label;  // for every section of the record not named below
};

constexpr SectionLabel kSectionLabels[] = {
    {"Radio Header", "Groups Section"},
    {"Language", "Groups Section"},
    {"Groups", "Groups Section"},
    {"Channels", "Channels Section"},
    {"Radio Options", "Radio Options Section"},
    {"Accessories", "External Options Section"},
    {"ALE Nets", "ALE Nets Section"},
    {"ALE Options", "ALE Options Section"},
    {"ALE Directory", "ALE Directory Section"},
    {"ALE Automatic Dials", "ALE Autodials Section"},
    {"ALE Program Word", "ALE Program Word"},
    {"ALE Messages", "ALE Messages"},
};

// The extra options have no caption of their own: they show as whatever came before them.
constexpr RecordLabels kRecordLabels[] = {
    {RadioRecord::kRadio, "Radio Data Base", nullptr},
    {RadioRecord::kAle, "ALE Data Base", nullptr},
    {RadioRecord::kGlobalAleMembers, "Global member Data Base", "Global member Data Base"},
    {RadioRecord::kCcir, "CCIR Data Base", "CCIR Data Base"},
    {RadioRecord::kChannelNames, "CCIR Data Base", "CCIR Channel Number"},
    {RadioRecord::kExtraOptions, nullptr, nullptr},
};

const RecordLabels& LabelsOf(RadioRecord record) {
  return *std::find_if(std::begin(kRecordLabels), std::end(kRecordLabels),
                       [record](const RecordLabels& labels) { return labels.record == record; });
}

const char* LabelOf(const PlannedSection& section, const RecordLabels& record) {
  for (const SectionLabel& named : kSectionLabels) {
    if (std::strcmp(named.section, section.name) == 0) return named.label;
  }
  return record.label;
}

}  // namespace

TransferProgress::TransferProgress(TransferMode mode, const TransferContents& contents)
    : mode_(mode) {
  const TransferDirection direction =
      mode == TransferMode::kWrite ? TransferDirection::kWrite : TransferDirection::kRead;
  const char* caption = "";
  const char* label = "";
  for (const RadioRecord record : TransferPlan(contents)) {
    const RecordLabels& labels = LabelsOf(record);
    if (labels.caption != nullptr) caption = labels.caption;
    for (const PlannedSection& section : PlannedSections(record, direction)) {
      if (const char* own = LabelOf(section, labels)) label = own;
      stretches_.push_back({section.length, caption, label});
      total_ += section.length;
    }
  }
}

int TransferProgress::Percent() const {
  return transferred_ * 100 / total_;
}

// The stretch the next byte belongs to; once everything has moved, the last one.
ProgressView TransferProgress::View() const {
  ProgressView view;
  view.percent = std::clamp(Percent(), 0, 100);
  const Stretch* at = &stretches_.back();
  int start = 0;
  for (const Stretch& stretch : stretches_) {
    if (transferred_ < start + stretch.length) {
      at = &stretch;
      break;
    }
    start += stretch.length;
  }
  view.caption = at->caption;
  view.status = std::string(mode_ == TransferMode::kWrite ? "Writing " : "Reading ") + at->section;
  return view;
}

}  // namespace varim::core
