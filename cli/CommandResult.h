#pragma once

#include <QJsonObject>
#include <QString>

namespace zok::cli {

// What a command hands back to be printed: its exit status, its JSON document's members and its
// text output. The error line, if any, is the session's.
struct CommandResult
{
    int status = 0;
    QJsonObject json;
    QString text;
};

} // namespace zok::cli
