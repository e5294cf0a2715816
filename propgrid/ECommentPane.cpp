#include "ECommentPane.h"

#include "EPropWnd.h"
#include "ETextFit.h"

#include <QPainter>

ECommentPane::ECommentPane(QWidget *parent) : QWidget(parent), m_font(QStringLiteral("tahoma"))
{
    m_font.setPixelSize(13);
    m_font.setWeight(QFont::Bold);
    setAccessibleName(QStringLiteral("Comment"));
}

void ECommentPane::SetTitle(const QString &title)
{
    m_title = title;
    update();
}

QRect ECommentPane::TextRect() const
{
    return rect().adjusted(5, 3, -5, -3);
}

QString ECommentPane::FullText() const
{
    if (!m_commentHost)
        return {};
    QString comment;
    QString name;
    m_commentHost->GetComment(comment, name);
    if (!m_title.isEmpty() && !comment.isEmpty())
        return m_title + QLatin1Char('\n') + comment;
    return comment;
}

QString ECommentPane::DisplayText() const
{
    if (!m_commentHost)
        return {};
    const QString text = FullText();
    if (text.isEmpty())
        return QStringLiteral("-");
    const QRect area = TextRect();
    return ETextFit::ShortenWrapped(text, area.width(), area.height(), QFontMetrics(m_font));
}

void ECommentPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor face = m_frameWindow ? m_frameWindow->FaceColor() : palette().color(QPalette::Button);
    painter.fillRect(rect(), face);
    const QColor back = palette().color(QPalette::Base);
    if (m_frameWindow)
        m_frameWindow->Draw3DFrame(painter, rect(), true, &back);
    if (!m_commentHost)
        return;
    const QString text = DisplayText();
    setAccessibleDescription(FullText());
    painter.setFont(m_font);
    painter.setPen(palette().color(QPalette::Text));
    if (text == QLatin1String("-") && FullText().isEmpty())
        painter.drawText(TextRect(), Qt::AlignCenter | Qt::TextSingleLine, text);
    else
        painter.drawText(TextRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
}
