#pragma once

#include <string>

namespace varim::sim {

// A pseudo-terminal pair: the simulator works the master side, the program opens the device
// path of the other side as if it were a serial port.
class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Creates the pair and puts the line into raw mode; on failure the system's reason is in
  // error and the result is false.
  bool Open(std::string* error);
  void Close();
  // Closes both sides but keeps the device path: the program's end sees the line go dead.
  void HangUp();

  int MasterFd() const { return master_; }
  const std::string& DevicePath() const { return devicePath_; }

 private:
  int master_ = -1;
  // Held open so that the line keeps its raw settings and the master never sees a hang-up
  // while no program has the device open.
  int keepAlive_ = -1;
  std::string devicePath_;
};

}  // namespace varim::sim
