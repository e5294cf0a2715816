#pragma once

#include "EIconTextButtonProperty.h"

#include <QStringList>

#include <cstdint>
#include <vector>

// A choice among texts, each standing for a 32-bit value; picked from a menu behind "...".
class EPropertyCombo : public EIconTextButtonProperty
{
public:
    EPropertyCombo(IPropertyHost *host, const QString &name, std::int32_t *value, bool enabled);

    // Appends a choice whose value is its index (0, 1, 2 ...).
    EPropertyCombo *AddItem(const QString &text);
    EPropertyCombo *AddItem(const QString &text, std::int32_t value);

    bool HasButton() const override;
    void GetTextValue(QString &text) const override;
    bool OnCommand(EPropWnd *wnd, int id, int param) override;

    const QStringList &ItemTexts() const { return m_texts; }

private:
    std::int32_t *Variable() const { return static_cast<std::int32_t *>(Value()); }
    int CurrentIndex() const;
    bool ShowMenu(EPropWnd *wnd, int firstId, int lastId);

    QStringList m_texts;
    std::vector<std::int32_t> m_values;
    std::vector<int> m_separators;
};
