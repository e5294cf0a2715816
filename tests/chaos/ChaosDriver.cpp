#include "ChaosDriver.h"

#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "ChaosFiles.h"
#include "EPropCtrl.h"
#include "EPropListCtrl.h"
#include "EPropWndEdit.h"
#include "WindowText.h"
#include "ZokText.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxListLines = 500;
constexpr int kExitCommand = CZOKDlg::ID_EXIT;
// A quiet phase that cannot even close the open dialogs within this time is a hang.
constexpr qint64 kCloseLimitMs = 20000;

template <typename T> QList<T *> Usable(const QWidget &parent)
{
    QList<T *> usable;
    const auto all = parent.findChildren<T *>();
    for (T *widget : all)
        if (widget->isVisible() && widget->isEnabled())
            usable << widget;
    return usable;
}

std::string Name(const QObject *object)
{
    if (!object)
        return "(none)";
    return (QString::fromLatin1(object->metaObject()->className()) + ":" + object->objectName())
        .toStdString();
}

} // namespace

ChaosDriver::ChaosDriver(const ChaosOptions &options, ActionLog &log)
    : m_options(options), m_log(log), m_random(options.seed)
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
    ++m_kinds[action.substr(0, action.find(':'))];
    if (m_options.verbose)
        std::fprintf(stderr, "%llu %s\n", static_cast<unsigned long long>(m_log.Count()), action.c_str());
}

void ChaosDriver::Fail(const QString &reason)
{
    m_log.Dump(reason.toStdString());
    std::_Exit(1);
}

ChaosDriver::Totals ChaosDriver::Run()
{
    if (!m_dir.isValid())
        Fail(QStringLiteral("no temporary folder"));
    m_line = std::make_unique<ChaosLine>(m_random(), m_dir.filePath(QStringLiteral("port")));
    m_iniPath = m_dir.filePath(QStringLiteral("ZOK.ini"));
    QFile ini(m_iniPath);
    if (!ini.open(QIODevice::WriteOnly))
        Fail(QStringLiteral("cannot write ZOK.ini"));
    // One run in three speaks French: its texts and formats get the same treatment.
    const bool french = Pick(3) == 0;
    zok::SelectLanguage(french ? zok::Language::French : zok::Language::English);
    ini.write(QStringLiteral("[ZOK]\r\nSERIAL_PORT=%1\r\nLANGUAGE=%2\r\nRECEIVER_ID=01\r\n")
                  .arg(m_line->LinkPath(), french ? QStringLiteral("FRENCH") : QStringLiteral("ENGLISH"))
                  .toLocal8Bit());
    ini.close();
    m_settings = std::make_unique<CZOKSettings>();
    if (!m_settings->Load(QFile::encodeName(m_iniPath).toStdString()))
        Fail(QStringLiteral("ZOK.ini does not load at start"));
    m_settings->SetApplicationDirectory(QFile::encodeName(m_dir.path()).toStdString());
    CreateWindow();

    m_watchdog = std::make_unique<Watchdog>(m_options.hangLimit, [this](std::chrono::milliseconds silent) {
        m_log.Dump("the event loop did not answer for " + std::to_string(silent.count()) + " ms");
        std::_Exit(1);
    });
    QTimer beat;
    connect(&beat, &QTimer::timeout, this, [this] { m_watchdog->Beat(); });
    beat.start(50);

    m_nextQuiet = 20 + static_cast<std::uint64_t>(Pick(60));
    QEventLoop loop;
    m_mainLoop = &loop;
    ScheduleTick();
    loop.exec();
    m_mainLoop = nullptr;
    beat.stop();
    m_totals.longestSilenceMs = m_watchdog->LongestSilence().count();
    m_watchdog.reset();
    m_window.reset();

    m_totals.lineFaults = m_line->Faults();
    m_totals.hangUps = m_line->HangUps();
    m_line.reset();
    for (const auto &[kind, count] : m_kinds)
        m_totals.kinds += kind + "=" + std::to_string(count) + " ";
    return m_totals;
}

