#pragma once

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
inline constexpr char kReadDatabaseFirst[] = "You must read Data Base from radio!";
// Written after a check of the radio found a section that differs twice; the section's name
// follows.
inline constexpr char kVerificationFailed[] =
    "The radio does not hold what was written, even after writing it again: ";

}  // namespace varim::core::texts
