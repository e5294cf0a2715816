#include "EProperty.h"

#include "EPropWnd.h"
#include "IPropertyHost.h"

#include <QPainter>

EProperty::EProperty(IPropertyHost *host, const QString &name, void *value, bool enabled)
    : m_name(name), m_enabled(enabled), m_host(host), m_value(value)
{
}

EProperty::~EProperty() = default;

bool EProperty::OnCommand(EPropWnd *, int, int)
{
    return false;
}

void EProperty::GetName(QString &name) const
{
    name = m_name;
}

int EProperty::GetPreferredWidth(const QFontMetrics &) const
{
    return 50;
}

int EProperty::GetDefaultHeight() const
{
    return 100;
}

int EProperty::GetHeight(const QFontMetrics &) const
{
    return GetDefaultHeight();
}

void EProperty::Draw(QPainter &painter, EPropWnd *wnd)
{
    painter.fillRect(m_rect, wnd ? wnd->ValueBackColor() : QColor(Qt::white));
}

void EProperty::BeginEdit(EPropWnd *) {}

bool EProperty::CommitEdit()
{
    return false;
}

void EProperty::EndEdit() {}

bool EProperty::OnLButtonDown(EPropWnd *, int, int)
{
    return false;
}

bool EProperty::IsEnabled() const
{
    return m_value != nullptr && m_enabled && m_host != nullptr && m_host->IsPropertyEnabled(m_value);
}

bool EProperty::IsSelectable() const
{
    return true;
}

bool EProperty::GetNumber(double &) const
{
    return false;
}

void EProperty::GetText(QString &text) const
{
    text.clear();
}

bool EProperty::IsGreaterThan(const EProperty *other) const
{
    if (other == nullptr)
        return true;
    double mine = 0;
    double theirs = 0;
    if (GetNumber(mine) && other->GetNumber(theirs))
        return theirs < mine;
    QString a;
    QString b;
    GetText(a);
    other->GetText(b);
    return a.toUtf8() > b.toUtf8();
}

bool EProperty::Toggle()
{
    return false;
}

EProperty *EProperty::SetComment(const QString &comment)
{
    m_comment = comment;
    return this;
}

void EProperty::GetComment(QString &comment) const
{
    comment = m_comment;
}

bool EProperty::AskHost(const void *candidate) const
{
    return m_host != nullptr && m_value != nullptr && m_host->PropertyChanging(m_value, candidate);
}

QColor EProperty::GetBackColor(const EPropWnd *wnd) const
{
    return m_selected ? HighlightColor() : wnd->FaceColor();
}