void ChaosDriver::CreateWindow()
{
    m_window = std::make_unique<CZOKDlg>(*m_settings);
    m_window->SetUrlOpener([this](const QUrl &) { return Chance(50); });
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
    if (const QString fault = chaos::CheckSettingsFile(m_iniPath); !fault.isEmpty())
        Fail(fault);
    m_settings = std::make_unique<CZOKSettings>();
    if (!m_settings->Load(QFile::encodeName(m_iniPath).toStdString()))
        Fail(QStringLiteral("ZOK.ini does not load at a new start"));
    m_settings->SetApplicationDirectory(QFile::encodeName(m_dir.path()).toStdString());
    CreateWindow();
}

// Each tick is a new single-shot timer: a timer whose slot is still running (blocked in a nested
// loop it opened) would not fire again, a fresh one does.
void ChaosDriver::ScheduleTick()
{
    static constexpr std::array<int, 6> kDelays = {0, 2, 10, 30, 80, 250};
    static constexpr std::array<int, 6> kWeights = {3, 3, 4, 4, 2, 1};
    std::discrete_distribution<int> pick(kWeights.begin(), kWeights.end());
    QTimer::singleShot(kDelays.at(static_cast<std::size_t>(pick(m_random))), this, &ChaosDriver::Tick);
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
    if (m_totals.actions >= m_options.actions || m_totals.actions >= m_nextQuiet) {
        m_phase = m_totals.actions >= m_options.actions ? Phase::Finishing : Phase::Quieting;
        m_quietStarted = false;
        m_quietTotal.start();
        Note("quiet: actions stop");
        return;
    }
    ++m_totals.actions;
    Act();
    CheckInvariants();
}

void ChaosDriver::Act()
{
    if (Chance(12)) {
        Note(m_line->Misbehave());
        if (m_line->HangUps() != m_hangUpsSeen) {
            m_hangUpsSeen = m_line->HangUps();
            m_lostSinceHangUp = 0;
        }
        return;
    }
    if (!m_pending.empty()) {
        if (Chance(60))
            Answer(*m_pending.back());
        else
            Note("wait: with a box open");
        return;
    }
    if (QWidget *popup = QApplication::activePopupWidget()) {
        if (auto *menu = qobject_cast<QMenu *>(popup)) {
            ActOnPopup(*menu);
        } else {
            static constexpr std::array<Qt::Key, 4> kKeys = {Qt::Key_Escape, Qt::Key_Down, Qt::Key_Up,
                                                             Qt::Key_Return};
            const Qt::Key key = kKeys.at(static_cast<std::size_t>(Pick(static_cast<int>(kKeys.size()))));
            Note("popup: key " + std::to_string(key) + " on " + Name(popup));
            QTest::keyClick(popup, key);
        }
        return;
    }
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            ActOnDialog(*dialog);
        } else {
            Note("modal: close " + Name(modal));
            modal->close();
        }
        return;
    }
    if (!m_window->isVisible()) {
        RestartWindow();
        return;
    }
    ActOnWindow();
}

void ChaosDriver::ActOnWindow()
{
    const int roll = Pick(100);
    if (roll < 16) {
        OpenMenu();
    } else if (roll < 24) {
        Note("window: click Read");
        QTest::mouseClick(m_window->ReadButton(), Qt::LeftButton);
    } else if (roll < 30) {
        Note("window: click Write");
        QTest::mouseClick(m_window->WriteButton(), Qt::LeftButton);
    } else if (roll < 35) {
        Note("window: click Open Serial Port");
        QTest::mouseClick(m_window->findChild<QCheckBox *>(QStringLiteral("1037")), Qt::LeftButton);
    } else if (roll < 45) {
        ClickGrid();
    } else if (roll < 47) {
        DragGrid();
    } else if (roll < 57) {
        ClickGridButton();
    } else if (roll < 67) {
        EPropListCtrl &list = m_window->PropertyGrid()->List();
        const auto edits = Usable<EPropWndEdit>(list);
        PressKeys(!edits.isEmpty() && Chance(60) ? *edits.first() : static_cast<QWidget &>(list));
    } else if (roll < 74) {
        EPropListCtrl &list = m_window->PropertyGrid()->List();
        const auto edits = Usable<EPropWndEdit>(list);
        TypeText(!edits.isEmpty() && Chance(80) ? *edits.first() : static_cast<QWidget &>(list));
    } else if (roll < 75) {
        Note("window: click Help");
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("57670")), Qt::LeftButton);
    } else if (roll < 77) {
        ClearList();
    } else if (roll < 79) {
        CorruptFile();
    } else if (roll < 84) {
        Note("window: Speed Detection shortcut");
        m_window->CommandAction(CZOKDlg::ID_SPEED_DETECTION)->trigger();
    } else {
        Note("wait: window");
    }
}

