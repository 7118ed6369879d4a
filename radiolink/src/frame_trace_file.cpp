#include "varim/frame_trace_file.h"

#include <cerrno>

FrameTraceFile::~FrameTraceFile() {
  if (ownsFile_) std::fclose(file_);
}

bool FrameTraceFile::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (ownsFile_) std::fclose(file_);
  ownsFile_ = path != "-";
  file_ = ownsFile_ ? std::fopen(path.c_str(), "w") : stderr;
  error_ = file_ == nullptr ? errno : 0;
  if (file_ == nullptr) ownsFile_ = false;
  return file_ != nullptr;
}

void FrameTraceFile::Write(const TracedFrame& frame) {
  const std::string line = FormatTraceLine(frame) + "\n";
  std::lock_guard lock(mutex_);
  if (file_ == nullptr) return;
  std::fputs(line.c_str(), file_);
  std::fflush(file_);
}
