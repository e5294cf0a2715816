#include "EPropertyFont.h"

#include "EPropWnd.h"

#include <QFont>

EPropertyFont::EPropertyFont(IPropertyHost *host, const QString &name, QFont *value)
    : EIconTextButtonProperty(host, name, value, true)
{
}

bool EPropertyFont::HasButton() const
{
    return true;
}

void EPropertyFont::GetTextValue(QString &text) const
{
    const auto *font = static_cast<const QFont *>(Value());
    text = font ? font->family() : QString();
}

bool EPropertyFont::OnCommand(EPropWnd *wnd, int, int)
{
    auto *font = static_cast<QFont *>(Value());
    if (!font)
        return false;
    const std::optional<QFont> picked = wnd->ChooseFont(*font);
    return picked && Store(*picked);
}
