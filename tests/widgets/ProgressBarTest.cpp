#include "CDialogEx.h"
#include "CDlgStatusBar.h"
#include "CProgressBar.h"

#include <QPointer>
#include <QTest>

class ProgressBarTest : public QObject
{
    Q_OBJECT

private slots:
    void fitRect_data()
    {
        QTest::addColumn<QRect>("pane");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("space");
        QTest::addColumn<int>("size");
        QTest::addColumn<QRect>("expected");
        // x 300 to 500, 20 high: a tenth of the height off at the top and at the bottom.
        QTest::newRow("whole pane") << QRect(300, 0, 200, 20) << 0 << 3 << 100 << QRect(300, 2, 200, 16);
        // The message and four spaces go first; the bar takes half of what is left.
        QTest::newRow("half after message")
            << QRect(300, 0, 200, 20) << 30 << 3 << 50 << QRect(342, 2, 79, 16);
        QTest::newRow("size zero") << QRect(300, 0, 200, 20) << 0 << 3 << 0 << QRect(300, 2, 0, 16);
        QTest::newRow("message wider than pane")
            << QRect(10, 5, 50, 19) << 80 << 4 << 100 << QRect(106, 6, 0, 17);
    }

    void fitRect()
    {
        QFETCH(QRect, pane);
        QFETCH(int, message);
        QFETCH(int, space);
        QFETCH(int, size);
        QFETCH(QRect, expected);
        QCOMPARE(CProgressBar::FitRect(pane, message, space, size), expected);
    }

    void attachesInsideItsPaneAndFollowsIt()
    {
        Fixture f;
        auto *bar = new CProgressBar;
        QVERIFY(bar->AttachToPane(f.statusBar(), QString(), 100, 100, true, 1));
        QCOMPARE(bar->parentWidget(), f.statusBar());
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(f.statusBar()->PaneText(1), QString());
        QTRY_COMPARE(bar->geometry().left(), f.statusBar()->PaneRect(1).left());
        QCOMPARE(bar->geometry().width(), f.statusBar()->PaneRect(1).width());
        QVERIFY(f.statusBar()->PaneRect(1).contains(bar->geometry()));

        // Widening pane 1 widens the bar.
        f.statusBar()->SetPaneWidth(1, 320);
        QTRY_COMPARE(bar->geometry().width(), f.statusBar()->PaneRect(1).width());
        QVERIFY(bar->width() >= 320);
    }

    void goingAwayRestoresThePaneText()
    {
        Fixture f;
        auto *inPane1 = new CProgressBar;
        inPane1->AttachToPane(f.statusBar(), QString(), 100, 100, true, 1);
        auto *inPane0 = new CProgressBar;
        inPane0->AttachToPane(f.statusBar(), QStringLiteral("Working"), 50, 100, true, 0);
        QCOMPARE(f.statusBar()->PaneText(0), QStringLiteral("Working"));
        f.statusBar()->SetIdlePrompt(QStringLiteral("Prêt"));
        delete inPane1;
        delete inPane0;
        QCOMPARE(f.statusBar()->PaneText(1), QStringLiteral("Progress"));
        QCOMPARE(f.statusBar()->PaneText(0), QStringLiteral("Prêt"));
    }

    void positionShowsTheBarAgainAndColourIsKept()
    {
        CProgressBar loose;
        QVERIFY(!loose.FitToPane());
        QCOMPARE(loose.SetBarColor(QColor(0, 64, 128)).rgba(), CProgressBar::kDefaultColor);
        QVERIFY(!loose.AttachToPane(nullptr, QString()));

        Fixture f;
        auto *bar = new CProgressBar;
        QVERIFY(!bar->AttachToPane(f.statusBar(), QString(), 100, 100, true, 9));
        QVERIFY(bar->AttachToPane(f.statusBar(), QString(), 100, 100, true, 1));
        QCOMPARE(bar->SetBarColor(QColor(0, 64, 128)).rgba(), CProgressBar::kDefaultColor);
        QCOMPARE(bar->SetBarColor(QColor(0, 64, 128)), QColor(0, 64, 128));
        QCOMPARE(bar->palette().color(QPalette::Highlight), QColor(0, 64, 128));
        bar->RestorePane();
        QVERIFY(!bar->isVisible());
        bar->SetPosition(40);
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->value(), 40);
    }

    void dyingWithTheStatusBarIsSafe()
    {
        QPointer<CProgressBar> bar;
        {
            Fixture f;
            bar = new CProgressBar;
            bar->AttachToPane(f.statusBar(), QString(), 100, 100, true, 1);
        }
        QVERIFY(bar.isNull());
    }

private:
    struct Fixture
    {
        CDialogEx dialog;
        Fixture()
        {
            dialog.CreateDialogBars({57346, 57347, 57348, 57349, 57350});
            const char *texts[] = {"Etat", "Progress", "Sync", "Port %s", "Receiver %X"};
            const int widths[] = {70, 200, 40, 80, 80};
            for (int i = 0; i < 5; ++i) {
                statusBar()->SetPaneText(i, QString::fromLatin1(texts[i]));
                statusBar()->SetPaneWidth(i, widths[i]);
            }
            dialog.resize(700, 120);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        }
        CDlgStatusBar *statusBar() const { return dialog.StatusBar(); }
    };
};

QTEST_MAIN(ProgressBarTest)
#include "ProgressBarTest.moc"
