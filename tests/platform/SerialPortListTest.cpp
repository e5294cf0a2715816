#include "SerialPortList.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A fake /sys/class/tty with the kinds of entries a real one holds.
class SerialPortListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path() / ("zok-sysfs-" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root / "devices");
    }
    void TearDown() override { fs::remove_all(m_root); }

    // device: whether the tty has a device link; driver: whether that device has a driver;
    // uartType: contents of the "type" file, or empty for none.
    void AddTty(const std::string &name, bool device, bool driver, const std::string &uartType = {})
    {
        const fs::path entry = m_root / "tty" / name;
        fs::create_directories(entry);
        if (device) {
            const fs::path dev = m_root / "devices" / name;
            fs::create_directories(dev);
            if (driver)
                fs::create_directories(dev / "driver");
            fs::create_directory_symlink(dev, entry / "device");
        }
        if (!uartType.empty())
            std::ofstream(entry / "type") << uartType << "\n";
    }

    std::vector<std::string> List() const { return zok::ListSerialPorts({m_root / "tty", "/dev"}); }

    fs::path m_root;
};

TEST_F(SerialPortListTest, ReportsPortsWithDevicesAndSkipsPlaceholders)
{
    AddTty("tty0", false, false);
    AddTty("console", false, false);
    AddTty("ttyS0", true, true, "4");
    AddTty("ttyS1", true, true, "0");  // 8250 placeholder: no UART behind it
    AddTty("ttyS2", true, false, "4"); // no driver bound
    AddTty("ttyS3", false, false);
    AddTty("ttyS10", true, true, "4");
    AddTty("ttyUSB1", true, true);
    AddTty("ttyUSB0", true, false);
    AddTty("ttyACM0", true, true);
    const std::vector<std::string> expected{"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyS10", "/dev/ttyUSB0",
                                            "/dev/ttyUSB1"};
    EXPECT_EQ(List(), expected);
}

TEST_F(SerialPortListTest, NumberedNamesSortNumerically)
{
    for (const char *name : {"ttyUSB10", "ttyUSB2", "ttyUSB1"})
        AddTty(name, true, true);
    const std::vector<std::string> expected{"/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB10"};
    EXPECT_EQ(List(), expected);
}

TEST_F(SerialPortListTest, MissingSysfsGivesEmptyList)
{
    EXPECT_TRUE(zok::ListSerialPorts({m_root / "nowhere", "/dev"}).empty());
}

} // namespace
