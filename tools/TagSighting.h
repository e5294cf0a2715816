#pragma once

#include <QDateTime>
#include <QString>

// One tag identifier heard by the tag tracking dialog: how often, first and last reception.
struct TagSighting
{
    QString id;
    qint64 count = 0;
    QDateTime firstSeen;
    QDateTime lastSeen;
    int lastLevel = 0;
};
