#pragma once

#include <QString>

class CZOKProperties;

namespace zok::cli {

class CliSession;

// Loads the parameter file at `path` whole into `model`; kUsage with the error line naming the
// file and the line of the first bad key when it cannot be read or a key is missing or bad. No
// key is applied from a bad file, so nothing half-loaded reaches a receiver.
int LoadWholeParameterFile(CliSession &session, const QString &path, CZOKProperties &model);

} // namespace zok::cli
