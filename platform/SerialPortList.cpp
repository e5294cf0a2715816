#include "SerialPortList.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <tuple>

namespace zok {

namespace fs = std::filesystem;

namespace {
bool IsPlaceholderUart(const fs::path &entry)
{
    std::error_code ec;
    if (!fs::exists(entry / "device" / "driver", ec))
        return true;
    std::ifstream typeFile(entry / "type");
    int type = -1;
    return typeFile >> type && type == 0;
}

bool IsRealPort(const fs::path &entry)
{
    std::error_code ec;
    if (!fs::exists(entry / "device", ec))
        return false;
    const std::string name = entry.filename().string();
    return name.rfind("ttyS", 0) != 0 || !IsPlaceholderUart(entry);
}

// Splits "ttyUSB12" into ("ttyUSB", 12) so that numbered names sort as people expect.
std::tuple<std::string, long, std::string> SortKey(const std::string &name)
{
    size_t digitsAt = name.size();
    while (digitsAt > 0 && std::isdigit(static_cast<unsigned char>(name[digitsAt - 1])))
        --digitsAt;
    if (digitsAt == name.size() || name.size() - digitsAt > 9)
        return {name, -1, name};
    return {name.substr(0, digitsAt), std::stol(name.substr(digitsAt)), name};
}
} // namespace

std::vector<std::string> ListSerialPorts(const SerialPortSource &source)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(source.sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsRealPort(it->path()))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(),
              [](const std::string &a, const std::string &b) { return SortKey(a) < SortKey(b); });
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const auto &name : names)
        paths.push_back((source.devDir / name).string());
    return paths;
}

} // namespace zok
