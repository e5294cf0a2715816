#include "LineText.h"

#include "ZokText.h"

QString FillText(const QString &format, const QStringList &args)
{
    QString line;
    line.reserve(format.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const bool field = format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u's';
        if (field && next < args.size()) {
            line += args[next++];
            ++i;
        } else {
            line += format[i];
        }
    }
    return line;
}

QString FillText(int textId, const QStringList &args)
{
    return FillText(zok::Text(textId), args);
}
