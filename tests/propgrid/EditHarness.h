#pragma once

#include "EIconTextButtonProperty.h"
#include "EPropWnd.h"
#include "EPropWndEdit.h"

#include <QApplication>

// Runs an in-place edit of one row outside a full grid: begin, type, commit, end.
class EditHarness
{
public:
    // Types `text` into the row's edit box and commits; true when the row reports a change.
    bool Enter(EIconTextButtonProperty &row, const QString &text)
    {
        row.BeginEdit(&m_wnd);
        if (row.EditBox())
            row.EditBox()->setText(text);
        const bool changed = row.CommitEdit();
        row.EndEdit();
        return changed;
    }
    // Commits without touching the text shown when the edit began.
    bool EnterUnchanged(EIconTextButtonProperty &row)
    {
        row.BeginEdit(&m_wnd);
        const bool changed = row.CommitEdit();
        row.EndEdit();
        return changed;
    }
    EPropWnd &Wnd() { return m_wnd; }

    static QApplication &App()
    {
        static int argc = 1;
        static char name[] = "propgrid-tests";
        static char *argv[] = {name, nullptr};
        static QApplication app(argc, argv);
        return app;
    }

private:
    QApplication &m_app = App(); // before the window
    EPropWnd m_wnd;
};
