#include "CZOKApp.h"
#include "TempDir.h"
#include "ZokText.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <clocale>
#include <csignal>
#include <filesystem>
#include <functional>
#include <signal.h>
#include <string>

namespace {

// Runs the application's start-up and main window in `folder` as the current directory; the
// window is closed as soon as it runs, after its title has been noted.
QString runIn(CZOKApp &app, const std::filesystem::path &folder)
{
    QString title;
    std::function<void()> closeWindow = [&] {
        if (QWidget *window = QApplication::activeModalWidget()) {
            title = window->windowTitle();
            window->close();
        } else {
            QTimer::singleShot(10, qApp, closeWindow);
        }
    };
    QTimer::singleShot(0, qApp, closeWindow);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const int result = app.RunWithToolkit();
    std::filesystem::current_path(before);
    return result == 0 ? title : QString();
}

} // namespace

class CZOKAppTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { zok::SelectLanguage(zok::Language::English); }

    void readsTheSettingsOfTheCurrentDirectoryAndRunsTheWindow()
    {
        zok::test::TempDir dir;
        zok::test::WriteBytes(dir.file("ZOK.ini"),
                              "[ZOK]\r\nSERIAL_PORT=COM4\r\nLANGUAGE=FRENCH\r\nRECEIVER_ID=0A\r\n");
        std::setlocale(LC_NUMERIC, "C.UTF-8");
        CZOKApp app;
        QCOMPARE(runIn(app, dir.path()), QStringLiteral("Oxa Reader Manager v" ZOK_VERSION_TEXT));
        QCOMPARE(std::string(std::setlocale(LC_NUMERIC, nullptr)), std::string("C"));
        QVERIFY(app.Settings().Loaded());
        QCOMPARE(app.Settings().PortName(), std::string("COM4"));
        QCOMPARE(int(app.Settings().ReceiverAddress()), 0x0A);
        QCOMPARE(zok::SelectedLanguage(), zok::Language::French);
        QCOMPARE(zok::Text(131), QString::fromUtf8("Prêt"));
        QCOMPARE(std::filesystem::path(app.ApplicationDirectory()), std::filesystem::canonical(dir.path()));
        QCOMPARE(app.Settings().ApplicationDirectory(), app.ApplicationDirectory());
    }

    void createsMissingSettingsWhereItIsStarted()
    {
        zok::test::TempDir dir;
        CZOKApp app;
        runIn(app, dir.path());
        QVERIFY(std::filesystem::exists(dir.path() / "ZOK.ini"));
        QVERIFY(app.Settings().Loaded());
        QCOMPARE(int(app.Settings().ReceiverAddress()), 0x01);
        QCOMPARE(zok::SelectedLanguage(), zok::Language::English);
    }

    void badSettingsAreReset()
    {
        zok::test::TempDir dir;
        zok::test::WriteBytes(dir.file("ZOK.ini"),
                              "[ZOK]\r\nSERIAL_PORT=COM4\r\nLANGUAGE=FRENCH\r\nRECEIVER_ID=1\r\n");
        CZOKApp app;
        app.InitSettings(dir.path().string());
        QVERIFY(!app.Settings().Loaded());
        QCOMPARE(app.Settings().PortName(), std::string("COM1"));
        QCOMPARE(int(app.Settings().ReceiverAddress()), 0);
        QCOMPARE(zok::SelectedLanguage(), zok::Language::English);
    }

    void unreadableSettingsAreReset()
    {
        zok::test::TempDir dir;
        std::filesystem::create_directory(dir.path() / "ZOK.ini");
        CZOKApp app;
        app.InitSettings(dir.path().string());
        QVERIFY(!app.Settings().Loaded());
        QCOMPARE(app.Settings().PortName(), std::string("COM1"));
    }

    // The system's request to end the program ends it as Exit does: status 0, not death by signal.
    void endsCleanlyWhenTheSystemAsksItTo_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }

    void endsCleanlyWhenTheSystemAsksItTo()
    {
        QFETCH(int, signal);
        zok::test::TempDir dir;
        QProcess zok;
        zok.setWorkingDirectory(QString::fromStdString(dir.path().string()));
        // A run started in the background has SIGINT ignored, and the program keeps it so.
        zok.setChildProcessModifier([] { std::signal(SIGINT, SIG_DFL); });
        zok.start(QStringLiteral(ZOK_BINARY), {});
        QVERIFY(zok.waitForStarted());
        // The settings file is written once start-up is well under way.
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(dir.path() / "ZOK.ini"), 30000);
        ::kill(static_cast<pid_t>(zok.processId()), signal);
        QVERIFY(zok.waitForFinished(30000));
        QCOMPARE(zok.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zok.exitCode(), 0);
    }
};

QTEST_MAIN(CZOKAppTest)
#include "CZOKAppTest.moc"
