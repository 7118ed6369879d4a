#pragma once

#include <string>
#include <vector>

namespace varim::core::texts {

// The program's fixed messages to the operator, exactly as the operator knows them.
inline constexpr char kRadioDoesNotRespond[] =
    "Radio does not respond to application messages. Check if the  \n"
    "radio is turned on and is connected to the computer properly.";
inline constexpr char kCannotOpenPort[] = "Can't open port.";
inline constexpr char kCcirNotProgrammed[] = "The ccir data base was not programed";
inline constexpr char kGlobalNotProgrammed[] = "The ale global data base was not programed";
inline constexpr char kBaudRateDiffers[] =
    "Radio baud rate is different from computer baud rate. Continue Programming?";
inline constexpr char kUpdateSocketFault[] = "UpdateSocket fault!";
inline constexpr char kWriteAborted[] =
    "Writing was aborted: the radio may hold only part of the database. Write it again before "
    "using the radio.";
inline constexpr char kReadDatabaseFirst[] = "You must read Data Base from radio!";
// Written after a check of the radio found a section that differs twice; the section's name
// follows.
inline constexpr char kVerificationFailed[] =
    "The radio does not hold what was written, even after writing it again: ";

// A whole read whose backup failed; the reason follows.
inline std::string BackupFailed(const std::string& reason) {
  return "The radio was read, but no backup of it could be kept: " + reason;
}

// The call log or stack could not be written after a change (or at the end); the reason
// follows. The lists stay in memory, so the operator can still make room before the end.
inline std::string CallListsNotSaved(const std::string& reason) {
  return "The call log could not be saved: " + reason +
         ". The calls are kept until the program ends; they are lost then unless the file can "
         "be written by that time.";
}

// Before a write: what it will change in the radio, from the radio's last backup, at most
// kChangesShown of them, and the question whether to go on.
inline constexpr std::size_t kChangesShown = 25;
inline std::string ChangesToWrite(const std::vector<std::string>& changes) {
  std::string text = "Writing will change in the radio, since its last backup:\n";
  for (std::size_t i = 0; i < changes.size() && i < kChangesShown; ++i) text += changes[i] + "\n";
  if (changes.size() > kChangesShown)
    text += "... and " + std::to_string(changes.size() - kChangesShown) + " more\n";
  return text + "Write the radio?";
}

// Communication settings.
inline constexpr char kBaudRateIndexNotCorrect[] = "Baud Rate Index is not correct!";
inline constexpr char kBaudRateNotCorrect[] = "Baud Rate is not correct!";
inline std::string BaudRateNotDefined(int baudRate) {
  return "The baud rate " + std::to_string(baudRate) + " is not defined, is set to 1200";
}
inline constexpr char kCommTestFailed[] = "Communication test failed!!!";
inline constexpr char kCommTestSucceeded[] = "Communication test has been completed successfully.";

// The connection and the long commands.
inline constexpr char kCommandInProgress[] = "Command in progress, please wait!!!";
inline constexpr char kProgressDialogProblem[] = "LoadProgressDlg(): ProgressDlg problem!";
inline constexpr char kPleaseWait[] = "Please wait !  ";
inline constexpr char kOperationDone[] = "The Operation Completed Successful";

// The status bar.
inline constexpr char kIdleMessage[] = "Ready";
inline constexpr char kSerialNumberPane[] = "S/N: ";
inline constexpr char kRadioCodePane[] = "Code: ";
inline constexpr char kInitialPortPane[] = "COM:1,9600";
inline std::string PortPane(int commPort, int baudRate) {
  return "COM: " + std::to_string(commPort) + "," + std::to_string(baudRate);
}

// The help file.
inline std::string HelpFileNotFound(const std::string& path) {
  return "The file " + path + " was not found.";
}
inline std::string HelpPathNotFound(const std::string& path) {
  return "The path " + path + " was not found.";
}

}  // namespace varim::core::texts
