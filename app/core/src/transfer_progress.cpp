#include "varim/core/transfer_progress.h"

#include <algorithm>

namespace varim::core {

namespace {

// Expected bytes: the radio and ALE records, then the global members or the CCIR data, and
// the extra options; a write does not send the radio's header (1269 of its bytes).
constexpr int kRadioAndAle = 8681;
constexpr int kWithGlobalMembers = 9401;
constexpr int kWithCcir = 9196;
constexpr int kCcirReserved = 40;
constexpr int kExtraOptions = 4;
constexpr int kNotTransferred = 124;
constexpr int kHeaderNotWritten = 1269;

// A byte count is placed in radio memory from these offsets.
constexpr int kPositionOffset = 124;
constexpr int kPositionOffsetWithCcir = 164;

constexpr int kAleStart = 4304;
constexpr int kCcirStart = 8681;
constexpr int kCcirBytes = 475;

// Sections of the radio record and of the ALE record, each up to its end position.
struct Section {
  int end;
  const char* name;
};

constexpr Section kRadioSections[] = {
    {1688, "Groups Section"},
    {4288, "Channels Section"},
    {4302, "Radio Options Section"},
    {4304, "External Options Section"},
};

constexpr Section kAleSections[] = {
    {1820, "ALE Nets Section"},      {1832, "ALE Options Section"}, {3432, "ALE Directory Section"},
    {3452, "ALE Autodials Section"}, {3457, "ALE Program Word"},    {4377, "ALE Messages"},
};

}  // namespace

TransferProgress::TransferProgress(TransferMode mode, bool ccirPresent, bool globalAlePresent,
                                   bool extendedSupport)
    : mode_(mode),
      ccirPresent_(ccirPresent),
      globalAlePresent_(globalAlePresent),
      extendedSupport_(extendedSupport) {}

int TransferProgress::TotalBytes() const {
  int total;
  if (!ccirPresent_) {
    total = (globalAlePresent_ ? kWithGlobalMembers : kRadioAndAle) +
            (extendedSupport_ ? kExtraOptions : 0);
  } else {
    total = kWithCcir + (extendedSupport_ ? kExtraOptions : 0) - kCcirReserved;
  }
  total -= kNotTransferred;
  if (mode_ == TransferMode::kWrite) total -= kHeaderNotWritten;
  return total;
}

int TransferProgress::Percent() const {
  return transferred_ * 100 / TotalBytes();
}

ProgressView TransferProgress::View() const {
  ProgressView view;
  view.percent = std::clamp(Percent(), 0, 100);
  const int position = transferred_ + (ccirPresent_ ? kPositionOffsetWithCcir : kPositionOffset) +
                       (mode_ == TransferMode::kWrite ? kHeaderNotWritten : 0);
  const char* section = nullptr;
  if (position < kAleStart) {
    view.caption = "Radio Data Base";
    section = kRadioSections[3].name;
    for (const Section& s : kRadioSections) {
      if (position < s.end) {
        section = s.name;
        break;
      }
    }
  } else if (position - kAleStart < kAleSections[5].end) {
    view.caption = "ALE Data Base";
    for (const Section& s : kAleSections) {
      if (position - kAleStart < s.end) {
        section = s.name;
        break;
      }
    }
  } else if (globalAlePresent_ && !ccirPresent_) {
    // A radio with CCIR data moves no global members, whatever its support mode says.
    view.caption = section = "Global member Data Base";
  } else {
    view.caption = "CCIR Data Base";
    section = position - kCcirStart < kCcirBytes ? "CCIR Data Base" : "CCIR Channel Number";
  }
  view.status = std::string(mode_ == TransferMode::kWrite ? "Writing " : "Reading ") + section;
  return view;
}

}  // namespace varim::core
