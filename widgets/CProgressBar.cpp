#include "CProgressBar.h"

#include "CDlgStatusBar.h"
#include "ReadableColor.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>

CProgressBar::CProgressBar(QWidget *parent) : QProgressBar(parent)
{
    setObjectName(QStringLiteral("1"));
    setTextVisible(false);
}

CProgressBar::~CProgressBar()
{
    RestorePane();
}

bool CProgressBar::AttachToPane(CDlgStatusBar *statusBar, const QString &message, int size, int maximum,
                                bool smooth, int pane)
{
    if (!statusBar || !statusBar->Pane(pane))
        return false;
    setParent(statusBar);
    // Qt bars are smooth already; the chunked look of the other kind has no counterpart here.
    Q_UNUSED(smooth);
    setRange(0, maximum);
    m_statusBar = statusBar;
    m_message = message;
    m_size = size;
    m_pane = pane;
    m_previousText = statusBar->PaneText(pane);
    m_lastRect = QRect();
    statusBar->Pane(pane)->installEventFilter(this);
    show();
    raise();
    FitToPane();
    return true;
}

void CProgressBar::SetPosition(int position)
{
    if (!m_statusBar)
        return;
    setVisible(true);
    FitToPane();
    setValue(position);
}

QColor CProgressBar::SetBarColor(const QColor &color)
{
    if (!m_statusBar)
        return QColor::fromRgba(kDefaultColor);
    const QColor previous = m_color.isValid() ? m_color : QColor::fromRgba(kDefaultColor);
    m_color = color;
    ApplyColor();
    return previous;
}

// The asked colour where it stands out from the groove, else a lighter or darker shade of it: the
// dark blue of the main window disappears on a dark desktop.
void CProgressBar::ApplyColor()
{
    if (!m_color.isValid())
        return;
    const QColor shown = zok::ReadableOn(m_color, palette().color(QPalette::Base), zok::kGraphicContrast);
    if (palette().color(QPalette::Highlight) == shown)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Highlight, shown);
    setPalette(pal);
}

void CProgressBar::changeEvent(QEvent *event)
{
    QProgressBar::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        ApplyColor();
}

QRect CProgressBar::FitRect(const QRect &pane, int messageWidth, int spaceWidth, int size)
{
    // Right edges are exclusive here, as the pane's own rectangle arithmetic expects.
    int left = pane.x();
    int right = pane.x() + pane.width();
    const int top = pane.y() + pane.height() / 10;
    const int bottom = pane.y() + pane.height() - pane.height() / 10;
    if (messageWidth > 0)
        left += messageWidth + 4 * spaceWidth;
    right -= (100 - size) * (right - left) / 100;
    if (right < left)
        right = left;
    return QRect(left, top, right - left, bottom - top);
}

bool CProgressBar::FitToPane()
{
    if (!m_statusBar || !m_statusBar->Pane(m_pane))
        return false;
    if (isVisible()) {
        m_statusBar->SetPaneText(m_pane, m_message);
        m_statusBar->repaint();
    }
    const QFontMetrics metrics(m_statusBar->font());
    const int messageWidth = m_message.isEmpty() ? 0 : metrics.horizontalAdvance(m_message);
    const QRect rect = FitRect(m_statusBar->PaneRect(m_pane), messageWidth,
                               metrics.horizontalAdvance(QLatin1Char(' ')), m_size);
    if (rect != m_lastRect) {
        setGeometry(rect);
        m_lastRect = rect;
    }
    return true;
}

void CProgressBar::RestorePane()
{
    if (!m_statusBar || !m_statusBar->Pane(m_pane))
        return;
    hide();
    m_statusBar->SetPaneText(m_pane, m_pane == 0 ? m_statusBar->IdlePrompt() : m_previousText);
    m_statusBar->repaint();
}

bool CProgressBar::eventFilter(QObject *watched, QEvent *event)
{
    if (m_statusBar && watched == m_statusBar->Pane(m_pane) &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        FitToPane();
    return QProgressBar::eventFilter(watched, event);
}

void CProgressBar::showEvent(QShowEvent *event)
{
    QProgressBar::showEvent(event);
    // Shown with its window: the pane gets the bar's message only now.
    FitToPane();
}
