#include "PortNameOrder.h"

#include <cctype>
#include <tuple>

namespace zok {

namespace {
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

bool PortNameLess(const std::string &a, const std::string &b)
{
    return SortKey(a) < SortKey(b);
}

} // namespace zok
