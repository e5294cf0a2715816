#include "PortName.h"

#include <gtest/gtest.h>

namespace {

struct NameCase
{
    const char *name;
    const char *path;
};

TEST(PortName, MapsSettingsNamesToDevicePaths)
{
    const NameCase cases[] = {
        {"COM1", "/dev/ttyS0"}, {"COM3", "/dev/ttyS2"},       {"COM12", "/dev/ttyS11"},
        {"com2", "/dev/ttyS1"}, {"/dev/pts/7", "/dev/pts/7"}, {"ttyUSB0", "/dev/ttyUSB0"},
        {"COM0", "/dev/COM0"},  {"COM", "/dev/COM"},          {"COM1x", "/dev/COM1x"},
        {"COMX", "/dev/COMX"},  {"/tmp/a b", "/tmp/a b"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(zok::DevicePathForPort(c.name), c.path) << c.name;
}

} // namespace
