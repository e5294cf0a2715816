// The random user's decisions: which context the screen is in, what to do there (drawn from the
// seed when recording), and doing it (also when the decision comes from a record). A decision
// names what it acts on by text and object name, never by a position in a list of the moment, so
// a replay acts on the same thing or finds it missing.
#include "ChaosDriver.h"

#include "CColorListBox.h"
#include "CZOKCloneDlg.h"
#include "CZOKDlg.h"
#include "CZOKToolDialog.h"
#include "ChaosFiles.h"
#include "EPropCtrl.h"
#include "EPropListCtrl.h"
#include "EPropWndEdit.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <array>

namespace {

constexpr int kExitCommand = CZOKDlg::ID_EXIT;

struct KeyName
{
    Qt::Key key;
    const char *name;
};
constexpr std::array<KeyName, 16> kKeys = {{{Qt::Key_Up, "Up"},
                                            {Qt::Key_Down, "Down"},
                                            {Qt::Key_Left, "Left"},
                                            {Qt::Key_Right, "Right"},
                                            {Qt::Key_Tab, "Tab"},
                                            {Qt::Key_Backtab, "Backtab"},
                                            {Qt::Key_Return, "Return"},
                                            {Qt::Key_Escape, "Escape"},
                                            {Qt::Key_Space, "Space"},
                                            {Qt::Key_PageUp, "PageUp"},
                                            {Qt::Key_PageDown, "PageDown"},
                                            {Qt::Key_Home, "Home"},
                                            {Qt::Key_End, "End"},
                                            {Qt::Key_Backspace, "Backspace"},
                                            {Qt::Key_Delete, "Delete"},
                                            {Qt::Key_Enter, "Enter"}}};
// The keys tried on a popup that is not a menu.
constexpr std::array<const char *, 4> kPopupKeys = {"Escape", "Down", "Up", "Return"};

std::optional<Qt::Key> KeyNamed(const std::string &name)
{
    for (const KeyName &key : kKeys)
        if (name == key.name)
            return key.key;
    return std::nullopt;
}

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

// A widget as a decision names it: class, object name, a button's text, and which of the widgets
// so named it is.
std::string Identity(const QWidget *widget)
{
    std::string identity = Name(widget);
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        identity += ":" + button->text().toStdString();
    return identity;
}

template <typename T> std::string WidgetId(const T *widget, const QList<T *> &candidates)
{
    const std::string identity = Identity(widget);
    int same = 0;
    for (const T *candidate : candidates) {
        if (candidate == widget)
            break;
        if (Identity(candidate) == identity)
            ++same;
    }
    return identity + "#" + std::to_string(same);
}

template <typename T> T *FindWidget(const std::string &id, const QList<T *> &candidates)
{
    for (T *candidate : candidates)
        if (WidgetId(candidate, candidates) == id)
            return candidate;
    return nullptr;
}

QList<QWidget *> KeyTargets(QDialog &dialog)
{
    QList<QWidget *> targets{&dialog};
    targets << dialog.findChildren<QWidget *>();
    return targets;
}

QList<QWidget *> Fields(const QDialog &dialog)
{
    QList<QWidget *> fields;
    for (QLineEdit *edit : Usable<QLineEdit>(dialog))
        fields << edit;
    for (QAbstractSpinBox *spin : Usable<QAbstractSpinBox>(dialog))
        fields << spin;
    return fields;
}

QList<QAction *> MenuItems(const QMenu &menu)
{
    QList<QAction *> items;
    for (QAction *action : menu.actions())
        if (!action->isSeparator() && action->isEnabled() && action->isVisible())
            items << action;
    return items;
}

bool IsWait(const chaos::Decision &decision)
{
    return decision.Word(decision.Is("dialog") ? 2 : 1) == "wait";
}

QAction *ItemNamed(const QMenu &menu, const std::string &text)
{
    for (QAction *action : MenuItems(menu))
        if (action->text().toStdString() == text)
            return action;
    return nullptr;
}

} // namespace

