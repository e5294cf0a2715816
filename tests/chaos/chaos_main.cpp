// The chaos run: a random user against the real main window on a misbehaving line. One seed gives
// one sequence of decisions; the run prints its totals on success and the seed with the last
// actions on any failure (including a sanitizer report or a crash).
#include "ActionLog.h"
#include "ChaosDriver.h"
#include "ChaosOptions.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
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
    std::fprintf(stderr, "usage: zok_chaos [--seed N] [--actions N] [--hang-ms N] [--idle-ms N] [--verbose]\n"
                         "Without --seed a random seed is drawn (and printed).\n");
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
    std::fprintf(stderr, "chaos: seed %u, %llu actions\n", static_cast<unsigned>(options.seed),
                 static_cast<unsigned long long>(options.actions));

    ActionLog log(options.seed);
    g_crashLog = &log;
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(DumpOnDeath);
#endif
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(signal, OnFatalSignal);

    ChaosDriver driver(options, log);
    const ChaosDriver::Totals totals = driver.Run();
    std::printf("CHAOS OK seed=%u actions=%llu line_faults=%llu hangups=%d quiet_checks=%d restarts=%d "
                "longest_silence_ms=%lld\n",
                static_cast<unsigned>(options.seed), static_cast<unsigned long long>(totals.actions),
                static_cast<unsigned long long>(totals.lineFaults), totals.hangUps, totals.quietChecks,
                totals.windowRestarts, totals.longestSilenceMs);
    std::printf("kinds: %s\n", totals.kinds.c_str());
    g_crashLog = nullptr;
    return 0;
}
