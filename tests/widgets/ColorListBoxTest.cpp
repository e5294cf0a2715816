#include "CColorLineDelegate.h"
#include "CColorListBox.h"
#include "ReadableColor.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QItemSelectionModel>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {
const QColor kOrange(255, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

QRect RowRect(CColorListBox &list, int row)
{
    list.ShowPendingLines();
    return list.visualRect(list.model()->index(row, 0));
}

// A line's colour as drawn on the list's background: its own where it is readable there, else a
// shade of it that is (orange and red are darkened on white).
QColor Drawn(const CColorListBox &list, const QColor &color)
{
    return zok::ReadableOn(color, list.palette().color(QPalette::Base), zok::kTextContrast);
}

// Whether the row's area of the grabbed list holds a pixel of exactly this colour.
bool RowHasColor(CColorListBox &list, int row, const QColor &color)
{
    const QRect rect = RowRect(list, row);
    const QImage image = list.viewport()->grab(rect).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}
} // namespace

class ColorListBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void linesAreDrawnInTheirOwnColours()
    {
        CColorListBox list;
        QFont font = list.font();
        font.setStyleStrategy(QFont::NoAntialias);
        list.setFont(font);
        QCOMPARE(list.AddColoredString(QStringLiteral("[010000]"), kOrange), 0);
        QCOMPARE(list.AddColoredString(QStringLiteral("[0B0501]"), kBlue), 1);
        QCOMPARE(list.AddColoredString(QStringLiteral("Read Error."), kRed), 2);
        QCOMPARE(list.LineColor(1), kBlue);
        QCOMPARE(list.LineText(2), QStringLiteral("Read Error."));
        QCOMPARE(list.LineColor(7), QColor());
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(RowHasColor(list, 0, Drawn(list, kOrange)));
        QVERIFY(RowHasColor(list, 1, Drawn(list, kBlue)));
        QVERIFY(RowHasColor(list, 2, Drawn(list, kRed)));
        QVERIFY(!RowHasColor(list, 0, Drawn(list, kRed)));
        QCOMPARE(Drawn(list, kBlue), kBlue);
    }

    void aSelectedLineUsesTheHighlightColours()
    {
        CColorListBox list;
        list.AddColoredString(QStringLiteral("Read Error."), kRed);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.ShowPendingLines();
        list.setCurrentIndex(list.model()->index(0, 0));
        const QColor highlight = list.palette().color(QPalette::Active, QPalette::Highlight);
        QTRY_VERIFY(RowHasColor(list, 0, highlight));

        QStyleOptionViewItem option;
        option.palette = list.palette();
        option.state = QStyle::State_Enabled | QStyle::State_Selected;
        const QModelIndex index = list.model()->index(0, 0);
        QCOMPARE(CColorLineDelegate::TextColor(option, index),
                 list.palette().color(QPalette::Active, QPalette::HighlightedText));
        option.state = QStyle::State_Enabled;
        QCOMPARE(CColorLineDelegate::TextColor(option, index), Drawn(list, kRed));
        option.state = QStyle::State_None;
        QCOMPARE(CColorLineDelegate::TextColor(option, index),
                 list.palette().color(QPalette::Disabled, QPalette::Text));
    }

    void rightDoubleClickEmptiesTheList()
    {
        CColorListBox list;
        for (int i = 0; i < 20; ++i)
            list.AddColoredString(QStringLiteral("line %1").arg(i), kBlue);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, 5));
        QCOMPARE(list.count(), 20);
        QTest::mouseDClick(list.viewport(), Qt::RightButton, {}, QPoint(20, 5));
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.AddColoredString(QStringLiteral("again"), kRed), 0);
        QCOMPARE(RowRect(list, 0).top(), 0);
    }

    // The keyboard's way to the same: the context-menu key opens the list's actions; a mouse
    // context-menu request opens nothing, so right clicks stay free for the double-click.
    void theContextMenuKeyOffersTheListsActions()
    {
        CColorListBox list;
        int cleared = 0;
        auto *clear = new QAction(QStringLiteral("Clear"), &list);
        connect(clear, &QAction::triggered, &list, [&] { ++cleared; });
        list.addAction(clear);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(5, 5),
                                list.viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(list.viewport(), &mouse);
        QVERIFY(!QApplication::activePopupWidget());
        QTimer::singleShot(0, &list, [] {
            if (QWidget *menu = QApplication::activePopupWidget()) {
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            }
        });
        // Should the menu not take the keys, it is closed and the count tells.
        QTimer::singleShot(5000, &list, [] {
            if (QWidget *menu = QApplication::activePopupWidget())
                menu->close();
        });
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              list.viewport()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(list.viewport(), &key);
        QCOMPARE(cleared, 1);
    }

    // Lines are selected as in any list and Ctrl+C copies them in list order; new lines clear the
    // selection again and leave the newest current.
    void selectedLinesAreCopiedUntilNewLinesArrive()
    {
        CColorListBox list;
        for (int i = 0; i < 5; ++i)
            list.AddColoredString(QStringLiteral("line %1").arg(i), kBlue);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowRect(list, 3).center());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, RowRect(list, 1).center());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, RowRect(list, 4).center());
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(&list, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("line 1\nline 2\nline 3\nline 4"));

        list.AddColoredString(QStringLiteral("line 5"), kRed);
        QTRY_COMPARE(list.currentIndex().row(), 5);
        QVERIFY(!list.selectionModel()->hasSelection());
        QVERIFY(!list.CopySelection());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("line 1\nline 2\nline 3\nline 4"));
    }

    // Lines come in bursts, each shown at the next turn of the event loop; whatever the bursts,
    // the list holds the newest 500 in order with their colours, the view shows exactly those,
    // and the newest is current with nothing selected.
    void burstsAcrossTheBoundKeepTheNewestLinesInOrder()
    {
        CColorListBox list;
        list.SetMaxLines(500);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const auto colour = [](int n) { return n % 3 == 0 ? kRed : kBlue; };
        int next = 0;
        for (const int burst : {450, 100, 499, 1, 1200}) {
            for (int i = 0; i < burst; ++i, ++next)
                list.AddColoredString(QString::number(next), colour(next));
            const int kept = std::min(next, 500);
            QCOMPARE(list.count(), kept);
            QTRY_COMPARE(list.model()->index(kept - 1, 0).data().toString(), QString::number(next - 1));
            QCOMPARE(list.model()->rowCount(), kept);
            const int first = next - kept;
            for (int row = 0; row < kept; ++row) {
                const QModelIndex index = list.model()->index(row, 0);
                QCOMPARE(index.data().toString(), QString::number(first + row));
                QCOMPARE(index.data(CColorListBox::kColorRole).value<QColor>(), colour(first + row));
                QCOMPARE(list.LineText(row), QString::number(first + row));
            }
            QCOMPARE(list.currentIndex().row(), kept - 1);
            QVERIFY(list.selectionModel()->selectedIndexes().isEmpty());
        }
    }

    // The horizontal extent is the widest line kept, and shrinks once that line is dropped.
    void theExtentFollowsTheWidestLineKept()
    {
        CColorListBox list;
        list.SetMaxLines(3);
        const QString wide(80, QLatin1Char('W'));
        list.AddColoredString(wide, kBlue);
        list.AddColoredString(QStringLiteral("[01]"), kBlue);
        list.ShowPendingLines();
        QCOMPARE(list.WidestLine(), list.fontMetrics().horizontalAdvance(wide));
        for (int i = 0; i < 3; ++i)
            list.AddColoredString(QStringLiteral("[02]"), kBlue);
        list.ShowPendingLines();
        QCOMPARE(list.WidestLine(), list.fontMetrics().horizontalAdvance(QStringLiteral("[02]")));
    }

    // The logs have no tab stops: a tab in a received frame is not widened to a column.
    void tabsAreExpandedOnlyWhereTheListAsks()
    {
        CColorListBox list;
        QStyleOptionViewItem option;
        option.widget = &list;
        QVERIFY(!(CColorLineDelegate::TextFlags(option) & Qt::TextExpandTabs));
        list.SetTabStops(true);
        QVERIFY(CColorLineDelegate::TextFlags(option) & Qt::TextExpandTabs);
    }

    void linesAreNeverLowerThanTheirText()
    {
        CColorListBox list;
        list.AddColoredString(QStringLiteral("Ággy"), kBlue);
        QCOMPARE(list.count(), 1);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(RowRect(list, 0).height() >= list.fontMetrics().height());
    }
};

QTEST_MAIN(ColorListBoxTest)
#include "ColorListBoxTest.moc"
