#pragma once

#include <QAbstractTableModel>
#include <QDateTime>

class CTagRegistry;

// The table of tags heard, as the tag tracking dialog shows it: ID, count, first seen, last seen,
// in range. Reads the registry it is given; refresh() tells the view what changed since the last
// refresh, so a burst of reports costs one update of the view. Qt::UserRole gives sort keys.
class CTagTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Id, Count, FirstSeen, LastSeen, InRange, ColumnCount };

    CTagTableModel(const CTagRegistry &registry, QObject *parent);

    // Takes the registry's current content, judged in range at `now`.
    void refresh(const QDateTime &now);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CTagRegistry &m_registry;
    int m_rows = 0;
    QDateTime m_now;
};
