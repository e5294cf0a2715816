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
    const std::optional<QString> path = wnd->OpenFile(m_filter);
    return path && StoreText(*path);
}
