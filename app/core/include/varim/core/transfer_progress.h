#pragma once

#include <string>
#include <vector>

#include "varim/transfer_plan.h"

namespace varim::core {

enum class TransferMode { kNone = 0, kRead = 1, kWrite = 2 };

// What the progress of a database transfer shows: the percentage, the window caption and the
// status line ("Reading Channels Section").
struct ProgressView {
  int percent = 0;
  std::string caption;
  std::string status;
};

// The progress arithmetic of a whole-radio read or write, taken from the transfer plan: how
// many bytes the transfer moves for what the radio carries, and which section a byte count has
// reached.
class TransferProgress {
 public:
  TransferProgress(TransferMode mode, const TransferContents& contents);

  // The bytes the transfer is expected to move.
  int TotalBytes() const { return total_; }
  // Counts a transferred chunk.
  void Add(int bytes) { transferred_ += bytes; }
  int Transferred() const { return transferred_; }
  // transferred * 100 / total; 100 or more means complete.
  int Percent() const;
  ProgressView View() const;

 private:
  // A stretch of the transfer as the operator sees it.
  struct Stretch {
    int length;
    const char* caption;
    const char* section;
  };

  TransferMode mode_;
  std::vector<Stretch> stretches_;
  int total_ = 0;
  int transferred_ = 0;
};

}  // namespace varim::core
