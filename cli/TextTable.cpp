#include "TextTable.h"

#include <algorithm>

namespace zok::cli {

QString TextTable::Text() const
{
    std::vector<qsizetype> widths;
    for (const auto &row : m_rows) {
        widths.resize(std::max(widths.size(), static_cast<std::size_t>(row.size())), 0);
        for (qsizetype i = 0; i < row.size(); ++i)
            widths[static_cast<std::size_t>(i)] =
                std::max(widths[static_cast<std::size_t>(i)], row[i].size());
    }
    QString text;
    for (const auto &row : m_rows) {
        QString line;
        for (qsizetype i = 0; i < row.size(); ++i) {
            const bool last = i + 1 == row.size();
            line += last ? row[i] : row[i].leftJustified(widths[static_cast<std::size_t>(i)] + 2);
        }
        // An empty last cell leaves no blanks at the end of its line.
        while (line.endsWith(u' '))
            line.chop(1);
        text += line + u'\n';
    }
    return text;
}

} // namespace zok::cli
