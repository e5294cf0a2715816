#pragma once

#include <QString>
#include <QStringList>

// Fills the "%s" fields of a string-table text with data, in order. Only the table's own text acts
// as a format; the arguments (port names, received texts) are copied verbatim, and a field without
// an argument stays as it is.
QString FillText(const QString &format, const QStringList &args);
QString FillText(int textId, const QStringList &args);
