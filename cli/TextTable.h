#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zok::cli {

// The aligned text tables of the console output: a heading row, then one row per entry, every
// column as wide as its widest cell, two spaces between columns.
class TextTable
{
public:
    explicit TextTable(QStringList headings) : m_rows{std::move(headings)} {}
    void AddRow(QStringList cells) { m_rows.push_back(std::move(cells)); }
    QString Text() const;

private:
    std::vector<QStringList> m_rows;
};

} // namespace zok::cli
