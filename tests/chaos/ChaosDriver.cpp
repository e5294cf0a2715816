// The run: the window and its hooks, the ticks, the quiet phases, and what is recorded or
// replayed at each.
#include "ChaosDriver.h"

#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "ChaosFiles.h"
#include "ZokText.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

// A quiet phase that cannot even close the open dialogs within this time is a hang.
constexpr qint64 kCloseLimitMs = 20000;
// Ticks that are no user's decision: while the actions stop, and while a replay waits for the
// screen to offer what its next decision needs.
constexpr int kQuietTickMs = 30;
constexpr int kReplayWaitTickMs = 10;
// How long a replay waits for that; beyond it the decision is dropped as a divergence.
constexpr qint64 kReplayPatienceMs = 10000;
// How long it waits for the program's recorded state before an action (an exchange that went
// faster than recorded never comes back to it).
constexpr qint64 kReplayStatePatienceMs = 3000;
constexpr int kMaxDivergences = 10;

} // namespace

ChaosDriver::ChaosDriver(const ChaosOptions &options, ActionLog &log)
    : m_options(options), m_log(log), m_random(options.seed), m_lineRandom(m_random())
{
}

ChaosDriver::~ChaosDriver() = default;

int ChaosDriver::Pick(int count)
{
    return count <= 1 ? 0 : std::uniform_int_distribution<int>(0, count - 1)(m_random);
}

bool ChaosDriver::Chance(int percent)
{
    return Pick(100) < percent;
}

void ChaosDriver::Note(const std::string &action)
{
    m_log.Add(action);
    ++m_kinds[action.substr(0, action.find_first_of(": "))];
    if (m_options.verbose)
        std::fprintf(stderr, "%llu %s\n", static_cast<unsigned long long>(m_log.Count()), action.c_str());
}

void ChaosDriver::Record(const chaos::Decision &decision)
{
    m_record.Write(decision);
}

void ChaosDriver::Log(const chaos::Decision &decision)
{
    Record(decision);
    Note(decision.Text());
}

void ChaosDriver::Fail(const QString &reason)
{
    m_log.Dump(reason.toStdString());
    std::_Exit(1);
}

chaos::Totals ChaosDriver::Run()
{
    if (!m_dir.isValid())
        Fail(QStringLiteral("no temporary folder"));
    // Whatever the program writes under a relative name lands there, not where the run started.
    QDir::setCurrent(m_dir.path());
    if (!m_options.replayPath.empty()) {
        m_script = std::make_unique<chaos::DecisionScript>();
        std::string error;
        if (!m_script->Load(m_options.replayPath, error))
            Fail(QString::fromStdString(error));
    }
    if (!m_options.recordPath.empty() &&
        !m_record.Open(m_options.recordPath, "zok_chaos decisions, seed " + std::to_string(m_options.seed)))
        Fail(QStringLiteral("cannot write the record ") + QString::fromStdString(m_options.recordPath));
    Start();

    m_watchdog = std::make_unique<Watchdog>(m_options.hangLimit, [this](std::chrono::milliseconds silent) {
        m_log.Dump("the event loop did not answer for " + std::to_string(silent.count()) + " ms");
        std::_Exit(1);
    });
    QTimer beat;
    connect(&beat, &QTimer::timeout, this, [this] { m_watchdog->Beat(); });
    beat.start(50);

    m_nextQuiet = 20 + static_cast<std::uint64_t>(Pick(60));
    m_replayWait.start();
    QEventLoop loop;
    m_mainLoop = &loop;
    ScheduleTick();
    loop.exec();
    m_mainLoop = nullptr;
    beat.stop();
    m_totals.longestSilenceMs = m_watchdog->LongestSilence().count();
    m_watchdog.reset();
    // A window destroyed while shown (its grid may hold an open edit box) is part of the run.
    m_window.reset();

    if (m_pendingSave)
        CheckPendingSave();
    m_totals.lineFaults = m_line->Faults();
    m_totals.hangUps = m_line->HangUps();
    m_line.reset();
    for (const auto &[kind, count] : m_kinds)
        m_totals.kinds += kind + "=" + std::to_string(count) + " ";
    if (m_totals.divergences > 0)
        Fail(QStringLiteral("the replay went another way %1 times").arg(m_totals.divergences));
    if (m_options.checkTotals && !Replaying()) {
        QString missing;
        for (const std::string &shortfall : chaos::Shortfalls(m_totals))
            missing += QStringLiteral("; ") + QString::fromStdString(shortfall);
        if (!missing.isEmpty())
            Fail(QStringLiteral("the run fell short (") + QString::fromStdString(chaos::Summary(m_totals)) +
                 QStringLiteral(")") + missing);
    }
    return m_totals;
}

