#include "CTagTableModel.h"
#include "CToolTimer.h"
#include "CZOKTagFollowDlg.h"
#include "FakeToolExchange.h"
#include "ZokText.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TagFollowDlgTest : public QObject
{
    Q_OBJECT

    FakeToolExchange m_exchange;
    MessageRecorder m_messages;
    std::unique_ptr<CZOKTagFollowDlg> m_dlg;

    QLineEdit *edit(const char *id) { return m_dlg->findChild<QLineEdit *>(QString::fromLatin1(id)); }
    CToolTimer *silenceTimer() { return m_dlg->findChild<CToolTimer *>(QStringLiteral("777")); }
    QString silence() { return edit("1006")->text(); }
    int bar() { return m_dlg->findChild<QProgressBar *>(QStringLiteral("1015"))->value(); }
    void follow(const QString &id)
    {
        edit("1017")->setText(id);
        QTest::mouseClick(m_dlg->findChild<QPushButton *>(QStringLiteral("1012")), Qt::LeftButton);
    }
    void frame(const char *text) { m_exchange.forward(MonitorKind::TagTracking, QString::fromLatin1(text)); }
    // The table as shown, sorted: one "id count in-range" text per row.
    QStringList table()
    {
        const QAbstractItemModel *model = m_dlg->findChild<QTableView *>(QStringLiteral("1290"))->model();
        QStringList rows;
        for (int row = 0; row < model->rowCount(); ++row) {
            rows << QStringLiteral("%1 %2 %3")
                        .arg(model->index(row, CTagTableModel::Id).data().toString(),
                             model->index(row, CTagTableModel::Count).data().toString(),
                             model->index(row, CTagTableModel::InRange).data().toString());
        }
        return rows;
    }

private slots:
    void init()
    {
        m_exchange = FakeToolExchange{};
        m_messages = MessageRecorder{};
        m_dlg = std::make_unique<CZOKTagFollowDlg>(m_exchange);
        m_dlg->setMessageHook(m_messages.hook());
        silenceTimer()->setManual(true);
        m_dlg->show();
    }
    void cleanup() { m_dlg.reset(); }

    void openingRegistersAndEntersTagTracking()
    {
        QCOMPARE(m_exchange.monitors[MonitorKind::TagTracking].data(), m_dlg.get());
        QCOMPARE(m_exchange.state, FakeToolExchange::State::TagTracking);
        QVERIFY(m_exchange.commands.isEmpty());
        QCOMPARE(m_dlg->windowTitle(), QStringLiteral("Suivi d'un tag"));
        QVERIFY(silence().isEmpty());
    }

    void identifierIsUpperCasedAndChecked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("valid");
        QTest::newRow("lower case") << "12ab" << true;
        QTest::newRow("odd length") << "123" << false;
        QTest::newRow("not hex") << "12G4" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("long") << "00FFa1b2" << true;
    }
    void identifierIsUpperCasedAndChecked()
    {
        QFETCH(QString, typed);
        QFETCH(bool, valid);
        follow(typed);
        QCOMPARE(edit("1017")->text(), typed.toUpper());
        QCOMPARE(edit("1004")->text(), valid ? typed.toUpper() : QString());
        QCOMPARE(m_messages.texts, valid ? QStringList() : QStringList{zok::Text(151)});
        if (!valid)
            QCOMPARE(m_messages.icons.front(), QMessageBox::Critical);
        QCOMPARE(silence(), valid ? QStringLiteral("Nombre de secondes sans réception : 0") : QString());
    }

    void invalidScanKeepsTheFollowedTag()
    {
        follow(QStringLiteral("12AB"));
        follow(QStringLiteral("12G4"));
        QCOMPARE(edit("1004")->text(), QStringLiteral("12AB"));
        frame("B412AB05");
        QCOMPARE(bar(), 180);
    }

    void reportsMatchIdentifierAddressAndUpperCase()
    {
        frame("B412AB05"); // not following yet
        QCOMPARE(bar(), 0);
        follow(QStringLiteral("12AB"));
        QVERIFY(!silenceTimer()->isActive());
        for (const char *ignored : {"B412ab05", "B412AB06", "B4012AB05", "B412A", "12AB", "B4"})
            frame(ignored);
        QCOMPARE(bar(), 0);
        QVERIFY(edit("1005")->text().isEmpty());
        frame("B412AB05");
        QCOMPARE(bar(), 180);
        QCOMPARE(edit("1005")->text(), QStringLiteral("180"));
        QVERIFY(silenceTimer()->isActive());
        QCOMPARE(silenceTimer()->interval(), 1000);
    }

    void receiverZeroAcceptsEveryReceiver()
    {
        m_exchange.address = 0;
        follow(QStringLiteral("12AB"));
        frame("B412AB07");
        QCOMPARE(edit("1005")->text(), QStringLiteral("180"));
    }

    void silenceCountsFromTheLastAcceptedReport()
    {
        follow(QStringLiteral("12AB"));
        silenceTimer()->fire(); // no timer runs before the first report
        QCOMPARE(silence(), QStringLiteral("Nombre de secondes sans réception : 0"));
        frame("B412AB05");
        for (int i = 0; i < 5; ++i) {
            silenceTimer()->fire();
            frame("B412AB06"); // another receiver: the count keeps rising
        }
        QCOMPARE(silence(), QStringLiteral("Nombre de secondes sans réception : 5"));
        QCOMPARE(edit("1005")->text(), QStringLiteral("180"));
        frame("6412AB05");
        QCOMPARE(silence(), QStringLiteral("Nombre de secondes sans réception : 0"));
        QCOMPARE(bar(), 100);
        follow(QStringLiteral("12AB")); // a new Scan waits again, without a timer
        QVERIFY(!silenceTimer()->isActive());
        QCOMPARE(bar(), 0);
        QVERIFY(edit("1005")->text().isEmpty());
    }

    void enterIsSwallowed()
    {
        edit("1017")->setText(QStringLiteral("12ab"));
        edit("1017")->setFocus();
        QTest::keyClick(edit("1017"), Qt::Key_Return);
        QTest::keyClick(m_dlg->findChild<QPushButton *>(QStringLiteral("1")), Qt::Key_Enter);
        QVERIFY(m_dlg->isVisible());
        QCOMPARE(edit("1017")->text(), QStringLiteral("12ab"));
    }

    void closingStopsTheTimer()
    {
        follow(QStringLiteral("12AB"));
        frame("B412AB05");
        QTest::mouseClick(m_dlg->findChild<QPushButton *>(QStringLiteral("1")), Qt::LeftButton);
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_dlg->result(), int(QDialog::Accepted));
        QVERIFY(!silenceTimer()->isActive());
    }

    // Every tag heard, followed or not; reports that are not tags by the tracking rules are left out.
    void tableOfTagsHeardSortsSavesAndClears()
    {
        qint64 ms = QDateTime(QDate(2026, 2, 1), QTime(9, 0)).toMSecsSinceEpoch();
        m_dlg->setClock([&ms] { return QDateTime::fromMSecsSinceEpoch(ms); });
        for (const char *text : {"B412AB05", "B4123405", "B412AB05", "B4ABCDEF05", "B412ab05", "B412A05",
                                 "B412AB06", "b412AB05", "B412AB"})
            frame(text);
        const QString yes = zok::Text(293);
        const QString no = zok::Text(294);
        QCOMPARE(table(), (QStringList{"1234 1 " + yes, "12AB 2 " + yes, "ABCDEF 1 " + yes}));
        auto *view = m_dlg->findChild<QTableView *>(QStringLiteral("1290"));
        view->sortByColumn(CTagTableModel::Count, Qt::DescendingOrder);
        QCOMPARE(table().first(), "12AB 2 " + yes);
        ms += 5000; // the 5-second rule, judged again by the table's own timer
        frame("B4123405");
        m_dlg->findChild<CToolTimer *>(QStringLiteral("range"))->fire();
        QCoreApplication::sendPostedEvents(m_dlg.get());
        QCOMPARE(table(), (QStringList{"12AB 2 " + no, "1234 2 " + yes, "ABCDEF 1 " + no}));

        QTemporaryDir dir;
        QString target = dir.filePath(QStringLiteral("tags.csv"));
        m_dlg->setFileHook(
            [&](QWidget *, const ToolFileRequest &) { return std::optional<QString>(target); });
        QTest::mouseClick(m_dlg->findChild<QPushButton *>(QStringLiteral("1292")), Qt::LeftButton);
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), m_dlg->tags().ToCsv(QDateTime::fromMSecsSinceEpoch(ms)));
        QVERIFY(m_messages.texts.isEmpty());
        target = dir.filePath(QStringLiteral("missing/tags.csv"));
        QTest::mouseClick(m_dlg->findChild<QPushButton *>(QStringLiteral("1292")), Qt::LeftButton);
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY(m_messages.texts.front().startsWith(zok::Text(287).arg(target, QString()).chopped(2)));

        QTest::mouseClick(m_dlg->findChild<QPushButton *>(QStringLiteral("1291")), Qt::LeftButton);
        QVERIFY(table().isEmpty());
        frame("B4123405");
        QCOMPARE(table(), QStringList{"1234 1 " + yes});
    }

    // Reports faster than the display: all counted, the controls change once, the last level shown.
    void aBurstOfReportsIsCountedWholeAndShownOnce()
    {
        follow(QStringLiteral("12AB"));
        const int refreshes = m_dlg->refreshCount();
        for (int i = 0; i < 1000; ++i)
            m_exchange.post(MonitorKind::TagTracking,
                            QString::asprintf("%02X%s05", i % 256, i % 2 ? "12AB" : "5678"));
        m_exchange.deliver(MonitorKind::TagTracking);
        QCOMPARE(m_dlg->refreshCount(), refreshes + 1);
        QCOMPARE(edit("1005")->text(), QString::number(999 % 256));
        QCOMPARE(bar(), 999 % 256);
        QCOMPARE(table().size(), 2);
        QCOMPARE(m_dlg->tags().sightings().front().count, 500);
    }

    void closedPortLeavesTheStateAlone()
    {
        FakeToolExchange closed;
        closed.portOpen = false;
        CZOKTagFollowDlg dlg(closed);
        dlg.show();
        QCOMPARE(closed.state, FakeToolExchange::State::Idle);
        QCOMPARE(closed.monitors[MonitorKind::TagTracking].data(), &dlg);
    }
};

QTEST_MAIN(TagFollowDlgTest)
#include "TagFollowDlgTest.moc"
