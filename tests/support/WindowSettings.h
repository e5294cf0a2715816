#pragma once

// The settings a window under test starts from, and what says its read ended: shared by the window
// tests and the programs that render the documentation's pictures.
#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "ZokText.h"

#include <QDir>
#include <QFile>

// Writes a ZOK.ini into `folder` naming `port` and receiver 01, and loads it into `settings`.
inline bool LoadWindowSettings(CZOKSettings &settings, const QString &folder, const QByteArray &port)
{
    QFile file(QDir(folder).filePath(QStringLiteral("ZOK.ini")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("[ZOK]\r\nSERIAL_PORT=" + port + "\r\nRECEIVER_ID=01\r\n");
    file.close();
    return settings.Load(file.fileName().toStdString());
}

// Whether the window's message list holds the line of a read that ended well.
inline bool ReadDone(const CZOKDlg &window)
{
    const auto *list = window.findChild<CColorListBox *>(QStringLiteral("1007"));
    for (int i = 0; list && i < list->count(); ++i)
        if (list->LineText(i) == zok::Text(140))
            return true;
    return false;
}
