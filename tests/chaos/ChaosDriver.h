#pragma once

#include "ActionLog.h"
#include "ChaosLine.h"
#include "ChaosOptions.h"
#include "Watchdog.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

class CZOKDlg;
class CZOKSettings;
class QDialog;
class QEventLoop;
class QMenu;
class QWidget;

// Plays a random user against the real main window while the line misbehaves: each tick picks an
// action among what the screen offers at that moment (the window, an open menu, a modal dialog,
// a message box or a file dialog), all from one seed. Ticks are fresh single-shot timers, so they
// keep coming inside every nested loop an action opens. Invariants are checked after every action;
// a failure prints the seed and the last actions and ends the process.
class ChaosDriver : public QObject
{
    Q_OBJECT

public:
    struct Totals
    {
        std::uint64_t actions = 0;
        std::uint64_t lineFaults = 0;
        int hangUps = 0;
        int quietChecks = 0;
        int windowRestarts = 0;
        long long longestSilenceMs = 0; // the longest the event loop went without answering
        std::string kinds;              // how many actions of each kind, "kind=count ..."
    };

    ChaosDriver(const ChaosOptions &options, ActionLog &log);
    ~ChaosDriver() override;

    // Runs to the end; returns only when every invariant held (a failure ends the process).
    Totals Run();

private:
    // A message box or file dialog the program is waiting on; answered by a later tick.
    struct PendingAnswer
    {
        enum class Kind { MessageBox, SaveFile, LoadFile } kind;
        QMessageBox::StandardButtons buttons;
        QEventLoop *loop = nullptr;
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        std::optional<QString> path;
    };
    struct PendingSave
    {
        QString path;
        std::optional<QByteArray> before;
    };
    enum class Phase { Acting, Quieting, Finishing };

    void CreateWindow();
    void RestartWindow();
    void ScheduleTick();
    void Tick();
    void Act();
    void Quiet();

    // The contexts an action happens in.
    void ActOnWindow();
    void ActOnPopup(QMenu &menu);
    void ActOnDialog(QDialog &dialog);
    void Answer(PendingAnswer &pending);

    // Window actions.
    void OpenMenu();
    void ClickGrid();
    void DragGrid();
    void ClickGridButton();
    void PressKeys(QWidget &target);
    void TypeText(QWidget &target);
    void ClearList();
    void CorruptFile();

    // The hooks the window calls.
    QMessageBox::StandardButton OnMessageBox(const QString &text, QMessageBox::StandardButtons buttons);
    std::optional<QString> OnFileDialog(PendingAnswer::Kind kind);
    void OnMessageLine(const QString &line);

    void CheckInvariants();
    void CheckPendingSave(bool withModel);
    void Fail(const QString &reason);
    void Note(const std::string &action);
    int Pick(int count);
    bool Chance(int percent);
    QString RandomParameterFile();

    const ChaosOptions m_options;
    ActionLog &m_log;
    std::mt19937 m_random;
    QTemporaryDir m_dir;
    QString m_iniPath;
    std::unique_ptr<ChaosLine> m_line;
    std::unique_ptr<CZOKSettings> m_settings;
    std::unique_ptr<CZOKDlg> m_window;
    std::unique_ptr<Watchdog> m_watchdog;
    QEventLoop *m_mainLoop = nullptr;

    Phase m_phase = Phase::Acting;
    std::uint64_t m_nextQuiet = 0;
    QElapsedTimer m_quietSince;
    QElapsedTimer m_quietTotal;
    bool m_finished = false;
    std::map<std::string, int> m_kinds;
    bool m_quietStarted = false;
    std::vector<PendingAnswer *> m_pending; // innermost last
    std::optional<PendingSave> m_pendingSave;
    int m_lostSinceHangUp = 0;
    int m_hangUpsSeen = 0;
    bool m_restartAsked = false;
    Totals m_totals;
};
