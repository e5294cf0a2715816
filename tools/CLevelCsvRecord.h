#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringView>

// The optional CSV record of the radio scan and of `zok-cli radio --csv`: "time,address,level",
// one line per level received, UTF-8, a byte-order mark and a header line when the file is new
// (spreadsheet programs then read it as UTF-8), appended across sessions and flushed per line, so
// a crash loses at most the line being written. Like the radio log, it is held exclusively while
// open: two recorders would interleave their lines.
class CLevelCsvRecord
{
public:
    CLevelCsvRecord() = default;
    ~CLevelCsvRecord();
    CLevelCsvRecord(const CLevelCsvRecord &) = delete;
    CLevelCsvRecord &operator=(const CLevelCsvRecord &) = delete;

    // Opens `path` for appending, creating it when missing; false with errorString() when it
    // cannot be opened, is held by another recorder or the header cannot be written.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }
    // Why the last open or write failed: the system's reason, or empty with lockedByOther() set.
    QString errorString() const { return m_error; }
    bool lockedByOther() const { return m_locked; }

    // False, with errorString(), when the line could not be written completely.
    bool write(const QDateTime &when, QStringView address, int level);

    // The byte-order mark and the header line that start a new file.
    static QByteArray Header();
    // ISO-8601 local time with milliseconds and the UTC offset, e.g. 2026-02-01T09:05:03.045+01:00.
    static QString IsoTime(const QDateTime &when);
    static QByteArray FormatLine(const QDateTime &when, QStringView address, int level);

private:
    QByteArray StartBytes();
    bool writeAll(const QByteArray &bytes);

    QFile m_file;
    QString m_error;
    bool m_locked = false;
};
