// Renders the Compare with File dialog (after its read) and the Clone to All Receivers dialog
// (after its batch) against the receiver simulator, in English and in French, to
// compare-dialog-{en,fr}.png and clone-dialog-{en,fr}.png in the directory given as first argument
// (the current directory by default): the pictures of the documentation.
#include "CZOKCloneDlg.h"
#include "CZOKCompareDlg.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "ParameterFile.h"
#include "Simulator.h"
#include "WindowSettings.h"
#include "ZokText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <utility>

namespace {

constexpr int kWaitMs = 15000;

// Three receivers: 01 with an older firmware, which does not keep its new out-of-range delay (a
// long failure text), 05 already at the file's sensitivity, 0A that stops answering once the scan
// has found it.
zok::sim::SimulatorConfig Site()
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].firmware = " v13.2.1";
    config.receivers.emplace_back();
    config.receivers.back().address = 0x05;
    config.receivers.back().registers[0x0B] = 0x80;
    config.receivers.emplace_back();
    config.receivers.back().address = 0x0A;
    return config;
}

bool Grab(QDialog &dialog, const QString &path)
{
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return false;
    QTest::qWait(100);
    return dialog.grab().save(path);
}

bool Shoot(zok::Language language, const QDir &out, const QString &suffix)
{
    zok::SelectLanguage(language);
    zok::sim::Simulator sim(Site());
    const std::string port = sim.start();
    QTemporaryDir dir;
    CZOKProperties set;
    set.SetValue(ParameterId::RX_SENSIBILITY, 0x80);
    set.SetValue(ParameterId::RX_MODE_FCT, 2);
    set.SetValue(ParameterId::RX_LONG_CRC, 1);
    set.SetValue(ParameterId::RX_TIMEOUT, 12);
    const std::string file = dir.filePath(QStringLiteral("site.zok")).toStdString();
    zok::SaveParameterFile(file, set);

    CZOKSettings settings;
    if (!LoadWindowSettings(settings, dir.path(), QByteArray::fromStdString(port)))
        return false;
    CZOKDlg window(settings);
    window.SetDontShowSpeedWarning(true);
    ParameterFileDialogs dialogs;
    dialogs.chooseLoadFile = [&file](QWidget *) { return QString::fromStdString(file); };
    window.SetFileDialogs(dialogs);
    bool ok = true;
    window.SetModalHook([&](QDialog &dialog) {
        if (auto *compare = qobject_cast<CZOKCompareDlg *>(&dialog)) {
            ok = QTest::qWaitFor([&] { return compare->Update().Step() == zok::UpdateStep::Compared; },
                                 kWaitMs) &&
                 Grab(dialog, out.filePath(QStringLiteral("compare-dialog-%1.png").arg(suffix)));
        } else if (auto *clone = qobject_cast<CZOKCloneDlg *>(&dialog)) {
            QObject::connect(&clone->Batch(), &zok::CCloneBatch::ScanFinished, &dialog, [&] {
                sim.updateReceiver(0x0A, [](zok::sim::ReceiverConfig &r) { r.faults.silent = true; });
            });
            // Before 01 is read back: it acknowledged the delay but did not keep it.
            bool reset = false;
            QObject::connect(&window.Exchange(), &CZOKExchange::WriteFinished, &dialog, [&] {
                if (!std::exchange(reset, true))
                    sim.updateReceiver(0x01, [](zok::sim::ReceiverConfig &r) { r.registers[0x05] = 0x06; });
            });
            ok = ok && QTest::qWaitFor([&] { return !clone->Batch().Running(); }, kWaitMs) &&
                 Grab(dialog, out.filePath(QStringLiteral("clone-dialog-%1.png").arg(suffix)));
        }
        return int(QDialog::Rejected);
    });
    window.CompareWithFile();
    window.CloneToAllReceivers();
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    bool ok = Shoot(zok::Language::English, out, QStringLiteral("en"));
    ok = Shoot(zok::Language::French, out, QStringLiteral("fr")) && ok;
    if (!ok)
        std::fprintf(stderr, "could not render the dialogs\n");
    return ok ? 0 : 1;
}
