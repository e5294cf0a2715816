#include "CliMain.h"

#include "CliDefaults.h"
#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "LineText.h"
#include "ZokText.h"

#include <QJsonDocument>

#include <cstdio>

namespace zok::cli {

namespace {
constexpr int kUsageText = 300;
constexpr int kUnexpectedArgumentText = 318;
constexpr int kMissingArgumentText = 348;
constexpr const char *kSettingsFile = "ZOK.ini";

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// The language before anything is printed, parse errors included: --lang, else ZOK.ini.
void SelectLanguage(const QStringList &arguments, const CliDefaults &defaults)
{
    bool french = defaults.french;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--lang" && i + 1 < arguments.size())
            french = arguments[i + 1] == u"fr" ? true : arguments[i + 1] == u"en" ? false : french;
        else if (arguments[i].startsWith(u"--lang="))
            french = arguments[i] == u"--lang=fr" ? true : arguments[i] == u"--lang=en" ? false : french;
    }
    zok::SelectLanguage(french ? zok::Language::French : zok::Language::English);
}

// The command's words: a file for write and compare, get | set START END | reset for filter.
QString CheckArguments(const CliOptions &o)
{
    qsizetype wanted = 0;
    QString missing;
    if (o.command == u"write" || o.command == u"compare" || o.command == u"clone") {
        wanted = 1;
        missing = QStringLiteral("FILE");
    } else if (o.command == u"filter") {
        const QString action = o.arguments.value(0);
        wanted = action == u"set" ? 3 : 1;
        missing = action == u"set" ? QStringLiteral("START END") : QStringLiteral("get|set|reset");
        if (!action.isEmpty() && action != u"get" && action != u"set" && action != u"reset")
            return FillText(kUnexpectedArgumentText, {action});
        if (o.alarm && action != u"set")
            return FillText(kUnexpectedArgumentText, {QStringLiteral("--alarm")});
    }
    if (o.arguments.size() < wanted)
        return FillText(kMissingArgumentText, {missing});
    if (o.arguments.size() > wanted)
        return FillText(kUnexpectedArgumentText, {o.arguments.value(wanted)});
    return {};
}

CommandResult Run(CliSession &session)
{
    const QString &command = session.Options().command;
    if (command == u"scan")
        return RunScan(session);
    if (command == u"detect")
        return RunDetect(session);
    if (command == u"read")
        return RunRead(session);
    if (command == u"write")
        return RunWrite(session);
    if (command == u"compare")
        return RunCompare(session);
    if (command == u"tags")
        return RunTags(session);
    if (command == u"radio")
        return RunRadio(session);
    if (command == u"clone")
        return RunClone(session);
    return RunFilter(session);
}

// One JSON document per command, also for a failure, so that a script always has one to read.
int Finish(const CliOptions &options, const CommandResult &result, const QString &error)
{
    if (!error.isEmpty())
        Print(stderr, QStringLiteral("zok-cli: ") + error + u'\n');
    if (options.json) {
        QJsonObject document = result.json;
        document[QStringLiteral("command")] = options.command;
        document[QStringLiteral("status")] = result.status;
        if (!error.isEmpty())
            document[QStringLiteral("error")] = error;
        Print(stdout, QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented)));
    } else {
        Print(stdout, result.text);
    }
    return result.status;
}
} // namespace

int RunCommandLine(const QStringList &arguments)
{
    const CliDefaults defaults = LoadCliDefaults(kSettingsFile);
    SelectLanguage(arguments, defaults);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    const CliOptions &options = parsed.options;
    if (!parsed.error.isEmpty())
        return Finish(options, {kUsage, {}, {}}, parsed.error);
    if (options.version) {
        Print(stdout, QStringLiteral("zok-cli " ZOK_VERSION_TEXT "\n"));
        return kSuccess;
    }
    if (options.help) {
        const int helpId = options.command.isEmpty() ? kUsageText : CommandHelpTextId(options.command);
        Print(stdout, zok::Text(helpId) + u'\n');
        return kSuccess;
    }
    if (options.command.isEmpty()) {
        Print(stderr, zok::Text(kUsageText) + u'\n');
        return kUsage;
    }
    if (const QString error = CheckArguments(options); !error.isEmpty())
        return Finish(options, {kUsage, {}, {}}, error);
    if (options.command == u"ports")
        return Finish(options, RunPorts(options), {});
    CliSession session(options, defaults);
    CommandResult result = Run(session);
    session.View().EndProgress();
    return Finish(options, result, session.Error());
}

} // namespace zok::cli
