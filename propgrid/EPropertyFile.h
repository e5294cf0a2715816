#pragma once

#include "EPropertyString.h"

// A file path: typed in the edit box or picked with the open-file dialog behind "...".
class EPropertyFile : public EPropertyString
{
public:
    // `filter` is a Qt name filter such as "Parameter files (*.zok)".
    EPropertyFile(IPropertyHost *host, const QString &name, QString *value, const QString &filter);

    bool HasButton() const override;
    bool OnCommand(EPropWnd *wnd, int id, int param) override;

private:
    QString m_filter;
};
