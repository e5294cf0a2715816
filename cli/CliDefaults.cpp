#include "CliDefaults.h"

#include "CIniEx.h"

#include <cstdlib>

namespace zok::cli {

CliDefaults LoadCliDefaults(const std::string &path)
{
    CliDefaults defaults;
    CIniEx store{4};
    // Read-only, never created: the command line must not touch the window's settings.
    if (!store.LoadFile(path, false, false, true, false, true))
        return defaults;
    const std::string section = "ZOK";
    defaults.port = QString::fromStdString(store.GetKeyValue(section, "SERIAL_PORT", ""));
    defaults.french = store.GetKeyValue(section, "LANGUAGE", "ENGLISH") == "FRENCH";
    const std::string id = store.GetKeyValue(section, "RECEIVER_ID", "01");
    if (id.size() == 2)
        defaults.address = static_cast<int>(std::strtoul(id.c_str(), nullptr, 16) & 0xFFU);
    return defaults;
}

} // namespace zok::cli