ChaosDriver::PendingAnswer *ChaosDriver::Innermost(bool announced) const
{
    for (auto it = m_pending.rbegin(); it != m_pending.rend(); ++it)
        if ((*it)->announced == announced)
            return *it;
    return nullptr;
}

std::string ChaosDriver::Context() const
{
    if (const PendingAnswer *pending = Innermost(true))
        return pending->kind == PendingAnswer::Kind::MessageBox ? "box" : "file";
    if (QWidget *popup = QApplication::activePopupWidget())
        return qobject_cast<QMenu *>(popup) ? "menu" : "popup";
    if (QWidget *modal = QApplication::activeModalWidget())
        return qobject_cast<QDialog *>(modal) ? "dialog " + Name(modal) : "modal";
    if (!m_window->isVisible())
        return "restart";
    return "window";
}

bool ChaosDriver::Due(const chaos::Decision &decision) const
{
    const std::string &context = decision.Word(0);
    // Waiting does the same wherever it happens: a menu that closed a moment earlier than when
    // recorded (a flashing item) is no reason to stop.
    if (context == "line" || IsWait(decision))
        return true;
    if (decision.Word(1) == "show") {
        const PendingAnswer *held = Innermost(false);
        return held && (held->kind == PendingAnswer::Kind::MessageBox) == (context == "box");
    }
    if (context == "dialog")
        return Context() == "dialog " + decision.Word(1);
    if (decision.Is("menu", "click")) {
        const auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        return menu && Innermost(true) == nullptr && ItemNamed(*menu, decision.Word(2));
    }
    return Context() == context;
}

void ChaosDriver::RefreshWindowMenu(const std::string &item)
{
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu || ItemNamed(*menu, item))
        return;
    for (const QAction *top : m_window->MenuBar()->actions())
        if (top->menu() == menu)
            m_window->UpdateMenu(menu);
}

chaos::Decision ChaosDriver::Choose()
{
    const std::string context = Context();
    if (context == "box" || context == "file")
        return Chance(60) ? ChooseAnswer(*Innermost(true)) : chaos::Decision{context, "wait"};
    if (context == "menu")
        return ChooseOnPopup(*qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    if (context == "popup")
        return {"popup", "key",
                kPopupKeys.at(static_cast<std::size_t>(Pick(static_cast<int>(kPopupKeys.size()))))};
    if (context == "modal")
        return {"modal", "close"};
    if (context == "restart")
        return {"restart"};
    if (context != "window")
        return ChooseOnDialog(*qobject_cast<QDialog *>(QApplication::activeModalWidget()));
    return ChooseOnWindow();
}

void ChaosDriver::AnswerFileChoosers(QDialog &dialog)
{
    if (dialog.property("chaosFileChooser").toBool())
        return;
    dialog.setProperty("chaosFileChooser", true);
    if (auto *tool = qobject_cast<CZOKToolDialog *>(&dialog))
        tool->setFileHook([this](QWidget *, const ToolFileRequest &) {
            return OnFileDialog(PendingAnswer::Kind::CsvFile);
        });
    if (auto *clone = qobject_cast<CZOKCloneDlg *>(&dialog))
        clone->SetCsvChooser([this](QWidget *) { return OnFileDialog(PendingAnswer::Kind::CsvFile); });
}

bool ChaosDriver::Perform(const chaos::Decision &decision)
{
    Log(decision);
    const std::string &context = decision.Word(0);
    if (IsWait(decision))
        return true;
    if (context == "window")
        return PerformOnWindow(decision);
    if (context == "menu" || context == "popup")
        return PerformOnPopup(decision);
    if (context == "dialog")
        return PerformOnDialog(decision);
    if (context == "box" || context == "file")
        return PerformAnswer(decision);
    if (context == "modal") {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal)
            modal->close();
        return modal != nullptr;
    }
    if (context == "restart") {
        RestartWindow();
        return true;
    }
    return false;
}

