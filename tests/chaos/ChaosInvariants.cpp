// What must hold during a run: after every action, in every quiet phase, and for the files the
// program writes. Each check that finds a fault ends the run through Fail.
#include "ChaosDriver.h"

#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "ChaosFiles.h"
#include "WindowText.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

constexpr int kMaxListLines = 500;

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
}

// Once the actions stopped and everything was closed: the exchange back to Idle within its
// time-outs, then the window consistent with the port. False while still waiting for Idle.
bool ChaosDriver::CheckQuietState()
{
    if (m_window->State() != ExchangeState::Idle) {
        if (m_quietSince.elapsed() > m_options.idleLimit.count())
            Fail(QStringLiteral("state %1 is not Idle %2 ms after the last action")
                     .arg(static_cast<int>(m_window->State()))
                     .arg(m_quietSince.elapsed()));
        return false;
    }
    // Idle: Read, Write and the "Open Serial Port" box follow the port.
    const bool open = m_window->Exchange().IsPortOpen();
    const bool checked = m_window->findChild<QCheckBox *>(QStringLiteral("1037"))->isChecked();
    if (checked != open || m_window->ReadButton()->isEnabled() != open ||
        m_window->WriteButton()->isEnabled() != open)
        Fail(QStringLiteral("in Idle the port is %1 but the box is %2, Read %3, Write %4")
                 .arg(open ? "open" : "closed", checked ? "set" : "clear",
                      m_window->ReadButton()->isEnabled() ? "enabled" : "disabled",
                      m_window->WriteButton()->isEnabled() ? "enabled" : "disabled"));
    ++m_totals.quietChecks;
    m_totals.hangUpsSurvived = m_line->HangUps();
    Note("quiet: Idle after " + std::to_string(m_quietSince.elapsed()) + " ms");
    return true;
}

// At most one "port lost" line per hang-up, and none without one.
void ChaosDriver::OnMessageLine(const QString &line)
{
    const QStringList parts = zok::Caption(zok::WindowText::PortLost).split(QStringLiteral("%1"));
    if (parts.size() != 2 || !line.startsWith(parts[0]) || !line.endsWith(parts[1]))
        return;
    Note("line: port lost reported");
    if (m_line->HangUps() == 0)
        Fail(QStringLiteral("a port-lost line without any hang-up: ") + line);
    if (++m_lostSinceHangUp > 1)
        Fail(QStringLiteral("a second port-lost line for one hang-up: ") + line);
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
