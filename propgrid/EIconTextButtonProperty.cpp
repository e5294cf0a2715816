#include "EIconTextButtonProperty.h"

#include "EPropWnd.h"
#include "EPropWndEdit.h"
#include "ETextFit.h"

#include <QPainter>
#include <QPushButton>

EIconTextButtonProperty::EIconTextButtonProperty(IPropertyHost *host, const QString &name, void *value,
                                                 bool enabled)
    : EProperty(host, name, value, enabled)
{
}

EIconTextButtonProperty::~EIconTextButtonProperty()
{
    delete m_edit.data();
    delete m_button.data();
}

int EIconTextButtonProperty::GetIconWidth() const
{
    return 0;
}

bool EIconTextButtonProperty::HasButton() const
{
    return false;
}

void EIconTextButtonProperty::DrawIcon(QPainter &painter, EPropWnd *wnd, const QRect &box)
{
    painter.fillRect(box, wnd->ValueBackColor());
    painter.setPen(wnd->ValueTextColor());
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

void EIconTextButtonProperty::GetTextValue(QString &text) const
{
    text = QStringLiteral("Please override GetTextValue() in your EIconTextButtonProperty class");
}

bool EIconTextButtonProperty::HasEdit() const
{
    return false;
}

QString EIconTextButtonProperty::TextValue() const
{
    QString text;
    GetTextValue(text);
    return text;
}

void EIconTextButtonProperty::GetText(QString &text) const
{
    GetTextValue(text);
}

int EIconTextButtonProperty::GetPreferredWidth(const QFontMetrics &fm) const
{
    const int icon = GetIconWidth();
    int width = (icon > 0 ? kSpacing + icon : 0) + kSpacing + fm.horizontalAdvance(TextValue()) + kSpacing;
    if (HasButton())
        width += m_buttonWidth + kSpacing;
    return width;
}

// The value is drawn on one line, so the height it needs is the font's line height, whatever the
// text; measuring it would cost a format and a text layout per row.
int EIconTextButtonProperty::GetHeight(const QFontMetrics &fm) const
{
    return fm.height() + 6;
}

void EIconTextButtonProperty::LayoutCell(const QRect &cell, int clientRight)
{
    const int right = cell.x() + cell.width();
    const int bottom = cell.y() + cell.height();
    m_iconWidth = GetIconWidth();
    const int x0 = cell.x() + kSpacing;
    m_iconRect = QRect(x0, cell.y() + 3, m_iconWidth, m_iconWidth);
    const int textLeft = m_iconWidth > 0 ? x0 + m_iconWidth + kSpacing : x0;
    const int buttonRight = std::min(right, clientRight);
    const int buttonLeft = HasButton() && IsSelected() ? buttonRight - m_buttonWidth : right;
    m_textRect = QRect(QPoint(textLeft, cell.y() + 3), QPoint(buttonLeft - kSpacing - 1, bottom - 4));
    m_buttonRect = QRect(QPoint(buttonLeft, cell.y()), QPoint(buttonRight - 1, bottom - 1));
}

void EIconTextButtonProperty::Draw(QPainter &painter, EPropWnd *wnd)
{
    const bool enabled = IsEnabled();
    LayoutCell(Rect(), wnd->ClientRightInContent());
    painter.fillRect(Rect(), enabled ? wnd->ValueBackColor() : wnd->FaceColor());
    if (m_iconWidth > 0)
        DrawIcon(painter, wnd, m_iconRect);
    if (!(HasEdit() && IsSelected() && enabled && m_edit))
        DrawValueText(painter, wnd, enabled);
    PlaceControls(wnd);
}

void EIconTextButtonProperty::DrawValueText(QPainter &painter, const EPropWnd *wnd, bool enabled) const
{
    const QString full = TextValue();
    const QString shown = ETextFit::Shorten(full, m_textRect.width(), painter.fontMetrics());
    int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
    if (m_alignment == AlignCenter)
        flags |= Qt::AlignHCenter;
    else if (m_alignment == AlignRight && shown == full)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    // A value that cannot be edited is drawn in a darker shade of the highlight colour on the face,
    // shaded further where the face needs it to stay readable.
    const QColor highlight = HighlightColor();
    const QColor disabled(highlight.red() - 64, highlight.green() - 64, highlight.blue() - 64);
    painter.setPen(enabled ? wnd->ValueTextColor() : EPropWnd::ReadableOn(disabled, wnd->FaceColor(), 4.5));
    painter.drawText(m_textRect, flags, shown);
}

// The in-place controls live in the viewport, so they follow the content's scroll position. Their
// text is set once when editing begins, so that a repaint never throws away what the user typed.
void EIconTextButtonProperty::PlaceControls(EPropWnd *wnd)
{
    const QPoint shift = -wnd->ScrollOffset();
    if (m_edit) {
        // QLineEdit keeps a 2-pixel inner margin: start 2 pixels early so the text does not jump.
        const QRect box = m_textRect.adjusted(-2, -2, 1, 2).translated(shift);
        if (m_edit->geometry() != box)
            m_edit->setGeometry(box);
    }
    if (m_button) {
        const QRect box = m_buttonRect.translated(shift);
        if (m_button->geometry() != box)
            m_button->setGeometry(box);
    }
}

void EIconTextButtonProperty::BeginEdit(EPropWnd *wnd)
{
    m_wnd = wnd;
    GetTextValue(m_editStartText);
    const int m = wnd->Margin();
    const QRect cell = Rect().adjusted(m, m, -m, -m);
    LayoutCell(cell, wnd->ClientRightInContent());
    int first = 0;
    int last = 0;
    wnd->GetControlIdRange(first, last);
    const bool enabled = IsEnabled();
    if (HasEdit() && enabled) {
        const Qt::Alignment align = m_alignment == AlignCenter  ? Qt::AlignHCenter
                                    : m_alignment == AlignRight ? Qt::AlignRight
                                                                : Qt::AlignLeft;
        m_edit = wnd->CreateEditBox(first, Name(), m_editStartText, align);
    }
    SetSelected(true);
    if (HasButton() && enabled) {
        LayoutCell(cell, wnd->ClientRightInContent()); // the button narrows the text once selected
        m_button = wnd->CreateButton(first + 1, Name());
    }
    PlaceControls(wnd);
    if (m_edit)
        m_edit->setFocus(Qt::OtherFocusReason);
}

void EIconTextButtonProperty::EndEdit()
{
    if (m_wnd) {
        m_wnd->DiscardControl(m_edit);
        m_wnd->DiscardControl(m_button);
    }
    m_edit = nullptr;
    m_button = nullptr;
    m_wnd = nullptr;
    SetSelected(false);
}

bool EIconTextButtonProperty::EditText(QString &text) const
{
    if (!m_edit)
        return false;
    text = m_edit->text();
    return true;
}

void EIconTextButtonProperty::RestartEdit()
{
    GetTextValue(m_editStartText);
    if (m_edit) {
        m_edit->setText(m_editStartText);
        m_edit->selectAll();
    }
}