// The language, the line and ZOK.ini: the first decision of every record.
void ChaosDriver::Start()
{
    bool french = false;
    if (Replaying()) {
        const chaos::Decision start = m_script->Take();
        french = start.Word(1) == "french";
        chaos::Draws draws(start, 2);
        m_line = std::make_unique<ChaosLine>(m_dir.filePath(QStringLiteral("port")), draws);
        if (draws.Short())
            Fail(QStringLiteral("the record's start line is damaged"));
        Record(start);
    } else {
        // One run in three speaks French: its texts and formats get the same treatment.
        french = Pick(3) == 0;
        chaos::Draws draws(m_lineRandom);
        m_line = std::make_unique<ChaosLine>(m_dir.filePath(QStringLiteral("port")), draws);
        chaos::Decision start{"start", french ? "french" : "english"};
        for (const long long number : draws.Taken())
            start.Add(number);
        Record(start);
    }
    zok::SelectLanguage(french ? zok::Language::French : zok::Language::English);
    m_iniPath = m_dir.filePath(QStringLiteral("ZOK.ini"));
    QFile ini(m_iniPath);
    if (!ini.open(QIODevice::WriteOnly))
        Fail(QStringLiteral("cannot write ZOK.ini"));
    ini.write(QStringLiteral("[ZOK]\r\nSERIAL_PORT=%1\r\nLANGUAGE=%2\r\nRECEIVER_ID=01\r\n")
                  .arg(m_line->LinkPath(), french ? QStringLiteral("FRENCH") : QStringLiteral("ENGLISH"))
                  .toLocal8Bit());
    ini.close();
    m_settings = std::make_unique<CZOKSettings>();
    if (!m_settings->Load(QFile::encodeName(m_iniPath).toStdString()))
        Fail(QStringLiteral("ZOK.ini does not load at start"));
    m_settings->SetApplicationDirectory(QFile::encodeName(m_dir.path()).toStdString());
    CreateWindow();
}

void ChaosDriver::CreateWindow()
{
    m_window = std::make_unique<CZOKDlg>(*m_settings);
    m_window->SetUrlOpener([this](const QUrl &) { return OnUrl(); });
    m_window->SetMessageBoxHook([this](const CDialogEx::MessageBoxRequest &request) {
        return OnMessageBox(request.text, request.buttons);
    });
    ParameterFileDialogs dialogs;
    dialogs.chooseSaveFile = [this](QWidget *) { return OnFileDialog(PendingAnswer::Kind::SaveFile); };
    dialogs.chooseLoadFile = [this](QWidget *) { return OnFileDialog(PendingAnswer::Kind::LoadFile); };
    m_window->SetFileDialogs(dialogs);
    m_window->SetPortListSource([this] {
        return QStringList{m_line->LinkPath(), m_line->SlavePath(),
                           m_dir.filePath(QStringLiteral("no-such-port")), QStringLiteral("COM7")};
    });
    auto *messages = m_window->findChild<CColorListBox *>(QStringLiteral("1007"));
    connect(messages->model(), &QAbstractItemModel::rowsInserted, this,
            [this, messages](const QModelIndex &, int first, int last) {
                for (int row = first; row <= last; ++row)
                    OnMessageLine(messages->model()->index(row, 0).data().toString());
            });
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        Fail(QStringLiteral("the main window was never shown"));
}

void ChaosDriver::RestartWindow()
{
    Note("window: ended by Exit, started again");
    ++m_totals.windowRestarts;
    m_window.reset();
    if (m_pendingSave)
        CheckPendingSave();
    if (const QString fault = chaos::CheckSettingsFile(m_iniPath); !fault.isEmpty())
        Fail(fault);
    m_settings = std::make_unique<CZOKSettings>();
    if (!m_settings->Load(QFile::encodeName(m_iniPath).toStdString()))
        Fail(QStringLiteral("ZOK.ini does not load at a new start"));
    m_settings->SetApplicationDirectory(QFile::encodeName(m_dir.path()).toStdString());
    CreateWindow();
}

// Each tick is a new single-shot timer: a timer whose slot is still running (blocked in a nested
// loop it opened) would not fire again, a fresh one does. While acting, the pause before the next
// one is a decision too.
void ChaosDriver::ScheduleTick()
{
    static constexpr std::array<int, 6> kDelays = {0, 2, 10, 30, 80, 250};
    static constexpr std::array<int, 6> kWeights = {3, 3, 4, 4, 2, 1};
    int delay = kQuietTickMs;
    if (m_phase == Phase::Acting && !Replaying()) {
        std::discrete_distribution<int> pick(kWeights.begin(), kWeights.end());
        delay = kDelays.at(static_cast<std::size_t>(pick(m_random)));
        Record({"tick", std::to_string(delay)});
    } else if (m_phase == Phase::Acting) {
        const chaos::Decision *next = m_script->Peek();
        delay = kReplayWaitTickMs;
        if (next && next->Is("tick")) {
            const chaos::Decision tick = m_script->Take();
            delay = static_cast<int>(tick.Number(1));
            Record(tick);
        }
    }
    QTimer::singleShot(delay, this, &ChaosDriver::Tick);
}

