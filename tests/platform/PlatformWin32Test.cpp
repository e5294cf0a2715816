// The Windows side of the platform layer: COM port names and the port list from the registry.
#include "PortName.h"
#include "SerialPortList.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(PortNameWin32, LongComNamesGetTheDevicePrefix)
{
    EXPECT_EQ(zok::DevicePathForPort("COM3"), "COM3");
    EXPECT_EQ(zok::DevicePathForPort("COM9"), "COM9");
    EXPECT_EQ(zok::DevicePathForPort("COM12"), "\\\\.\\COM12");
    EXPECT_EQ(zok::DevicePathForPort("com10"), "\\\\.\\com10");
    EXPECT_EQ(zok::DevicePathForPort("\\\\.\\COM4"), "\\\\.\\COM4");
    EXPECT_EQ(zok::DevicePathForPort("CNCA0"), "CNCA0");
}

// A key of our own under HKEY_CURRENT_USER stands in for HARDWARE\DEVICEMAP\SERIALCOMM.
class SerialPortListWin32 : public ::testing::Test
{
protected:
    static constexpr const wchar_t *kKey = L"Software\\ZOK-test\\SerialComm";

    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZOK-test"); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZOK-test"); }

    void AddPort(const wchar_t *device, const std::wstring &port)
    {
        HKEY key = nullptr;
        ASSERT_EQ(
            ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        const auto bytes = static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(
            ::RegSetValueExW(key, device, 0, REG_SZ, reinterpret_cast<const BYTE *>(port.c_str()), bytes),
            ERROR_SUCCESS);
        ::RegCloseKey(key);
    }

    zok::SerialPortSource m_source{{}, {}, "HKEY_CURRENT_USER\\Software\\ZOK-test\\SerialComm"};
};

TEST_F(SerialPortListWin32, EveryValueIsOnePortInNumericOrder)
{
    AddPort(L"\\Device\\Serial0", L"COM10");
    AddPort(L"\\Device\\Serial1", L"COM3");
    AddPort(L"\\Device\\Serial2", L"COM1");
    // A value name longer than the 259 characters a fixed buffer would hold is read all the same.
    AddPort(std::wstring(300, L'x').c_str(), L"COM2");
    const std::vector<std::string> expected = {"COM1", "COM2", "COM3", "COM10"};
    EXPECT_EQ(zok::ListSerialPorts(m_source), expected);
}

TEST_F(SerialPortListWin32, MissingKeyOrRootGivesNoPorts)
{
    EXPECT_TRUE(zok::ListSerialPorts(m_source).empty());
    m_source.registryKey = "HKEY_NOWHERE\\Software";
    EXPECT_TRUE(zok::ListSerialPorts(m_source).empty());
}

} // namespace
