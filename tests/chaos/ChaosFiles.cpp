#include "ChaosFiles.h"

#include "CIniEx.h"
#include "CZOKProperties.h"
#include "CZOKSettings.h"
#include "ParameterFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace chaos {

namespace {

std::string Local(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

bool LoadsWhole(const QString &path)
{
    CZOKProperties scratch;
    return zok::LoadParameterFile(Local(path), scratch).Outcome == zok::LoadOutcome::Loaded;
}

} // namespace

std::optional<QByteArray> FileBytes(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString CheckSavedParameterFile(const QString &path, const std::optional<QByteArray> &before,
                                const CZOKProperties &model, const QString &scratchFolder)
{
    const std::optional<QByteArray> after = FileBytes(path);
    if (after == before)
        return {};
    // What a save of this model onto the old bytes must give.
    const QString reference = QDir(scratchFolder).filePath(QStringLiteral("reference.zok"));
    QFile::remove(reference);
    if (before) {
        QFile file(reference);
        if (!file.open(QIODevice::WriteOnly) || file.write(*before) != before->size())
            return QStringLiteral("cannot write the reference file");
    }
    zok::SaveParameterFile(Local(reference), model);
    const std::optional<QByteArray> expected = FileBytes(reference);
    if (!after)
        return QStringLiteral("%1 vanished after a save").arg(path);
    if (after != expected)
        return QStringLiteral(
                   "%1 holds neither its old content nor the saved parameters (%2 bytes, %3 expected)")
            .arg(path)
            .arg(after->size())
            .arg(expected ? expected->size() : -1);
    if (!LoadsWhole(path))
        return QStringLiteral("%1 was saved but does not load completely").arg(path);
    return {};
}

QString CheckSettingsFile(const QString &path)
{
    CZOKSettings probe;
    if (!probe.Load(Local(path)))
        return QStringLiteral("ZOK.ini does not load");
    // The program writes the three keys together: a file without one of them was cut.
    CIniEx store(4);
    if (!store.LoadFile(Local(path), false, false, true, false, true))
        return QStringLiteral("ZOK.ini cannot be read");
    for (const char *key : {"SERIAL_PORT", "LANGUAGE", "RECEIVER_ID"})
        if (store.GetKeyValue("ZOK", key, "\x01missing") == "\x01missing")
            return QStringLiteral("ZOK.ini lost its key %1").arg(QString::fromLatin1(key));
    return {};
}

} // namespace chaos