void ChaosDriver::Tick()
{
    if (m_finished)
        return;
    ScheduleTick();
    CheckInvariants();
    if (m_phase != Phase::Acting) {
        Quiet();
        return;
    }
    if (Replaying())
        ReplayStep();
    else
        RecordStep();
    CheckInvariants();
}

void ChaosDriver::RecordStep()
{
    if (m_totals.actions >= m_options.actions || m_totals.actions >= m_nextQuiet) {
        StartQuiet(m_totals.actions >= m_options.actions);
        return;
    }
    ++m_totals.actions;
    if (Chance(12)) {
        MisbehaveLine(nullptr);
        return;
    }
    const chaos::Decision decision = Choose();
    Record(ProgramState());
    Perform(decision);
}

// Where the program was when a user action was taken: a replay waits for the same before taking
// it, so that a click meets the exchange in the state it met when recorded.
chaos::Decision ChaosDriver::ProgramState() const
{
    return chaos::Decision{"state"}
        .Add(static_cast<long long>(m_window->State()))
        .Add(m_window->Exchange().IsPortOpen() ? "open" : "closed");
}

// Takes the next recorded decision once the screen offers its context; a record that ends without
// its "finish" (the recorded run failed) ends the replay the same way.
void ChaosDriver::ReplayStep()
{
    const chaos::Decision *next = m_script->Peek();
    if (!next || next->Is("finish") || next->Is("quiet")) {
        const bool finishing = !next || next->Is("finish");
        if (next)
            m_script->Take();
        StartQuiet(finishing);
        return;
    }
    if (next->Is("state")) {
        const bool same = ProgramState().words == next->words;
        if (!same && m_replayWait.elapsed() <= kReplayStatePatienceMs)
            return;
        const chaos::Decision state = m_script->Take();
        Record(state);
        m_replayWait.start();
        if (!same) {
            ++m_totals.stateMisses;
            Note("replay: the program is not in the recorded state '" + state.Text() + "', going on");
        }
        next = m_script->Peek();
        if (!next)
            return;
    }
    if (next->Is("menu", "click"))
        RefreshWindowMenu(next->Word(2));
    if (!Due(*next)) {
        if (m_replayWait.elapsed() <= kReplayPatienceMs)
            return;
        // Something the record did not have open is closed; a decision whose context never
        // comes (or whose menu item never is enabled) is dropped.
        const std::string context = Context();
        if (context != "window" && context != "restart" && context != next->Word(0) && CloseOne()) {
            Diverge("closed what the record did not have open (" + context + ")", false);
            return;
        }
        Diverge("the screen shows " + context, true);
        return;
    }
    ++m_totals.actions;
    const chaos::Decision decision = m_script->Take();
    m_replayWait.start();
    if (decision.Is("line"))
        MisbehaveLine(&decision);
    else if (!Perform(decision))
        Diverge("what it names is not there", false);
}

void ChaosDriver::Diverge(const std::string &why, bool dropNext)
{
    std::string text = "replay: went another way after decision " + std::to_string(m_script->Taken());
    if (dropNext)
        text += ", dropped '" + m_script->Take().Text() + "'";
    text += ": " + why;
    if (m_window)
        text += " (exchange state " + std::to_string(static_cast<int>(m_window->State())) + ", port " +
                (m_window->Exchange().IsPortOpen() ? "open)" : "closed)");
    ++m_totals.divergences;
    m_replayWait.start();
    Note(text);
    std::fprintf(stderr, "%s\n", text.c_str());
    // Past a few, each waiting its patience out, the run is another run: stop there.
    if (m_totals.divergences >= kMaxDivergences)
        Fail(QStringLiteral("the replay went another way %1 times; it stops").arg(m_totals.divergences));
}

void ChaosDriver::StartQuiet(bool finishing)
{
    Record({finishing ? "finish" : "quiet"});
    m_phase = finishing ? Phase::Finishing : Phase::Quieting;
    m_quietStarted = false;
    m_quietTotal.start();
    Note("quiet: actions stop");
}

// The actions stop: open boxes, menus and dialogs are closed, one a tick, then the exchange must
// come back to Idle within its time-outs with the window consistent.
void ChaosDriver::Quiet()
{
    if (m_quietTotal.elapsed() > kCloseLimitMs)
        Fail(QStringLiteral("the open dialogs and boxes could not be closed"));
    if (CloseOne())
        return;
    if (!m_window->isVisible()) {
        RestartWindow();
        return;
    }
    if (!m_quietStarted) {
        m_quietStarted = true;
        m_quietSince.start();
        return;
    }
    if (!CheckQuietState())
        return;
    if (m_phase == Phase::Finishing) {
        if (m_options.checkTotals && m_totals.savesChecked == 0)
            SaveOnce();
        m_finished = true;
        m_mainLoop->quit();
        return;
    }
    m_phase = Phase::Acting;
    m_replayWait.start();
    m_nextQuiet = m_totals.actions + 40 + static_cast<std::uint64_t>(Pick(120));
}

