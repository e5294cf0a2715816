// Compare with File and Clone to All Receivers run from the main window's File menu against the
// receiver simulator: what the dialogs show, what reaches the receivers, what the window keeps.
#include "CZOKCloneDlg.h"
#include "CZOKCompareDlg.h"
#include "ParameterFile.h"
#include "Simulator.h"
#include "TempDir.h"
#include "WindowFixture.h"
#include "ZokText.h"

#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QTest>

#include <functional>

namespace {

constexpr int kWaitMs = 15000; // generous: only a broken exchange ever waits this long

zok::sim::SimulatorConfig Line(std::initializer_list<std::uint8_t> addresses)
{
    zok::sim::SimulatorConfig config;
    config.receivers.clear();
    for (const std::uint8_t address : addresses) {
        config.receivers.emplace_back();
        config.receivers.back().address = address;
    }
    return config;
}

// A parameter file: the factory set with the sensitivity at 0x80.
std::string WriteFile(const zok::test::TempDir &dir)
{
    CZOKProperties model;
    model.SetValue(ParameterId::RX_SENSIBILITY, 0x80);
    const std::string path = dir.file("site.zok");
    zok::SaveParameterFile(path, model);
    return path;
}

void Answer(WindowFixture &f, const std::string &path)
{
    ParameterFileDialogs dialogs;
    dialogs.chooseLoadFile = [path](QWidget *) { return QString::fromStdString(path); };
    f.window->SetFileDialogs(dialogs);
}

// Runs `body` in the next dialog of type T; any other modal dialog (the speed warning) ends with OK.
template <typename T> void OnNextDialog(WindowFixture &f, bool &ran, std::function<void(T &)> body)
{
    f.window->SetModalHook([&ran, body = std::move(body)](QDialog &dialog) {
        auto *typed = qobject_cast<T *>(&dialog);
        if (typed == nullptr)
            return int(QDialog::Accepted);
        ran = true;
        body(*typed);
        return int(QDialog::Rejected);
    });
}

QString Cell(const QTableWidget *table, const QString &first, int column)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0) != nullptr && table->item(row, 0)->text() == first)
            return table->item(row, column)->text();
    }
    return {};
}

bool Enabled(WindowFixture &f, int command)
{
    QAction *action = f.window->CommandAction(command);
    f.window->UpdateMenu(qobject_cast<QMenu *>(action->parent()));
    return action->isEnabled();
}

} // namespace

class CompareCloneWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void compareReadsFirstWritesTheTickedRowAndShowsItVerified()
    {
        zok::sim::Simulator sim(Line({0x01}));
        WindowFixture f(QString::fromStdString(sim.start()), true, 0x01);
        QVERIFY(Enabled(f, CZOKDlg::ID_COMPARE_WITH_FILE));
        zok::test::TempDir dir;
        const std::string path = WriteFile(dir);
        const std::string before = zok::test::ReadBytes(path);
        Answer(f, path);
        const QString sensitivity = zok::Text(104);
        bool ran = false;
        OnNextDialog<CZOKCompareDlg>(f, ran, [&](CZOKCompareDlg &dialog) {
            QTRY_COMPARE_WITH_TIMEOUT(dialog.Update().Step(), zok::UpdateStep::Compared, kWaitMs);
            QCOMPARE(dialog.Table()->rowCount(), 22);
            QCOMPARE(Cell(dialog.Table(), sensitivity, 1), QStringLiteral("128"));
            QCOMPARE(Cell(dialog.Table(), sensitivity, 2), QStringLiteral("254"));
            QCOMPARE(Cell(dialog.Table(), sensitivity, 3), zok::Text(243));
            QVERIFY(Cell(dialog.Table(), zok::Text(155), 3)
                        .endsWith(QStringLiteral("(speed configuration disabled)")));
            QTest::mouseClick(dialog.WriteButton(), Qt::LeftButton);
            QVERIFY(dialog.Busy());
            QTRY_COMPARE_WITH_TIMEOUT(dialog.Update().Step(), zok::UpdateStep::Done, kWaitMs);
            QCOMPARE(Cell(dialog.Table(), sensitivity, 3), zok::Text(247));
            QCOMPARE(dialog.StatusLabel()->text(), QStringLiteral("1 written, 1 verified."));
        });
        f.window->CommandAction(CZOKDlg::ID_COMPARE_WITH_FILE)->trigger();
        QVERIFY(ran);
        QCOMPARE(sim.registerValue(0x01, 0x0B), 0x80);
        QCOMPARE(f.window->Properties().Value(ParameterId::RX_SENSIBILITY), 0x80);
        QVERIFY(!f.window->PropertiesModified());
        QCOMPARE(zok::test::ReadBytes(path), before);
        QCOMPARE(f.window->State(), ExchangeState::Idle);

        // The read-back stands for the receiver until the grid is edited.
        for (const bool edited : {false, true}) {
            if (edited)
                f.window->PropertyChanged();
            sim.clearRecords();
            OnNextDialog<CZOKCompareDlg>(f, ran, [&](CZOKCompareDlg &dialog) {
                QTRY_COMPARE_WITH_TIMEOUT(dialog.Update().Step(), zok::UpdateStep::Compared, kWaitMs);
            });
            f.window->CommandAction(CZOKDlg::ID_COMPARE_WITH_FILE)->trigger();
            QCOMPARE(sim.commands().size(), edited ? std::size_t(1) : std::size_t(0));
        }
    }

    // The compare's read would replace edits not written: the user is asked, and may keep them.
    void compareAsksBeforeItsReadReplacesGridEdits()
    {
        zok::sim::Simulator sim(Line({0x01}));
        WindowFixture f(QString::fromStdString(sim.start()), true, 0x01);
        zok::test::TempDir dir;
        Answer(f, WriteFile(dir));
        f.window->Properties().SetValue(ParameterId::RX_SENSIBILITY, 0x42);
        f.window->PropertyChanged();
        QStringList boxes;
        f.window->SetMessageBoxHook([&](const CDialogEx::MessageBoxRequest &request) {
            boxes << request.text;
            return QMessageBox::Cancel;
        });
        bool ran = false;
        OnNextDialog<CZOKCompareDlg>(f, ran, [](CZOKCompareDlg &) {});
        f.window->CommandAction(CZOKDlg::ID_COMPARE_WITH_FILE)->trigger();
        QCOMPARE(boxes, QStringList{zok::Text(355)});
        QVERIFY(!ran);
        QVERIFY(sim.commands().empty());
        QCOMPARE(f.window->Properties().Value(ParameterId::RX_SENSIBILITY), 0x42);
        QVERIFY(f.window->PropertiesModified());
    }

    // Every File command has its own accelerator, in each language.
    void fileMenuAcceleratorsAreUnique()
    {
        for (const auto language : {zok::Language::French, zok::Language::English}) {
            zok::SelectLanguage(language);
            WindowFixture f(QStringLiteral("/dev/zok-test-no-such-port"));
            const auto *file = qobject_cast<QMenu *>(f.window->CommandAction(CZOKDlg::ID_EXIT)->parent());
            QSet<QChar> keys;
            int commands = 0;
            for (const QAction *action : file->actions()) {
                if (action->isSeparator())
                    continue;
                ++commands;
                const auto amp = action->text().indexOf(u'&');
                if (amp >= 0)
                    keys.insert(action->text().at(amp + 1).toLower());
            }
            QCOMPARE(keys.size(), commands);
        }
    }

    void cloneSavesItsTableRestoresTheReceiverAndRefusesAPartialFile()
    {
        zok::sim::Simulator sim(Line({0x01, 0x02}));
        WindowFixture f(QString::fromStdString(sim.start()), true, 0x01);
        zok::test::TempDir dir;
        const std::string path = WriteFile(dir);
        Answer(f, path);
        const QString csv = QString::fromStdString(dir.file("result.csv"));
        bool ran = false;
        OnNextDialog<CZOKCloneDlg>(f, ran, [&](CZOKCloneDlg &dialog) {
            dialog.SetCsvChooser([csv](QWidget *) { return csv; });
            QTRY_VERIFY_WITH_TIMEOUT(!dialog.Batch().Running(), kWaitMs);
            QCOMPARE(dialog.Table()->rowCount(), 2);
            QCOMPARE(dialog.Table()->item(1, 3)->text(), zok::Text(247));
            QCOMPARE(dialog.Progress()->value(), 100);
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("saveCsv")), Qt::LeftButton);
        });
        f.window->CommandAction(CZOKDlg::ID_CLONE_TO_ALL_RECEIVERS)->trigger();
        QVERIFY(ran);
        QCOMPARE(sim.registerValue(0x02, 0x0B), 0x80);
        QCOMPARE(f.settings->ReceiverAddress(), 0x01);
        QCOMPARE(
            QString::fromStdString(zok::test::ReadBytes(csv.toStdString())).count(QStringLiteral("\r\n")), 3);

        // A file with a bad key: the load's own box, and no receiver is touched.
        zok::test::WriteBytes(path, "[ZOK_PARAMETERS]\r\nRX_SENSIBILITY=zz\r\n");
        QStringList boxes;
        f.window->SetMessageBoxHook([&](const CDialogEx::MessageBoxRequest &request) {
            boxes << request.text;
            return QMessageBox::Ok;
        });
        ran = false;
        sim.clearRecords();
        f.window->CommandAction(CZOKDlg::ID_CLONE_TO_ALL_RECEIVERS)->trigger();
        QVERIFY(!ran);
        QCOMPARE(boxes, QStringList{zok::Text(148)});
        QVERIFY(sim.commands().empty());

        f.window->Exchange().CloseSerialPort();
        QVERIFY(!Enabled(f, CZOKDlg::ID_CLONE_TO_ALL_RECEIVERS));
    }
};

QTEST_MAIN(CompareCloneWindowTest)
#include "CompareCloneWindowTest.moc"
