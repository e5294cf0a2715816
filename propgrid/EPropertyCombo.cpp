#include "EPropertyCombo.h"

#include "EPropWnd.h"

#include <QPushButton>

EPropertyCombo::EPropertyCombo(IPropertyHost *host, const QString &name, std::int32_t *value, bool enabled)
    : EIconTextButtonProperty(host, name, value, enabled)
{
}

EPropertyCombo *EPropertyCombo::AddItem(const QString &text)
{
    return AddItem(text, static_cast<std::int32_t>(m_texts.size()));
}

EPropertyCombo *EPropertyCombo::AddItem(const QString &text, std::int32_t value)
{
    m_texts.append(text);
    m_values.push_back(value);
    return this;
}

bool EPropertyCombo::HasButton() const
{
    return true;
}

int EPropertyCombo::CurrentIndex() const
{
    if (!Variable())
        return -1;
    for (size_t i = 0; i < m_values.size(); ++i)
        if (m_values[i] == *Variable())
            return static_cast<int>(i);
    return -1;
}

void EPropertyCombo::GetTextValue(QString &text) const
{
    const int index = CurrentIndex();
    text = index >= 0 ? m_texts[index] : QStringLiteral("N/A");
}

bool EPropertyCombo::OnCommand(EPropWnd *wnd, int id, int)
{
    int first = 0;
    int last = 0;
    wnd->GetControlIdRange(first, last);
    if (id == first + 1)
        return ShowMenu(wnd, first, last);
    const int index = id - first - 2;
    if (id < first + 2 || id > last || index >= static_cast<int>(m_values.size()) || !Variable())
        return false;
    const std::int32_t value = m_values[index];
    return value != *Variable() && Store(value);
}

bool EPropertyCombo::ShowMenu(EPropWnd *wnd, int first, int last)
{
    // Menu entries take the ids after the button's, so only as many as the range holds are offered.
    const QStringList items = m_texts.mid(0, last - first - 1);
    const QWidget *anchor = Button() ? static_cast<const QWidget *>(Button()) : wnd->viewport();
    const QPoint at = anchor->mapToGlobal(anchor->rect().center());
    const int picked = wnd->ChooseItem(at, items, CurrentIndex());
    return picked >= 0 && picked < items.size() && OnCommand(wnd, first + 2 + picked, 0);
}
