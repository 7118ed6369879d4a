#include "varim/error_report.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void WriteToStandardError(const char* title, const char* text) {
  std::fprintf(stderr, "%s: %s\n", title, text);
}

std::atomic<ErrorMessageHandler> installedHandler{&WriteToStandardError};

void Show(const char* title, const char* text) {
  installedHandler.load()(title, text);
}

}  // namespace

void SetErrorMessageHandler(ErrorMessageHandler handler) {
  installedHandler.store(handler != nullptr ? handler : &WriteToStandardError);
}

int OutputError() {
  const int error = errno;
  char text[256];
  // The GNU strerror_r may return a static text instead of filling the buffer.
  const char* message = strerror_r(error, text, sizeof text);
  Show("Error", message);
  return 0;
}

void FatalError() {
  OutputError();
  Show("Fatal Error", "Fatal Error!, Terminating.");
  // A failure status, so scripts and service managers see that the link died. _Exit, because
  // other threads of the engine may still run and must not meet destroyed statics.
  std::fflush(nullptr);
  std::_Exit(kFatalErrorExitCode);
}
