#include "CLevelCsvRecord.h"

#include "FileLock.h"

CLevelCsvRecord::~CLevelCsvRecord()
{
    close();
}

bool CLevelCsvRecord::open(const QString &path)
{
    close();
    m_error.clear();
    m_locked = false;
    m_file.setFileName(path);
    // Read as well: the end of an existing record is looked at before appending to it.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Append)) {
        m_error = m_file.errorString();
        return false;
    }
    // The same rule as the radio log: one recorder at a time, or lines would interleave.
    if (!zok::TryLockWholeFile(m_file.handle())) {
        m_locked = true;
        m_file.close();
        return false;
    }
    if (!writeAll(StartBytes())) {
        m_error = m_file.errorString();
        m_file.close();
        return false;
    }
    return true;
}

// What goes before the first new line: the header in a new file; a line end after a last line cut
// off (power lost while it was written), so that the next line is not glued to its remains.
QByteArray CLevelCsvRecord::StartBytes()
{
    const qint64 size = m_file.size();
    if (size == 0)
        return Header();
    char last = 0;
    if (!m_file.seek(size - 1) || !m_file.getChar(&last) || last == '\n')
        return {};
    return QByteArrayLiteral("\r\n");
}

void CLevelCsvRecord::close()
{
    if (!m_file.isOpen())
        return;
    m_file.flush();
    m_file.close();
}

bool CLevelCsvRecord::write(const QDateTime &when, QStringView address, int level)
{
    if (!m_file.isOpen())
        return false;
    if (writeAll(FormatLine(when, address, level)))
        return true;
    m_error = m_file.errorString();
    return false;
}

bool CLevelCsvRecord::writeAll(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return true;
    const bool written = m_file.write(bytes) == bytes.size();
    return m_file.flush() && written;
}

QByteArray CLevelCsvRecord::Header()
{
    return QByteArrayLiteral("\xEF\xBB\xBF"
                             "time,address,level\r\n");
}

QString CLevelCsvRecord::IsoTime(const QDateTime &when)
{
    if (!when.isValid())
        return QString();
    const QDateTime local = when.toLocalTime();
    const int offset = local.offsetFromUtc();
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) +
           QStringLiteral("%1%2:%3")
               .arg(QChar(offset < 0 ? u'-' : u'+'))
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QByteArray CLevelCsvRecord::FormatLine(const QDateTime &when, QStringView address, int level)
{
    return QStringLiteral("%1,%2,%3\r\n").arg(IsoTime(when), address.toString()).arg(level).toUtf8();
}
