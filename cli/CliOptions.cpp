#include "CliOptions.h"

#include "LineText.h"
#include "LinkSpeed.h"
#include "ZokText.h"

#include <array>
#include <cmath>
#include <functional>

namespace zok::cli {

namespace {

constexpr int kUnknownCommandText = 310;
constexpr int kForeignOptionText = 311;
constexpr int kNeedsValueText = 312;
constexpr int kBadValueText = 313;
constexpr int kShortestPeriodMs = 20;

struct CommandEntry
{
    const char *name;
    int helpTextId;
};

constexpr std::array<CommandEntry, 10> kCommands{{
    {"ports", 301},
    {"scan", 302},
    {"detect", 303},
    {"read", 304},
    {"write", 305},
    {"compare", 306},
    {"tags", 307},
    {"radio", 308},
    {"filter", 309},
    {"clone", 356},
}};

// Reads one option's value into the options; false when the value is not acceptable.
using ValueReader = std::function<bool(const QString &, CliOptions &)>;

struct OptionEntry
{
    const char *name;
    const char *commands; // space-separated; empty: every command
    ValueReader reader;   // null for a flag
    std::function<void(CliOptions &)> flag;
};

bool ReadAddress(const QString &text, CliOptions &o)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.isEmpty() || text.size() > 2 || text.startsWith(u'+'))
        return false;
    o.address = static_cast<int>(value);
    return true;
}

bool ReadSpeed(const QString &text, CliOptions &o)
{
    for (int index = 0; index < kLinkSpeedCount; ++index) {
        if (text == QString::number(SpeedFromIndex(index))) {
            o.speedIndex = index;
            return true;
        }
    }
    return false;
}

bool ReadLanguage(const QString &text, CliOptions &o)
{
    if (text != u"fr" && text != u"en")
        return false;
    o.french = text == u"fr";
    return true;
}

bool ReadMilliseconds(const QString &text, int minimum, int &target)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum)
        return false;
    target = value;
    return true;
}

// Seconds, 0 or more, up to about four months.
bool ReadSeconds(const QString &text, double &target)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 1e7)
        return false;
    target = value;
    return true;
}

bool ReadDuration(const QString &text, CliOptions &o)
{
    return ReadSeconds(text, o.durationSeconds);
}

bool ReadWaitPort(const QString &text, CliOptions &o)
{
    return ReadSeconds(text, o.waitPortSeconds);
}

bool ReadSwitch(const QString &text, CliOptions &o)
{
    if (text != u"on" && text != u"off")
        return false;
    o.alarm = text == u"on";
    return true;
}

const std::vector<OptionEntry> &Options()
{
    static const std::vector<OptionEntry> options{
        {"--port",
         "",
         [](const QString &t, CliOptions &o) {
             o.port = t;
             return !t.isEmpty();
         },
         {}},
        {"--address", "", ReadAddress, {}},
        {"--speed", "", ReadSpeed, {}},
        {"--lang", "", ReadLanguage, {}},
        // Every command that opens the port; ports ignores it.
        {"--wait-port", "", ReadWaitPort, {}},
        {"--json", "", {}, [](CliOptions &o) { o.json = true; }},
        {"-q", "", {}, [](CliOptions &o) { o.quiet = true; }},
        {"--quiet", "", {}, [](CliOptions &o) { o.quiet = true; }},
        {"-v", "", {}, [](CliOptions &o) { o.verbose = true; }},
        {"--verbose", "", {}, [](CliOptions &o) { o.verbose = true; }},
        {"--help", "", {}, [](CliOptions &o) { o.help = true; }},
        {"-h", "", {}, [](CliOptions &o) { o.help = true; }},
        {"--version", "", {}, [](CliOptions &o) { o.version = true; }},
        {"--all-speeds", "scan", {}, [](CliOptions &o) { o.allSpeeds = true; }},
        {"--wait",
         "scan",
         [](const QString &t, CliOptions &o) { return ReadMilliseconds(t, 0, o.scanWaitMs); },
         {}},
        {"--save",
         "read",
         [](const QString &t, CliOptions &o) {
             o.saveFile = t;
             return !t.isEmpty();
         },
         {}},
        {"--enable-speed", "write clone", {}, [](CliOptions &o) { o.enableSpeed = true; }},
        {"--only-different", "write", {}, [](CliOptions &o) { o.onlyDifferent = true; }},
        {"--duration", "tags radio", ReadDuration, {}},
        {"--period",
         "radio",
         [](const QString &t, CliOptions &o) { return ReadMilliseconds(t, kShortestPeriodMs, o.periodMs); },
         {}},
        {"--csv",
         "radio clone",
         [](const QString &t, CliOptions &o) {
             o.csvFile = t;
             return !t.isEmpty();
         },
         {}},
        {"--alarm", "filter", ReadSwitch, {}},
        {"--trace",
         "scan detect read write compare tags radio filter",
         [](const QString &t, CliOptions &o) {
             o.traceFile = t;
             return !t.isEmpty();
         },
         {}},
    };
    return options;
}

const OptionEntry *FindOption(const QString &name)
{
    for (const auto &entry : Options()) {
        if (name == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

bool AllowedWith(const OptionEntry &entry, const QString &command)
{
    const QString commands = QString::fromLatin1(entry.commands);
    return commands.isEmpty() || commands.split(u' ').contains(command);
}

} // namespace

int CommandHelpTextId(const QString &command)
{
    for (const auto &entry : kCommands) {
        if (command == QLatin1String(entry.name))
            return entry.helpTextId;
    }
    return 0;
}

ParsedCommandLine ParseCommandLine(const QStringList &arguments)
{
    ParsedCommandLine result;
    CliOptions &o = result.options;
    // Options are checked once the command is known: it may come after them.
    QList<std::pair<const OptionEntry *, QString>> given;
    QString unknown;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString word = arguments[i];
        QString value;
        const bool inlineValue = word.startsWith(u"--") && word.contains(u'=');
        if (inlineValue) {
            value = word.mid(word.indexOf(u'=') + 1);
            word = word.left(word.indexOf(u'='));
        }
        if (!word.startsWith(u'-') || word == u"-") {
            if (o.command.isEmpty())
                o.command = word;
            else
                o.arguments << word;
            continue;
        }
        const OptionEntry *entry = FindOption(word);
        if (!entry) {
            // Named with its command once the command is known.
            unknown = unknown.isEmpty() ? word : unknown;
            continue;
        }
        if (entry->reader && !inlineValue) {
            if (i + 1 >= arguments.size()) {
                result.error = FillText(kNeedsValueText, {word});
                return result;
            }
            value = arguments[++i];
        }
        given.append({entry, value});
    }
    if (!o.command.isEmpty() && CommandHelpTextId(o.command) == 0) {
        result.error = FillText(kUnknownCommandText, {o.command});
        return result;
    }
    const QString commandName = o.command.isEmpty() ? QStringLiteral("zok-cli") : o.command;
    if (!unknown.isEmpty()) {
        result.error = FillText(kForeignOptionText, {unknown, commandName});
        return result;
    }
    for (const auto &[entry, value] : given) {
        const QString name = QString::fromLatin1(entry->name);
        if (!AllowedWith(*entry, o.command)) {
            result.error = FillText(kForeignOptionText, {name, commandName});
            return result;
        }
        if (entry->flag)
            entry->flag(o);
        else if (!entry->reader(value, o)) {
            result.error = FillText(kBadValueText, {name, value});
            return result;
        }
    }
    return result;
}

} // namespace zok::cli
