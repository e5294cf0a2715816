#include "AppPaths.h"

#include <filesystem>

namespace zok {

std::string ApplicationDirectory(std::string currentDirectory)
{
    if (!currentDirectory.empty() && currentDirectory.back() == '/')
        currentDirectory.pop_back();
    return currentDirectory;
}

std::string CurrentApplicationDirectory()
{
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    return ec ? std::string() : ApplicationDirectory(current.string());
}

std::string SettingsFilePath(const std::string &applicationDirectory)
{
    return applicationDirectory + "/ZOK.ini";
}

} // namespace zok
