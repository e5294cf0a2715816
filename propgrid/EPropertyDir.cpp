#include "EPropertyDir.h"

#include "EPropWnd.h"

EPropertyDir::EPropertyDir(IPropertyHost *host, const QString &name, QString *value)
    : EPropertyString(host, name, value, true)
{
}

bool EPropertyDir::HasButton() const
{
    return true;
}

bool EPropertyDir::OnCommand(EPropWnd *wnd, int, int)
{
    const auto &choose = wnd->Dialogs().chooseFolder;
    const std::optional<QString> path =
        choose ? choose(wnd, QStringLiteral("Select the folder")) : std::nullopt;
    return path && StoreText(*path);
}
