#include "InterruptWatcher.h"

#include "LineText.h"

#include <cstdio>

namespace zok::cli {

namespace {
constexpr int kUnwatchedText = 380;
} // namespace

void InterruptWatcher::Deliver()
{
    m_interrupted = true;
    Q_EMIT Interrupt();
}

void InterruptWatcher::ReportUnwatched(const QString &reason)
{
    std::fprintf(stderr, "zok-cli: %s\n", FillText(kUnwatchedText, {reason}).toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace zok::cli
