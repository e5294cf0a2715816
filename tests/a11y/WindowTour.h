#pragma once

// The dialogs of the main window, each opened through the window's own command, for the tests
// that look at every window (accessibility walk, text fit at high-DPI scales, screenshots).
#include "CZOKDlg.h"

#include <QAction>

#include <functional>
#include <vector>

namespace zok::tour {

struct Step
{
    const char *name;
    std::function<void(CZOKDlg &)> open;
};

inline void Command(CZOKDlg &window, int id)
{
    if (QAction *action = window.CommandAction(id))
        action->trigger();
}

// In menu order; the last one is the warning that Write shows while speed configuration is off.
inline std::vector<Step> DialogSteps()
{
    return {
        {"about", [](CZOKDlg &w) { Command(w, CZOKDlg::ID_ABOUT); }},
        {"serial-port", [](CZOKDlg &w) { Command(w, CZOKDlg::ID_SERIAL_PORT); }},
        {"receiver-scan", [](CZOKDlg &w) { Command(w, CZOKDlg::ID_SELECT_RECEIVER); }},
        {"id-filter", [](CZOKDlg &w) { Command(w, CZOKDlg::ID_ID_FILTER); }},
        {"tag-tracking", [](CZOKDlg &w) { Command(w, CZOKDlg::ID_TAG_TRACKING); }},
        {"radio-scan", [](CZOKDlg &w) { Command(w, CZOKDlg::ID_RADIO_SCAN); }},
        {"compare", [](CZOKDlg &w) { Command(w, CZOKDlg::ID_COMPARE_WITH_FILE); }},
        {"clone", [](CZOKDlg &w) { Command(w, CZOKDlg::ID_CLONE_TO_ALL_RECEIVERS); }},
        {"write-speed-warning", [](CZOKDlg &w) { w.WriteParameters(); }},
    };
}

} // namespace zok::tour
