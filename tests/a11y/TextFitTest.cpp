// Texts fit their controls and controls do not overlap, in the main window and every dialog, at
// the scale factor of the environment (CTest runs this at QT_SCALE_FACTOR 1.25, 1.5 and 2), in
// English and in French. Windows are checked at their minimum size, where clipping shows first.
// Tab goes through each window in reading order (top to bottom, left to right in a row).
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "ParameterFile.h"
#include "Simulator.h"
#include "WindowTour.h"
#include "WindowSettings.h"
#include "ZokText.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString Shown(QString text)
{
    return text.remove(QLatin1Char('&'));
}

QString Where(const QWidget *w)
{
    return QStringLiteral("'%1' (%2)")
        .arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
}

// What does not fit in `w` itself, or an empty text.
QString TextProblem(const QWidget *w)
{
    const QFontMetrics fm = w->fontMetrics();
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        const QRect room = label->contentsRect();
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return {};
        if (label->wordWrap())
            return label->heightForWidth(label->width()) > label->height()
                       ? QStringLiteral("wrapped text cut")
                       : QString();
        QRect needed = fm.boundingRect(QRect(0, 0, 100000, 100000), Qt::TextShowMnemonic, label->text());
        return needed.width() > room.width() + 1 || fm.height() > room.height() + 1
                   ? QStringLiteral("text %1x%2 in %3x%4")
                         .arg(needed.width())
                         .arg(needed.height())
                         .arg(room.width())
                         .arg(room.height())
                   : QString();
    }
    if (qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QComboBox *>(w)) {
        const QSize hint = w->minimumSizeHint();
        return w->width() < hint.width() || w->height() < hint.height()
                   ? QStringLiteral("%1x%2 below its minimum %3x%4")
                         .arg(w->width())
                         .arg(w->height())
                         .arg(hint.width())
                         .arg(hint.height())
                   : QString();
    }
    if (const auto *edit = qobject_cast<const QLineEdit *>(w)) {
        const int room = edit->width() - 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
        return fm.horizontalAdvance(edit->text()) > room || edit->height() < fm.height()
                   ? QStringLiteral("'%1' in %2 pixels").arg(edit->text()).arg(room)
                   : QString();
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(w))
        return fm.horizontalAdvance(Shown(group->title())) > group->width() ? QStringLiteral("title cut")
                                                                            : QString();
    if (const auto *header = qobject_cast<const QHeaderView *>(w)) {
        for (int i = 0; header->orientation() == Qt::Horizontal && i < header->count(); ++i) {
            const QString text = header->model()->headerData(i, Qt::Horizontal).toString();
            if (!header->isSectionHidden(i) && header->sectionSize(i) < fm.horizontalAdvance(text))
                return QStringLiteral("header '%1' cut").arg(text);
        }
    }
    return {};
}

// Children that a layout places side by side; a scroll area's parts and a progress bar drawn over
// its status pane stack by design.
bool PlacedByLayout(const QWidget *parent, const QWidget *child)
{
    return child->isVisible() && !child->isWindow() && !qobject_cast<const QAbstractScrollArea *>(parent) &&
           !(qobject_cast<const QStatusBar *>(parent) && child->inherits("QProgressBar")) &&
           !parent->inherits("EPropCtrl") && !parent->inherits("QTabBar");
}

void Check(const QWidget *parent, const QString &window, QStringList &problems)
{
    QList<const QWidget *> placed;
    for (const QObject *object : parent->children()) {
        const auto *child = qobject_cast<const QWidget *>(object);
        if (!child || !child->isVisible() || child->isWindow())
            continue;
        const QString text = TextProblem(child);
        if (!text.isEmpty())
            problems << QStringLiteral("%1: %2: %3").arg(window, Where(child), text);
        if (PlacedByLayout(parent, child)) {
            if (!parent->rect().contains(child->geometry()))
                problems
                    << QStringLiteral("%1: %2 sticks out of %3").arg(window, Where(child), Where(parent));
            for (const QWidget *other : placed)
                if (other->geometry().intersects(child->geometry()))
                    problems << QStringLiteral("%1: %2 overlaps %3").arg(window, Where(child), Where(other));
            placed << child;
        }
        Check(child, window, problems);
    }
}

