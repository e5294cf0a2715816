#include "CZOKRadioLog.h"

#include "FileLock.h"
#include "ToolText.h"

#include <QDir>

CZOKRadioLog::CZOKRadioLog(QString directory) : m_directory(std::move(directory)) {}

CZOKRadioLog::~CZOKRadioLog()
{
    close();
}

QString CZOKRadioLog::path() const
{
    return QDir(m_directory).filePath(QStringLiteral("ZOK.log"));
}

bool CZOKRadioLog::open()
{
    close();
    m_file.setFileName(path());
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    // Another recorder appending to the same file would interleave its lines with ours.
    if (!zok::TryLockWholeFile(m_file.handle())) {
        m_file.close();
        return false;
    }
    return true;
}

void CZOKRadioLog::close()
{
    if (!m_file.isOpen())
        return;
    m_file.flush();
    m_file.close();
}

bool CZOKRadioLog::write(const QDateTime &when, int level)
{
    if (!m_file.isOpen())
        return false;
    const QByteArray line = FormatLine(when, level);
    const bool written = m_file.write(line) == line.size();
    return m_file.flush() && written;
}

bool CZOKRadioLog::remove(QString &error)
{
    close();
    QFile file(path());
    if (file.remove())
        return true;
    error = file.exists() ? QStringLiteral("%1\n%2").arg(path(), file.errorString())
                          : zok::tools::Caption("%1 was not found.", "%1 est introuvable.").arg(path());
    return false;
}

QByteArray CZOKRadioLog::FormatLine(const QDateTime &when, int level)
{
    const QString stamp = when.isValid() ? when.toString(QStringLiteral("dd/MM/yyyy; HH:mm:ss")) : QString();
    const int milliseconds = when.isValid() ? when.time().msec() : 0;
    return QStringLiteral("%1; %2; %3\r\n")
        .arg(stamp)
        .arg(milliseconds, 3, 10, QLatin1Char(' '))
        .arg(level)
        .toLatin1();
}
