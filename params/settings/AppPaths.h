#pragma once

#include <string>

// Where the program keeps its files: the current directory at start-up, not the program's own.
namespace zok {

// `currentDirectory` without a trailing separator; the root "/" gives the empty text, so that
// appending "/ZOK.ini" never doubles the separator.
std::string ApplicationDirectory(std::string currentDirectory);

// The application directory of the process's current directory (empty text if it cannot be read).
std::string CurrentApplicationDirectory();

// `applicationDirectory` + "/ZOK.ini".
std::string SettingsFilePath(const std::string &applicationDirectory);

} // namespace zok