void ChaosDriver::OpenMenu()
{
    const auto menus = m_window->MenuBar()->actions();
    if (menus.isEmpty())
        return;
    // The tools live in the middle menus: open those more often than File and "?".
    const int index = Pick(100);
    QAction *top = menus.at(index < 20   ? 0
                            : index < 90 ? std::min<int>(1 + Pick(2), menus.size() - 1)
                                         : static_cast<int>(menus.size()) - 1);
    if (!top->menu())
        return;
    Note("window: open menu " + top->text().toStdString());
    const QRect where = m_window->MenuBar()->actionGeometry(top);
    top->menu()->popup(m_window->MenuBar()->mapToGlobal(where.bottomLeft()));
}

void ChaosDriver::ActOnPopup(QMenu &menu)
{
    QList<QAction *> actions;
    for (QAction *action : menu.actions())
        if (!action->isSeparator() && action->isEnabled() && action->isVisible())
            actions << action;
    // Menus stay open a while now and then, as a user reads them; frames go on arriving meanwhile.
    const int roll = Pick(12);
    if (roll < 8 && !actions.isEmpty()) {
        QAction *action = actions.at(Pick(static_cast<int>(actions.size())));
        // Exit starts the window again, which is worth doing now and then, not every few menus.
        if (CDialogEx::CommandId(action) == kExitCommand && !Chance(15))
            action = actions.first();
        if (CDialogEx::CommandId(action) == kExitCommand && !Chance(15)) {
            Note("menu: wait");
            return;
        }
        Note("menu: click " + action->text().toStdString());
        const QPoint at = menu.actionGeometry(action).center();
        QTest::mouseMove(&menu, at);
        QTest::mouseClick(&menu, Qt::LeftButton, {}, at);
    } else if (roll < 8) {
        Note("menu: Escape");
        QTest::keyClick(&menu, Qt::Key_Escape);
    } else if (roll < 9) {
        Note("menu: Down, Return");
        QTest::keyClick(&menu, Qt::Key_Down);
        QTest::keyClick(&menu, Qt::Key_Return);
    } else {
        Note("menu: wait");
    }
}

