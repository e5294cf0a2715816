#include "CTagTableModel.h"

#include "CTagRegistry.h"
#include "ZokText.h"

namespace {
constexpr int kHeaderText[] = {288, 289, 290, 291, 292};
constexpr int kYesText = 293;
constexpr int kNoText = 294;

QString timeText(const QDateTime &when)
{
    return when.toString(QStringLiteral("HH:mm:ss"));
}
} // namespace

CTagTableModel::CTagTableModel(const CTagRegistry &registry, QObject *parent)
    : QAbstractTableModel(parent), m_registry(registry)
{
}

void CTagTableModel::refresh(const QDateTime &now)
{
    m_now = now;
    const int rows = static_cast<int>(m_registry.sightings().size());
    if (rows < m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1));
}

int CTagTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int CTagTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CTagTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    const TagSighting &tag = m_registry.sightings()[static_cast<std::size_t>(index.row())];
    const bool sortKey = role == Qt::UserRole;
    if (role == Qt::TextAlignmentRole)
        return index.column() == Count ? int(Qt::AlignRight | Qt::AlignVCenter)
                                       : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && !sortKey)
        return {};
    switch (index.column()) {
    case Id:
        return tag.id;
    case Count:
        return tag.count;
    case FirstSeen:
        return sortKey ? QVariant(tag.firstSeen.toMSecsSinceEpoch()) : QVariant(timeText(tag.firstSeen));
    case LastSeen:
        return sortKey ? QVariant(tag.lastSeen.toMSecsSinceEpoch()) : QVariant(timeText(tag.lastSeen));
    case InRange: {
        const bool inRange = CTagRegistry::InRange(tag, m_now);
        return sortKey ? QVariant(inRange) : QVariant(zok::Text(inRange ? kYesText : kNoText));
    }
    default:
        return {};
    }
}

QVariant CTagTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return zok::Text(kHeaderText[section]);
}
