#include "ResultTable.h"

#include "ZokText.h"

#include <QHeaderView>
#include <QStringList>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

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
    // Every header readable in full, at any font size: columns start as wide as their header text
    // and the table never gets narrower than all of them (the stretched last one included).
    QHeaderView *header = table->horizontalHeader();
    int width =
        2 * table->frameWidth() + table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    for (int column = 0; column < table->columnCount(); ++column) {
        const int needed = std::max(header->sectionSize(column), header->sectionSizeHint(column));
        // The last column stretches over what is left; sizing it by hand would stop that.
        if (column + 1 < table->columnCount())
            table->setColumnWidth(column, needed);
        width += needed;
    }
    table->setMinimumWidth(width);
    return table;
}