void ChaosDriver::ActOnDialog(QDialog &dialog)
{
    const std::string where = Name(&dialog);
    const int roll = Pick(20);
    if (roll < 8) {
        const auto buttons = Usable<QAbstractButton>(dialog);
        if (buttons.isEmpty())
            return;
        QAbstractButton *button = buttons.at(Pick(static_cast<int>(buttons.size())));
        // Stay in the dialog a while: a button that ends it is often passed over for another.
        static const QStringList kEnding = {QStringLiteral("OK"),      QStringLiteral("Cancel"),
                                            QStringLiteral("Annuler"), QStringLiteral("Close"),
                                            QStringLiteral("Fermer"),  QStringLiteral("Quitter")};
        if (kEnding.contains(button->text().remove(QLatin1Char('&'))) && Chance(60))
            button = buttons.at(Pick(static_cast<int>(buttons.size())));
        Note("dialog: click " + Name(button) + " '" + button->text().toStdString() + "' in " + where);
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (roll < 11) {
        QList<QWidget *> fields;
        for (QLineEdit *edit : Usable<QLineEdit>(dialog))
            fields << edit;
        for (QAbstractSpinBox *spin : Usable<QAbstractSpinBox>(dialog))
            fields << spin;
        if (fields.isEmpty())
            return;
        QWidget *field = fields.at(Pick(static_cast<int>(fields.size())));
        if (Chance(50)) {
            if (auto *edit = qobject_cast<QLineEdit *>(field))
                edit->selectAll();
            if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
                spin->selectAll();
        }
        TypeText(*field);
    } else if (roll < 13) {
        const auto combos = Usable<QComboBox>(dialog);
        if (combos.isEmpty())
            return;
        QComboBox *combo = combos.at(Pick(static_cast<int>(combos.size())));
        Note("dialog: pick in " + Name(combo));
        QTest::keyClick(combo, Chance(50) ? Qt::Key_Down : Qt::Key_Up);
    } else if (roll < 16) {
        QWidget *focus = QApplication::focusWidget();
        PressKeys(focus && dialog.isAncestorOf(focus) ? *focus : static_cast<QWidget &>(dialog));
    } else if (roll < 17) {
        Note("dialog: reject " + where);
        dialog.reject();
    } else if (roll < 18) {
        Note("dialog: close " + where);
        dialog.close();
    } else {
        Note("wait: dialog " + where);
    }
}

void ChaosDriver::ClickGrid()
{
    EPropListCtrl &list = m_window->PropertyGrid()->List();
    QWidget *viewport = list.viewport();
    const int names = std::max(1, list.NameColumnWidth());
    const bool onName = Chance(40);
    const int x = onName ? Pick(names) : names + Pick(std::max(1, viewport->width() - names));
    const QPoint at(x, Pick(std::max(1, viewport->height())));
    EProperty *row = list.RowAt(at);
    Note(std::string("grid: click ") + (onName ? "name" : "value") + (row ? "" : " (no row)") + " at " +
         std::to_string(at.x()) + "," + std::to_string(at.y()));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
}

// The column divider or the splitter above the comment pane, dragged anywhere (even out of the
// control), as a user resizing carelessly.
void ChaosDriver::DragGrid()
{
    EPropCtrl &grid = *m_window->PropertyGrid();
    EPropListCtrl &list = grid.List();
    const bool divider = Chance(50);
    QWidget *target = divider ? list.viewport() : static_cast<QWidget *>(&grid);
    const QPoint from =
        divider ? QPoint(list.NameColumnWidth() + list.DividerWidth() / 2 - list.ScrollOffset().x(),
                         Pick(std::max(1, list.viewport()->height())))
                : grid.SplitterRect().center();
    const QPoint to = from + QPoint(Pick(900) - 450, divider ? 0 : Pick(900) - 450);
    Note(std::string("grid: drag ") + (divider ? "divider" : "splitter") + " by " +
         std::to_string(to.x() - from.x()) + "," + std::to_string(to.y() - from.y()));
    QTest::mousePress(target, Qt::LeftButton, {}, from);
    QTest::mouseMove(target, (from + to) / 2);
    QTest::mouseMove(target, to);
    QTest::mouseRelease(target, Qt::LeftButton, {}, to);
}

void ChaosDriver::ClickGridButton()
{
    const auto buttons = Usable<QPushButton>(m_window->PropertyGrid()->List());
    if (buttons.isEmpty()) {
        ClickGrid();
        return;
    }
    QPushButton *button = buttons.at(Pick(static_cast<int>(buttons.size())));
    Note("grid: click ... of " + button->objectName().toStdString());
    QTest::mouseClick(button, Qt::LeftButton);
}

void ChaosDriver::PressKeys(QWidget &target)
{
    static constexpr std::array<Qt::Key, 16> kKeys = {
        Qt::Key_Up,     Qt::Key_Down,      Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Tab,      Qt::Key_Backtab,
        Qt::Key_Return, Qt::Key_Escape,    Qt::Key_Space,  Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
        Qt::Key_End,    Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Enter};
    const int count = 1 + Pick(3);
    std::string keys;
    std::vector<Qt::Key> chosen;
    for (int i = 0; i < count; ++i) {
        chosen.push_back(kKeys.at(static_cast<std::size_t>(Pick(static_cast<int>(kKeys.size())))));
        keys += QKeySequence(chosen.back()).toString().toStdString() + " ";
    }
    Note("keys: " + keys + "to " + Name(&target));
    QPointer<QWidget> alive(&target);
    for (Qt::Key key : chosen) {
        if (!alive)
            return;
        QTest::keyClick(alive.data(), key);
    }
}

void ChaosDriver::TypeText(QWidget &target)
{
    static constexpr std::array<const char *, 14> kTexts = {
        "1", "12", "FF", "-5", "999999", "abc", "0", "255", "1e9", " ", "%s%n", "7", "40", "\xc3\x80"};
    const QString text =
        QString::fromUtf8(kTexts.at(static_cast<std::size_t>(Pick(static_cast<int>(kTexts.size())))));
    const bool enter = Chance(40);
    Note("type: '" + text.toStdString() + "'" + (enter ? " Return" : "") + " into " + Name(&target));
    QPointer<QWidget> alive(&target);
    QTest::keyClicks(&target, text);
    if (enter && alive)
        QTest::keyClick(alive.data(), Qt::Key_Return);
}

void ChaosDriver::ClearList()
{
    const char *id = Chance(50) ? "1007" : "1008";
    // Appended rather than `std::string(...) + id`: GCC 12 at -O2 warns falsely (array-bounds).
    std::string note = "window: right double-click on list ";
    note += id;
    Note(note);
    auto *list = m_window->findChild<CColorListBox *>(QString::fromLatin1(id));
    QTest::mouseDClick(list->viewport(), Qt::RightButton);
}

QString ChaosDriver::RandomParameterFile()
{
    static constexpr std::array<const char *, 7> kNames = {
        "a.zok", "b.zok", "corrupt.zok", "corrupt.zok", "missing.zok", "no-folder/x.zok", "."};
    return QDir(m_dir.path()).filePath(QString::fromLatin1(kNames.at(static_cast<std::size_t>(Pick(7)))));
}

void ChaosDriver::CorruptFile()
{
    const QString path = Chance(60) ? m_dir.filePath(QStringLiteral("corrupt.zok")) : RandomParameterFile();
    if (!QFileInfo(path).isFile() && QFileInfo::exists(path))
        return;
    QByteArray bytes = chaos::FileBytes(path).value_or(QByteArray());
    const int how = Pick(5);
    switch (how) {
    case 0: // cut short
        bytes.truncate(Pick(static_cast<int>(bytes.size()) + 1));
        break;
    case 1: // random bytes
        bytes.resize(Pick(3000));
        for (char &c : bytes)
            c = static_cast<char>(Pick(256));
        break;
    case 2: // a key lost
        bytes.replace("RX_VITESSE", "RX_VITESS");
        break;
    case 3: // a line longer than any buffer
        bytes.insert(Pick(static_cast<int>(bytes.size()) + 1), QByteArray(100000, 'F'));
        break;
    default: // values that are not numbers
        bytes = "[ZOK_PARAMETERS]\r\nRX_SENSIBILITY=zz\r\nRX_VITESSE=-1\r\n";
        break;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    Note("file: corrupt " + QFileInfo(path).fileName().toStdString() + " way " + std::to_string(how));
}

void ChaosDriver::Answer(PendingAnswer &pending)
{
    if (pending.kind == PendingAnswer::Kind::MessageBox) {
        std::vector<QMessageBox::StandardButton> offered;
        for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1)
            if (pending.buttons.testFlag(static_cast<QMessageBox::StandardButton>(bit)))
                offered.push_back(static_cast<QMessageBox::StandardButton>(bit));
        pending.button = offered.empty()
                             ? QMessageBox::Ok
                             : offered.at(static_cast<std::size_t>(Pick(static_cast<int>(offered.size()))));
        Note("box: answer " + std::to_string(pending.button));
    } else {
        if (Chance(20))
            pending.path.reset();
        else
            pending.path = RandomParameterFile();
        Note(std::string("file dialog: ") +
             (pending.kind == PendingAnswer::Kind::SaveFile ? "save " : "load ") +
             (pending.path ? QFileInfo(*pending.path).fileName().toStdString() : "cancelled"));
    }
    if (pending.loop)
        pending.loop->quit();
}

QMessageBox::StandardButton ChaosDriver::OnMessageBox(const QString &text,
                                                      QMessageBox::StandardButtons buttons)
{
    CheckPendingSave(true);
    Note("box: shows '" + text.left(50).toStdString() + "'");
    PendingAnswer pending{PendingAnswer::Kind::MessageBox, buttons, nullptr, QMessageBox::NoButton,
                          std::nullopt};
    if (Chance(40)) {
        Answer(pending);
        return pending.button;
    }
    QEventLoop loop;
    pending.loop = &loop;
    m_pending.push_back(&pending);
    loop.exec();
    m_pending.pop_back();
    return pending.button;
}

std::optional<QString> ChaosDriver::OnFileDialog(PendingAnswer::Kind kind)
{
    PendingAnswer pending{kind, {}, nullptr, QMessageBox::NoButton, std::nullopt};
    if (Chance(30)) {
        Answer(pending);
    } else {
        QEventLoop loop;
        pending.loop = &loop;
        m_pending.push_back(&pending);
        loop.exec();
        m_pending.pop_back();
    }
    if (kind == PendingAnswer::Kind::SaveFile && pending.path)
        m_pendingSave = PendingSave{*pending.path, chaos::FileBytes(*pending.path)};
    return pending.path;
}

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

void ChaosDriver::CheckPendingSave(bool withModel)
{
    if (!m_pendingSave)
        return;
    const PendingSave save = *m_pendingSave;
    m_pendingSave.reset();
    const QString fault = withModel ? chaos::CheckSavedParameterFile(save.path, save.before,
                                                                     m_window->Properties(), m_dir.path())
                                    : chaos::CheckParameterFileWhole(save.path, save.before);
    if (!fault.isEmpty())
        Fail(fault);
}

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
}

