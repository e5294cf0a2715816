// Every tool dialog against the real exchange engine, talking through a pseudo-terminal to the
// receiver simulator, as the main window wires them.
#include "CIDFilterConfig.h"
#include "CLevelCsvRecord.h"
#include "CToolTimer.h"
#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "CZOKRadioFollowDlg.h"
#include "CZOKRadioLog.h"
#include "CZOKScanReceiversDlg.h"
#include "CZOKSerialCfgDlg.h"
#include "CZOKSettings.h"
#include "CZOKTagFollowDlg.h"
#include "IExchangeSettings.h"
#include "ParameterTable.h"
#include "RecordingView.h"
#include "Simulator.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <memory>

namespace {

constexpr int kWaitMs = 15000; // generous: only a broken exchange ever waits this long

// The main window's side of the settings: what the engine reads at each command.
class SettingsView : public IExchangeSettings
{
public:
    explicit SettingsView(CZOKSettings &settings) : m_settings(settings) {}
    QString PortName() const override { return QString::fromStdString(m_settings.PortName()); }
    std::uint8_t ReceiverAddress() const override { return m_settings.ReceiverAddress(); }

private:
    CZOKSettings &m_settings;
};

zok::sim::ReceiverConfig receiver(std::uint8_t address)
{
    zok::sim::ReceiverConfig config;
    config.address = address;
    config.radioJitter = 0;
    return config;
}

QList<QByteArray> linesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeLast(); // after the last line end
    return lines;
}

ToolMessageHook recordInto(QStringList &texts)
{
    return [&texts](QWidget *, const ToolMessage &m) {
        texts << m.text;
        return QMessageBox::Ok;
    };
}

} // namespace

class ToolsEndToEndTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<zok::sim::Simulator> m_sim;
    std::unique_ptr<CZOKSettings> m_settings;
    std::unique_ptr<SettingsView> m_settingsView;
    CZOKProperties m_model;
    RecordingView m_view; // its traffic list tells when a frame has been dispatched
    std::unique_ptr<CZOKExchange> m_engine;
    QStringList m_messages;

    void start(std::vector<zok::sim::ReceiverConfig> receivers, std::uint8_t address)
    {
        zok::sim::SimulatorConfig config;
        config.receivers = std::move(receivers);
        m_sim = std::make_unique<zok::sim::Simulator>(config);
        const std::string port = m_sim->start();
        QFile::remove(m_dir.filePath(QStringLiteral("ZOK.ini")));
        m_settings = std::make_unique<CZOKSettings>();
        QVERIFY(m_settings->Load(m_dir.filePath(QStringLiteral("ZOK.ini")).toStdString()));
        m_settings->SetPortName(port);
        m_settings->SetReceiverAddress(address);
        m_settingsView = std::make_unique<SettingsView>(*m_settings);
        m_model.SetSupportedMask(zok::AllParametersMask());
        m_engine = std::make_unique<CZOKExchange>(*m_settingsView, m_model, m_view);
        QVERIFY(m_engine->OpenSerialPort(false));
    }
    // The frame has gone through the engine's dispatcher (and any event it posted is queued).
    bool dispatched(const QString &frame)
    {
        return QTest::qWaitFor([&] { return m_view.TrafficTexts().contains(u'[' + frame + u']'); }, kWaitMs);
    }
    bool heard(std::size_t commands)
    {
        return m_sim->waitForCommands(commands, std::chrono::milliseconds(kWaitMs));
    }
    QStringList sentCodes()
    {
        QStringList codes;
        for (const auto &command : m_sim->commands())
            codes << QString::fromStdString(command.text).mid(0, 2);
        return codes;
    }
    template <class D> void prepare(D &dlg, bool manualTimers)
    {
        dlg.setMessageHook(recordInto(m_messages));
        for (CToolTimer *timer : dlg.template findChildren<CToolTimer *>())
            timer->setManual(manualTimers);
        dlg.show();
    }
    // What the main window does when a modal tool dialog returns.
    void endDialog(QDialog &dlg)
    {
        dlg.done(QDialog::Accepted);
        m_engine->EndMonitoring();
    }

