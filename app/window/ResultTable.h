#pragma once

#include <QString>
#include <vector>

class QTableWidget;
class QWidget;

// A read-only table of results with one column per header text id (the string table's), rows as
// tall as the font needs and the last column stretched: the compare and the clone dialogs' table.
QTableWidget *NewResultTable(QWidget *parent, const QString &objectName,
                             const std::vector<int> &headerTextIds);