void ChaosDriver::Quiet()
{
    if (m_quietTotal.elapsed() > kCloseLimitMs)
        Fail(QStringLiteral("the open dialogs and boxes could not be closed"));
    if (!m_pending.empty()) {
        PendingAnswer &pending = *m_pending.back();
        pending.button = QMessageBox::Cancel;
        pending.path.reset();
        if (!pending.buttons.testFlag(QMessageBox::Cancel))
            pending.button = QMessageBox::Ok;
        Note("quiet: dismiss box or file dialog");
        pending.loop->quit();
        return;
    }
    if (QWidget *popup = QApplication::activePopupWidget()) {
        Note("quiet: close " + Name(popup));
        popup->close();
        return;
    }
    if (QWidget *modal = QApplication::activeModalWidget()) {
        Note("quiet: close " + Name(modal));
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    if (!m_window->isVisible()) {
        RestartWindow();
        return;
    }
    if (!m_quietStarted) {
        m_quietStarted = true;
        m_quietSince.start();
        return;
    }
    if (m_window->State() != ExchangeState::Idle) {
        if (m_quietSince.elapsed() > m_options.idleLimit.count())
            Fail(QStringLiteral("state %1 is not Idle %2 ms after the last action")
                     .arg(static_cast<int>(m_window->State()))
                     .arg(m_quietSince.elapsed()));
        return;
    }
    // Idle: the port controls follow the port.
    const bool open = m_window->Exchange().IsPortOpen();
    const bool checked = m_window->findChild<QCheckBox *>(QStringLiteral("1037"))->isChecked();
    if (checked != open || m_window->ReadButton()->isEnabled() != open ||
        m_window->WriteButton()->isEnabled() != open)
        Fail(QStringLiteral("in Idle the port is %1 but the box is %2, Read %3, Write %4")
                 .arg(open ? "open" : "closed", checked ? "set" : "clear",
                      m_window->ReadButton()->isEnabled() ? "enabled" : "disabled",
                      m_window->WriteButton()->isEnabled() ? "enabled" : "disabled"));
    ++m_totals.quietChecks;
    Note("quiet: Idle after " + std::to_string(m_quietSince.elapsed()) + " ms");
    if (m_phase == Phase::Finishing) {
        m_finished = true;
        m_mainLoop->quit();
        return;
    }
    m_phase = Phase::Acting;
    m_nextQuiet = m_totals.actions + 40 + static_cast<std::uint64_t>(Pick(120));
}
