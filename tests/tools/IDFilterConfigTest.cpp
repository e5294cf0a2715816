#include "CIDFilterConfig.h"
#include "CToolTimer.h"
#include "FakeToolExchange.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

class IDFilterConfigTest : public QObject
{
    Q_OBJECT

    FakeToolExchange m_exchange;
    MessageRecorder m_messages;
    std::unique_ptr<CIDFilterConfig> m_dlg;

    template <class W> W *child(const char *id) { return m_dlg->findChild<W *>(QString::fromLatin1(id)); }
    QLineEdit *pair(int id) { return m_dlg->findChild<QLineEdit *>(QString::number(id)); }
    CToolTimer *answerTimer() { return child<CToolTimer>("1"); }
    void click(const char *id) { QTest::mouseClick(child<QPushButton>(id), Qt::LeftButton); }
    void answer(const QString &text) { m_exchange.forward(MonitorKind::IdFilter, text); }
    // Answers every read of the sequence with the value 12 (alarm flag 01) and returns the codes sent.
    QStringList codesSent(int from = 0)
    {
        QStringList codes;
        for (int i = from; i < m_exchange.commands.size(); ++i)
            codes << m_exchange.commands[i].mid(2, 2);
        return codes;
    }
    void answerAll(const char *value)
    {
        for (int guard = 0; guard < 10; ++guard) {
            const QString command = m_exchange.commands.last();
            answer(QStringLiteral("OK") + command.mid(2, 2) + QString::fromLatin1(value) + command.mid(6, 2));
            if (m_exchange.commands.last() == command)
                return;
        }
    }
    void setFormat(int format)
    {
        answer(QStringLiteral("10%1 05").arg(format, 2, 10, QLatin1Char('0')).remove(u' '));
    }
    void setPairs(const QStringList &texts)
    {
        for (int i = 0; i < 6; ++i)
            pair(1027 + i)->setText(texts[i]);
    }

private slots:
    void init()
    {
        m_exchange = FakeToolExchange{};
        m_messages = MessageRecorder{};
        m_dlg = std::make_unique<CIDFilterConfig>(m_exchange);
        m_dlg->setMessageHook(m_messages.hook());
        answerTimer()->setManual(true);
        m_dlg->show();
    }
    void cleanup() { m_dlg.reset(); }

    void openingReadsTheFormat()
    {
        QCOMPARE(m_exchange.commands, QStringList{QStringLiteral(" [100005]")});
        QCOMPARE(m_exchange.state, FakeToolExchange::State::IdFilter);
        QCOMPARE(m_exchange.monitors[MonitorKind::IdFilter].data(), m_dlg.get());
        QVERIFY(answerTimer()->isActive());
        QCOMPARE(answerTimer()->interval(), 1000);
    }

    void sixteenBitReadSkipsTheThirdPairsAndTheAlarm()
    {
        answer(QStringLiteral("100105"));
        QVERIFY(!answerTimer()->isActive());
        QCOMPARE(m_dlg->identifierFormat(), 1);
        QVERIFY(pair(1029)->isReadOnly() && pair(1032)->isReadOnly() && !pair(1027)->isReadOnly());
        child<QCheckBox>("1036")->setChecked(true);
        click("1033");
        answerAll("12");
        QCOMPARE(codesSent(1), (QStringList{"A0", "A1", "A3", "A4"}));
        QCOMPARE(m_exchange.commands[1], QStringLiteral(" [A00005]"));
        QCOMPARE(pair(1027)->text(), QStringLiteral("12"));
        QCOMPARE(pair(1031)->text(), QStringLiteral("12"));
        QVERIFY(pair(1029)->text().isEmpty());
        QVERIFY(child<QCheckBox>("1036")->isChecked());
        QVERIFY(!answerTimer()->isActive());
    }

    void twentyFourBitReadWithTheAlarmFlag_data()
    {
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<bool>("checked");
        QTest::newRow("01 checks") << "01" << true;
        QTest::newRow("00 clears") << "00" << false;
    }
    void twentyFourBitReadWithTheAlarmFlag()
    {
        QFETCH(QString, alarm);
        QFETCH(bool, checked);
        setFormat(2);
        child<QCheckBox>("1036")->setChecked(!checked);
        click("1033");
        answerAll("34");
        QCOMPARE(codesSent(1).join(u' '), QStringLiteral("A0 A1 A2 A3 A4 A5 A6"));
        answer(QStringLiteral("OKA6") + alarm + QStringLiteral("05"));
        QCOMPARE(child<QCheckBox>("1036")->isChecked(), checked);
        QCOMPARE(pair(1032)->text(), QStringLiteral("34"));
    }

    void answersOfSixAndEightCharacters()
    {
        setFormat(2);
        click("1033");
        answer(QStringLiteral("NOA01205"));
        QVERIFY(pair(1027)->text().isEmpty());
        answer(QStringLiteral("A01205"));
        QCOMPARE(pair(1027)->text(), QStringLiteral("12"));
        answer(QStringLiteral("OKA13405"));
        QCOMPARE(pair(1028)->text(), QStringLiteral("34"));
    }

