#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class CZOKProperties;

// Checks of the files the program writes: a parameter file after a save holds either its old
// bytes or exactly what a save of the model onto those old bytes gives (never a mix or a cut), and
// the settings file always loads. Each returns an empty text when all is well, else the fault.
namespace chaos {

// The file's bytes, or nullopt when it does not exist.
std::optional<QByteArray> FileBytes(const QString &path);

QString CheckSavedParameterFile(const QString &path, const std::optional<QByteArray> &before,
                                const CZOKProperties &model, const QString &scratchFolder);
QString CheckSettingsFile(const QString &path);

} // namespace chaos
