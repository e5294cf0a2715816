#pragma once

#include "CZOKSettings.h"

#include <string>

// The application: reads the settings from "ZOK.ini" in the current directory, chooses the
// language, and runs the main window modally; when that window ends, the program ends.
class CZOKApp
{
public:
    CZOKApp() = default;
    CZOKApp(const CZOKApp &) = delete;
    CZOKApp &operator=(const CZOKApp &) = delete;

    // The whole run: catches the system's requests to end the program, creates the user-interface
    // toolkit, then RunWithToolkit.
    int Run(int argc, char **argv);
    // The run once the QApplication exists: locale, settings, language, main window.
    int RunWithToolkit();
    // Loads the settings of `applicationDirectory` (resetting them when that fails) and selects
    // the language for every later text.
    void InitSettings(const std::string &applicationDirectory);

    CZOKSettings &Settings() { return m_settings; }
    const std::string &ApplicationDirectory() const { return m_applicationDirectory; }

private:
    void installToolkitTranslations();

    CZOKSettings m_settings;
    std::string m_applicationDirectory;
};