// What a tab stop stands for in the window's layout: a part of a composite that places its parts
// itself (the property grid's list and tabs) counts as the composite.
const QWidget *Unit(const QWidget *w, const QWidget *window)
{
    const QWidget *unit = w;
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (!p->layout())
            unit = p;
    return unit;
}

void CheckTabOrder(QWidget *window, const QString &name, QStringList &problems)
{
    QList<const QWidget *> stops;
    for (QWidget *w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) || w->isWindow())
            continue;
        const QWidget *unit = Unit(w, window);
        if (!stops.contains(unit))
            stops << unit;
    }
    const auto place = [window](const QWidget *w) { return QRect(w->mapTo(window, QPoint()), w->size()); };
    for (int i = 1; i < stops.size(); ++i) {
        const QRect before = place(stops[i - 1]);
        const QRect next = place(stops[i]);
        const bool above = next.bottom() < before.top();
        const bool sameRow = next.top() <= before.bottom() && before.top() <= next.bottom();
        if (above || (sameRow && next.right() < before.left()))
            problems << QStringLiteral("%1: Tab goes from %2 back to %3")
                            .arg(name, Where(stops[i - 1]), Where(stops[i]));
    }
}

QStringList CheckAtMinimum(QWidget *window, const QString &name)
{
    window->resize(window->minimumSizeHint().expandedTo(window->minimumSize()));
    QTest::qWait(0);
    QStringList problems;
    Check(window, name, problems);
    CheckTabOrder(window, name, problems);
    return problems;
}

class TextFitTest : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowFits_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << static_cast<int>(zok::Language::English);
        QTest::newRow("French") << static_cast<int>(zok::Language::French);
    }

    void everyWindowFits()
    {
        QFETCH(int, language);
        zok::SelectLanguage(static_cast<zok::Language>(language));
        zok::sim::Simulator sim;
        const std::string port = sim.start();
        QTemporaryDir dir;
        CZOKSettings settings;
        QVERIFY(LoadWindowSettings(settings, dir.path(), QByteArray::fromStdString(port)));
        CZOKDlg window(settings);
        window.SetMessageBoxHook([](const CDialogEx::MessageBoxRequest &) { return QMessageBox::Ok; });
        const QString parameters = dir.filePath(QStringLiteral("set.zok"));
        QCOMPARE(zok::SaveParameterFile(parameters.toStdString(), window.Properties()),
                 zok::SaveOutcome::Saved);
        ParameterFileDialogs dialogs;
        dialogs.chooseLoadFile = [parameters](QWidget *) { return std::optional(parameters); };
        window.SetFileDialogs(dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.UpdateDialogControls();

        QStringList problems = CheckAtMinimum(&window, QStringLiteral("main window"));
        QStringList opened;
        const char *current = "";
        window.SetModalHook([&](QDialog &dialog) {
            dialog.show();
            if (QTest::qWaitForWindowExposed(&dialog))
                problems << CheckAtMinimum(&dialog, QString::fromLatin1(current));
            opened << QString::fromLatin1(current);
            dialog.reject();
            return static_cast<int>(QDialog::Rejected);
        });
        QStringList expected;
        for (const zok::tour::Step &step : zok::tour::DialogSteps()) {
            current = step.name;
            expected << QString::fromLatin1(step.name);
            QTRY_VERIFY(window.State() == ExchangeState::Idle);
            step.open(window);
        }
        QCOMPARE(opened, expected);
        if (!problems.isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("at scale %1:\n").arg(qEnvironmentVariable("QT_SCALE_FACTOR", "1")) +
                problems.join(QLatin1Char('\n'))));
    }
};

} // namespace

QTEST_MAIN(TextFitTest)
#include "TextFitTest.moc"
