#pragma once

#include "EIconTextButtonProperty.h"

class QFont;

// A font shown by its face name and changed with the font dialog behind "...".
class EPropertyFont : public EIconTextButtonProperty
{
public:
    EPropertyFont(IPropertyHost *host, const QString &name, QFont *value);

    bool HasButton() const override;
    void GetTextValue(QString &text) const override;
    bool OnCommand(EPropWnd *wnd, int id, int param) override;
};
