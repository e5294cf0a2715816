// The chaos run: a random user against the real main window on a misbehaving line. One seed gives
// one sequence of decisions, each written to the run's record as it is taken; --replay takes them
// from a record instead. The run prints its totals on success and the seed, the last actions and
// the replay command on any failure (including a sanitizer report or a crash).
#include "ActionLog.h"
#include "ChaosDriver.h"
#include "ChaosOptions.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>

// UBSan's runtime is not AddressSanitizer's: its reports never reach the death callback. Made to
// abort instead, they reach the SIGABRT handler, which prints the last actions.
extern "C" const char *__ubsan_default_options()
{
    return "abort_on_error=1:print_stacktrace=1";
}
#endif

namespace {

// The one log a crash handler can reach; set once before the run.
const ActionLog *g_crashLog = nullptr;

void DumpOnDeath()
{
    if (g_crashLog)
        g_crashLog->Dump("the process is dying (sanitizer report or crash above)");
}

void OnFatalSignal(int signal)
{
    std::signal(signal, SIG_DFL);
    DumpOnDeath();
    std::raise(signal);
}

// The offscreen platform says so each time a dialog or menu asks for something it cannot do; that
// is not news, every other message is.
void QuietPlatform(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.startsWith(QStringLiteral("This plugin does not support")))
        return;
    std::fprintf(stderr, "qt(%d): %s\n", static_cast<int>(type), message.toLocal8Bit().constData());
    if (type == QtFatalMsg)
        std::abort();
}

void Usage()
{
    std::fprintf(stderr,
                 "usage: zok_chaos [--seed N] [--actions N] [--record FILE] [--replay FILE] [--no-totals]\n"
                 "                 [--hang-ms N] [--idle-ms N] [--verbose]\n"
                 "Without --seed a random seed is drawn (and printed). Every decision is written to the\n"
                 "record (without --record, a file in the temporary folder kept only if the run fails);\n"
                 "--replay takes them from a record instead of drawing them.\n");
}

bool Parse(int argc, char **argv, ChaosOptions &options)
{
    options.seed = std::random_device{}();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--seed" && hasValue) {
            options.seed = static_cast<std::uint32_t>(std::stoul(argv[++i]));
        } else if (arg == "--actions" && hasValue) {
            options.actions = std::stoull(argv[++i]);
        } else if (arg == "--hang-ms" && hasValue) {
            options.hangLimit = std::chrono::milliseconds(std::stol(argv[++i]));
        } else if (arg == "--idle-ms" && hasValue) {
            options.idleLimit = std::chrono::milliseconds(std::stol(argv[++i]));
        } else if (arg == "--record" && hasValue) {
            options.recordPath = argv[++i];
        } else if (arg == "--replay" && hasValue) {
            options.replayPath = argv[++i];
        } else if (arg == "--no-totals") {
            options.checkTotals = false;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietPlatform);
    QApplication app(argc, argv);
    ChaosOptions options;
    try {
        if (!Parse(argc, argv, options)) {
            Usage();
            return 2;
        }
    } catch (const std::exception &) {
        Usage();
        return 2;
    }
    // The run works in a temporary folder of its own: the paths it was given are taken from here.
    for (std::string *path : {&options.recordPath, &options.replayPath})
        if (!path->empty())
            *path = QFileInfo(QString::fromStdString(*path)).absoluteFilePath().toStdString();
    // A record of its own unless asked for one; kept only if the run fails.
    const bool ownRecord = options.recordPath.empty();
    if (ownRecord)
        options.recordPath = QDir::temp()
                                 .filePath(QStringLiteral("zok_chaos-%1-%2.decisions")
                                               .arg(options.seed)
                                               .arg(QCoreApplication::applicationPid()))
                                 .toStdString();
    if (options.replayPath.empty())
        std::fprintf(stderr, "chaos: seed %u, %llu actions, record %s\n", static_cast<unsigned>(options.seed),
                     static_cast<unsigned long long>(options.actions), options.recordPath.c_str());
    else
        std::fprintf(stderr, "chaos: replay of %s, record %s\n", options.replayPath.c_str(),
                     options.recordPath.c_str());

    const std::string run = options.replayPath.empty() ? "seed " + std::to_string(options.seed)
                                                       : "replay of " + options.replayPath;
    ActionLog log(run);
    log.SetReplayCommand("zok_chaos --replay " + options.recordPath);
    g_crashLog = &log;
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(DumpOnDeath);
#endif
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(signal, OnFatalSignal);

    ChaosDriver driver(options, log);
    const chaos::Totals totals = driver.Run();
    std::printf("CHAOS OK %s: %s\n", run.c_str(), chaos::Summary(totals).c_str());
    std::printf("kinds: %s\n", totals.kinds.c_str());
    g_crashLog = nullptr;
    if (ownRecord)
        std::remove(options.recordPath.c_str());
    return 0;
}
