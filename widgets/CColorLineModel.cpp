#include "CColorLineModel.h"

#include <algorithm>

CColorLineModel::CColorLineModel(QObject *parent) : QAbstractListModel(parent) {}

void CColorLineModel::Append(QString text, QColor color)
{
    m_pending.push_back({std::move(text), color, 0});
    if (m_maxLines == 0 || static_cast<std::size_t>(Count()) <= m_maxLines)
        return;
    // Over the bound: the oldest line goes, shown or not.
    if (m_dropFront < m_rows.size())
        ++m_dropFront;
    else
        m_pending.pop_front();
}

int CColorLineModel::Count() const
{
    return static_cast<int>(m_rows.size() - m_dropFront + m_pending.size());
}

const CColorLineModel::Line *CColorLineModel::LineAt(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    const std::size_t at = static_cast<std::size_t>(index) + m_dropFront;
    return at < m_rows.size() ? &m_rows[at] : &m_pending[at - m_rows.size()];
}

QString CColorLineModel::Text(int index) const
{
    const Line *line = LineAt(index);
    return line ? line->text : QString();
}

QColor CColorLineModel::Color(int index) const
{
    const Line *line = LineAt(index);
    return line ? line->color : QColor();
}

int CColorLineModel::Commit()
{
    if (m_dropFront > 0) {
        const auto last = static_cast<int>(m_dropFront) - 1;
        beginRemoveRows(QModelIndex(), 0, last);
        const auto end = m_rows.begin() + static_cast<std::ptrdiff_t>(m_dropFront);
        const bool widestGoes =
            std::any_of(m_rows.begin(), end, [this](const Line &line) { return line.width >= m_widest; });
        m_rows.erase(m_rows.begin(), end);
        m_dropFront = 0;
        if (widestGoes)
            RecomputeWidest();
        endRemoveRows();
    }
    if (m_pending.empty())
        return 0;
    const auto inserted = static_cast<int>(m_pending.size());
    const auto first = static_cast<int>(m_rows.size());
    for (Line &line : m_pending) {
        line.width = Measure(line.text);
        m_widest = std::max(m_widest, line.width);
    }
    beginInsertRows(QModelIndex(), first, first + inserted - 1);
    std::move(m_pending.begin(), m_pending.end(), std::back_inserter(m_rows));
    m_pending.clear();
    endInsertRows();
    return inserted;
}

void CColorLineModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_pending.clear();
    m_dropFront = 0;
    m_widest = 0;
    endResetModel();
}

void CColorLineModel::RemeasureAll()
{
    for (Line &line : m_rows)
        line.width = Measure(line.text);
    RecomputeWidest();
}

void CColorLineModel::RecomputeWidest()
{
    m_widest = 0;
    for (const Line &line : m_rows)
        m_widest = std::max(m_widest, line.width);
}

int CColorLineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant CColorLineModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size()))
        return {};
    const Line &line = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return line.text;
    if (role == kColorRole)
        return line.color;
    return {};
}