void ChaosDriver::MisbehaveLine(const chaos::Decision *recorded)
{
    std::optional<chaos::Draws> draws;
    if (recorded)
        draws.emplace(*recorded, 1);
    else
        draws.emplace(m_lineRandom);
    const std::string what = m_line->Misbehave(*draws);
    if (recorded) {
        Record(*recorded);
    } else {
        chaos::Decision decision{"line"};
        for (const long long number : draws->Taken())
            decision.Add(number);
        Record(decision);
    }
    Note(what);
    if (draws->Short())
        Diverge("the record's line decision does not fit the line", false);
    if (m_line->HangUps() != m_hangUpsSeen) {
        m_hangUpsSeen = m_line->HangUps();
        m_lostSinceHangUp = 0;
    }
}

// The window.

chaos::Decision ChaosDriver::ChooseOnWindow()
{
    const int roll = Pick(100);
    EPropListCtrl &list = m_window->PropertyGrid()->List();
    if (roll < 16) {
        const auto menus = m_window->MenuBar()->actions();
        // The tools live in the middle menus and the files in File: open those more often than "?".
        const int index = Pick(100);
        const QAction *top = menus.isEmpty()
                                 ? nullptr
                                 : menus.at(index < 30   ? 0
                                            : index < 90 ? std::min<int>(1 + Pick(2), menus.size() - 1)
                                                         : static_cast<int>(menus.size()) - 1);
        if (!top || !top->menu())
            return {"window", "wait"};
        return {"window", "menu", top->text().toStdString()};
    }
    if (roll < 24)
        return {"window", "read"};
    if (roll < 30)
        return {"window", "write"};
    if (roll < 35)
        return {"window", "port"};
    if (roll < 45)
        return ChooseGridClick();
    if (roll < 47) {
        // The column divider or the splitter above the comment pane, dragged anywhere (even out of
        // the control), as a user resizing carelessly.
        if (Chance(50))
            return chaos::Decision{"window", "grid-drag", "divider"}
                .Add(Pick(std::max(1, list.viewport()->height())))
                .Add(Pick(900) - 450);
        return chaos::Decision{"window", "grid-drag", "splitter"}.Add(Pick(900) - 450).Add(Pick(900) - 450);
    }
    if (roll < 57) {
        const auto buttons = Usable<QPushButton>(list);
        if (buttons.isEmpty())
            return ChooseGridClick();
        return {"window", "grid-button",
                buttons.at(Pick(static_cast<int>(buttons.size())))->objectName().toStdString()};
    }
    if (roll < 67) {
        chaos::Decision decision{"window", "keys",
                                 !Usable<EPropWndEdit>(list).isEmpty() && Chance(60) ? "edit" : "list"};
        AddKeys(decision);
        return decision;
    }
    if (roll < 74) {
        chaos::Decision decision{"window", "type",
                                 !Usable<EPropWndEdit>(list).isEmpty() && Chance(80) ? "edit" : "list"};
        AddText(decision);
        return decision;
    }
    if (roll < 75)
        return {"window", "help"};
    if (roll < 77)
        return {"window", "clear", Chance(50) ? "1007" : "1008"};
    if (roll < 79)
        return ChooseCorruption();
    if (roll < 84)
        return {"window", "speed"};
    return {"window", "wait"};
}

chaos::Decision ChaosDriver::ChooseGridClick()
{
    EPropListCtrl &list = m_window->PropertyGrid()->List();
    const int names = std::max(1, list.NameColumnWidth());
    const bool onName = Chance(40);
    const int x = onName ? Pick(names) : names + Pick(std::max(1, list.viewport()->width() - names));
    return chaos::Decision{"window", "grid-click", onName ? "name" : "value"}.Add(x).Add(
        Pick(std::max(1, list.viewport()->height())));
}

