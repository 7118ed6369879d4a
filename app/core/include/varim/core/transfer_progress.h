#pragma once

#include <string>

namespace varim::core {

enum class TransferMode { kNone = 0, kRead = 1, kWrite = 2 };

// What the progress of a database transfer shows: the percentage, the window caption and the
// status line ("Reading Channels Section").
struct ProgressView {
  int percent = 0;
  std::string caption;
  std::string status;
};

// The progress arithmetic of a whole-radio read or write: how many bytes are expected for the
// data the radio carries, and which section a byte count has reached.
class TransferProgress {
 public:
  TransferProgress(TransferMode mode, bool ccirPresent, bool globalAlePresent,
                   bool extendedSupport);

  // The bytes the transfer is expected to move.
  int TotalBytes() const;
  // Counts a transferred chunk.
  void Add(int bytes) { transferred_ += bytes; }
  int Transferred() const { return transferred_; }
  // transferred * 100 / total; 100 or more means complete.
  int Percent() const;
  ProgressView View() const;

 private:
  TransferMode mode_;
  bool ccirPresent_;
  bool globalAlePresent_;
  bool extendedSupport_;
  int transferred_ = 0;
};

}  // namespace varim::core
