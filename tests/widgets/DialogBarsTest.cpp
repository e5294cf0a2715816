#include "CDialogEx.h"
#include "CDlgStatusBar.h"
#include "ShowMessageBox.h"

#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Runs the real event loop, which blocks between timer ticks and so goes idle, until `done` holds.
template <typename Pred> bool RunLoopUntil(Pred done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    poll.start(10);
    loop.exec();
    return done();
}

const std::vector<int> kIndicators = {57346, 57347, 57348, 57349, 57350};
const int kWidths[] = {70, 200, 40, 80, 80};
} // namespace

class DialogBarsTest : public QObject
{
    Q_OBJECT

private slots:
    void panesCarryTheirIdsAndWidths()
    {
        CDialogEx dialog;
        QVERIFY(dialog.CreateDialogBars(kIndicators));
        QVERIFY(!dialog.CreateDialogBars(kIndicators));
        CDlgStatusBar *bar = dialog.StatusBar();
        QCOMPARE(bar->objectName(), QStringLiteral("59393"));
        QCOMPARE(bar->PaneCount(), 5);
        for (int i = 0; i < 5; ++i) {
            bar->SetPaneWidth(i, kWidths[i]);
            QCOMPARE(bar->Pane(i)->objectName(), QString::number(kIndicators[std::size_t(i)]));
            QCOMPARE(bar->CommandToIndex(kIndicators[std::size_t(i)]), i);
        }
        QCOMPARE(bar->CommandToIndex(1234), -1);
        dialog.resize(600, 200);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY(bar->PaneRect(4).right() > 500);
        for (int i = 1; i < 5; ++i)
            QVERIFY(bar->PaneRect(i).width() >= kWidths[i]);

        // Only pane 0 takes the extra width.
        const int pane0 = bar->PaneRect(0).width();
        const int pane1 = bar->PaneRect(1).width();
        dialog.resize(900, 200);
        QTRY_COMPARE(bar->PaneRect(0).width(), pane0 + 300);
        QCOMPARE(bar->PaneRect(1).width(), pane1);
    }

    void longTextWidensItsPaneInsteadOfBeingCut()
    {
        CDialogEx dialog;
        dialog.CreateDialogBars(kIndicators);
        CDlgStatusBar *bar = dialog.StatusBar();
        bar->SetPaneWidth(3, 80);
        bar->SetPaneText(3, QStringLiteral("Port /dev/ttyUSB0 OK with a long name"));
        dialog.resize(900, 100);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QLabel *pane = bar->Pane(3);
        QTRY_VERIFY(pane->width() >= pane->fontMetrics().horizontalAdvance(pane->text()));

        // A text that grows while the window is shown (the port pane after opening) widens too,
        // and the pane goes back to the width asked for with a short text.
        bar->SetPaneText(3, QStringLiteral("Port /dev/pts/0 and an even longer device name"));
        QTRY_VERIFY(pane->width() >= pane->fontMetrics().horizontalAdvance(pane->text()));
        bar->SetPaneText(3, QStringLiteral("P"));
        QTRY_COMPARE(pane->minimumWidth(), 80);
    }

    void panesAreRefreshedWhenTheLoopGoesIdle()
    {
        CDialogEx dialog;
        dialog.CreateDialogBars(kIndicators);
        CDlgStatusBar *bar = dialog.StatusBar();
        bar->SetPaneText(2, QStringLiteral("Sync"));
        bar->SetPaneText(4, QStringLiteral("Receiver %X"));
        QString state = QStringLiteral("Ready");
        bar->SetPaneUpdate(57346, [&state] { return state; });
        bar->SetPaneUpdate(57348, [] { return QStringLiteral("SYNC"); });

        // A hidden bar is not refreshed.
        dialog.UpdateDialogControls();
        QCOMPARE(bar->PaneText(0), QString());

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(RunLoopUntil([bar] { return bar->PaneText(0) == QStringLiteral("Ready"); }));
        QCOMPARE(bar->PaneText(2), QStringLiteral("SYNC"));
        state = QStringLiteral("Reading ...");
        QVERIFY(RunLoopUntil([bar] { return bar->PaneText(0) == QStringLiteral("Reading ..."); }));
        // A pane without handler keeps its text.
        QCOMPARE(bar->PaneText(4), QStringLiteral("Receiver %X"));
    }

