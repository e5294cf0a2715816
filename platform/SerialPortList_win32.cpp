#include "SerialPortList.h"

#include "PortNameOrder.h"

#include <algorithm>
#include <windows.h>

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
} // namespace

// The buffers are sized from the key's own longest name and data, so a long value is read like
// any other instead of ending the enumeration.
std::vector<std::string> ListSerialPorts(const SerialPortSource &source)
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

} // namespace zok