    void unmatchedAnswersLeaveTheRetriesGoing()
    {
        setFormat(2);
        click("1033");
        answer(QStringLiteral("OKA01206")); // another receiver
        answer(QStringLiteral("OKA11205")); // another code
        answer(QStringLiteral("100105"));   // the format is read once only
        QVERIFY(answerTimer()->isActive());
        QVERIFY(pair(1027)->text().isEmpty() && pair(1028)->text().isEmpty());
        QCOMPARE(m_dlg->identifierFormat(), 2);
        answerTimer()->fire();
        answerTimer()->fire();
        QVERIFY(m_messages.texts.isEmpty());
        answerTimer()->fire();
        QCOMPARE(m_exchange.commands.mid(1), QStringList(3, QStringLiteral(" [A00005]")));
        QCOMPARE(m_messages.texts, QStringList{zok::Text(183)});
        QCOMPARE(m_messages.icons.front(), QMessageBox::Critical);
        QVERIFY(!answerTimer()->isActive());
    }

    void unansweredFormatReadGivesMessage183()
    {
        for (int i = 0; i < 3; ++i)
            answerTimer()->fire();
        QCOMPARE(m_exchange.commands, QStringList(3, QStringLiteral(" [100005]")));
        QCOMPARE(m_messages.texts, QStringList{zok::Text(183)});
        QCOMPARE(m_dlg->identifierFormat(), 0);
    }

    void fieldNormalisation_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("error");
        QTest::newRow("one digit") << "5"
                                   << "05" << false;
        QTest::newRow("three") << "ABC"
                               << "BC" << false;
        QTest::newRow("empty") << ""
                               << "00" << false;
        QTest::newRow("not hex") << "0G"
                                 << "00" << true;
        QTest::newRow("long not hex") << "12XZ"
                                      << "00" << true;
        QTest::newRow("pair") << "F0"
                              << "F0" << false;
    }
    void fieldNormalisation()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, error);
        QLineEdit *field = pair(1027);
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        field->clear();
        QTest::keyClicks(field, typed.toLower());
        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_COMPARE(field->text(), shown);
        QCOMPARE(m_messages.texts, error ? QStringList{zok::Text(184)} : QStringList{});
    }

    void writeIsValidated()
    {
        click("1034"); // format not read yet
        setFormat(2);
        setPairs({"00", "11", "", "FF", "EE", "DD"});
        click("1034"); // third pair of ID start missing
        QCOMPARE(m_messages.texts, QStringList(2, zok::Text(184)));
        QCOMPARE(m_exchange.commands.size(), 1);
        setPairs({"00", "11", "22", "FF", "EE", "DD"});
        click("1034");
        answerAll("00");
        QCOMPARE(codesSent(1).join(u' '), QStringLiteral("A8 A9 AA AB AC AD AE"));
        QCOMPARE(m_exchange.commands.mid(1, 3), (QStringList{" [A80005]", " [A91105]", " [AA2205]"}));
        QCOMPARE(m_exchange.commands.last(), QStringLiteral(" [AE0005]"));
    }

    void sixteenBitWriteSkipsTheThirdPairs()
    {
        setFormat(1);
        setPairs({"00", "11", "", "FF", "EE", ""});
        click("1034");
        answerAll("00");
        QCOMPARE(codesSent(1).join(u' '), QStringLiteral("A8 A9 AB AC"));
    }

    void resetTwentyFourBits()
    {
        setFormat(2);
        child<QCheckBox>("1036")->setChecked(true);
        m_messages.answer = QMessageBox::Cancel;
        click("1035");
        QCOMPARE(m_exchange.commands.size(), 1);
        QVERIFY(
            m_messages.texts.front().contains(QStringLiteral("ID initial = 000000h et ID final = FFFFFFh")));
        m_messages.answer = QMessageBox::Ok;
        click("1035");
        QCOMPARE(pair(1027)->text() + pair(1028)->text() + pair(1029)->text(), QStringLiteral("000000"));
        QCOMPARE(pair(1030)->text() + pair(1031)->text() + pair(1032)->text(), QStringLiteral("FFFFFF"));
        answerAll("00");
        QCOMPARE(codesSent(1).join(u' '), QStringLiteral("A8 A9 AA AB AC AD AE"));
        QCOMPARE(m_exchange.commands.last(), QStringLiteral(" [AE0105]"));
    }

    void resetSixteenBits()
    {
        setFormat(1);
        click("1035");
        QCOMPARE(m_messages.texts.front(),
                 QStringLiteral(
                     "Attention les identifiants seront réinitialisés aux valeurs suivantes : ID initial = "
                     "0000h et ID final = FFFFh. Voulez vous continuer ?"));
        answerAll("00");
        QCOMPARE(codesSent(1).join(u' '), QStringLiteral("A8 A9 AB AC"));
        QVERIFY(pair(1029)->text().isEmpty());
    }

    void resetWithUnknownFormatIsRefused()
    {
        answerTimer()->fire();
        answerTimer()->fire();
        answerTimer()->fire();
        m_messages.texts.clear();
        click("1035");
        QCOMPARE(m_messages.texts, QStringList{zok::Text(184)});
        QCOMPARE(m_exchange.commands.size(), 3);
        QVERIFY(pair(1027)->text().isEmpty());
    }

    void newReadReplacesARunningSequence()
    {
        setFormat(2);
        setPairs({"00", "11", "22", "FF", "EE", "DD"});
        click("1034");
        click("1033");
        answer(QStringLiteral("OKA80005")); // acknowledgement of the abandoned write
        QCOMPARE(m_exchange.commands.last(), QStringLiteral(" [A00005]"));
        QCOMPARE(m_exchange.registrations, 3);
    }

    void enterPressesRead()
    {
        QTest::keyClick(m_dlg.get(), Qt::Key_Return);
        QCOMPARE(m_exchange.commands.last(), QStringLiteral(" [A00005]"));
        QVERIFY(m_dlg->isVisible());
    }
};

QTEST_MAIN(IDFilterConfigTest)
#include "IDFilterConfigTest.moc"