    void creatingTheBarGrowsTheDialogAndMovesNoControl()
    {
        CDialogEx dialog;
        auto *layout = new QVBoxLayout(dialog.Client());
        auto *button = new QPushButton(QStringLiteral("Read"), dialog.Client());
        layout->addWidget(button);
        dialog.resize(400, 150);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint buttonAt = button->mapTo(&dialog, QPoint(0, 0));
        const int height = dialog.height();
        dialog.CreateDialogBars(kIndicators);
        const int barHeight = dialog.StatusBar()->sizeHint().height();
        QTRY_COMPARE(dialog.height(), height + barHeight);
        QTRY_COMPARE(dialog.StatusBar()->geometry().top(), height);
        QCOMPARE(button->mapTo(&dialog, QPoint(0, 0)), buttonAt);
    }

    void menuItemsFollowTheirUpdateHandlers()
    {
        CDialogEx dialog;
        QMenu *menu = dialog.MenuBar()->addMenu(QStringLiteral("&File"));
        QAction *guarded = menu->addAction(QStringLiteral("&Load"));
        QAction *always = menu->addAction(QStringLiteral("E&xit"));
        menu->addSeparator();
        QAction *orphan = menu->addAction(QStringLiteral("Nothing"));
        QAction *system = menu->addAction(QStringLiteral("System"));
        system->setData(0xF060);
        bool idle = true;
        int exits = 0;
        dialog.BindCommand(
            guarded, 32771, [] {}, [&idle](QAction &a) { a.setEnabled(idle); });
        dialog.BindCommand(always, 32773, [&exits] { ++exits; });
        orphan->setData(32999);
        dialog.WatchMenu(menu);

        emit menu->aboutToShow();
        QVERIFY(guarded->isEnabled());
        QVERIFY(always->isEnabled());
        QVERIFY(!orphan->isEnabled());
        QVERIFY(system->isEnabled());
        idle = false;
        emit menu->aboutToShow();
        QVERIFY(!guarded->isEnabled());
        QVERIFY(always->isEnabled());

        always->trigger();
        QCOMPARE(exits, 1);
        QCOMPARE(always->objectName(), QStringLiteral("32773"));
    }

    void aSubmenuUpdatesOnlyItsFirstItemWithoutDisabling()
    {
        CDialogEx dialog;
        QMenu *menu = dialog.MenuBar()->addMenu(QStringLiteral("Top"));
        QMenu *sub = menu->addMenu(QStringLiteral("Sub"));
        QAction *first = sub->addAction(QStringLiteral("First"));
        QAction *second = sub->addAction(QStringLiteral("Second"));
        first->setData(33001);
        second->setData(33002);
        dialog.UpdateMenu(menu);
        QVERIFY(first->isEnabled());
        QVERIFY(second->isEnabled());
    }

    void messageBoxesOfChildrenReachTheHook()
    {
        CDialogEx dialog;
        auto *child = new QWidget(dialog.Client());
        QList<CDialogEx::MessageBoxRequest> asked;
        dialog.SetMessageBoxHook([&asked](const CDialogEx::MessageBoxRequest &request) {
            asked.append(request);
            return QMessageBox::No;
        });
        const auto answer = ShowMessageBox(child, QStringLiteral("File access error."), QStringLiteral("ZOK"),
                                           QMessageBox::Critical, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(answer, QMessageBox::No);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().text, QStringLiteral("File access error."));
        QCOMPARE(asked.first().icon, QMessageBox::Critical);

        QDialog tool(&dialog);
        dialog.SetModalHook([](QDialog &d) { return d.objectName() == QStringLiteral("tool") ? 7 : 0; });
        tool.setObjectName(QStringLiteral("tool"));
        QCOMPARE(dialog.RunModal(tool), 7);
    }
};

QTEST_MAIN(DialogBarsTest)
#include "DialogBarsTest.moc"
