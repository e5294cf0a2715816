#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// One file name a tool dialog asks the user for.
struct ToolFileRequest
{
    QString title;
    QString filter;       // e.g. "CSV files (*.csv)"
    QString suggested;    // the name the chooser starts from
    bool appends = false; // the caller appends to an existing file: no "replace it?" question
};

// Asks for a file name to write; nothing when the user cancels. Tests replace it so that no
// modal file dialog ever blocks them.
using ToolFileHook = std::function<std::optional<QString>(QWidget *parent, const ToolFileRequest &request)>;

// The standard save-file dialog, modal to `parent`.
std::optional<QString> ChooseToolFile(QWidget *parent, const ToolFileRequest &request);
