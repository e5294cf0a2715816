#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zok::cli {

// Everything given on the command line. Unset optionals take their defaults from ZOK.ini.
struct CliOptions
{
    QString command;
    QStringList arguments; // the command's own words (a file, "get", START END)

    std::optional<QString> port;
    std::optional<int> address;    // 0..255
    std::optional<int> speedIndex; // 0..4
    std::optional<bool> french;
    double waitPortSeconds = 0; // a missing port is awaited this long before the command; 0: not

    bool json = false;
    bool quiet = false;
    bool verbose = false;
    bool help = false;
    bool version = false;

    bool allSpeeds = false;
    int scanWaitMs = 1000;
    QString saveFile;
    bool enableSpeed = false;
    bool onlyDifferent = false;
    double durationSeconds = 0; // 0: until interrupted
    int periodMs = 1000;
    QString csvFile;
    std::optional<bool> alarm;
    QString traceFile; // every frame on the line, written there as it comes; empty: none
};

// The result of reading the command line: the options, or the one-line reason it is unusable.
struct ParsedCommandLine
{
    CliOptions options;
    QString error;
};

// Reads `arguments` (without the program name). Options may stand before or after the command;
// each option is checked against the command it is given with.
ParsedCommandLine ParseCommandLine(const QStringList &arguments);

// The commands and the string id of each one's help text (0 for an unknown command).
int CommandHelpTextId(const QString &command);

} // namespace zok::cli
