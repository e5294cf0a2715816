#pragma once

#include <QStringList>

namespace zok::cli {

// The whole of zok-cli after the application object exists: reads the command line and ZOK.ini,
// runs the command, prints its output and returns the exit status.
int RunCommandLine(const QStringList &arguments);

} // namespace zok::cli
