#pragma once

#include <QString>

#include <string>

namespace zok::cli {

// What ZOK.ini gives the command line when an option is absent. The file is only read.
struct CliDefaults
{
    QString port; // empty when the file is absent or has none
    int address = 1;
    bool french = false;
};

// The settings file at `path`, read as the window reads it (section "ZOK", keys SERIAL_PORT,
// LANGUAGE, RECEIVER_ID); a missing file, or a RECEIVER_ID that is not two characters, leaves
// address 01.
CliDefaults LoadCliDefaults(const std::string &path);

} // namespace zok::cli
