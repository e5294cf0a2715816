#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

// The radio log "ZOK.log": one line per reading, appended and flushed at once so that the file on
// disk is complete up to the last reading. Held open for this program alone while recording.
class CZOKRadioLog
{
public:
    explicit CZOKRadioLog(QString directory);
    ~CZOKRadioLog();
    CZOKRadioLog(const CZOKRadioLog &) = delete;
    CZOKRadioLog &operator=(const CZOKRadioLog &) = delete;

    QString path() const;
    bool isOpen() const { return m_file.isOpen(); }

    // Opens for appending, creating the file when missing; false when it cannot be opened or
    // another opener holds it.
    bool open();
    void close();
    // False when the line could not be written completely.
    bool write(const QDateTime &when, int level);
    // Deletes the file; on failure `error` tells why.
    bool remove(QString &error);

    // "dd/mm/yyyy; HH:MM:SS; mmm; level" + CR LF, the milliseconds right-aligned in three characters.
    static QByteArray FormatLine(const QDateTime &when, int level);

private:
    QString m_directory;
    QFile m_file;
};
