#include "EPropListCtrl.h"
#include "EPropWndEdit.h"
#include "EPropertyCheck.h"
#include "EPropertyInt.h"
#include "IPropertyChangeListener.h"
#include "TestHost.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <array>
#include <functional>
#include <memory>

namespace {
class CountingListener : public IPropertyChangeListener
{
public:
    int changes = 0;
    std::function<void()> onChange;
    void PropertyChanged() override
    {
        ++changes;
        if (onChange)
            onChange();
    }
    void GetEmptyText(QString &text) override { text = QStringLiteral("nothing here"); }
};
} // namespace

// The list window in a dialog with a default button, as a program places it.
class ListCtrlTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QDialog> m_dialog;
    EPropListCtrl *m_list = nullptr;
    QPushButton *m_ok = nullptr;
    QLineEdit *m_other = nullptr;
    TestHost m_host;
    CountingListener m_listener;
    std::array<std::int32_t, 5> m_ints{};
    bool m_check = false;

    EProperty *row(int i) const { return m_list->List().Row(i); }
    QWidget *focused() const { return QApplication::focusWidget(); }
    QPoint centreOf(int i) const
    {
        const QRect r = row(i)->Rect();
        return QPoint(20, r.y() + r.height() / 2) - m_list->ScrollOffset();
    }
    void click(int i) { QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, centreOf(i)); }
    EPropWndEdit *edit() const { return m_list->findChild<EPropWndEdit *>(QStringLiteral("600")); }
    void type(const QString &text)
    {
        QVERIFY(edit());
        edit()->selectAll();
        QTest::keyClicks(edit(), text);
    }