// Closes the innermost of what is open (a box or file dialog, a popup, a modal dialog), as a
// user leaving by Cancel or Escape; false when nothing was.
bool ChaosDriver::CloseOne()
{
    if (!m_pending.empty()) {
        PendingAnswer &pending = *m_pending.back();
        pending.button = QMessageBox::Cancel;
        pending.path.reset();
        if (!pending.buttons.testFlag(QMessageBox::Cancel))
            pending.button = QMessageBox::Ok;
        Note("quiet: dismiss box or file dialog");
        pending.loop->quit();
        return true;
    }
    if (QWidget *popup = QApplication::activePopupWidget()) {
        Note("quiet: close " + popup->objectName().toStdString());
        popup->close();
        return true;
    }
    if (QWidget *modal = QApplication::activeModalWidget()) {
        Note("quiet: close " + modal->objectName().toStdString());
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        return true;
    }
    return false;
}

// Whether the random user saves depends on a box answered a tick earlier or later, so a seed's run
// may never save; it then saves once at its end, answering the file dialog and the outcome box
// itself, and that save is checked as any other.
void ChaosDriver::SaveOnce()
{
    Note("finish: one save, as the run had none");
    m_savingOnce = true;
    m_window->SaveParameters();
    m_savingOnce = false;
    CheckPendingSave();
}

QMessageBox::StandardButton ChaosDriver::OnMessageBox(const QString &text,
                                                      QMessageBox::StandardButtons buttons)
{
    CheckPendingSave();
    if (m_savingOnce)
        return QMessageBox::Ok;
    Note("box: shows '" + text.left(50).toStdString() + "'");
    PendingAnswer pending{PendingAnswer::Kind::MessageBox, buttons, nullptr, QMessageBox::NoButton,
                          std::nullopt};
    WaitForAnswer(pending, "box");
    return pending.button;
}

std::optional<QString> ChaosDriver::OnFileDialog(PendingAnswer::Kind kind)
{
    if (m_savingOnce && kind == PendingAnswer::Kind::SaveFile) {
        const QString path = m_dir.filePath(QStringLiteral("saved-at-the-end.zok"));
        m_pendingSave = PendingSave{path, chaos::FileBytes(path)};
        return path;
    }
    PendingAnswer pending{kind, {}, nullptr, QMessageBox::NoButton, std::nullopt};
    WaitForAnswer(pending, "file");
    if (kind == PendingAnswer::Kind::SaveFile && pending.path)
        m_pendingSave = PendingSave{*pending.path, chaos::FileBytes(*pending.path)};
    return pending.path;
}

// A box or file dialog is answered at once or left open for a later tick ("show now|later"). On a
// replay, one that comes before its turn in the record is held open until its "show" comes up.
void ChaosDriver::WaitForAnswer(PendingAnswer &pending, const char *context)
{
    bool now = false;
    if (!Replaying()) {
        now = Chance(context == std::string("box") ? 40 : 30);
        Record({context, "show", now ? "now" : "later"});
        if (now) {
            const chaos::Decision answer = ChooseAnswer(pending);
            Log(answer);
            ApplyAnswer(pending, answer);
        }
    } else if (const chaos::Decision *next = m_script->Peek(); next && next->Is(context, "show")) {
        const chaos::Decision show = m_script->Take();
        m_replayWait.start();
        Record(show);
        const chaos::Decision *answer = m_script->Peek();
        now = show.Word(2) == "now" && answer && answer->Is(context, "answer");
        if (now) {
            const chaos::Decision taken = m_script->Take();
            Log(taken);
            ApplyAnswer(pending, taken);
        }
    } else {
        pending.announced = false;
        Note(std::string(context) + ": came before its turn in the record, held");
    }
    if (now)
        return;
    QEventLoop loop;
    pending.loop = &loop;
    m_pending.push_back(&pending);
    loop.exec();
    m_pending.pop_back();
}

bool ChaosDriver::OnUrl()
{
    if (!Replaying()) {
        const bool opened = Chance(50);
        Record({"url", opened ? "yes" : "no"});
        return opened;
    }
    const chaos::Decision *next = m_script->Peek();
    if (!next || !next->Is("url")) {
        Diverge("Help asked to open its document, which the record does not say here", false);
        return false;
    }
    const chaos::Decision answer = m_script->Take();
    Record(answer);
    return answer.Word(1) == "yes";
}
