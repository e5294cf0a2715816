// The colours that ZOK paints itself stay readable on a light and on a dark desktop palette: the
// four line colours of the message and traffic lists (text, 4.5:1 against the list), the main
// window's progress bar (a graphic, 3:1 against its groove) and the property grid's texts. On a
// light palette the program's own colours are kept wherever they are readable already.
#include "CColorLineDelegate.h"
#include "CColorListBox.h"
#include "CDlgStatusBar.h"
#include "CProgressBar.h"
#include "DarkPalette.h"
#include "EPropListCtrl.h"
#include "EProperty.h"
#include "LineColors.h"
#include "ReadableColor.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

namespace {

class ContrastTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void paintedColoursAreReadable_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<bool>("light");
        QTest::newRow("light") << QApplication::style()->standardPalette() << true;
        QTest::newRow("dark") << zok::tour::DarkPalette() << false;
    }

    void paintedColoursAreReadable()
    {
        QFETCH(QPalette, palette);
        QFETCH(bool, light);
        // Built before the palette changes, as on a desktop that switches its theme while ZOK runs.
        CColorListBox list;
        CDlgStatusBar bar;
        bar.SetIndicators({1, 2});
        auto *progress = new CProgressBar(&bar);
        QVERIFY(progress->AttachToPane(&bar, QString(), 100, 100, true, 1));
        const QColor spec(0, 64, 128);
        progress->SetBarColor(spec);
        EPropListCtrl grid;
        QApplication::setPalette(palette);

        const QColor base = list.palette().color(QPalette::Base);
        const struct
        {
            const char *name;
            QColor color;
        } lines[] = {{"orange", zok::LineColor::kOrange},
                     {"blue", zok::LineColor::kBlue},
                     {"red", zok::LineColor::kRed},
                     {"green", zok::LineColor::kGreen}};
        for (const auto &line : lines) {
            list.AddColoredString(QString::fromLatin1(line.name), line.color);
            list.ShowPendingLines();
            QStyleOptionViewItem option;
            option.initFrom(&list);
            option.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
            const QColor shown =
                CColorLineDelegate::TextColor(option, list.model()->index(list.count() - 1, 0));
            QVERIFY2(zok::ContrastRatio(shown, base) >= zok::kTextContrast, line.name);
            // Kept as the program gives it where it reads already.
            if (zok::ContrastRatio(line.color, base) >= zok::kTextContrast)
                QCOMPARE(shown, line.color);
        }

        const QColor chunk = progress->palette().color(QPalette::Highlight);
        QVERIFY(zok::ContrastRatio(chunk, progress->palette().color(QPalette::Base)) >=
                zok::kGraphicContrast);
        QCOMPARE(progress->BarColor(), spec);
        if (light)
            QCOMPARE(chunk, spec);

        // The grid: names on the face and on the selected row's orange, values on their cells.
        for (const QColor &back : {grid.FaceColor(), EProperty::HighlightColor()})
            QVERIFY(zok::ContrastRatio(grid.TextColorOn(back), back) >= zok::kTextContrast);
        QVERIFY(zok::ContrastRatio(grid.ValueTextColor(), grid.ValueBackColor()) >= zok::kTextContrast);
    }

    void readableShadesKeepTheirHue()
    {
        // Darker on white, lighter on black, as little as needed; black or white when no shade of
        // the hue reaches the contrast (a mid grey background).
        const QColor orange(255, 128, 0);
        const QColor onWhite = zok::ReadableOn(orange, Qt::white, 4.5);
        QVERIFY(zok::ContrastRatio(onWhite, Qt::white) >= 4.5);
        QVERIFY(zok::ContrastRatio(onWhite, Qt::white) < 4.7);
        QCOMPARE(onWhite.hslHue(), orange.hslHue());
        const QColor onBlack = zok::ReadableOn(QColor(0, 0, 255), Qt::black, 4.5);
        QVERIFY(zok::ContrastRatio(onBlack, Qt::black) >= 4.5);
        QVERIFY(onBlack.lightnessF() > 0.5);
        QCOMPARE(zok::ReadableOn(orange, QColor(118, 118, 118), 7.0), QColor(Qt::black));
    }
};

} // namespace

QTEST_MAIN(ContrastTest)
#include "ContrastTest.moc"