void ChaosDriver::AddKeys(chaos::Decision &decision)
{
    const int count = 1 + Pick(3);
    for (int i = 0; i < count; ++i)
        decision.Add(kKeys.at(static_cast<std::size_t>(Pick(static_cast<int>(kKeys.size())))).name);
}

void ChaosDriver::AddText(chaos::Decision &decision)
{
    static constexpr std::array<const char *, 14> kTexts = {
        "1", "12", "FF", "-5", "999999", "abc", "0", "255", "1e9", " ", "%s%n", "7", "40", "\xc3\x80"};
    decision.Add(kTexts.at(static_cast<std::size_t>(Pick(static_cast<int>(kTexts.size())))));
    decision.Add(Chance(40) ? "enter" : "stay");
}

std::string ChaosDriver::RandomParameterName()
{
    static constexpr std::array<const char *, 7> kNames = {
        "a.zok", "b.zok", "corrupt.zok", "corrupt.zok", "missing.zok", "no-folder/x.zok", "."};
    return kNames.at(static_cast<std::size_t>(Pick(static_cast<int>(kNames.size()))));
}

bool ChaosDriver::PerformOnWindow(const chaos::Decision &decision)
{
    const std::string &what = decision.Word(1);
    EPropCtrl &grid = *m_window->PropertyGrid();
    EPropListCtrl &list = grid.List();
    if (what == "menu") {
        for (QAction *top : m_window->MenuBar()->actions()) {
            if (top->menu() && top->text().toStdString() == decision.Word(2)) {
                const QRect where = m_window->MenuBar()->actionGeometry(top);
                top->menu()->popup(m_window->MenuBar()->mapToGlobal(where.bottomLeft()));
                return true;
            }
        }
        return false;
    }
    if (what == "read" || what == "write" || what == "help" || what == "port") {
        QAbstractButton *button = what == "read"    ? m_window->ReadButton()
                                  : what == "write" ? m_window->WriteButton()
                                  : what == "help"
                                      ? m_window->findChild<QAbstractButton *>(QStringLiteral("57670"))
                                      : m_window->findChild<QAbstractButton *>(QStringLiteral("1037"));
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
    if (what == "grid-click") {
        const QPoint at(static_cast<int>(decision.Number(3)), static_cast<int>(decision.Number(4)));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        return true;
    }
    if (what == "grid-drag") {
        const bool divider = decision.Word(2) == "divider";
        QWidget *target = divider ? list.viewport() : static_cast<QWidget *>(&grid);
        const QPoint from =
            divider ? QPoint(list.NameColumnWidth() + list.DividerWidth() / 2 - list.ScrollOffset().x(),
                             static_cast<int>(decision.Number(3)))
                    : grid.SplitterRect().center();
        const QPoint to = from + (divider ? QPoint(static_cast<int>(decision.Number(4)), 0)
                                          : QPoint(static_cast<int>(decision.Number(3)),
                                                   static_cast<int>(decision.Number(4))));
        QTest::mousePress(target, Qt::LeftButton, {}, from);
        QTest::mouseMove(target, (from + to) / 2);
        QTest::mouseMove(target, to);
        QTest::mouseRelease(target, Qt::LeftButton, {}, to);
        return true;
    }
    if (what == "grid-button") {
        for (QPushButton *button : Usable<QPushButton>(list)) {
            if (button->objectName().toStdString() == decision.Word(2)) {
                QTest::mouseClick(button, Qt::LeftButton);
                return true;
            }
        }
        return false;
    }
    if (what == "keys" || what == "type") {
        const auto edits = Usable<EPropWndEdit>(list);
        QWidget *target = &list;
        if (decision.Word(2) == "edit")
            target = edits.isEmpty() ? nullptr : edits.first();
        if (!target)
            return false;
        if (what == "type")
            TypeText(*target, decision, 3);
        return what == "type" || PressKeys(*target, decision, 3);
    }
    if (what == "clear") {
        auto *messages = m_window->findChild<CColorListBox *>(QString::fromStdString(decision.Word(2)));
        if (!messages)
            return false;
        QTest::mouseDClick(messages->viewport(), Qt::RightButton);
        return true;
    }
    if (what == "corrupt")
        return PerformCorruption(decision);
    if (what == "speed") {
        m_window->CommandAction(CZOKDlg::ID_SPEED_DETECTION)->trigger();
        return true;
    }
    return what == "wait";
}

// A parameter file damaged behind the program's back: cut short, random bytes, a key lost, a line
// longer than any buffer, values that are not numbers.
chaos::Decision ChaosDriver::ChooseCorruption()
{
    const std::string name = Chance(60) ? std::string("corrupt.zok") : RandomParameterName();
    const QString path = m_dir.filePath(QString::fromStdString(name));
    if (!QFileInfo(path).isFile() && QFileInfo::exists(path))
        return {"window", "wait"};
    const int size = static_cast<int>(chaos::FileBytes(path).value_or(QByteArray()).size());
    chaos::Decision decision{"window", "corrupt", name};
    switch (Pick(5)) {
    case 0:
        return decision.Add("cut").Add(Pick(size + 1));
    case 1:
        return decision.Add("random").Add(Pick(3000)).Add(Pick(0x7FFFFFFF));
    case 2:
        return decision.Add("key");
    case 3:
        return decision.Add("long").Add(Pick(size + 1));
    default:
        return decision.Add("words");
    }
}

bool ChaosDriver::PerformCorruption(const chaos::Decision &decision)
{
    const QString path = m_dir.filePath(QString::fromStdString(decision.Word(2)));
    QByteArray bytes = chaos::FileBytes(path).value_or(QByteArray());
    const std::string &how = decision.Word(3);
    const auto within = [&bytes](long long at) {
        return static_cast<qsizetype>(std::min<long long>(at, bytes.size()));
    };
    if (how == "cut") {
        bytes.truncate(within(decision.Number(4)));
    } else if (how == "random") {
        std::mt19937 random(static_cast<std::uint32_t>(decision.Number(5)));
        bytes.resize(static_cast<qsizetype>(decision.Number(4)));
        for (char &c : bytes)
            c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
    } else if (how == "key") {
        bytes.replace("RX_VITESSE", "RX_VITESS");
    } else if (how == "long") {
        bytes.insert(within(decision.Number(4)), QByteArray(100000, 'F'));
    } else {
        bytes = "[ZOK_PARAMETERS]\r\nRX_SENSIBILITY=zz\r\nRX_VITESSE=-1\r\n";
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return true;
}

bool ChaosDriver::PressKeys(QWidget &target, const chaos::Decision &decision, std::size_t first)
{
    QPointer<QWidget> alive(&target);
    for (std::size_t i = first; i < decision.words.size(); ++i) {
        const std::optional<Qt::Key> key = KeyNamed(decision.Word(i));
        if (!key)
            return false;
        if (!alive)
            return true;
        QTest::keyClick(alive.data(), *key);
    }
    return true;
}

void ChaosDriver::TypeText(QWidget &target, const chaos::Decision &decision, std::size_t first)
{
    QPointer<QWidget> alive(&target);
    QTest::keyClicks(&target, QString::fromStdString(decision.Word(first)));
    if (decision.Word(first + 1) == "enter" && alive)
        QTest::keyClick(alive.data(), Qt::Key_Return);
}

// Menus, the menu bar's or a choice row's (which runs its own loop), and other popups.

chaos::Decision ChaosDriver::ChooseOnPopup(const QMenu &menu)
{
    const QList<QAction *> items = MenuItems(menu);
    // Menus stay open a while now and then, as a user reads them; frames go on arriving meanwhile.
    const int roll = Pick(12);
    if (roll < 8 && !items.isEmpty()) {
        QAction *action = items.at(Pick(static_cast<int>(items.size())));
        // Exit starts the window again, which is worth doing now and then, not every few menus:
        // mostly another item is taken instead, or the menu left when Exit is all it offers (the
        // file commands wait for Idle).
        if (CDialogEx::CommandId(action) == kExitCommand && !Chance(15)) {
            QList<QAction *> others = items;
            others.removeAll(action);
            if (others.isEmpty())
                return {"menu", "escape"};
            action = others.at(Pick(static_cast<int>(others.size())));
        }
        return {"menu", "click", action->text().toStdString()};
    }
    if (roll < 8)
        return {"menu", "escape"};
    if (roll < 9)
        return {"menu", "down-return"};
    return {"menu", "wait"};
}

bool ChaosDriver::PerformOnPopup(const chaos::Decision &decision)
{
    QWidget *popup = QApplication::activePopupWidget();
    if (!popup)
        return false;
    const std::string &what = decision.Word(1);
    if (decision.Is("popup", "key")) {
        const std::optional<Qt::Key> key = KeyNamed(decision.Word(2));
        if (key)
            QTest::keyClick(popup, *key);
        return key.has_value();
    }
    auto *menu = qobject_cast<QMenu *>(popup);
    if (!menu)
        return false;
    if (what == "click") {
        QAction *action = ItemNamed(*menu, decision.Word(2));
        if (!action)
            return false;
        const QPoint at = menu->actionGeometry(action).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        return true;
    }
    if (what == "escape") {
        QTest::keyClick(menu, Qt::Key_Escape);
    } else if (what == "down-return") {
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    }
    return true;
}

// Modal dialogs (tools, serial port, About, the write-speed warning).

chaos::Decision ChaosDriver::ChooseOnDialog(QDialog &dialog)
{
    const std::string where = Name(&dialog);
    const int roll = Pick(20);
    if (roll < 8) {
        const auto buttons = Usable<QAbstractButton>(dialog);
        if (buttons.isEmpty())
            return {"dialog", where, "wait"};
        QAbstractButton *button = buttons.at(Pick(static_cast<int>(buttons.size())));
        // Stay in the dialog a while: a button that ends it is often passed over for another.
        static const QStringList kEnding = {QStringLiteral("OK"),      QStringLiteral("Cancel"),
                                            QStringLiteral("Annuler"), QStringLiteral("Close"),
                                            QStringLiteral("Fermer"),  QStringLiteral("Quitter")};
        if (kEnding.contains(button->text().remove(QLatin1Char('&'))) && Chance(60))
            button = buttons.at(Pick(static_cast<int>(buttons.size())));
        return {"dialog", where, "click", WidgetId(button, buttons)};
    }
    if (roll < 11) {
        const QList<QWidget *> fields = Fields(dialog);
        if (fields.isEmpty())
            return {"dialog", where, "wait"};
        chaos::Decision decision{"dialog", where, "type",
                                 WidgetId(fields.at(Pick(static_cast<int>(fields.size()))), fields),
                                 Chance(50) ? "select" : "keep"};
        AddText(decision);
        return decision;
    }
    if (roll < 13) {
        const auto combos = Usable<QComboBox>(dialog);
        if (combos.isEmpty())
            return {"dialog", where, "wait"};
        return {"dialog", where, "pick", WidgetId(combos.at(Pick(static_cast<int>(combos.size()))), combos),
                Chance(50) ? "down" : "up"};
    }
    if (roll < 16) {
        QWidget *focus = QApplication::focusWidget();
        QWidget *target = focus && dialog.isAncestorOf(focus) ? focus : &dialog;
        chaos::Decision decision{"dialog", where, "keys", WidgetId(target, KeyTargets(dialog))};
        AddKeys(decision);
        return decision;
    }
    if (roll < 17)
        return {"dialog", where, "reject"};
    if (roll < 18)
        return {"dialog", where, "close"};
    return {"dialog", where, "wait"};
}

bool ChaosDriver::PerformOnDialog(const chaos::Decision &decision)
{
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!dialog)
        return false;
    AnswerFileChoosers(*dialog);
    const std::string &what = decision.Word(2);
    const std::string &id = decision.Word(3);
    if (what == "click") {
        QAbstractButton *button = FindWidget(id, Usable<QAbstractButton>(*dialog));
        if (button)
            QTest::mouseClick(button, Qt::LeftButton);
        return button != nullptr;
    }
    if (what == "type") {
        QWidget *field = FindWidget(id, Fields(*dialog));
        if (!field)
            return false;
        if (decision.Word(4) == "select") {
            if (auto *edit = qobject_cast<QLineEdit *>(field))
                edit->selectAll();
            if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
                spin->selectAll();
        }
        TypeText(*field, decision, 5);
        return true;
    }
    if (what == "pick") {
        QComboBox *combo = FindWidget(id, Usable<QComboBox>(*dialog));
        if (combo)
            QTest::keyClick(combo, decision.Word(4) == "down" ? Qt::Key_Down : Qt::Key_Up);
        return combo != nullptr;
    }
    if (what == "keys") {
        QWidget *target = FindWidget(id, KeyTargets(*dialog));
        return target && PressKeys(*target, decision, 4);
    }
    if (what == "reject")
        dialog->reject();
    else if (what == "close")
        dialog->close();
    return true;
}

// Message boxes and file dialogs: a button of those offered; a file in the temporary folder
// (existing, missing, a folder, in a missing folder, or one the run corrupted), or cancelled.

chaos::Decision ChaosDriver::ChooseAnswer(const PendingAnswer &pending)
{
    if (pending.kind == PendingAnswer::Kind::CsvFile) {
        static constexpr std::array<const char *, 4> kCsvNames = {"a.csv", "b.csv", "no-folder/x.csv", "."};
        return {"file", "answer",
                Chance(20)
                    ? "-"
                    : kCsvNames.at(static_cast<std::size_t>(Pick(static_cast<int>(kCsvNames.size()))))};
    }
    if (pending.kind != PendingAnswer::Kind::MessageBox)
        return {"file", "answer", Chance(20) ? std::string("-") : RandomParameterName()};
    std::vector<QMessageBox::StandardButton> offered;
    for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1)
        if (pending.buttons.testFlag(static_cast<QMessageBox::StandardButton>(bit)))
            offered.push_back(static_cast<QMessageBox::StandardButton>(bit));
    const QMessageBox::StandardButton button =
        offered.empty() ? QMessageBox::Ok
                        : offered.at(static_cast<std::size_t>(Pick(static_cast<int>(offered.size()))));
    return chaos::Decision{"box", "answer"}.Add(static_cast<long long>(button));
}

