#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// The standard dialogs and the choice menu that rows open. Each hook is replaceable, so a test or
// an embedding program can answer without a modal dialog; the defaults use Qt's own dialogs.
struct EPropDialogs
{
    // A file to open with a Qt name filter ("Text (*.txt)"); nullopt when cancelled.
    std::function<std::optional<QString>(QWidget *parent, const QString &filter)> openFile;
    // A folder chosen in a browser titled `title`; nullopt when cancelled.
    std::function<std::optional<QString>(QWidget *parent, const QString &title)> chooseFolder;
    std::function<std::optional<QColor>(QWidget *parent, const QColor &initial)> chooseColor;
    std::function<std::optional<QFont>(QWidget *parent, const QFont &initial)> chooseFont;
    // A choice among `items` (the one at `checked` ticked, -1 for none) from a menu centred
    // horizontally on `at` (global coordinates); the index picked or -1.
    std::function<int(QWidget *parent, QPoint at, const QStringList &items, int checked)> chooseItem;

    // Hooks filled with the standard dialogs.
    static EPropDialogs Standard();
};
