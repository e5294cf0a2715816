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

// A copy of the sysfs and /dev entries of three USB ports and an on-board UART (usb-sysfs/).
TEST(SerialPortInfoTest, UsbPortsAreDescribedFromSysfsAndUdevLinks)
{
    const fs::path root = fs::path(ZOK_SOURCE_DIR) / "tests" / "platform" / "usb-sysfs";
    const fs::path dev = root / "dev";
    const auto ports = zok::ListSerialPortInfo({root / "sys" / "class" / "tty", dev});
    struct Expected
    {
        std::string name, description, serial, byId, byPath, stable;
    };
    const std::string ftdiId = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    const std::string ch340Path = "pci-0000_00_14.0-usb-0_3_1.0-port0";
    const std::string acmId = "usb-Arduino__www.arduino.cc__0043_75833353934351B05241-if00";
    const Expected expected[] = {
        {"ttyACM0", "Arduino (www.arduino.cc) (2341:0043)", "75833353934351B05241", acmId,
         "pci-0000_00_14.0-usb-0_4_1.0", "by-id/" + acmId},
        {"ttyS0", "", "", "", "", ""},
        {"ttyUSB0", "FTDI FT232R USB UART (0403:6001)", "A50285BI", ftdiId,
         "pci-0000_00_14.0-usb-0_2_1.0-port0", "by-id/" + ftdiId},
        // No serial number: two such adapters would share the by-id name, the USB socket tells them apart.
        {"ttyUSB1", "USB2.0-Serial (1a86:7523)", "", "usb-1a86_USB2.0-Serial-if00-port0", ch340Path,
         "by-path/" + ch340Path},
    };
    ASSERT_EQ(ports.size(), std::size(expected));
    const auto link = [&](const std::string &folder, const std::string &name) {
        return name.empty() ? std::string() : (dev / "serial" / folder / name).string();
    };
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const Expected &e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(ports[i].path, (dev / e.name).string());
        EXPECT_EQ(ports[i].Description(), e.description);
        EXPECT_EQ(ports[i].serialNumber, e.serial);
        EXPECT_EQ(ports[i].byId, link("by-id", e.byId));
        EXPECT_EQ(ports[i].byPath, link("by-path", e.byPath));
        EXPECT_EQ(ports[i].StableName(),
                  e.stable.empty() ? ports[i].path : (dev / "serial" / e.stable).string());
    }
}

TEST_F(SerialPortListTest, MissingSysfsGivesEmptyList)
{
    EXPECT_TRUE(zok::ListSerialPorts({m_root / "nowhere", "/dev"}).empty());
}

} // namespace
