#include "EPropertyFile.h"

#include "EPropWnd.h"

EPropertyFile::EPropertyFile(IPropertyHost *host, const QString &name, QString *value, const QString &filter)
    : EPropertyString(host, name, value, true), m_filter(filter)
{
}

bool EPropertyFile::HasButton() const
{
    return true;
}

bool EPropertyFile::OnCommand(EPropWnd *wnd, int, int)
{
    const auto &open = wnd->Dialogs().openFile;
    const std::optional<QString> path = open ? open(wnd, m_filter) : std::nullopt;
    return path && StoreText(*path);
}
