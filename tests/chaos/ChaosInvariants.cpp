// What must hold during a run: after every action, in every quiet phase, and for the files the
// program writes. Each check that finds a fault ends the run through Fail.
#include "ChaosDriver.h"

#include "CColorListBox.h"
#include "CDlgStatusBar.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "ChaosFiles.h"
#include "LineText.h"
#include "WindowText.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

constexpr int kMaxListLines = 500;
// The port is looked for once a second after a loss: a link that is back is open again by then.
constexpr int kReopenAllowanceMs = 1500;
constexpr int kTextWaitingForPort = 440;
constexpr int kTextPortBack = 442;
constexpr int kTextPortBackAtServerSpeed = 518;

// Whether a line is a filling of a "%s" format from the string table.
bool IsFilling(const QString &line, int textId)
{
    const QStringList parts = zok::Text(textId).split(QStringLiteral("%s"));
    if (!line.startsWith(parts.first()) || !line.endsWith(parts.last()))
        return false;
    qsizetype from = parts.first().size();
    for (qsizetype i = 1; i + 1 < parts.size(); ++i) {
        from = line.indexOf(parts[i], from);
        if (from < 0)
            return false;
        from += parts[i].size();
    }
    return from <= line.size() - parts.last().size();
}

} // namespace

// After every action: bounded lists, a settings file that loads; and the port's openings counted.
void ChaosDriver::CheckInvariants()
{
    if (!m_window)
        return;
    for (const char *id : {"1007", "1008"}) {
        const auto *list = m_window->findChild<CColorListBox *>(QString::fromLatin1(id));
        if (list->count() > kMaxListLines)
            Fail(QStringLiteral("list %1 holds %2 lines").arg(QString::fromLatin1(id)).arg(list->count()));
    }
    if (const QString fault = chaos::CheckSettingsFile(m_iniPath); !fault.isEmpty())
        Fail(fault);
    const bool open = m_window->Exchange().IsPortOpen();
    if (open && !m_portWasOpen)
        ++m_totals.portOpenings;
    m_portWasOpen = open;
    // The box unticked while the port was awaited ends the wait: no "back" line may follow.
    if (!m_window->Exchange().PortWanted())
        m_lostAwaitingBack = false;
}

// Once the actions stopped and everything was closed: the exchange back to Idle within its
// time-outs, a lost port that is back reopened, then the window consistent with the port. False
// while still waiting for that.
bool ChaosDriver::CheckQuietState()
{
    const qint64 quiet = m_quietSince.elapsed();
    if (m_window->State() != ExchangeState::Idle) {
        if (quiet > m_options.idleLimit.count())
            Fail(QStringLiteral("state %1 is not Idle %2 ms after the last action")
                     .arg(static_cast<int>(m_window->State()))
                     .arg(quiet));
        return false;
    }
    const bool overdue = quiet > m_options.idleLimit.count() + kReopenAllowanceMs;
    auto &exchange = m_window->Exchange();
    const bool open = exchange.IsPortOpen();
    const bool waiting = exchange.WaitingForPort();
    const bool checked = m_window->findChild<QCheckBox *>(QStringLiteral("1037"))->isChecked();
    // The box follows what the user wants (open, or awaited after a loss); Read and Write follow
    // the port itself.
    if (checked != exchange.PortWanted() || m_window->ReadButton()->isEnabled() != open ||
        m_window->WriteButton()->isEnabled() != open)
        Fail(QStringLiteral("in Idle the port is %1%2 but the box is %3, Read %4, Write %5")
                 .arg(open ? "open" : "closed", waiting ? " and awaited" : "", checked ? "set" : "clear",
                      m_window->ReadButton()->isEnabled() ? "enabled" : "disabled",
                      m_window->WriteButton()->isEnabled() ? "enabled" : "disabled"));
    // The link stays the port's name across hang-ups; a pseudo-terminal chosen by its own name
    // may well never come back, and waiting for it is then the right state.
    if (waiting && QString::fromStdString(m_settings->PortName()) == m_line->LinkPath()) {
        if (overdue)
            Fail(QStringLiteral("the port is still awaited %1 ms after the last action, its link back")
                     .arg(quiet));
        return false;
    }
    // The status bar catches up when the event loop next waits.
    const bool saysWaiting = m_window->StatusBar()->PaneText(0) == zok::Text(kTextWaitingForPort);
    if (saysWaiting != waiting) {
        if (overdue)
            Fail(QStringLiteral("the status bar %1 while the port is %2")
                     .arg(saysWaiting ? "says it waits for the port" : "does not say it waits for the port",
                          waiting ? "awaited" : "not awaited"));
        return false;
    }
    ++m_totals.quietChecks;
    m_totals.hangUpsSurvived = m_line->HangUps();
    Note("quiet: Idle after " + std::to_string(quiet) + " ms");
    return true;
}

// At most one "port lost" line per hang-up, and none without one; at most one "back" line per
// loss, and none without one.
void ChaosDriver::OnMessageLine(const QString &line)
{
    if (IsFilling(line, kTextPortBack) || IsFilling(line, kTextPortBackAtServerSpeed)) {
        Note("line: port back reported");
        if (!m_lostAwaitingBack)
            Fail(QStringLiteral("a port-back line without a loss awaiting it: ") + line);
        m_lostAwaitingBack = false;
        return;
    }
    const QStringList parts = zok::Caption(zok::WindowText::PortLost).split(QStringLiteral("%1"));
    if (parts.size() != 2 || !line.startsWith(parts[0]) || !line.endsWith(parts[1]))
        return;
    Note("line: port lost reported");
    if (m_line->HangUps() == 0)
        Fail(QStringLiteral("a port-lost line without any hang-up: ") + line);
    if (++m_lostSinceHangUp > 1)
        Fail(QStringLiteral("a second port-lost line for one hang-up: ") + line);
    m_lostAwaitingBack = true;
}

// A save chosen in the file dialog is written before its outcome box, which the program always
// shows: at that box the file holds its old bytes or exactly what a save of the model onto them
// gives. A save still unchecked when the window goes never told its outcome.
void ChaosDriver::CheckPendingSave()
{
    if (!m_pendingSave)
        return;
    const PendingSave save = *m_pendingSave;
    m_pendingSave.reset();
    if (!m_window)
        Fail(QStringLiteral("%1 was chosen for a save whose outcome was never shown").arg(save.path));
    const QString fault =
        chaos::CheckSavedParameterFile(save.path, save.before, m_window->Properties(), m_dir.path());
    if (!fault.isEmpty())
        Fail(fault);
    ++m_totals.savesChecked;
}
