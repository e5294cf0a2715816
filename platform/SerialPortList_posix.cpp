#include "SerialPortList.h"

#include "PortNameOrder.h"

#include <algorithm>
#include <fstream>
#include <map>

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

// The first line of a sysfs attribute, without trailing blanks; empty when there is none.
std::string Attribute(const fs::path &file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t'))
        line.pop_back();
    return line;
}

// The USB device a tty hangs from is the first directory above it with an idVendor attribute:
// two levels up for a usb-serial port (port, interface, device), one for a CDC-ACM interface.
// Bounded, so a tty on another bus stops before the top of the tree.
void AddUsbAttributes(const fs::path &entry, SerialPortInfo &info)
{
    constexpr int kMostLevels = 5;
    std::error_code ec;
    fs::path dir = fs::canonical(entry / "device", ec);
    for (int level = 0; !ec && level < kMostLevels && dir.has_relative_path(); ++level) {
        if (fs::exists(dir / "idVendor", ec)) {
            info.vendorId = Attribute(dir / "idVendor");
            info.productId = Attribute(dir / "idProduct");
            info.manufacturer = Attribute(dir / "manufacturer");
            info.product = Attribute(dir / "product");
            info.serialNumber = Attribute(dir / "serial");
            return;
        }
        dir = dir.parent_path();
    }
}

// Device path -> the link in `folder` that points to it (udev's relative "../../ttyUSB0").
std::map<fs::path, std::string> LinksIn(const fs::path &folder)
{
    std::map<fs::path, std::string> links;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (linkError)
            continue;
        const fs::path device = target.is_absolute() ? target : folder / target;
        links.emplace(device.lexically_normal(), it->path().string());
    }
    return links;
}

std::string Lookup(const std::map<fs::path, std::string> &links, const fs::path &device)
{
    const auto found = links.find(device.lexically_normal());
    return found == links.end() ? std::string() : found->second;
}
} // namespace

std::vector<SerialPortInfo> ListSerialPortInfo(const SerialPortSource &source)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(source.sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsRealPort(it->path()))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), PortNameLess);
    const auto byId = LinksIn(source.devDir / "serial" / "by-id");
    const auto byPath = LinksIn(source.devDir / "serial" / "by-path");
    std::vector<SerialPortInfo> ports;
    ports.reserve(names.size());
    for (const auto &name : names) {
        SerialPortInfo info;
        const fs::path device = source.devDir / name;
        info.path = device.string();
        AddUsbAttributes(source.sysClassTty / name, info);
        info.byId = Lookup(byId, device);
        info.byPath = Lookup(byPath, device);
        ports.push_back(std::move(info));
    }
    return ports;
}

} // namespace zok
