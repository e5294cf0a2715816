#include "CColorLineDelegate.h"
#include "CColorListBox.h"

#include <QImage>
#include <QTest>

namespace {
const QColor kOrange(255, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// Whether the row's area of the grabbed list holds a pixel of exactly this colour.
bool RowHasColor(CColorListBox &list, int row, const QColor &color)
{
    const QRect rect = list.visualItemRect(list.item(row));
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
        QVERIFY(RowHasColor(list, 0, kOrange));
        QVERIFY(RowHasColor(list, 1, kBlue));
        QVERIFY(RowHasColor(list, 2, kRed));
        QVERIFY(!RowHasColor(list, 0, kRed));
    }

    void aSelectedLineUsesTheHighlightColours()
    {
        CColorListBox list;
        list.AddColoredString(QStringLiteral("Read Error."), kRed);
        list.resize(300, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setCurrentRow(0);
        const QColor highlight = list.palette().color(QPalette::Active, QPalette::Highlight);
        QTRY_VERIFY(RowHasColor(list, 0, highlight));

        QStyleOptionViewItem option;
        option.palette = list.palette();
        option.state = QStyle::State_Enabled | QStyle::State_Selected;
        const QModelIndex index = list.model()->index(0, 0);
        QCOMPARE(CColorLineDelegate::TextColor(option, index),
                 list.palette().color(QPalette::Active, QPalette::HighlightedText));
        option.state = QStyle::State_Enabled;
        QCOMPARE(CColorLineDelegate::TextColor(option, index), kRed);
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
        QCOMPARE(list.visualItemRect(list.item(0)).top(), 0);
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
        QVERIFY(list.visualItemRect(list.item(0)).height() >= list.fontMetrics().height());
    }
};

QTEST_MAIN(ColorListBoxTest)
#include "ColorListBoxTest.moc"
