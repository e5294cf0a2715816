#include "SerialPortList.h"

#include "PortNameOrder.h"

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <map>
#include <windows.h>

#include <setupapi.h>

namespace zok {

namespace {
std::string Narrow(const wchar_t *text, int length)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring Widen(const std::string &text)
{
    const int length = static_cast<int>(text.size());
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), length, result.data(), size);
    return result;
}

// "HKEY_LOCAL_MACHINE\HARDWARE\..." into the root key and the path below it.
bool SplitKey(const std::string &name, HKEY &root, std::wstring &path)
{
    const auto slash = name.find('\\');
    const std::string rootName = name.substr(0, slash);
    if (rootName == "HKEY_LOCAL_MACHINE")
        root = HKEY_LOCAL_MACHINE;
    else if (rootName == "HKEY_CURRENT_USER")
        root = HKEY_CURRENT_USER;
    else
        return false;
    path = slash == std::string::npos ? std::wstring() : Widen(name.substr(slash + 1));
    return true;
}

// A value's data is taken as text whatever its registry type; a terminating zero is not part of
// the name.
std::string DataText(const std::wstring &data, DWORD bytes)
{
    std::size_t length = bytes / sizeof(wchar_t);
    while (length > 0 && data[length - 1] == L'\0')
        --length;
    return Narrow(data.data(), static_cast<int>(length));
}

// The Ports (COM & LPT) device class, {4D36E978-E325-11CE-BFC1-08002BE10318}; spelt out so that no
// GUID library is needed.
const GUID kPortsClass = {0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

std::string DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA &device, DWORD property)
{
    wchar_t buffer[512] = {};
    DWORD type = 0;
    if (!::SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, reinterpret_cast<BYTE *>(buffer),
                                             sizeof buffer - sizeof(wchar_t), nullptr))
        return {};
    // A multi-string (the hardware ids) gives its first string.
    return Narrow(buffer, static_cast<int>(std::wcslen(buffer)));
}

// The four hexadecimal digits after `key` ("VID_") in a hardware id such as
// "USB\VID_0403&PID_6001&REV_0600"; empty when absent.
std::string HardwareIdField(const std::string &hardwareId, const char *key)
{
    const auto at = hardwareId.find(key);
    if (at == std::string::npos || hardwareId.size() < at + 8)
        return {};
    std::string digits = hardwareId.substr(at + 4, 4);
    for (char &c : digits)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return digits;
}

std::string PortNameOf(HDEVINFO set, SP_DEVINFO_DATA &device)
{
    HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t name[64] = {};
    DWORD bytes = sizeof name - sizeof(wchar_t);
    DWORD type = 0;
    const bool read = ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE *>(name),
                                         &bytes) == ERROR_SUCCESS &&
                      type == REG_SZ;
    ::RegCloseKey(key);
    return read ? Narrow(name, static_cast<int>(std::wcslen(name))) : std::string();
}

// What the device manager knows of each present port, by COM name. One pass over the Ports
// class; a system without SetupAPI data simply gives no descriptions.
std::map<std::string, SerialPortInfo> DeviceManagerNames()
{
    std::map<std::string, SerialPortInfo> ports;
    HDEVINFO set = ::SetupDiGetClassDevsW(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE)
        return ports;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        const std::string name = PortNameOf(set, device);
        if (name.empty())
            continue;
        SerialPortInfo info;
        info.friendlyName = DeviceProperty(set, device, SPDRP_FRIENDLYNAME);
        info.manufacturer = DeviceProperty(set, device, SPDRP_MFG);
        const std::string hardwareId = DeviceProperty(set, device, SPDRP_HARDWAREID);
        info.vendorId = HardwareIdField(hardwareId, "VID_");
        info.productId = HardwareIdField(hardwareId, "PID_");
        ports[name] = info;
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return ports;
}

// The buffers are sized from the key's own longest name and data, so a long value is read like
// any other instead of ending the enumeration.
std::vector<std::string> RegistryPorts(const SerialPortSource &source)
{
    std::vector<std::string> ports;
    HKEY root = nullptr;
    std::wstring path;
    HKEY key = nullptr;
    if (!SplitKey(source.registryKey, root, path) ||
        ::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return ports;
    DWORD count = 0, longestName = 0, longestData = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                           &longestData, nullptr, nullptr) == ERROR_SUCCESS) {
        std::wstring name(longestName + 1, L'\0');
        std::wstring data(longestData / sizeof(wchar_t) + 1, L'\0');
        for (DWORD i = 0; i < count; ++i) {
            DWORD nameLength = longestName + 1;
            DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
            if (::RegEnumValueW(key, i, name.data(), &nameLength, nullptr, nullptr,
                                reinterpret_cast<BYTE *>(data.data()), &dataBytes) != ERROR_SUCCESS)
                break;
            ports.push_back(DataText(data, dataBytes));
        }
    }
    ::RegCloseKey(key);
    std::sort(ports.begin(), ports.end(), PortNameLess);
    return ports;
}
} // namespace

std::vector<SerialPortInfo> ListSerialPortInfo(const SerialPortSource &source)
{
    const std::vector<std::string> names = RegistryPorts(source);
    std::vector<SerialPortInfo> ports;
    if (names.empty())
        return ports;
    const auto described = DeviceManagerNames();
    for (const std::string &name : names) {
        const auto found = described.find(name);
        SerialPortInfo info = found == described.end() ? SerialPortInfo{} : found->second;
        info.path = name;
        ports.push_back(std::move(info));
    }
    return ports;
}

} // namespace zok
