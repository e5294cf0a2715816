#include "CAboutDlg.h"
#include "WindowFixture.h"
#include "ZokText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

// The whole window in French, as a settings file with LANGUAGE=FRENCH selects it at start-up.
class MainWindowFrenchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { zok::SelectLanguage(zok::Language::French); }

    void menusAndCaptionsAreFrench()
    {
        WindowFixture f(QStringLiteral("/dev/zok-test-no-such-port"));
        QStringList menus;
        for (QAction *action : f.window->MenuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, QStringList({QStringLiteral("&Fichier"), QStringLiteral("&Configuration"),
                                     QStringLiteral("&Monitoring"), QStringLiteral("?")}));
        QCOMPARE(f.Control<QPushButton>("1004")->text(), QStringLiteral("Lecture"));
        QCOMPARE(f.Control<QPushButton>("1005")->text(), QStringLiteral("Ecriture"));
        QCOMPARE(f.Control<QPushButton>("57670")->text(), QStringLiteral("&Aide"));
        QCOMPARE(f.window->CommandAction(CZOKDlg::ID_SERIAL_PORT)->text(), QStringLiteral("&Port Série"));
    }

    // The write-speed warning tells the user which menu item to tick: it must be the menu's own.
    void theSpeedWarningNamesTheFrenchMenuItem()
    {
        WindowFixture f(QStringLiteral("/dev/zok-test-no-such-port"));
        const QString caption =
            f.window->CommandAction(CZOKDlg::ID_ENABLE_SPEED_CONFIGURATION)->text().remove(QLatin1Char('&'));
        QVERIFY(zok::Text(185).contains(QLatin1Char('"') + caption + QLatin1Char('"')));
    }

    void linesAndPanesAreFrench()
    {
        const QString port = QStringLiteral("/dev/zok-test-no-such-port");
        WindowFixture f(port, true, 0x01);
        QCOMPARE(f.MessageLines(), QStringList({QStringLiteral("Erreur à l'ouverture du port %1").arg(port),
                                                QStringLiteral("Sélectionnez Configuration->Port Série")}));
        QVERIFY(f.Show());
        QCOMPARE(f.Pane(0), QStringLiteral("Prêt"));
        QCOMPARE(f.Pane(3), QStringLiteral("ERREUR ") + port);
        QCOMPARE(f.Pane(4), QStringLiteral("Recepteur 01"));
        f.window->SetState(ExchangeState::Reading);
        QCOMPARE(f.Pane(0), QStringLiteral("Lecture ..."));
    }

    void settingsErrorLineIsFrench()
    {
        WindowFixture f(QStringLiteral("COM1"), false);
        QCOMPARE(f.MessageLines(), QStringList({QStringLiteral("Erreur fichier configuration ZOK.ini")}));
    }

    void aboutBoxKeepsItsFrenchTitle()
    {
        CAboutDlg about(CZOKDlg::TitleText());
        QCOMPARE(about.windowTitle(), QStringLiteral("À propos de ZOK"));
        QCOMPARE(about.VersionText(), CZOKDlg::TitleText());
    }
};

QTEST_MAIN(MainWindowFrenchTest)
#include "MainWindowFrenchTest.moc"
