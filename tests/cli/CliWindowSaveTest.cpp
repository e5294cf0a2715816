// `zok-cli read --save` writes the very bytes the window's Save writes after the window's Read of
// the same receiver: an old receiver that reports only some parameters, so that the values the
// grid puts into unsupported parameters are part of what is compared, into files that already
// hold another section.
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "ChildProcess.h"
#include "TempDir.h"
#include "ZokText.h"

#include <QTest>

class CliWindowSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void cliSaveIsByteIdenticalToTheWindowsSave()
    {
        zok::test::ChildProcess sim(ZOK_SIM_BINARY,
                                    {"--params", "all", "--firmware", " v13.2.1", "--set", "22=3F", "--set",
                                     "0B=2A", "--set", "05=09", "--set", "C0=07"});
        const std::string port = sim.ReadLine();
        QVERIFY(!port.empty());
        zok::test::TempDir dir;
        const std::string existing = "[OTHER]\r\nKEY=1\r\n[ZOK_PARAMETERS]\r\nRX_TIMEOUT=00\r\n";
        zok::test::WriteBytes(dir.file("window.zok"), existing);
        zok::test::WriteBytes(dir.file("cli.zok"), existing);
        zok::test::WriteBytes(dir.file("ZOK.ini"), "[ZOK]\r\nSERIAL_PORT=" + port + "\r\nRECEIVER_ID=01\r\n");

        {
            CZOKSettings settings;
            QVERIFY(settings.Load(dir.file("ZOK.ini")));
            CZOKDlg window(settings);
            window.SetMessageBoxHook([](const CDialogEx::MessageBoxRequest &) { return QMessageBox::Ok; });
            const QString windowFile = QString::fromStdString(dir.file("window.zok"));
            window.SetFileDialogs(
                {[windowFile](QWidget *) { return std::optional<QString>(windowFile); }, {}});
            window.ReadParameters();
            QTRY_COMPARE_WITH_TIMEOUT(window.State(), ExchangeState::Idle, 15000);
            window.SaveParameters();
        } // the window closes the port

        zok::test::ChildProcess cli(ZOK_CLI_BINARY, {"--port", port, "read", "--save", dir.file("cli.zok")},
                                    dir.path().string());
        QCOMPARE(cli.Finish(), 0);
        const std::string windowBytes = zok::test::ReadBytes(dir.file("window.zok"));
        QVERIFY(windowBytes != existing);
        QVERIFY(windowBytes.find("RX_SENSIBILITY=2A\r\n") != std::string::npos);
        QCOMPARE(zok::test::ReadBytes(dir.file("cli.zok")), windowBytes);
    }

    // `zok-cli --trace` of a read holds the frames the window's Save Traffic holds after the
    // window's read of the same receiver: the same directions, speeds and bytes, in the same order.
    void cliTraceOfAReadIsTheWindowsCaptureApartFromTimes()
    {
        zok::test::ChildProcess sim(ZOK_SIM_BINARY, {"--firmware", " v13.2.1"});
        const std::string port = sim.ReadLine();
        QVERIFY(!port.empty());
        zok::test::TempDir dir;
        zok::test::WriteBytes(dir.file("ZOK.ini"), "[ZOK]\r\nSERIAL_PORT=" + port + "\r\nRECEIVER_ID=01\r\n");
        {
            CZOKSettings settings;
            QVERIFY(settings.Load(dir.file("ZOK.ini")));
            CZOKDlg window(settings);
            window.SetMessageBoxHook([](const CDialogEx::MessageBoxRequest &) { return QMessageBox::Ok; });
            const QString windowFile = QString::fromStdString(dir.file("window.txt"));
            window.SetTrafficFileChooser(
                [windowFile](QWidget *) { return std::optional<QString>(windowFile); });
            window.ReadParameters();
            QTRY_COMPARE_WITH_TIMEOUT(window.State(), ExchangeState::Idle, 15000);
            window.SaveTraffic();
        }
        zok::test::ChildProcess cli(ZOK_CLI_BINARY, {"--port", port, "--trace", dir.file("cli.txt"), "read"},
                                    dir.path().string());
        QCOMPARE(cli.Finish(), 0);
        const QStringList windowFrames = FramesWithoutTimes(zok::test::ReadBytes(dir.file("window.txt")));
        QVERIFY(windowFrames.size() > 10);
        QCOMPARE(FramesWithoutTimes(zok::test::ReadBytes(dir.file("cli.txt"))), windowFrames);
    }

private:
    // The frame lines of a capture file without their first two columns (time, gap).
    static QStringList FramesWithoutTimes(const std::string &bytes)
    {
        QStringList frames;
        for (const QString &line : QString::fromStdString(bytes).split(u'\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith(u'#'))
                frames << line.section(u' ', 2);
        }
        return frames;
    }
};

QTEST_MAIN(CliWindowSaveTest)
#include "CliWindowSaveTest.moc"
