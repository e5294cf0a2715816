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
    const std::optional<QString> path = wnd->ChooseFolder(QStringLiteral("Select the folder"));
    return path && StoreText(*path);
}
