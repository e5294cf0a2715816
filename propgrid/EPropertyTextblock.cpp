#include "EPropertyTextblock.h"

#include "EPropWnd.h"
#include "EPropertyTextblockWindow.h"

#include <QPushButton>

EPropertyTextblock::EPropertyTextblock(IPropertyHost *host, const QString &name, QString *value, bool enabled)
    : EIconTextButtonProperty(host, name, value, enabled)
{
}

EPropertyTextblock::~EPropertyTextblock()
{
    delete m_window.data();
}

bool EPropertyTextblock::HasButton() const
{
    return true;
}

void EPropertyTextblock::GetTextValue(QString &text) const
{
    const auto *value = static_cast<const QString *>(Value());
    text = value ? *value : QString();
    text.replace(QLatin1Char('\r'), QStringLiteral("<>")).replace(QLatin1Char('\n'), QStringLiteral("<>"));
}

bool EPropertyTextblock::OnCommand(EPropWnd *wnd, int, int)
{
    if (m_window || !Value())
        return false;
    const QWidget *anchor = Button() ? static_cast<const QWidget *>(Button()) : wnd->viewport();
    const QPoint at = anchor->mapToGlobal(anchor->rect().center());
    m_window = new EPropertyTextblockWindow(wnd, Name(), *static_cast<const QString *>(Value()), at);
    m_window->show();
    return false;
}

bool EPropertyTextblock::CommitEdit()
{
    if (!m_window)
        return false;
    const bool stored = Store(m_window->Text());
    CloseWindow();
    return stored;
}

void EPropertyTextblock::EndEdit()
{
    CloseWindow();
    EIconTextButtonProperty::EndEdit();
}

void EPropertyTextblock::CloseWindow()
{
    if (m_window)
        m_window->close();
    m_window = nullptr;
}
