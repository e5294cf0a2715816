#pragma once

#include "EProperty.h"

#include "EPropWndEdit.h"

#include <QPointer>
#include <QPushButton>

// The value cell shared by every kind but the separator: an optional icon box, the value text (or
// the in-place edit box while selected) and an optional "..." button.
class EIconTextButtonProperty : public EProperty
{
public:
    static constexpr int kSpacing = 4;
    enum Alignment { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };

    EIconTextButtonProperty(IPropertyHost *host, const QString &name, void *value, bool enabled);
    ~EIconTextButtonProperty() override;

    int GetPreferredWidth(const QFontMetrics &fm) const override;
    int GetHeight(const QFontMetrics &fm) const override;
    void Draw(QPainter &painter, EPropWnd *wnd) override;
    void BeginEdit(EPropWnd *wnd) override;
    void EndEdit() override;
    void GetText(QString &text) const override;

    virtual int GetIconWidth() const;
    virtual bool HasButton() const;
    virtual void DrawIcon(QPainter &painter, EPropWnd *wnd, const QRect &box);
    virtual void GetTextValue(QString &text) const;
    virtual bool HasEdit() const;

    QString TextValue() const;
    // Puts the current value back into the open edit box, after a button changed it.
    void RestartEdit();
    // The in-place controls while the row is selected (null otherwise); for hosts and tests.
    EPropWndEdit *EditBox() const { return m_edit; }
    QPushButton *Button() const { return m_button; }
    const QRect &IconRect() const { return m_iconRect; }
    const QRect &ButtonRect() const { return m_buttonRect; }

protected:
    // The edit box text, or nullopt when no edit box is open.
    bool EditText(QString &text) const;
    const QString &EditStartText() const { return m_editStartText; }
    EPropWnd *EditWindow() const { return m_wnd; }
    int TextAlignment() const { return m_alignment; }

private:
    void LayoutCell(const QRect &cell, int clientRight);
    void DrawValueText(QPainter &painter, const EPropWnd *wnd, bool enabled) const;
    void PlaceControls(EPropWnd *wnd);

    int m_buttonWidth = 20;
    int m_iconWidth = 0;
    int m_alignment = AlignLeft;
    QPointer<EPropWndEdit> m_edit;
    QPointer<QPushButton> m_button;
    QRect m_iconRect;
    QRect m_textRect;
    QRect m_buttonRect;
    QString m_editStartText;
    EPropWnd *m_wnd = nullptr;
};
