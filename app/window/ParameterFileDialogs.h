#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The standard file dialogs of the parameter-file commands. Each is replaceable, so that a test
// answers without a modal dialog; the defaults are Qt's file dialogs.
struct ParameterFileDialogs
{
    using Chooser = std::function<std::optional<QString>(QWidget *parent)>;

    // The file to save to (default extension "zok", overwriting confirmed); nullopt when cancelled.
    Chooser chooseSaveFile;
    // The file to load from; it need not exist (loading then reports the access error).
    Chooser chooseLoadFile;

    // The same French filter text in both languages.
    static QString Filter();
    static ParameterFileDialogs Standard();
};
