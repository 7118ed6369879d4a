#include "varim/port_names.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

namespace {

TEST(PortNames, ComPortsMapToSerialDevicesUnlessTheEnvironmentNamesAnother) {
  ::unsetenv("VARIM_COM3");
  EXPECT_EQ(ComPortDevice(1), "/dev/ttyS0");
  EXPECT_EQ(ComPortDevice(3), "/dev/ttyS2");

  ::setenv("VARIM_COM3", "/dev/ttyUSB0", 1);
  EXPECT_EQ(ComPortDevice(3), "/dev/ttyUSB0");
  EXPECT_EQ(ComPortDevice(2), "/dev/ttyS1") << "only the named port is redirected";

  ::setenv("VARIM_COM3", "", 1);
  EXPECT_EQ(ComPortDevice(3), "/dev/ttyS2") << "an empty variable names nothing";
  ::unsetenv("VARIM_COM3");
}

TEST(PortNames, OpenFailuresTellTheUserWhatToDo) {
  EXPECT_EQ(DescribePortError(ENOENT, "/dev/ttyUSB9"),
            "/dev/ttyUSB9 does not exist: check the cable or adapter, or choose another port.");
  EXPECT_NE(DescribePortError(EACCES, "/dev/ttyS0").find("'dialout'"), std::string::npos);
  EXPECT_EQ(DescribePortError(EBUSY, "/dev/ttyS0"),
            "/dev/ttyS0 is in use by another program: close it and try again.");
  EXPECT_EQ(DescribePortError(EIO, "/dev/ttyS0"), "/dev/ttyS0: Input/output error");
}

}  // namespace
