#pragma once

#include <cstdio>
#include <mutex>
#include <string>

#include "varim/export.h"
#include "varim/frame_trace.h"

// A frame trace written to a file, a line per frame, each line flushed as it is written so a
// program that dies still leaves the frames before it. Write may be called from any thread;
// lines never mix.
class VARIM_API FrameTraceFile {
 public:
  FrameTraceFile() = default;
  ~FrameTraceFile();
  FrameTraceFile(const FrameTraceFile&) = delete;
  FrameTraceFile& operator=(const FrameTraceFile&) = delete;

  // Creates (or empties) the file; "-" is the error stream. False with the system's reason
  // (errno) in Error() when it cannot be written.
  bool Open(const std::string& path);
  int Error() const { return error_; }

  void Write(const TracedFrame& frame);

 private:
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
  bool ownsFile_ = false;
  int error_ = 0;
};
