#include "ConsoleView.h"

#include "CZOKProperties.h"
#include "LineText.h"
#include "Terminal.h"

#include <cstdio>

namespace zok::cli {

namespace {
constexpr int kPortLostText = 441;
constexpr int kPortBackText = 442;
constexpr int kPortBackAtServerSpeedText = 518;

void PrintError(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}
} // namespace

ConsoleView::ConsoleView(CZOKProperties &model, bool quiet, bool verbose, QObject *parent)
    : QObject(parent), m_model(model), m_indicator(!quiet && zok::IsTerminal(stderr)), m_verbose(verbose)
{
}

ConsoleView::~ConsoleView()
{
    EndProgress();
}

void ConsoleView::AddMessage(LineColour colour, const QString &line)
{
    if (m_verbose)
        PrintError(line);
    m_lastMessage = line;
    ShowIndicator();
    if (m_hook)
        m_hook(colour, line);
    Q_EMIT Activity();
}

void ConsoleView::AddTraffic(LineColour colour, const QString &line)
{
    if (m_verbose)
        PrintError((colour == LineColour::Orange ? QStringLiteral("> ") : QStringLiteral("< ")) + line);
    Q_EMIT Activity();
}

void ConsoleView::SetProgress(int percent)
{
    // The engine sets 0 at the start and the end of a sequence: an older message no longer applies.
    if (percent == 0)
        m_lastMessage.clear();
    m_percent = percent;
    ShowIndicator();
    Q_EMIT Activity();
}

// The grid puts the fixed values into the parameters the receiver does not support each time it
// is built or refreshed (a read does both); the console's model must hold what the window's
// holds, so that its files and listings are the same.
void ConsoleView::BuildPropertyGrid()
{
    m_model.ResetUnsupportedValues();
    Q_EMIT Activity();
}

void ConsoleView::RefreshPropertyGrid()
{
    m_model.ResetUnsupportedValues();
    Q_EMIT Activity();
}

void ConsoleView::ReportPortLost(const QString &portName)
{
    if (m_rideThrough) {
        EndProgress();
        PrintError(QStringLiteral("zok-cli: ") + FillText(kPortLostText, {portName}));
    } else {
        m_portLost = true;
    }
    Q_EMIT Activity();
}

void ConsoleView::ReportPortBack(const QString &portName, int baud)
{
    if (m_rideThrough) {
        EndProgress();
        // Baud 0: a line whose speed its device server sets.
        PrintError(QStringLiteral("zok-cli: ") +
                   (baud > 0 ? FillText(kPortBackText, {portName, QString::number(baud)})
                             : FillText(kPortBackAtServerSpeedText, {portName})));
    }
    Q_EMIT Activity();
}

void ConsoleView::ShowIndicator()
{
    if (!m_indicator || m_verbose)
        return;
    constexpr int kBarWidth = 20;
    QString line = m_lastMessage;
    if (m_percent > 0) {
        const int filled = m_percent * kBarWidth / 100;
        line = u'[' + QString(filled, u'#') + QString(kBarWidth - filled, u'.') +
               QStringLiteral("] %1% ").arg(m_percent, 3) + line;
    }
    // Carriage return and erase to the end of the line: the indicator stays on one line.
    std::fprintf(stderr, "\r\033[K%s", line.left(78).toLocal8Bit().constData());
    std::fflush(stderr);
    m_indicatorShown = true;
}

void ConsoleView::EndProgress()
{
    if (!m_indicatorShown)
        return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    m_indicatorShown = false;
}

} // namespace zok::cli
