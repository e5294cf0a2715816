#include "CLevelCsvRecord.h"
#include "CToolTimer.h"
#include "CZOKRadioFollowDlg.h"
#include "CZOKSettings.h"
#include "FakeToolExchange.h"
#include "ReadableColor.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
const QDateTime kWhen(QDate(2026, 2, 1), QTime(9, 5, 3, 45));
}

class RadioFollowDlgTest : public QObject
{
    Q_OBJECT

    FakeToolExchange m_exchange;
    MessageRecorder m_messages;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CZOKRadioFollowDlg> m_dlg;

    std::unique_ptr<CZOKRadioFollowDlg> open(const QString &directory, CZOKSettings *settings = nullptr)
    {
        auto dlg = std::make_unique<CZOKRadioFollowDlg>(m_exchange, directory, settings);
        dlg->setMessageHook(m_messages.hook());
        dlg->setClock([] { return kWhen; });
        dlg->findChild<CToolTimer *>(QStringLiteral("2"))->setManual(true);
        dlg->show();
        return dlg;
    }
    template <class W> W *child(const char *id) { return m_dlg->findChild<W *>(QString::fromLatin1(id)); }
    void click(const char *id) { QTest::mouseClick(child<QPushButton>(id), Qt::LeftButton); }
    void frame(const char *text) { m_exchange.forward(MonitorKind::RadioScan, QString::fromLatin1(text)); }
    CToolTimer *pollTimer() { return child<CToolTimer>("2"); }
    QByteArray log(const QString &name = QStringLiteral("ZOK.log"))
    {
        QFile file(m_dir->filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void chooseCsv(CZOKRadioFollowDlg &dlg, const QString &name)
    {
        dlg.findChild<QCheckBox *>(QStringLiteral("1282"))->setChecked(true);
        dlg.findChild<QLineEdit *>(QStringLiteral("1283"))->setText(name);
    }

private slots:
    void init()
    {
        m_exchange = FakeToolExchange{};
        m_messages = MessageRecorder{};
        m_dir = std::make_unique<QTemporaryDir>();
        m_dlg = open(m_dir->path());
    }
    void cleanup()
    {
        m_dlg.reset();
        m_dir.reset();
    }

    void openingPollsAtOnceAndEverySecond()
    {
        QCOMPARE(m_exchange.commands, QStringList{QStringLiteral(" [970005]")});
        QCOMPARE(m_exchange.state, FakeToolExchange::State::RadioScan);
        QCOMPARE(m_exchange.monitors[MonitorKind::RadioScan].data(), m_dlg.get());
        QCOMPARE(child<QLineEdit>("1021")->text(), QStringLiteral("1000"));
        QVERIFY(child<QLabel>("1025")->text().isEmpty());
        QCOMPARE(pollTimer()->interval(), 1000);
        pollTimer()->fire();
        pollTimer()->fire();
        QCOMPARE(m_exchange.commands.size(), 3);
        QCOMPARE(m_exchange.commands.last(), QStringLiteral(" [970005]"));
        QVERIFY(m_messages.texts.isEmpty());
    }

    void periodIsCheckedAtEveryKeystroke()
    {
        QLineEdit *period = child<QLineEdit>("1021");
        period->setFocus();
        period->end(false);
        QTest::keyClick(period, Qt::Key_Backspace); // 100: accepted
        QCOMPARE(pollTimer()->interval(), 100);
        QTest::keyClick(period, Qt::Key_Backspace); // 10: refused, 100 is back
        QCOMPARE(m_messages.texts, QStringList{zok::Text(166)});
        QCOMPARE(m_messages.icons.front(), QMessageBox::Critical);
        QCOMPARE(period->text(), QStringLiteral("100"));
        QCOMPARE(pollTimer()->interval(), 100);
        period->selectAll();
        QTest::keyClicks(period, QStringLiteral("x2"));
        QCOMPARE(m_messages.texts.size(), 2); // the letter was refused, the 2 was below 20
        QCOMPARE(period->text(), QStringLiteral("100"));
    }

    void periodBoundaryAndClearedField()
    {
        QLineEdit *period = child<QLineEdit>("1021");
        period->setText(QStringLiteral("20"));
        QCOMPARE(pollTimer()->interval(), 20);
        period->setText(QStringLiteral("19"));
        QCOMPARE(period->text(), QStringLiteral("20"));
        period->clear();
        QCOMPARE(period->text(), QStringLiteral("20"));
        QCOMPARE(m_messages.texts.size(), 2);
        QCOMPARE(pollTimer()->interval(), 20);
        period->setText(QStringLiteral("99999999999999"));
        QVERIFY(pollTimer()->interval() > 0);
    }

    void levelBarColourAndNumber_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<int>("level");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("amber at 180") << "97B405" << 180 << QColor(255, 206, 0);
        QTest::newRow("green above 180") << "97B505" << 181 << QColor(17, 213, 46);
        QTest::newRow("red at 150") << "979605" << 150 << QColor(203, 86, 40);
        QTest::newRow("amber at 151") << "979705" << 151 << QColor(255, 206, 0);
    }
    void levelBarColourAndNumber()
    {
        QFETCH(QString, frame);
        QFETCH(int, level);
        QFETCH(QColor, colour);
        m_exchange.forward(MonitorKind::RadioScan, frame);
        QCOMPARE(child<QProgressBar>("1015")->value(), level);
        QCOMPARE(child<QLabel>("1025")->text(), QString::number(level));
        // The level's colour, or a shade of it where the bar's background needs one (the amber and
        // the green are darkened on a white groove).
        const QPalette bar = child<QProgressBar>("1015")->palette();
        QCOMPARE(bar.color(QPalette::Highlight),
                 zok::ReadableOn(colour, bar.color(QPalette::Base), zok::kGraphicContrast));
    }

    void malformedOrForeignFramesChangeNothing()
    {
        for (const char *text : {"97b405", "97B4051", "97B407", "98B405", "97B4", "97B40g"})
            frame(text);
        QCOMPARE(child<QProgressBar>("1015")->value(), 0);
        QVERIFY(child<QLabel>("1025")->text().isEmpty());
        m_exchange.address = 0;
        frame("97B407");
        QCOMPARE(child<QLabel>("1025")->text(), QStringLiteral("180"));
    }

    void recordingWritesFlushedLines()
    {
        frame("970705"); // not recording
        click("1022");
        QVERIFY(m_dlg->isRecording() && m_dlg->isLogOpen());
        QCOMPARE(m_exchange.commands.size(), 2); // Start polls at once
        frame("970705");
        QCOMPARE(log(), QByteArray("01/02/2026; 09:05:03;  45; 7\r\n"));
        click("1024"); // Clear does nothing while recording
        QCOMPARE(log().size(), 30);
        click("1023");
        QVERIFY(!m_dlg->isRecording() && !m_dlg->isLogOpen() && m_dlg->isLogClearable());
        frame("970805");
        QCOMPARE(log().size(), 30);
    }

    void recordingAcrossTwoOpeningsAppends()
    {
        click("1022");
        frame("970705");
        m_dlg->reject(); // closing while recording closes the log
        QVERIFY(!m_dlg->isLogOpen());
        m_dlg = open(m_dir->path());
        click("1024"); // Clear before any Start of this opening does nothing
        QCOMPARE(log().size(), 30);
        click("1022");
        QVERIFY(m_messages.texts.isEmpty());
        frame("97FF05");
        QCOMPARE(log(), QByteArray("01/02/2026; 09:05:03;  45; 7\r\n01/02/2026; 09:05:03;  45; 255\r\n"));
        click("1023");
        click("1024");
        QVERIFY(!QFile::exists(m_dlg->logPath()));
        QVERIFY(!m_dlg->isLogClearable());
    }

    void unopenableLogKeepsPolling()
    {
        m_dlg = open(m_dir->filePath(QStringLiteral("missing")));
        click("1022");
        QCOMPARE(m_messages.texts, QStringList{zok::Text(167)});
        QCOMPARE(m_messages.icons.front(), QMessageBox::Warning);
        QVERIFY(m_dlg->isRecording() && !m_dlg->isLogOpen() && !m_dlg->isLogClearable());
        click("1022"); // no effect until Stop
        QCOMPARE(m_messages.texts.size(), 1);
        frame("97B405");
        QCOMPARE(child<QLabel>("1025")->text(), QStringLiteral("180"));
        click("1023");
        QVERIFY(!m_dlg->isRecording());
        click("1024");
        QCOMPARE(m_messages.texts.size(), 1);
    }

    // The log is held for one recorder only (another program instance, here a second dialog):
    // the second gets message 167 and the first keeps writing alone.
    void secondRecorderOfTheSameLogGetsMessage167()
    {
        click("1022");
        QVERIFY(m_dlg->isLogOpen());
        auto second = open(m_dir->path());
        QTest::mouseClick(second->findChild<QPushButton *>(QStringLiteral("1022")), Qt::LeftButton);
        QCOMPARE(m_messages.texts, QStringList{zok::Text(167)});
        QVERIFY(second->isRecording() && !second->isLogOpen() && !second->isLogClearable());
        second->handleFrame(QStringLiteral("97B505"));
        m_dlg->handleFrame(QStringLiteral("97B405"));
        QCOMPARE(log(), QByteArray("01/02/2026; 09:05:03;  45; 180\r\n"));
    }

    void failedDeletionReportsAndKeepsTheFlags()
    {
        click("1022");
        click("1023");
        QVERIFY(QFile::remove(m_dlg->logPath()));
        click("1024");
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY(m_messages.texts.front().contains(m_dlg->logPath()));
        QCOMPARE(m_messages.icons.front(), QMessageBox::Critical);
        QVERIFY(m_dlg->isLogClearable());
    }

    void enterIsSwallowedAndClosingStopsPolling()
    {
        QTest::keyClick(child<QLineEdit>("1021"), Qt::Key_Return);
        QTest::keyClick(child<QPushButton>("1"), Qt::Key_Enter);
        QVERIFY(m_dlg->isVisible());
        click("1");
        QVERIFY(!m_dlg->isVisible());
        QVERIFY(!pollTimer()->isActive());
    }

    void plotHoldsTheLevelsInOrderAndStatisticsCountFromStart()
    {
        qint64 ms = 0;
        m_dlg->setClock([&ms] { return QDateTime::fromMSecsSinceEpoch(ms); });
        for (const char *text : {"970A05", "97b405", "97FF05", "970007"}) { // two are not levels
            ms += 20;
            frame(text);
        }
        QCOMPARE(m_dlg->series().samples().size(), std::size_t(2));
        QCOMPARE(m_dlg->series().samples()[1].level, 255);
        QVERIFY(m_dlg->statistics().empty()); // not started yet
        click("1022");
        for (const char *text : {"971405", "970A05", "973C05"})
            frame(text);
        QCOMPARE(m_dlg->statistics().minimum(), 10);
        QCOMPARE(m_dlg->statistics().maximum(), 60);
        QCOMPARE(m_dlg->statistics().mean(), 30.0);
        QCOMPARE(child<QLabel>("1281")->text(),
                 QString::asprintf(zok::Text(280).toUtf8().constData(), 10, 30.0, 60));
        ms += 2 * 60 * 1000 + 1; // everything is now older than the two minutes shown
        pollTimer()->fire();
        QVERIFY(m_dlg->series().samples().empty());
        frame("970105");
        click("1023");
        click("1024");
        QVERIFY(m_dlg->series().samples().empty()); // Clear empties the plot too
        m_dlg->setClock([] { return kWhen; });
    }

    // The CSV record goes with Start and Stop, beside the radio log, which stays as it was; it is
    // held by one recorder only, and a CSV named like the radio log cannot creep into it.
    void csvRecordBesideTheLogAndHeldByOneRecorder()
    {
        chooseCsv(*m_dlg, QStringLiteral("levels.csv"));
        frame("970705"); // not recording
        click("1022");
        QVERIFY(m_dlg->isCsvOpen());
        QVERIFY(!child<QLineEdit>("1283")->isEnabled() && !child<QWidget>("1284")->isEnabled());
        frame("970705");
        frame("97FF05");
        const QByteArray lines = CLevelCsvRecord::Header() + CLevelCsvRecord::FormatLine(kWhen, u"05", 7) +
                                 CLevelCsvRecord::FormatLine(kWhen, u"05", 255);
        QCOMPARE(log(QStringLiteral("levels.csv")), lines);
        QCOMPARE(log(), QByteArray("01/02/2026; 09:05:03;  45; 7\r\n01/02/2026; 09:05:03;  45; 255\r\n"));

        auto second = open(m_dir->path());
        chooseCsv(*second, m_dir->filePath(QStringLiteral("levels.csv")));
        QTest::mouseClick(second->findChild<QPushButton *>(QStringLiteral("1022")), Qt::LeftButton);
        QCOMPARE(m_messages.texts.size(), 2); // 167 for the log, then the CSV's own refusal
        QCOMPARE(m_messages.texts[1], zok::Text(285).arg(m_dir->filePath(QStringLiteral("levels.csv"))));
        QVERIFY(!second->isCsvOpen());
        second.reset();

        click("1023");
        QVERIFY(!m_dlg->isCsvOpen() && child<QLineEdit>("1283")->isEnabled());
        frame("970805");
        QCOMPARE(log(QStringLiteral("levels.csv")), lines);
        child<QLineEdit>("1283")->setText(QStringLiteral("ZOK.log"));
        click("1022");
        QVERIFY(m_dlg->isLogOpen() && !m_dlg->isCsvOpen());
        QCOMPARE(m_messages.texts.size(), 3);
        frame("970905");
        QVERIFY(log().endsWith("45; 255\r\n01/02/2026; 09:05:03;  45; 9\r\n"));
    }

    // Remembered only once the user changes it, so an untouched settings file keeps its keys.
    void csvChoiceIsRememberedAndBrowseFillsTheName()
    {
        const QString ini = m_dir->filePath(QStringLiteral("ZOK.ini"));
        CZOKSettings settings;
        QVERIFY(settings.Load(ini.toStdString()));
        QVERIFY(settings.Save());
        m_dlg = open(m_dir->path(), &settings);
        QVERIFY(!child<QCheckBox>("1282")->isChecked());
        QCOMPARE(child<QLineEdit>("1283")->text(), QStringLiteral("ZOK.csv"));
        m_dlg->reject();
        QVERIFY(!log(QStringLiteral("ZOK.ini")).contains("RADIO_CSV"));

        m_dlg = open(m_dir->path(), &settings);
        const QString chosen = m_dir->filePath(QStringLiteral("trace.csv"));
        ToolFileRequest asked;
        m_dlg->setFileHook([&](QWidget *, const ToolFileRequest &request) {
            asked = request;
            return std::optional<QString>(chosen);
        });
        click("1284");
        QCOMPARE(asked.suggested, m_dir->filePath(QStringLiteral("ZOK.csv")));
        QVERIFY(asked.appends);
        QCOMPARE(m_dlg->csvPath(), chosen);
        child<QCheckBox>("1282")->setChecked(true);
        m_dlg->reject();
        QVERIFY(log(QStringLiteral("ZOK.ini"))
                    .contains("RADIO_CSV=1\r\nRADIO_CSV_FILE=" + chosen.toUtf8() + "\r\n"));

        m_dlg = open(m_dir->path(), &settings);
        QVERIFY(child<QCheckBox>("1282")->isChecked());
        QCOMPARE(m_dlg->csvPath(), chosen);
    }

    // Levels faster than the display: every one is recorded, the controls change once.
    void aBurstOfLevelsIsRecordedWholeAndShownOnce()
    {
        click("1022");
        const int refreshes = m_dlg->refreshCount();
        for (int i = 0; i < 500; ++i)
            m_exchange.post(MonitorKind::RadioScan, QString::asprintf("97%02X05", i % 256));
        m_exchange.deliver(MonitorKind::RadioScan);
        QCOMPARE(m_dlg->refreshCount(), refreshes + 1);
        QCOMPARE(child<QLabel>("1025")->text(), QString::number(499 % 256));
        QCOMPARE(m_dlg->series().samples().size(), std::size_t(500));
        QCOMPARE(m_dlg->statistics().maximum(), 255);
        QCOMPARE(log().count('\n'), 500);
    }
};

QTEST_MAIN(RadioFollowDlgTest)
#include "RadioFollowDlgTest.moc"
