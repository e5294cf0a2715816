#pragma once

#include "EIconTextButtonProperty.h"

// A one-byte boolean shown as a 13-pixel check box; toggled by a click on it or the space bar.
class EPropertyCheck : public EIconTextButtonProperty
{
public:
    EPropertyCheck(IPropertyHost *host, const QString &name, bool *value, bool enabled);

    int GetIconWidth() const override;
    void GetTextValue(QString &text) const override;
    int GetHeight(const QFontMetrics &fm) const override;
    void DrawIcon(QPainter &painter, EPropWnd *wnd, const QRect &box) override;
    bool Toggle() override;
    bool OnLButtonDown(EPropWnd *wnd, int x, int y) override;

private:
    bool *Variable() const { return static_cast<bool *>(Value()); }
};
