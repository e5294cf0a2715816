#include "EPropGrid.h"
#include "EPropWndEdit.h"
#include "GalleryHost.h"
#include "TestHost.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

// The complete control: placement, tabs, splitter and comment pane, with the gallery's host.
class PropCtrlTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QDialog> m_dialog;
    std::unique_ptr<EPropCtrl> m_grid;
    GalleryHost m_gallery;

    void makeDialog()
    {
        m_dialog = std::make_unique<QDialog>();
        auto *layout = new QVBoxLayout(m_dialog.get());
        auto *placeholder = new QWidget(m_dialog.get());
        placeholder->setObjectName(QStringLiteral("1002"));
        layout->addWidget(placeholder, 1);
        layout->addWidget(new QPushButton(QStringLiteral("OK"), m_dialog.get()));
        m_dialog->resize(400, 400);
        m_grid = std::make_unique<EPropCtrl>();
        QVERIFY(m_grid->CreateFromPlaceholder(m_dialog.get(), 1002));
        m_grid->ShowComment(true);
        m_grid->SetCommentHeight(70);
        m_grid->SetHost(&m_gallery);
        m_grid->SetListener(&m_gallery);
        m_grid->SetCommentTitle(QStringLiteral("Help :"));
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    EPropListCtrl &list() { return m_grid->List(); }
    EProperty *row(int i) { return list().List().Row(i); }

private slots:
    void init()
    {
        m_gallery = GalleryHost();
        makeDialog();
    }
    void cleanup()
    {
        m_grid.reset();
        m_dialog.reset();
    }

    void replacesThePlaceholderInItsLayout()
    {
        const QList<QWidget *> named = m_dialog->findChildren<QWidget *>(QStringLiteral("1002"));
        QCOMPARE(named.size(), 1);
        QCOMPARE(named.first(), m_grid.get());
        QVERIFY(m_dialog->layout()->indexOf(m_grid.get()) >= 0);
        QVERIFY(m_grid->height() > 200);
        QVERIFY(m_grid->CreateFromPlaceholder(m_dialog.get(), 1002)); // again: the grid stands there
        QVERIFY(!m_grid->CreateFromPlaceholder(m_dialog.get(), 999));
    }

    void createPlacesThePartsByTheLayoutRule()
    {
        QWidget parent;
        EPropCtrl grid;
        grid.Create(&parent, 7, QRect(10, 10, 300, 200), nullptr);
        QCOMPARE(grid.objectName(), QStringLiteral("7"));
        QCOMPARE(grid.geometry(), QRect(10, 10, 300, 200));
        // no host: no tabs, no pane; the list reaches the 8-pixel splitter
        QCOMPARE(grid.List().geometry(), QRect(0, 0, 300, 192));
        QCOMPARE(grid.SplitterRect(), QRect(0, 192, 300, 8));
        grid.ShowComment(true);
        QCOMPARE(grid.CommentPane().geometry(), QRect(0, 155, 300, 45));
        QCOMPARE(grid.List().geometry(), QRect(0, 0, 300, 147));
    }

    void namedPagesGetTabsAndATabPicksItsPage()
    {
        QVERIFY(m_grid->Tabs().isVisible());
        QCOMPARE(m_grid->Tabs().count(), 2);
        QCOMPARE(m_grid->Tabs().tabText(1), QStringLiteral("Appearance"));
        QCOMPARE(list().List().CurrentPageIndex(), 0);
        list().Select(row(0));
        m_grid->Tabs().setCurrentIndex(1);
        QCOMPARE(list().List().CurrentPageIndex(), 1);
        QCOMPARE(list().Selected(), nullptr);
        QCOMPARE(row(0)->Name(), QStringLiteral("Marker colour"));
    }

    void refreshKeepsThePageByNameInAnyCase()
    {
        TestHost host;
        QString pageName = QStringLiteral("Beta");
        QString text;
        host.fill = [&](EPropList &l) {
            l.AddPage(QStringLiteral("Alpha"));
            l.AddString(&host, QStringLiteral("a"), &text);
            l.AddPage(pageName);
            l.AddString(&host, QStringLiteral("b"), &text);
        };
        m_grid->SetHost(&host);
        m_grid->Tabs().setCurrentIndex(1);
        pageName = QStringLiteral("BETA");
        m_grid->Refresh();
        QCOMPARE(m_grid->Tabs().currentIndex(), 1);
        QCOMPARE(m_grid->Tabs().tabText(1), QStringLiteral("BETA"));
        QCOMPARE(list().List().CurrentPageIndex(), 1);
        pageName = QStringLiteral("Gamma");
        m_grid->Refresh();
        QCOMPARE(list().List().CurrentPageIndex(), 0);
    }

    void aHostWithoutPagesShowsNoTabs()
    {
        TestHost host;
        QString text;
        host.fill = [&](EPropList &l) { l.AddString(&host, QStringLiteral("a"), &text); };
        m_grid->SetHost(&host);
        QVERIFY(!m_grid->Tabs().isVisible());
        QCOMPARE(list().geometry().bottom() + 1, m_grid->SplitterRect().top());
    }

    void theCommentPaneFollowsTheSelection()
    {
        ECommentPane &pane = m_grid->CommentPane();
        QCOMPARE(pane.DisplayText(), QStringLiteral("Help :\nPick a row to see what it sets."));
        list().Select(row(3));
        QCOMPARE(pane.DisplayText(),
                 QStringLiteral("Help :\nSensitivity of the receiver, 0 to 255. Type 0x for hexadecimal."));
        list().Select(row(10)); // no comment: "-" even with a title
        QCOMPARE(pane.DisplayText(), QStringLiteral("-"));
        m_grid->SetHost(nullptr);
        QCOMPARE(pane.DisplayText(), QStringLiteral("-"));
    }

    void aLongCommentEndsInDots()
    {
        TestHost host;
        QString text;
        host.fill = [&](EPropList &l) {
            l.AddString(&host, QStringLiteral("a"), &text)
                ->SetComment(QString(QStringLiteral("word ")).repeated(300));
        };
        m_grid->SetHost(&host);
        list().Select(row(0));
        QVERIFY(m_grid->CommentPane().DisplayText().endsWith(QStringLiteral("...")));
    }

    void theSplitterMovesInLineSteps()
    {
        const QRect splitter = m_grid->SplitterRect();
        const int h = m_grid->height();
        QTest::mousePress(m_grid.get(), Qt::LeftButton, {}, splitter.center());
        const QPoint to(50, h - 4 - 13 * 3);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), m_grid->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_grid.get(), &move);
        QCOMPARE(m_grid->CommentHeight(), 13 * 3 + 6);
        QCOMPARE(m_grid->CommentPane().height(), 45);
        const QPoint low(50, h - 10);
        QMouseEvent down(QEvent::MouseMove, QPointF(low), m_grid->mapToGlobal(QPointF(low)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_grid.get(), &down);
        QCOMPARE(m_grid->CommentHeight(), 0);
        QVERIFY(!m_grid->CommentPane().isVisible());
        QTest::mouseRelease(m_grid.get(), Qt::LeftButton, {}, low);
    }

    void theButtonKeepsTheEditOpen()
    {
        m_grid->Tabs().setCurrentIndex(1);
        list().Dialogs().chooseColor = [](QWidget *, const QColor &) { return QColor(1, 2, 3); };
        list().viewport()->repaint();
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, QPoint(20, row(0)->Rect().center().y()));
        auto *button = list().findChild<QPushButton *>(QStringLiteral("601"));
        QVERIFY(button);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        auto *edit = list().findChild<EPropWndEdit *>(QStringLiteral("600"));
        QVERIFY(edit);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_gallery.colour, EColorRef(1 + 256 * 2 + 65536 * 3));
        QCOMPARE(list().Selected(), row(0));
        QCOMPARE(edit->text(), QStringLiteral("1,2,3"));
        QCOMPARE(m_gallery.changes, 1);
    }

    void theChoiceMenuSetsTheCombo()
    {
        list().Dialogs().chooseItem = [](QWidget *, QPoint, const QStringList &, int) { return 2; };
        list().Select(row(2));
        auto *button = list().findChild<QPushButton *>(QStringLiteral("601"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_gallery.mode, 2);
        QCOMPARE(m_gallery.changes, 1);
    }

    // The host refreshes the grid while the choice menu runs: the row the menu belongs to is gone,
    // so its answer is dropped (and must not be used after the rows were rebuilt).
    void aRefreshInsideTheChoiceMenuDropsItsAnswer()
    {
        list().Dialogs().chooseItem = [this](QWidget *, QPoint, const QStringList &, int) {
            m_grid->Refresh();
            return 2;
        };
        list().Select(row(2));
        auto *button = list().findChild<QPushButton *>(QStringLiteral("601"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_gallery.mode, 1);
        QCOMPARE(m_gallery.changes, 0);
        QCOMPARE(list().Selected(), nullptr);
    }

    // A grid replaced while its real menu is open: the menu closes and the grid goes afterwards.
    void aGridRetiredUnderItsOpenMenuClosesItAndGoesLater()
    {
        list().Select(row(2));
        auto *button = list().findChild<QPushButton *>(QStringLiteral("601"));
        QVERIFY(button);
        QPointer<EPropCtrl> grid = m_grid.release();
        bool menuSeen = false;
        QTimer::singleShot(0, m_dialog.get(), [&] {
            menuSeen = QApplication::activePopupWidget() != nullptr;
            grid->RetireAndDeleteLater();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(menuSeen);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(m_gallery.mode, 1);
        QCOMPARE(m_gallery.changes, 0);
        QVERIFY(grid);
        QTRY_VERIFY(grid.isNull());
    }

    // The "..." button never takes the focus, so the keyboard opens a choice row's menu through
    // the list: Space, F4 and Alt+Down.
    void keysOpenTheChoiceMenu_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("space") << int(Qt::Key_Space) << int(Qt::NoModifier);
        QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
        QTest::newRow("alt+down") << int(Qt::Key_Down) << int(Qt::AltModifier);
    }
    void keysOpenTheChoiceMenu()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        int asked = 0;
        list().Dialogs().chooseItem = [&](QWidget *, QPoint, const QStringList &, int) {
            ++asked;
            return 2;
        };
        m_dialog->activateWindow();
        QTRY_VERIFY(m_dialog->isActiveWindow());
        list().setFocus();
        list().Select(row(2));
        QTest::keyClick(&list(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(asked, 1);
        QCOMPARE(m_gallery.mode, 2);
        QCOMPARE(list().Selected(), row(2));
    }

    // Dragged above the control, the pane stops where the splitter can still be grabbed.
    void theSplitterStaysInsideTheControl()
    {
        const QRect splitter = m_grid->SplitterRect();
        QTest::mousePress(m_grid.get(), Qt::LeftButton, {}, splitter.center());
        const QPoint to(50, -200);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), m_grid->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_grid.get(), &move);
        QTest::mouseRelease(m_grid.get(), Qt::LeftButton, {}, to);
        QVERIFY(m_grid->CommentHeight() <= m_grid->height() - 8 - m_grid->Tabs().height());
        QVERIFY(m_grid->SplitterRect().top() >= m_grid->Tabs().height());
        QVERIFY(m_grid->SplitterRect().bottom() < m_grid->height());
        // And it can be grabbed again and brought back down.
        QTest::mousePress(m_grid.get(), Qt::LeftButton, {}, m_grid->SplitterRect().center());
        const QPoint back(50, m_grid->height() - 4 - 13 * 2);
        QMouseEvent down(QEvent::MouseMove, QPointF(back), m_grid->mapToGlobal(QPointF(back)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_grid.get(), &down);
        QTest::mouseRelease(m_grid.get(), Qt::LeftButton, {}, back);
        QCOMPARE(m_grid->CommentHeight(), 13 * 2 + 6);
    }

    // Enter ends the selection; the text block's window stores only through its own OK.
    void enterOnATextblockRowDoesNotStoreItsWindow()
    {
        m_grid->Tabs().setCurrentIndex(1);
        const QString before = m_gallery.notes;
        list().Select(row(4));
        auto *button = list().findChild<QPushButton *>(QStringLiteral("601"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        auto *window = static_cast<EPropertyTextblock *>(row(4))->Window();
        QVERIFY(window);
        window->findChild<QPlainTextEdit *>(QStringLiteral("1"))->setPlainText(QStringLiteral("typed"));
        list().setFocus();
        QTest::keyClick(&list(), Qt::Key_Return);
        QCOMPARE(m_gallery.notes, before);
        QCOMPARE(m_gallery.changes, 0);
        QCOMPARE(list().Selected(), nullptr);
    }

    void theTextblockWindowCommitsOnOk()
    {
        m_grid->Tabs().setCurrentIndex(1);
        list().Select(row(4));
        auto *button = list().findChild<QPushButton *>(QStringLiteral("601"));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        auto *window = static_cast<EPropertyTextblock *>(row(4))->Window();
        QVERIFY(window);
        window->findChild<QPlainTextEdit *>(QStringLiteral("1"))->setPlainText(QStringLiteral("a\nb"));
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("2")), Qt::LeftButton);
        QCOMPARE(m_gallery.notes, QStringLiteral("a\nb"));
        QCOMPARE(m_gallery.changes, 1);
        QTRY_VERIFY(static_cast<EPropertyTextblock *>(row(4))->Window() == nullptr);
    }
};

QTEST_MAIN(PropCtrlTest)
#include "PropCtrlTest.moc"
