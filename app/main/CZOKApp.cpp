#include "CZOKApp.h"

#include "AppPaths.h"
#include "CZOKDlg.h"
#include "StopRequestWatcher.h"
#include "ZokText.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

int CZOKApp::Run(int argc, char **argv)
{
    // Caught from the first moment, so that a request to end during start-up is not lost either.
    zok::WatchStopRequests();
    QApplication application(argc, argv);
    // A request to end (SIGTERM, Ctrl+C) ends every running loop at once, the main window's and
    // those of the dialogs above it; each dialog goes away as its caller returns, the window
    // closes its port, and the run ends with 0.
    StopRequestWatcher stopRequests;
    QObject::connect(&stopRequests, &StopRequestWatcher::StopRequested, &application,
                     [] { QCoreApplication::exit(0); });
    return RunWithToolkit();
}

int CZOKApp::RunWithToolkit()
{
    // Qt took the environment's locale; numbers must be written and read the same on every
    // desktop (a French one would otherwise use a decimal comma).
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("ZOK"));
    InitSettings(zok::CurrentApplicationDirectory());
    installToolkitTranslations();

    CZOKDlg window(m_settings, nullptr);
    window.exec();
    return 0;
}

void CZOKApp::InitSettings(const std::string &applicationDirectory)
{
    m_applicationDirectory = applicationDirectory;
    m_settings.SetApplicationDirectory(applicationDirectory);
    if (!m_settings.Load(zok::SettingsFilePath(applicationDirectory)))
        m_settings.Reset();
    const bool french = m_settings.LanguageId() == CZOKSettings::kLanguageFrench;
    zok::SelectLanguage(french ? zok::Language::French : zok::Language::English);
}

// The toolkit's own texts (standard buttons of message boxes and file dialogs) follow the chosen
// language when the system has Qt's translations; otherwise they stay English.
void CZOKApp::installToolkitTranslations()
{
    if (zok::SelectedLanguage() != zok::Language::French)
        return;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}
