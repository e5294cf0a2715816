#include "ResultTable.h"

#include "ZokText.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

QTableWidget *NewResultTable(QWidget *parent, const QString &objectName,
                             const std::vector<int> &headerTextIds)
{
    auto *table = new QTableWidget(0, static_cast<int>(headerTextIds.size()), parent);
    table->setObjectName(objectName);
    QStringList headers;
    for (const int id : headerTextIds)
        headers << zok::Text(id);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    return table;
}
