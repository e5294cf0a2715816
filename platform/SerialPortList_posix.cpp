#include "SerialPortList.h"

#include "PortNameOrder.h"

#include <algorithm>
#include <cctype>
#include <fstream>

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
} // namespace

std::vector<std::string> ListSerialPorts(const SerialPortSource &source)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(source.sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsRealPort(it->path()))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), PortNameLess);
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const auto &name : names)
        paths.push_back((source.devDir / name).string());
    return paths;
}

} // namespace zok
