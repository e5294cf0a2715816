#pragma once

#include "EPropertyString.h"

// A folder path: typed in the edit box or picked with the folder browser behind "...".
class EPropertyDir : public EPropertyString
{
public:
    EPropertyDir(IPropertyHost *host, const QString &name, QString *value);

    bool HasButton() const override;
    bool OnCommand(EPropWnd *wnd, int id, int param) override;
};
