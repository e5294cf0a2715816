// The parameter grid of the main window and the parameter-file commands, with the file dialogs
// and the message boxes answered by hooks and a pseudo-terminal as the port.
#include "EPropCtrl.h"
#include "EPropListCtrl.h"
#include "EPropWndEdit.h"
#include "EProperty.h"
#include "LineColors.h"
#include "ParameterTable.h"
#include "PtyPair.h"
#include "TempDir.h"
#include "ZokText.h"

#include "CColorListBox.h"
#include "CDlgStatusBar.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <memory>

#include <optional>
#include <vector>

using P = ParameterId;

namespace {

const QString kMissingPort = QStringLiteral("/dev/zok-test-no-such-port");

QString SourceFile(const char *relative)
{
    return QStringLiteral(ZOK_SOURCE_DIR "/") + QString::fromLatin1(relative);
}

QString Fixture(const char *name)
{
    return SourceFile("tests/params/files/fixtures/") + QString::fromLatin1(name) + QStringLiteral(".zok");
}

// Settings as loaded from a settings file that names `port` (receiver 01).
std::unique_ptr<CZOKSettings> LoadedSettings(const QString &port)
{
    zok::test::TempDir dir;
    const std::string path = dir.file("ZOK.ini");
    zok::test::WriteBytes(path, "[ZOK]\r\nSERIAL_PORT=" + port.toStdString() + "\r\nRECEIVER_ID=01\r\n");
    auto settings = std::make_unique<CZOKSettings>();
    settings->Load(path);
    return settings;
}

// A main window whose file dialogs answer `path` (nullopt: cancelled) and whose message boxes
// are recorded instead of shown.
struct GridFixture
{
    std::unique_ptr<CZOKSettings> settings;
    std::unique_ptr<CZOKDlg> window;
    std::vector<CDialogEx::MessageBoxRequest> boxes;
    std::optional<QString> path;

    explicit GridFixture(const QString &port)
        : settings(LoadedSettings(port)), window(std::make_unique<CZOKDlg>(*settings))
    {
        window->SetUrlOpener([](const QUrl &) { return true; });
        window->SetMessageBoxHook([this](const CDialogEx::MessageBoxRequest &request) {
            boxes.push_back(request);
            return QMessageBox::Ok;
        });
        ParameterFileDialogs dialogs;
        dialogs.chooseSaveFile = [this](QWidget *) { return path; };
        dialogs.chooseLoadFile = [this](QWidget *) { return path; };
        window->SetFileDialogs(dialogs);
    }

