// zok-cli: the exchange engine, the parameter model and the parameter files from the command line.
#include "CliMain.h"
#include "InterruptWatcher.h"

#include <QCoreApplication>

#include <clocale>

int main(int argc, char *argv[])
{
    // Before any thread exists, so that Ctrl+C reaches the event loop and no other thread.
    zok::cli::InterruptWatcher::BlockSignals();
    QCoreApplication app(argc, argv);
    // Numbers are formatted and read the same whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    return zok::cli::RunCommandLine(QCoreApplication::arguments().mid(1));
}
