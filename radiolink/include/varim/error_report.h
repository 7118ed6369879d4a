#pragma once

#include "varim/export.h"

// How the library tells a person about system failures. The library never draws a window: it
// calls a handler that the program installs (KLV shows a message box); by default the texts go
// to standard error.

// Shows one message: a title ("Error", "Fatal Error") and its text.
using ErrorMessageHandler = void (*)(const char* title, const char* text);

// Installs the handler for every later message; null restores the default (standard error).
VARIM_API void SetErrorMessageHandler(ErrorMessageHandler handler);

// Shows the text of the calling thread's last system error (errno) titled "Error"; returns 0.
VARIM_API int OutputError();

// Shows the last system error, then "Fatal Error!, Terminating." titled "Fatal Error", then ends
// the process with a failure status.
[[noreturn]] VARIM_API void FatalError();

// The exit status of a process ended by FatalError.
inline constexpr int kFatalErrorExitCode = 70;