bool ChaosDriver::PerformAnswer(const chaos::Decision &decision)
{
    const std::string &context = decision.Word(0);
    if (decision.Word(1) == "show") {
        // On a replay: a box held since it came early has its turn now.
        PendingAnswer *held = Innermost(false);
        if (!held)
            return false;
        held->announced = true;
        if (const chaos::Decision *next = m_script->Peek();
            decision.Word(2) == "now" && next && next->Is(context, "answer")) {
            const chaos::Decision answer = m_script->Take();
            Log(answer);
            ApplyAnswer(*held, answer);
        }
        return true;
    }
    if (decision.Word(1) == "wait")
        return true;
    PendingAnswer *pending = Innermost(true);
    if (!pending)
        return false;
    ApplyAnswer(*pending, decision);
    return true;
}

void ChaosDriver::ApplyAnswer(PendingAnswer &pending, const chaos::Decision &decision)
{
    if (pending.kind == PendingAnswer::Kind::MessageBox) {
        pending.button = static_cast<QMessageBox::StandardButton>(decision.Number(2));
    } else if (decision.Word(2) == "-") {
        pending.path.reset();
    } else {
        pending.path = QDir(m_dir.path()).filePath(QString::fromStdString(decision.Word(2)));
    }
    if (pending.loop)
        pending.loop->quit();
}