private slots:
    void cleanup()
    {
        m_engine.reset();
        if (m_sim)
            m_sim->stop();
        m_messages.clear();
        m_view.traffic.clear();
    }

    void scanSelectThenRadioScanUsesTheChosenReceiver()
    {
        std::vector<zok::sim::ReceiverConfig> receivers{receiver(0x03), receiver(0x01), receiver(0x0A)};
        receivers[0].registers[0x01] = 0x01;
        receivers[1].registers[0x01] = 0x00;
        receivers[2].registers[0x01] = 0x00;
        receivers[2].radioLevel = 0xB4;
        start(receivers, 0x01);
        CZOKScanReceiversDlg scan(*m_engine, *m_settings);
        prepare(scan, true);
        auto *list = scan.findChild<QListWidget *>(QStringLiteral("1008"));
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 3, kWaitMs);
        m_sim->sendRaw("[01000A5][0100FF]");
        QVERIFY(dispatched(QStringLiteral("0100FF")));
        QCoreApplication::sendPostedEvents(&scan);
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        QCOMPARE(lines, (QStringList{"01", "03", "0A", "FF"}));
        list->setCurrentRow(2);
        QTest::mouseClick(scan.findChild<QPushButton *>(QStringLiteral("1010")), Qt::LeftButton);
        endDialog(scan);
        QCOMPARE(m_settings->ReceiverAddress(), 0x0A);
        QFile ini(m_dir.filePath(QStringLiteral("ZOK.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly) && ini.readAll().contains("RECEIVER_ID=0A"));

        m_sim->clearRecords();
        CZOKRadioFollowDlg radio(*m_engine, m_dir.path());
        prepare(radio, true);
        QVERIFY(heard(1));
        QCOMPARE(m_sim->commands().front().text, std::string("97000A"));
        QTRY_COMPARE_WITH_TIMEOUT(radio.findChild<QLabel *>(QStringLiteral("1025"))->text(),
                                  QStringLiteral("180"), kWaitMs);
        endDialog(radio);
    }

    void tagTrackingFollowsOneTagOfTheSelectedReceiver()
    {
        start({receiver(0x05)}, 0x05);
        CZOKTagFollowDlg tag(*m_engine);
        prepare(tag, true);
        QCOMPARE(m_engine->State(), ExchangeState::TagTracking);
        tag.findChild<QLineEdit *>(QStringLiteral("1017"))->setText(QStringLiteral("12ab"));
        tag.scan();
        auto *level = tag.findChild<QLineEdit *>(QStringLiteral("1005"));
        m_sim->sendRaw("[B412ab05][B512AB06][B6012AB05][B312AB05]");
        QTRY_COMPARE_WITH_TIMEOUT(level->text(), QStringLiteral("179"), kWaitMs);
        m_sim->sendRaw("[B412ab05][B512AB06][B6012AB05]");
        QVERIFY(dispatched(QStringLiteral("B6012AB05")));
        QCoreApplication::sendPostedEvents(&tag);
        QCOMPARE(level->text(), QStringLiteral("179"));
        auto *silence = tag.findChild<CToolTimer *>(QStringLiteral("777"));
        for (int i = 0; i < 5; ++i)
            silence->fire();
        QCOMPARE(tag.findChild<QLineEdit *>(QStringLiteral("1006"))->text(),
                 QStringLiteral("Nombre de secondes sans réception : 5"));
        m_sim->sendRaw("[B412AB05]");
        QTRY_COMPARE_WITH_TIMEOUT(level->text(), QStringLiteral("180"), kWaitMs);
        QCOMPARE(tag.findChild<QLineEdit *>(QStringLiteral("1006"))->text(),
                 QStringLiteral("Nombre de secondes sans réception : 0"));
        endDialog(tag);
        QCOMPARE(m_engine->State(), ExchangeState::Idle);
    }

    void radioScanRecordsTheLevelsItPolls()
    {
        auto config = receiver(0x05);
        config.radioLevel = 7;
        start({config}, 0x05);
        CZOKRadioFollowDlg radio(*m_engine, m_dir.path());
        radio.setClock([] { return QDateTime(QDate(2026, 2, 1), QTime(9, 5, 3, 45)); });
        prepare(radio, false); // real polling
        QFile::remove(radio.logPath());
        radio.findChild<QLineEdit *>(QStringLiteral("1021"))->setText(QStringLiteral("20"));
        radio.start();
        QFile log(radio.logPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QTRY_VERIFY_WITH_TIMEOUT(log.size() >= 60, kWaitMs); // flushed while recording
        radio.stop();
        const QByteArray lines = log.readAll();
        QVERIFY(lines.startsWith("01/02/2026; 09:05:03;  45; 7\r\n01/02/2026; 09:05:03;  45; 7\r\n"));
        m_sim->updateReceiver(0x05, [](zok::sim::ReceiverConfig &r) { r.faults.silent = true; });
        m_sim->sendRaw("[97b405][97B4051][98B505]");
        QVERIFY(dispatched(QStringLiteral("98B505")));
        QCoreApplication::sendPostedEvents(&radio);
        QCOMPARE(radio.findChild<QLabel *>(QStringLiteral("1025"))->text(), QStringLiteral("7"));
        m_sim->sendRaw("[97B505]");
        QTRY_COMPARE_WITH_TIMEOUT(radio.findChild<QLabel *>(QStringLiteral("1025"))->text(),
                                  QStringLiteral("181"), kWaitMs);
        endDialog(radio);
        QVERIFY(!radio.isLogOpen());
    }

    // The CSV record against what the simulator sent: one line per answer, in order, with its
    // level; the radio log of the same run is exactly what its unchanged writer makes of the same
    // readings; a second opening appends without a second header.
    void radioScanCsvRecordMatchesTheSimulatorAndTheLog()
    {
        auto config = receiver(0x05);
        config.radioJitter = 60; // seeded: varied levels, the same each run
        start({config}, 0x05);
        const QString csv = m_dir.filePath(QStringLiteral("levels.csv"));
        QFile::remove(csv);
        QFile::remove(m_dir.filePath(QStringLiteral("ZOK.log")));
        qint64 ms = QDateTime(QDate(2026, 2, 1), QTime(9, 0)).toMSecsSinceEpoch();
        const auto stepping = [&ms] { return QDateTime::fromMSecsSinceEpoch(ms += 7); };
        int written = 0;
        QStringList sentLevels; // what the simulator answered while recording
        const auto record = [&](int polls) {
            m_sim->clearRecords();
            CZOKRadioFollowDlg radio(*m_engine, m_dir.path(), m_settings.get());
            radio.setClock(stepping);
            prepare(radio, true);
            QVERIFY(heard(1));
            QTRY_VERIFY_WITH_TIMEOUT(!radio.findChild<QLabel *>(QStringLiteral("1025"))->text().isEmpty(),
                                     kWaitMs);
            m_sim->clearRecords();
            auto *csvOn = radio.findChild<QCheckBox *>(QStringLiteral("1282"));
            QCOMPARE(csvOn->isChecked(), written > 0); // the choice is remembered in the settings
            csvOn->setChecked(true);
            radio.findChild<QLineEdit *>(QStringLiteral("1283"))->setText(QStringLiteral("levels.csv"));
            radio.start();
            for (int i = 1; i < polls; ++i)
                radio.findChild<CToolTimer *>(QStringLiteral("2"))->fire();
            QVERIFY(m_sim->waitForFrames(std::size_t(polls), std::chrono::milliseconds(kWaitMs)));
            written += polls; // flushed as they come
            QTRY_COMPARE_WITH_TIMEOUT(linesOf(csv).size(), 1 + written, kWaitMs);
            for (const std::string &frame : m_sim->framesSent())
                sentLevels << QString::number(QString::fromStdString(frame).mid(2, 2).toInt(nullptr, 16));
            radio.stop();
            endDialog(radio);
        };
        record(12);
        record(3);

        QList<QByteArray> lines = linesOf(csv);
        QCOMPARE(lines.size(), 1 + 12 + 3);
        QCOMPARE(lines.takeFirst() + '\n', CLevelCsvRecord::Header());
        QByteArray expectedLog;
        QDateTime previous;
        QStringList csvLevels;
        for (const QByteArray &line : lines) {
            const QList<QByteArray> fields = line.trimmed().split(',');
            QCOMPARE(fields.size(), 3);
            const QDateTime when = QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODateWithMs);
            QVERIFY(when.isValid() && (!previous.isValid() || when > previous));
            previous = when;
            QCOMPARE(fields[1], QByteArray("05"));
            csvLevels << QString::fromLatin1(fields[2]);
            expectedLog += CZOKRadioLog::FormatLine(when, fields[2].toInt());
        }
        QCOMPARE(csvLevels, sentLevels);
        QVERIFY(QSet<QString>(csvLevels.begin(), csvLevels.end()).size() >
                2); // levels that vary: a real comparison
        QFile log(m_dir.filePath(QStringLiteral("ZOK.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), expectedLog);
    }

    // The table against the simulator's record: several tags of two receivers at known rates,
    // a receiver in lower case and a report of odd length, none of which are tags.
    void tagTableCountsMatchTheSimulator()
    {
        auto first = receiver(0x05);
        first.tags = {"12AB34", "0A0B"};
        first.tagRate = 200;
        auto second = receiver(0x06);
        second.tags = {"C0FFEE"};
        second.tagRate = 100;
        auto lower = receiver(0x07);
        lower.tags = {"ABCDEF"};
        lower.tagRate = 50;
        lower.faults.lowerCaseHex = true;
        start({first, second, lower}, 0x00);
        CZOKTagFollowDlg tag(*m_engine);
        prepare(tag, true);
        m_sim->sendRaw("[B412A05]");
        QTRY_VERIFY_WITH_TIMEOUT(tag.tags().sightings().size() == 3 && tag.tags().sightings()[0].count > 50,
                                 kWaitMs);
        for (std::uint8_t address : {0x05, 0x06, 0x07})
            m_sim->updateReceiver(address, [](zok::sim::ReceiverConfig &r) { r.tagRate = 0; });
        m_sim->sendRaw("[B4zz05]"); // after every report already due; not a tag itself
        QVERIFY(dispatched(QStringLiteral("B4zz05")));
        QCoreApplication::sendPostedEvents(&tag);

        QMap<QString, qint64> sent;
        for (const std::string &frame : m_sim->framesSent()) {
            const QString text = QString::fromStdString(frame);
            if (text.right(2) != QStringLiteral("07"))
                ++sent[text.mid(2, text.size() - 4)];
        }
        QMap<QString, qint64> counted;
        for (const TagSighting &sighting : tag.tags().sightings())
            counted[sighting.id] = sighting.count;
        QCOMPARE(counted, sent);
        QCOMPARE(counted.keys(), (QStringList{"0A0B", "12AB34", "C0FFEE"}));
        endDialog(tag);
    }

    void idFilterReadsSixteenBitsAndResetsTwentyFourBits()
    {
        auto sixteen = receiver(0x05);
        sixteen.registers[0x10] = 1;
        sixteen.registers[0xA0] = 0x12;
        start({sixteen}, 0x05);
        CIDFilterConfig filter(*m_engine);
        prepare(filter, true);
        QTRY_COMPARE_WITH_TIMEOUT(filter.identifierFormat(), 1, kWaitMs);
        filter.read();
        QTRY_COMPARE_WITH_TIMEOUT(filter.findChild<QLineEdit *>(QStringLiteral("1031"))->text(),
                                  QStringLiteral("FF"), kWaitMs);
        QCOMPARE(sentCodes(), (QStringList{"10", "A0", "A1", "A3", "A4"}));
        QCOMPARE(filter.findChild<QLineEdit *>(QStringLiteral("1027"))->text(), QStringLiteral("12"));
        endDialog(filter);
        cleanup();

        start({receiver(0x05)}, 0x05); // factory settings: 24-bit identifiers
        CIDFilterConfig reset(*m_engine);
        prepare(reset, true);
        QTRY_COMPARE_WITH_TIMEOUT(reset.identifierFormat(), 2, kWaitMs);
        m_sim->updateReceiver(0x05, [](zok::sim::ReceiverConfig &r) { r.registers[0xA3] = 0x00; });
        reset.reset();
        QTRY_VERIFY_WITH_TIMEOUT(sentCodes().contains(QStringLiteral("AE")), kWaitMs);
        QCOMPARE(sentCodes().mid(1), (QStringList{"A8", "A9", "AA", "AB", "AC", "AD", "AE"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_sim->registerValue(0x05, 0xA3).value_or(0), 0xFF, kWaitMs);
        QCOMPARE(m_sim->registerValue(0x05, 0xA0).value_or(0xEE), 0x00);
        endDialog(reset);
    }

    void idFilterWithoutAnswerGivesMessage183AfterThreeSendings()
    {
        auto silent = receiver(0x05);
        silent.faults.silent = true;
        start({silent}, 0x05);
        CIDFilterConfig filter(*m_engine);
        prepare(filter, true);
        auto *timer = filter.findChild<CToolTimer *>(QStringLiteral("1"));
        for (std::size_t sent = 1; sent <= 3; ++sent) {
            QVERIFY(heard(sent));
            timer->fire();
        }
        QCOMPARE(sentCodes(), QStringList(3, QStringLiteral("10")));
        QCOMPARE(m_messages, QStringList{zok::Text(183)});
        endDialog(filter);
    }

    void portDialogChoiceIsWhatTheEngineReopens()
    {
        start({receiver(0x01)}, 0x01);
        const QString port = QString::fromStdString(m_settings->PortName());
        m_settings->SetPortName("COM1");
        CZOKSerialCfgDlg dlg(*m_settings, [port] { return QStringList{"COM1", port}; });
        prepare(dlg, true);
        dlg.findChild<QComboBox *>(QStringLiteral("1000"))->setCurrentText(port);
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("1")), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(m_engine->OpenSerialPort(false));
        m_engine->ReadParameters();
        QVERIFY(heard(1));
    }
};

QTEST_MAIN(ToolsEndToEndTest)
#include "ToolsEndToEndTest.moc"