private slots:
    void init()
    {
        m_ints = {10, 20, 30, 40, 50};
        m_check = false;
        m_host = TestHost();
        m_host.fill = [this](EPropList &list) {
            for (int i = 0; i < 5; ++i)
                list.AddInt(&m_host, QStringLiteral("Int %1").arg(i), &m_ints[i]);
            list.AddCheck(&m_host, QStringLiteral("Check"), &m_check);
        };
        m_listener = CountingListener();
        m_dialog = std::make_unique<QDialog>();
        auto *layout = new QVBoxLayout(m_dialog.get());
        m_list = new EPropListCtrl(m_dialog.get());
        m_other = new QLineEdit(m_dialog.get());
        m_ok = new QPushButton(QStringLiteral("OK"), m_dialog.get());
        m_ok->setDefault(true);
        layout->addWidget(m_list);
        layout->addWidget(m_other);
        layout->addWidget(m_ok);
        m_list->SetListener(&m_listener);
        m_list->SetHost(&m_host);
        m_dialog->resize(300, 300);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        m_dialog->activateWindow();
        QTRY_VERIFY(m_dialog->isActiveWindow());
    }

    void cleanup() { m_dialog.reset(); }

    void clickSelectsAndOpensTheEditBox()
    {
        click(2);
        QCOMPARE(m_list->Selected(), row(2));
        QVERIFY(edit());
        QCOMPARE(focused(), edit());
        QCOMPARE(edit()->text(), QStringLiteral("30"));
        QVERIFY(m_list->accessibleDescription().contains(QStringLiteral("Int 2")));
    }

    void arrowsAndPagesMoveTheSelectionWhileEditing()
    {
        click(0);
        QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(m_list->Selected(), row(1));
        QTest::keyClick(focused(), Qt::Key_PageDown);
        QCOMPARE(m_list->Selected(), row(4));
        QTest::keyClick(focused(), Qt::Key_Up);
        QCOMPARE(m_list->Selected(), row(3));
        QTest::keyClick(focused(), Qt::Key_PageUp);
        QCOMPARE(m_list->Selected(), row(0));
        QTest::keyClick(focused(), Qt::Key_Up); // above the first row: none
        QCOMPARE(m_list->Selected(), nullptr);
    }

    void tabPastTheLastRowClearsAndThenLeaves()
    {
        click(4);
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(m_list->Selected(), row(5)); // the check row: the list keeps the focus
        QCOMPARE(focused(), m_list);
        QTest::keyClick(focused(), Qt::Key_Backtab);
        QCOMPARE(m_list->Selected(), row(4));
        QTest::keyClick(focused(), Qt::Key_Tab);
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(m_list->Selected(), nullptr);
        QTest::keyClick(focused(), Qt::Key_Tab); // nothing selected: Tab moves on in the dialog
        QVERIFY(focused() != m_list);
    }

    void homeAndEndWhenTheListHasTheFocus()
    {
        click(5);
        QCOMPARE(focused(), m_list);
        QTest::keyClick(m_list, Qt::Key_Home);
        QCOMPARE(m_list->Selected(), row(0));
        m_list->setFocus();
        QTest::keyClick(m_list, Qt::Key_End);
        QCOMPARE(m_list->Selected(), row(5));
    }

    void enterCommitsWithoutPressingTheDefaultButton()
    {
        QSignalSpy pressed(m_ok, &QPushButton::clicked);
        click(1);
        type(QStringLiteral("77"));
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(m_ints[1], 77);
        QCOMPARE(m_list->Selected(), nullptr);
        QCOMPARE(m_listener.changes, 1);
        QCOMPARE(pressed.count(), 0);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_host.changing.size(), size_t{1});
    }

    void escapeDropsTheTypedText()
    {
        click(1);
        type(QStringLiteral("99"));
        QTest::keyClick(focused(), Qt::Key_Escape);
        QCOMPARE(m_ints[1], 20);
        QCOMPARE(m_list->Selected(), nullptr);
        QVERIFY(m_dialog->isVisible()); // not rejected
        QCOMPARE(m_listener.changes, 0);
    }

    void movingOnCommitsTheEdit()
    {
        click(1);
        type(QStringLiteral("5*5"));
        QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(m_ints[1], 25);
        QCOMPARE(m_list->Selected(), row(2));
    }

    void focusLossToAnotherControlCommits()
    {
        click(3);
        type(QStringLiteral("0x10"));
        QTest::mouseClick(m_other, Qt::LeftButton);
        m_other->setFocus(Qt::MouseFocusReason);
        QCOMPARE(m_ints[3], 16);
        QCOMPARE(m_list->Selected(), nullptr);
    }

    // Another window taking the focus stores what was typed (its commands must see it); the edit
    // stays open for when the user comes back.
    void anotherWindowTakingTheFocusCommitsAndKeepsTheEdit()
    {
        click(3);
        type(QStringLiteral("44"));
        QWidget other;
        other.resize(100, 100);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        QCOMPARE(m_ints[3], 44);
        QCOMPARE(m_listener.changes, 1);
        QCOMPARE(m_list->Selected(), row(3));
        QVERIFY(edit());
    }

    // The edit box's own context menu belongs to the edit: nothing is stored while it is open.
    void theEditsOwnContextMenuDoesNotCommit()
    {
        click(3);
        type(QStringLiteral("45"));
        QContextMenuEvent menuRequest(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                      edit()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit(), &menuRequest);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QCOMPARE(m_ints[3], 40);
        QApplication::activePopupWidget()->close();
        QTRY_COMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(m_ints[3], 40);
        QCOMPARE(m_listener.changes, 0);
        QCOMPARE(edit()->text(), QStringLiteral("45"));
    }

    // A listener that refreshes the grid on every change rebuilds the rows while the selection
    // moves: the move lands on the new row at the same place.
    void movingOnWithARefreshingListenerSelectsTheNewRow()
    {
        m_listener.onChange = [this] { m_list->Refresh(); };
        click(1);
        type(QStringLiteral("66"));
        QTest::keyClick(focused(), Qt::Key_Down);
        QCOMPARE(m_ints[1], 66);
        QCOMPARE(m_list->Selected(), row(2));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the old box
        QVERIFY(edit());
        type(QStringLiteral("67"));
        QTest::keyClick(focused(), Qt::Key_Up);
        QCOMPARE(m_ints[2], 67);
        QCOMPARE(m_list->Selected(), row(1));
    }

    void aRefusedValueLeavesTheVariable()
    {
        m_host.approve = false;
        click(0);
        type(QStringLiteral("123"));
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(m_ints[0], 10);
        QCOMPARE(m_listener.changes, 0);
        QCOMPARE(static_cast<EPropertyInt *>(row(0))->TextValue(), QStringLiteral("10"));
    }

    void spaceTogglesTheCheckRow()
    {
        click(5);
        QTest::keyClick(m_list, Qt::Key_Space);
        QVERIFY(m_check);
        QCOMPARE(m_listener.changes, 1);
        QTest::keyClick(m_list, Qt::Key_Space);
        QVERIFY(!m_check);
    }

    void clickOnTheCheckBoxToggles()
    {
        m_list->viewport()->repaint(); // places the check box
        const QRect box = static_cast<EPropertyCheck *>(row(5))->IconRect();
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, box.center() - m_list->ScrollOffset());
        QVERIFY(m_check);
        QCOMPARE(m_listener.changes, 1);
    }

    void clickBelowTheLastRowClearsAndCommits()
    {
        click(2);
        type(QStringLiteral("31"));
        const QRect last = row(5)->Rect();
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, QPoint(20, last.bottom() + 10));
        QCOMPARE(m_ints[2], 31);
        QCOMPARE(m_list->Selected(), nullptr);
    }

    void draggingTheDividerStopsAtZero()
    {
        m_list->viewport()->repaint();
        const int x = m_list->NameColumnWidth() + 2;
        QWidget *vp = m_list->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(x, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(-40, 5), vp->mapToGlobal(QPointF(-40, 5)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        QCOMPARE(m_list->NameColumnWidth(), 0);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(-40, 5));
        QMouseEvent after(QEvent::MouseMove, QPointF(200, 5), vp->mapToGlobal(QPointF(200, 5)), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &after);
        QCOMPARE(m_list->NameColumnWidth(), 0); // the drag ended with the release
    }

    void anEmptyPageIgnoresClicks()
    {
        m_list->SetHost(nullptr);
        m_list->viewport()->repaint();
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(m_list->Selected(), nullptr);
        QCOMPARE(m_list->List().RowCount(), 0);
    }

    void scrollingUpALineFromThreeReachesZero()
    {
        m_dialog->resize(300, 90);
        QTRY_VERIFY(m_list->verticalScrollBar()->maximum() > 0);
        m_list->verticalScrollBar()->setValue(3);
        m_list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(m_list->verticalScrollBar()->value(), 0);
        m_list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(m_list->verticalScrollBar()->value(), std::min(20, m_list->verticalScrollBar()->maximum()));
    }

    void keysKeepTheSelectionVisible()
    {
        m_dialog->resize(300, 90);
        QTRY_VERIFY(m_list->verticalScrollBar()->maximum() > 0);
        click(0);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(focused(), Qt::Key_Down);
        const QRect r = row(5)->Rect();
        const int top = m_list->verticalScrollBar()->value();
        QVERIFY(r.y() >= top && r.bottom() < top + m_list->viewport()->height());
    }
};

QTEST_MAIN(ListCtrlTest)
#include "ListCtrlTest.moc"
