// The parameter grid while something of it runs its own event loop (a choice menu), and frames
// completing a read arrive inside that loop: the read rebuilds the grid under the open menu.
#include "CZOKDlg.h"
#include "EIconTextButtonProperty.h"
#include "EPropCtrl.h"
#include "EPropListCtrl.h"
#include "ParameterTable.h"
#include "PtyPair.h"
#include "WindowFixture.h"
#include "ZokText.h"

#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

using P = ParameterId;

namespace {

// Every answer a read needs from receiver 01: Operating Mode arrives as 2 (model value 1).
constexpr const char *kReadAnswers = "[010201][030101][050601][073C01][0BFF01][100101][C00001][VE v20.0.0]";

EIconTextButtonProperty *RowOf(CZOKDlg &window, P id)
{
    const EPropList &rows = window.PropertyGrid()->List().List();
    const void *member = window.Properties().ChoiceMember(id);
    for (int i = 0; i < rows.RowCount(); ++i)
        if (rows.Row(i)->Value() == member)
            return dynamic_cast<EIconTextButtonProperty *>(rows.Row(i));
    return nullptr;
}

bool ReadCompleted(const WindowFixture &f)
{
    return f.window->State() == ExchangeState::Idle && f.MessageLines().contains(zok::Text(140));
}

} // namespace

class GridRebuildTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { zok::SelectLanguage(zok::Language::English); }

    // The menu's answer comes after the read replaced the grid: it must reach neither the old rows
    // (gone) nor the model (the read's value stays).
    void aReadCompletingInsideTheChoiceHookRebuildsSafely()
    {
        PtyPair pty;
        WindowFixture f(pty.SlavePath(), true, 0x01);
        QVERIFY(f.Show());
        QPointer<EPropCtrl> oldGrid = f.window->PropertyGrid();
        EPropListCtrl &list = oldGrid->List();
        list.Select(RowOf(*f.window, P::RX_MODE_FCT));
        QPushButton *button = RowOf(*f.window, P::RX_MODE_FCT)->Button();
        QVERIFY(button);
        bool completedInside = false;
        list.Dialogs().chooseItem = [&](QWidget *, QPoint, const QStringList &, int) {
            f.window->ReadParameters();
            pty.Send(kReadAnswers);
            completedInside = QTest::qWaitFor([&] { return ReadCompleted(f); }, 15000);
            return 3;
        };
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(completedInside);
        QVERIFY(f.window->PropertyGrid() != oldGrid);
        QCOMPARE(f.window->Properties().Value(P::RX_MODE_FCT), 1);
        QVERIFY(!f.window->PropertiesModified());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(oldGrid.isNull());
        QCOMPARE(f.window->findChildren<EPropCtrl *>().size(), 1);
        QCOMPARE(f.Control<QWidget>("1002"), f.window->PropertyGrid());
    }

    // The real menu: it is closed by the rebuild, so its loop ends and the program goes on.
    void aReadCompletingWhileTheChoiceMenuIsOpenClosesIt()
    {
        PtyPair pty;
        WindowFixture f(pty.SlavePath(), true, 0x01);
        QVERIFY(f.Show());
        EPropListCtrl &list = f.window->PropertyGrid()->List();
        list.Select(RowOf(*f.window, P::RX_MODE_FCT));
        QPushButton *button = RowOf(*f.window, P::RX_MODE_FCT)->Button();
        QVERIFY(button);
        bool menuSeen = false;
        QTimer::singleShot(0, f.window.get(), [&] {
            menuSeen = qobject_cast<QMenu *>(QApplication::activePopupWidget()) != nullptr;
            f.window->ReadParameters();
            pty.Send(kReadAnswers);
        });
        // A safety net so that a broken rebuild fails the test instead of hanging it.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, f.window.get(), [] {
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        });
        guard.start(20000);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(menuSeen);
        QVERIFY(ReadCompleted(f));
        QVERIFY(guard.isActive());
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(f.window->Properties().Value(P::RX_MODE_FCT), 1);
    }
};

QTEST_MAIN(GridRebuildTest)
#include "GridRebuildTest.moc"
