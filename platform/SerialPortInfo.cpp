// The parts of the port list that are the same on every system.
#include "SerialPortList.h"

namespace zok {

std::string SerialPortInfo::Description() const
{
    std::string text = friendlyName;
    if (text.empty()) {
        text = manufacturer;
        // Many adapters repeat their maker in the product string ("FTDI" + "FTDI USB Serial").
        if (!product.empty() && product.rfind(manufacturer, 0) != 0)
            text += text.empty() ? product : " " + product;
        else if (!product.empty())
            text = product;
    }
    if (!vendorId.empty() && !productId.empty())
        text += (text.empty() ? "" : " ") + ("(" + vendorId + ":" + productId + ")");
    return text;
}

std::string SerialPortInfo::StableName() const
{
    if (!byId.empty() && !serialNumber.empty())
        return byId;
    if (!byPath.empty())
        return byPath;
    return byId.empty() ? path : byId;
}

std::vector<std::string> ListSerialPorts(const SerialPortSource &source)
{
    std::vector<std::string> paths;
    for (const SerialPortInfo &port : ListSerialPortInfo(source))
        paths.push_back(port.path);
    return paths;
}

} // namespace zok
