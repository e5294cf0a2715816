#pragma once

#include "EIconTextButtonProperty.h"

#include <cstdint>
#include <optional>

// A colour held as red in the low byte, then green, then blue (red + 256 green + 65536 blue).
using EColorRef = std::uint32_t;

// A colour typed as "r,g,b" (or "r g b") or picked with the colour dialog; a swatch as icon.
class EPropertyColor : public EIconTextButtonProperty
{
public:
    EPropertyColor(IPropertyHost *host, const QString &name, EColorRef *value, bool enabled);

    int GetIconWidth() const override;
    bool HasButton() const override;
    bool HasEdit() const override;
    void GetTextValue(QString &text) const override;
    void DrawIcon(QPainter &painter, EPropWnd *wnd, const QRect &box) override;
    bool CommitEdit() override;
    bool OnCommand(EPropWnd *wnd, int id, int param) override;

    // The colour of an entry text, or nullopt when it has no three components in 0..255.
    static std::optional<EColorRef> ParseColor(const QString &text);

private:
    EColorRef *Variable() const { return static_cast<EColorRef *>(Value()); }
    bool StoreColor(EColorRef color);
};