    template <typename T> T *Control(const char *id) const
    {
        return window->findChild<T *>(QString::fromLatin1(id));
    }
    CColorListBox *Messages() const { return Control<CColorListBox>("1007"); }
    QCheckBox *OpenPortBox() const { return Control<QCheckBox>("1037"); }
    QStringList MessageLines() const
    {
        QStringList lines;
        for (int i = 0; i < Messages()->count(); ++i)
            lines << Messages()->LineText(i);
        return lines;
    }
    QString Pane(int index) const
    {
        window->UpdateDialogControls();
        return window->StatusBar()->PaneText(index);
    }
    bool Show() const
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    const EPropList &Rows() const { return window->PropertyGrid()->List().List(); }
    EProperty *RowOf(P id) const
    {
        CZOKProperties &model = window->Properties();
        const void *member = model.ByteMember(id) ? static_cast<void *>(model.ByteMember(id))
                                                  : static_cast<void *>(model.ChoiceMember(id));
        for (int i = 0; i < Rows().RowCount(); ++i)
            if (Rows().Row(i)->Value() == member)
                return Rows().Row(i);
        return nullptr;
    }
    // Types `text` into the in-place box of the row and presses Enter, as a user does.
    void Type(P id, const QString &text) const
    {
        EPropListCtrl &list = window->PropertyGrid()->List();
        list.Select(RowOf(id));
        // The box of an earlier row goes with deleteLater: let it go before looking for the new one.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto *edit = list.findChild<EPropWndEdit *>();
        QVERIFY(edit);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // Types `text` into the in-place box of the row and leaves it open, as a user who goes on to
    // the menu bar does.
    void TypeWithoutEnter(P id, const QString &text) const
    {
        EPropListCtrl &list = window->PropertyGrid()->List();
        list.Select(RowOf(id));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto *edit = list.findChild<EPropWndEdit *>();
        QVERIFY(edit);
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Opens the menu that holds command `id` and clicks the command, as a user does.
    void ChooseFromMenu(int id) const
    {
        QAction *action = window->CommandAction(id);
        auto *menu = qobject_cast<QMenu *>(action->parent());
        QVERIFY(menu);
        menu->popup(window->mapToGlobal(QPoint(10, 10)));
        QTRY_COMPARE(QApplication::activePopupWidget(), menu);
        QVERIFY(action->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }
    bool LastBoxIs(int textId, QMessageBox::Icon icon) const
    {
        return !boxes.empty() && boxes.back().text == zok::Text(textId) && boxes.back().icon == icon;
    }
};

} // namespace

class ParameterGridTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { zok::SelectLanguage(zok::Language::English); }

    void theGridTakesThePlaceholdersPlaceAtStartUp()
    {
        GridFixture f(kMissingPort);
        EPropCtrl *grid = f.window->PropertyGrid();
        QVERIFY(grid);
        QCOMPARE(f.Control<QWidget>("1002"), grid);
        QCOMPARE(f.window->PropertyControl(), grid);
        QVERIFY(grid->IsCommentVisible());
        QCOMPARE(grid->CommentHeight(), 70);
        QCOMPARE(grid->CommentPane().Title(), QStringLiteral("Help :"));
        QCOMPARE(f.Rows().RowCount(), 22);
        for (int i = 0; i < 22; ++i)
            QVERIFY(f.Rows().Row(i)->IsEnabled());
        for (QLabel *label : f.window->findChildren<QLabel *>())
            QVERIFY(label->text() != QStringLiteral("Property Control"));
    }

    void rebuildingLeavesOneGridUnderTheSameId()
    {
        GridFixture f(kMissingPort);
        f.window->Properties().SetSupportedMask(0);
        f.window->BuildPropertyGrid();
        // The old grid goes with deleteLater.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.window->findChildren<EPropCtrl *>().size(), 1);
        QCOMPARE(f.Control<QWidget>("1002"), f.window->PropertyGrid());
        QVERIFY(!f.RowOf(P::RX_SENSIBILITY)->IsEnabled());
        QCOMPARE(f.window->Properties().Value(P::RX_SENSIBILITY), 255);
    }

    void anEditSwitchesTheSyncPaneToHash()
    {
        GridFixture f(kMissingPort);
        QVERIFY(f.Show());
        QCOMPARE(f.Pane(2), QStringLiteral("SYNC"));
        f.Type(P::RX_NB_TAGS_MIN, QStringLiteral("21")); // outside 1..20: ignored
        QCOMPARE(f.window->Properties().Value(P::RX_NB_TAGS_MIN), 1);
        QCOMPARE(f.Pane(2), QStringLiteral("SYNC"));
        f.Type(P::RX_LONG_BIT_RW, QStringLiteral("200"));
        QCOMPARE(f.window->Properties().Value(P::RX_LONG_BIT_RW), 200);
        QCOMPARE(f.Pane(2), QStringLiteral("#"));
    }

    void saveRightAfterStartUpWritesTheDefaultSet()
    {
        zok::test::TempDir dir;
        GridFixture f(kMissingPort);
        f.path = QString::fromStdString(dir.file("startup.zok"));
        f.window->SaveParameters();
        QCOMPARE(zok::test::ReadBytes(dir.file("startup.zok")),
                 zok::test::ReadBytes(SourceFile("tests/params/files/saves/startup.expected").toStdString()));
        QVERIFY(f.LastBoxIs(145, QMessageBox::NoIcon));
        QVERIFY(!f.window->PropertiesModified());
    }

    void saveReportsFailuresAndACancelShowsNothing()
    {
        zok::test::TempDir dir;
        GridFixture f(kMissingPort);
        f.path = std::nullopt;
        f.window->SaveParameters();
        QVERIFY(f.boxes.empty());
        f.path = QString::fromStdString(dir.file("no/such/folder.zok"));
        f.window->SaveParameters();
        QVERIFY(f.LastBoxIs(143, QMessageBox::Critical));
    }

    // The edit box loses the focus to the menu, not to another control: what was typed is saved.
    void saveFromTheMenuWhileEditingSavesTheTypedValue()
    {
        zok::test::TempDir dir;
        GridFixture f(kMissingPort);
        QVERIFY(f.Show());
        f.window->activateWindow();
        QTRY_VERIFY(f.window->isActiveWindow());
        f.TypeWithoutEnter(P::RX_LONG_BIT_RW, QStringLiteral("200"));
        f.path = QString::fromStdString(dir.file("typed.zok"));
        f.ChooseFromMenu(CZOKDlg::ID_SAVE_PARAMETERS);
        QTRY_VERIFY(f.LastBoxIs(145, QMessageBox::NoIcon));
        QVERIFY(zok::test::ReadBytes(dir.file("typed.zok")).find("RX_LONG_BIT_RW=C8\r\n") !=
                std::string::npos);
        QCOMPARE(f.window->Properties().Value(P::RX_LONG_BIT_RW), 200);
    }

    // Without a menu (a shortcut, a program): the command itself stores the typed value first.
    void saveCommandWhileEditingSavesTheTypedValue()
    {
        zok::test::TempDir dir;
        GridFixture f(kMissingPort);
        QVERIFY(f.Show());
        f.TypeWithoutEnter(P::RX_LONG_BIT_RW, QStringLiteral("201"));
        f.path = QString::fromStdString(dir.file("typed.zok"));
        f.window->CommandAction(CZOKDlg::ID_SAVE_PARAMETERS)->trigger();
        QVERIFY(zok::test::ReadBytes(dir.file("typed.zok")).find("RX_LONG_BIT_RW=C9\r\n") !=
                std::string::npos);
    }

    // The loaded value wins over what was being typed, and stays after the grid refreshes.
    void loadFromTheMenuWhileEditingKeepsTheLoadedValue()
    {
        GridFixture f(kMissingPort);
        QVERIFY(f.Show());
        f.window->activateWindow();
        QTRY_VERIFY(f.window->isActiveWindow());
        f.TypeWithoutEnter(P::RX_LONG_BIT_RW, QStringLiteral("200"));
        f.path = Fixture("all_keys"); // RX_LONG_BIT_RW B4
        f.ChooseFromMenu(CZOKDlg::ID_LOAD_PARAMETERS);
        QTRY_VERIFY(f.LastBoxIs(147, QMessageBox::NoIcon));
        QCOMPARE(f.window->Properties().Value(P::RX_LONG_BIT_RW), 0xB4);
        QCOMPARE(f.window->PropertyGrid()->List().Selected(), nullptr);
        f.window->PropertyGrid()->Refresh();
        QCOMPARE(f.window->Properties().Value(P::RX_LONG_BIT_RW), 0xB4);
    }

    // The program closed while a value is being typed: the window goes with the edit box holding
    // the focus, and the grid must neither reach nor write the parameters once they are gone.
    void closingTheWindowWhileEditingReachesNoGoneModel()
    {
        GridFixture f(kMissingPort);
        QVERIFY(f.Show());
        f.window->activateWindow();
        QTRY_VERIFY(f.window->isActiveWindow());
        f.TypeWithoutEnter(P::RX_LONG_BIT_RW, QStringLiteral("200"));
        QVERIFY(qobject_cast<EPropWndEdit *>(QApplication::focusWidget()));
        f.window.reset(); // the sanitizer build reports a call into the gone sheet
    }

    void loadAppliesTheFileAndReopensThePortAtItsSpeed()
    {
        PtyPair pty;
        QVERIFY(pty.Valid());
        GridFixture f(pty.SlavePath());
        QVERIFY(f.window->SerialPort().IsOpen());
        const QStringList linesBefore = f.MessageLines();
        f.path = Fixture("all_keys"); // RX_VITESSE 04: 115200 baud
        f.window->LoadParameters();
        QVERIFY(f.LastBoxIs(147, QMessageBox::NoIcon));
        QCOMPARE(f.window->Properties().Value(P::RX_TIMEOUT), 0x0C);
        QString shown;
        f.RowOf(P::RX_TIMEOUT)->GetText(shown);
        QCOMPARE(shown, QStringLiteral("12"));
        QVERIFY(f.window->SerialPort().IsOpen());
        QCOMPARE(f.window->SerialPort().QueryBaudRate(), 115200);
        QCOMPARE(f.MessageLines(), linesBefore);
        QVERIFY(!f.window->PropertiesModified());
    }

    void anInvalidSpeedStillReopensAClosedPort()
    {
        PtyPair pty;
        QVERIFY(pty.Valid());
        GridFixture f(pty.SlavePath());
        f.OpenPortBox()->click();
        QVERIFY(!f.window->SerialPort().IsOpen());
        f.path = Fixture("invalid_speed");
        f.window->LoadParameters();
        QVERIFY(f.LastBoxIs(148, QMessageBox::Critical));
        QCOMPARE(f.window->Properties().Value(P::RX_DELTA_CHECKSUM), 5);
        QCOMPARE(f.window->Properties().Value(P::RX_FORMAT), 0);
        QVERIFY(f.window->SerialPort().IsOpen());
        QCOMPARE(f.window->SerialPort().QueryBaudRate(), 9600);
        QVERIFY(f.OpenPortBox()->isChecked());
    }

    void aContentErrorBeforeTheSpeedLeavesThePortAlone()
    {
        PtyPair pty;
        QVERIFY(pty.Valid());
        GridFixture f(pty.SlavePath());
        f.OpenPortBox()->click();
        f.path = Fixture("trailing_x");
        f.window->LoadParameters();
        QVERIFY(f.LastBoxIs(148, QMessageBox::Critical));
        QVERIFY(!f.window->SerialPort().IsOpen());
    }

    void aPortThatCannotReopenIsReportedInRed()
    {
        GridFixture f(kMissingPort);
        const int before = f.Messages()->count();
        f.path = Fixture("all_keys");
        f.window->LoadParameters();
        QCOMPARE(f.MessageLines().mid(before),
                 QStringList({QStringLiteral("Serial Port %1 opening error").arg(kMissingPort),
                              QStringLiteral("Select Configuration -> Serial Port")}));
        QCOMPARE(f.Messages()->LineColor(before), zok::LineColor::kRed);
        QVERIFY(f.LastBoxIs(147, QMessageBox::NoIcon));
    }

    void loadingAfterAPartialReadGivesUnreportedParametersTheirFixedValues()
    {
        GridFixture f(kMissingPort);
        CZOKProperties &model = f.window->Properties();
        model.SetSupportedMask(zok::AllParametersMask() & ~zok::Parameter(P::RX_SENSIBILITY).MaskBit);
        model.SetFirmwareVersion(13, 4, 9);
        f.window->BuildPropertyGrid();
        f.path = Fixture("all_keys");
        f.window->LoadParameters();
        QVERIFY(f.LastBoxIs(147, QMessageBox::NoIcon));
        QCOMPARE(model.Value(P::RX_SENSIBILITY), 255);
        QCOMPARE(model.Value(P::RX_NB_TAGS_MIN), 1);
        QCOMPARE(model.Value(P::RX_FILTRAGE_TEMP), 0);
        QCOMPARE(model.Value(P::RX_TIMEOUT), 0x0C);
        QCOMPARE(model.Value(P::RX_CMD_DIRECTE_RELAIS), 1);
        QVERIFY(!f.RowOf(P::RX_SENSIBILITY)->IsEnabled());
        QVERIFY(f.RowOf(P::RX_TIMEOUT)->IsEnabled());
    }

    void aFileThatCannotBeOpenedChangesNothing()
    {
        zok::test::TempDir dir;
        GridFixture f(kMissingPort);
        const int before = f.Messages()->count();
        f.path = QString::fromStdString(dir.file("absent.zok"));
        f.window->LoadParameters();
        QVERIFY(f.LastBoxIs(146, QMessageBox::Critical));
        QCOMPARE(f.window->Properties().Value(P::RX_SENSIBILITY), 254);
        QCOMPARE(f.Messages()->count(), before);
    }
};

QTEST_MAIN(ParameterGridTest)
#include "ParameterGridTest.moc"
