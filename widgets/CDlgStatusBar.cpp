#include "CDlgStatusBar.h"

#include "CProgressBar.h"

#include <QLabel>

CDlgStatusBar::CDlgStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QString::number(kId));
    setSizeGripEnabled(false);
}

CDlgStatusBar::~CDlgStatusBar()
{
    // A progress bar restores its pane when it goes; let it do so while the panes still exist.
    const auto bars = findChildren<CProgressBar *>(Qt::FindDirectChildrenOnly);
    qDeleteAll(bars);
}

bool CDlgStatusBar::SetIndicators(const std::vector<int> &ids)
{
    if (ids.empty())
        return false;
    for (const PaneInfo &pane : m_panes)
        delete pane.label;
    m_panes.clear();
    for (int id : ids) {
        auto *label = new QLabel(this);
        label->setObjectName(QString::number(id));
        label->setTextFormat(Qt::PlainText);
        // Sunken panes with a little room inside, so neighbouring texts never run together.
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        addWidget(label, m_panes.empty() ? 1 : 0);
        m_panes.push_back({id, label});
    }
    return true;
}

int CDlgStatusBar::CommandToIndex(int id) const
{
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == id)
            return static_cast<int>(i);
    return -1;
}

int CDlgStatusBar::PaneId(int index) const
{
    return Pane(index) ? m_panes[static_cast<std::size_t>(index)].id : 0;
}

QLabel *CDlgStatusBar::Pane(int index) const
{
    if (index < 0 || index >= PaneCount())
        return nullptr;
    return m_panes[static_cast<std::size_t>(index)].label;
}

void CDlgStatusBar::SetPaneText(int index, const QString &text)
{
    // Setting an unchanged text would repaint and wake the idle loop again for nothing.
    if (QLabel *label = Pane(index); label && label->text() != text)
        label->setText(text);
}

QString CDlgStatusBar::PaneText(int index) const
{
    const QLabel *label = Pane(index);
    return label ? label->text() : QString();
}

void CDlgStatusBar::SetPaneWidth(int index, int width)
{
    if (QLabel *label = Pane(index))
        label->setMinimumWidth(width);
}

void CDlgStatusBar::SetPaneStretch(int index, bool stretch)
{
    QLabel *label = Pane(index);
    if (!label)
        return;
    removeWidget(label);
    insertWidget(index, label, stretch ? 1 : 0);
    label->show();
}

QRect CDlgStatusBar::PaneRect(int index) const
{
    const QLabel *label = Pane(index);
    return label ? label->geometry() : QRect();
}

void CDlgStatusBar::SetPaneUpdate(int id, TextUpdate update)
{
    m_updates[id] = std::move(update);
}

void CDlgStatusBar::OnIdleUpdate()
{
    if (!isVisible() || !parentWidget())
        return;
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        auto it = m_updates.find(m_panes[i].id);
        if (it != m_updates.end() && it->second)
            SetPaneText(static_cast<int>(i), it->second());
    }
}
