#include "varim/port_names.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

std::string ComPortDevice(int portNumber) {
  const std::string variable = "VARIM_COM" + std::to_string(portNumber);
  if (const char* device = std::getenv(variable.c_str()); device != nullptr && *device != '\0')
    return device;
  return "/dev/ttyS" + std::to_string(portNumber - 1);
}

std::string DescribePortError(long systemError, const std::string& device) {
  switch (systemError) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return device + " does not exist: check the cable or adapter, or choose another port.";
    case EACCES:
    case EPERM:
      return device + " may not be opened by this user: add the user to the group that owns " +
             "it (usually 'dialout') and log in again.";
    case EBUSY:
      return device + " is in use by another program: close it and try again.";
    case ENOTTY:
      return device + " is not a serial port.";
    default:
      return device + ": " + std::strerror(static_cast<int>(systemError));
  }
}
