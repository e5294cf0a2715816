#pragma once

#include "ActionLog.h"
#include "ChaosDecisions.h"
#include "ChaosLine.h"
#include "ChaosOptions.h"
#include "ChaosTotals.h"
#include "Watchdog.h"

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

// Plays a random user against the real main window while the line misbehaves: each tick takes
// one decision among what the screen offers at that moment (the window, an open menu, a modal
// dialog, a message box or a file dialog), drawn from one seed and written to the run's record,
// or, on a replay, taken from a record once the screen offers its context. Ticks are fresh
// single-shot timers, so they keep coming inside every nested loop an action opens. Invariants
// are checked after every action; a failure prints the seed and the last actions and ends the
// process.
class ChaosDriver : public QObject
{
    Q_OBJECT

public:
    ChaosDriver(const ChaosOptions &options, ActionLog &log);
    ~ChaosDriver() override;

    // Runs to the end; returns only when every invariant held (a failure ends the process).
    chaos::Totals Run();

private:
    // A message box or file dialog the program is waiting on; answered by a later tick. On a
    // replay, one shown before its turn in the record is held (not `announced`) until then.
    struct PendingAnswer
    {
        enum class Kind { MessageBox, SaveFile, LoadFile, CsvFile } kind;
        QMessageBox::StandardButtons buttons;
        QEventLoop *loop = nullptr;
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        std::optional<QString> path;
        bool announced = true;
    };
    struct PendingSave
    {
        QString path;
        std::optional<QByteArray> before;
    };
    enum class Phase { Acting, Quieting, Finishing };

    // The run (ChaosDriver.cpp).
    void Start();
    void CreateWindow();
    void RestartWindow();
    void ScheduleTick();
    void Tick();
    void RecordStep();
    void ReplayStep();
    chaos::Decision ProgramState() const;
    void StartQuiet(bool finishing);
    void Quiet();
    bool CloseOne();
    bool Replaying() const { return m_script != nullptr; }

    // Decisions (ChaosActions.cpp): where the screen is, what to do there (drawn), doing it.
    std::string Context() const;
    bool Due(const chaos::Decision &decision) const;
    // The window's menus enable their items when they open; a replay that waits to click one
    // looks again, as if the user had opened the menu a moment later.
    void RefreshWindowMenu(const std::string &item);
    chaos::Decision Choose();
    chaos::Decision ChooseOnWindow();
    chaos::Decision ChooseOnPopup(const QMenu &menu);
    chaos::Decision ChooseOnDialog(QDialog &dialog);
    // The tools' and the clone table's CSV file choosers answered by the run, like the window's
    // parameter file dialogs: Qt's own file dialog would let the random user create folders,
    // write files and delete them anywhere it can browse to.
    void AnswerFileChoosers(QDialog &dialog);
    chaos::Decision ChooseAnswer(const PendingAnswer &pending);
    chaos::Decision ChooseCorruption();
    chaos::Decision ChooseGridClick();
    void AddKeys(chaos::Decision &decision);
    void AddText(chaos::Decision &decision);
    std::string RandomParameterName();
    // A misbehaviour of the line, drawn, or the recorded one on a replay.
    void MisbehaveLine(const chaos::Decision *recorded);
    // Records the decision and notes it in the action log, then does it; false when the screen
    // does not offer what it names (a replay that went another way).
    bool Perform(const chaos::Decision &decision);
    bool PerformOnWindow(const chaos::Decision &decision);
    bool PerformOnPopup(const chaos::Decision &decision);
    bool PerformOnDialog(const chaos::Decision &decision);
    bool PerformAnswer(const chaos::Decision &decision);
    bool PerformCorruption(const chaos::Decision &decision);
    bool PressKeys(QWidget &target, const chaos::Decision &decision, std::size_t first);
    void TypeText(QWidget &target, const chaos::Decision &decision, std::size_t first);
    void ApplyAnswer(PendingAnswer &pending, const chaos::Decision &decision);
    // The innermost box or file dialog that is (or, on a replay, is not yet) announced.
    PendingAnswer *Innermost(bool announced) const;
    void Record(const chaos::Decision &decision);
    void Log(const chaos::Decision &decision);
    // Reports a replay that went another way (dropping the next decision when it cannot be taken).
    void Diverge(const std::string &why, bool dropNext);

    // The hooks the window calls (ChaosDriver.cpp).
    QMessageBox::StandardButton OnMessageBox(const QString &text, QMessageBox::StandardButtons buttons);
    std::optional<QString> OnFileDialog(PendingAnswer::Kind kind);
    void WaitForAnswer(PendingAnswer &pending, const char *context);
    bool OnUrl();

    // Invariants (ChaosInvariants.cpp).
    void CheckInvariants();
    bool CheckQuietState();
    void SaveOnce();
    void OnMessageLine(const QString &line);
    void CheckPendingSave();

    void Fail(const QString &reason);
    void Note(const std::string &action);
    int Pick(int count);
    bool Chance(int percent);

    const ChaosOptions m_options;
    ActionLog &m_log;
    std::mt19937 m_random;
    std::mt19937 m_lineRandom;
    chaos::DecisionRecord m_record;
    std::unique_ptr<chaos::DecisionScript> m_script;
    QElapsedTimer m_replayWait; // since the next recorded decision became the next one
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
    bool m_savingOnce = false;
    std::map<std::string, int> m_kinds;
    bool m_quietStarted = false;
    std::vector<PendingAnswer *> m_pending; // innermost last
    std::optional<PendingSave> m_pendingSave;
    int m_lostSinceHangUp = 0;
    int m_hangUpsSeen = 0;
    bool m_lostAwaitingBack = false;
    bool m_portWasOpen = false;
    chaos::Totals m_totals;
};
