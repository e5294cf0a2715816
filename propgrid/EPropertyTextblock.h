#pragma once

#include "EIconTextButtonProperty.h"

#include "EPropertyTextblockWindow.h"

// A multi-line text: shown on one line with every CR and LF as "<>", edited in its own window.
class EPropertyTextblock : public EIconTextButtonProperty
{
public:
    EPropertyTextblock(IPropertyHost *host, const QString &name, QString *value, bool enabled);
    ~EPropertyTextblock() override;

    bool HasButton() const override;
    void GetTextValue(QString &text) const override;
    bool OnCommand(EPropWnd *wnd, int id, int param) override;
    bool CommitEdit() override;
    void EndEdit() override;

    EPropertyTextblockWindow *Window() const { return m_window; }

private:
    void CloseWindow();

    QPointer<EPropertyTextblockWindow> m_window;
};
