#include "CTagRegistry.h"

#include "CLevelCsvRecord.h"
#include "HexPair.h"

#include <algorithm>

using zok::tools::IsUpperHexDigit;
using zok::tools::UpperHexPair;

std::optional<QString> CTagRegistry::TagOf(QStringView text, int receiverAddress)
{
    if (text.size() <= 4)
        return std::nullopt;
    const QStringView id = text.mid(2, text.size() - 4);
    if (id.size() % 2 != 0 || !std::all_of(id.begin(), id.end(), IsUpperHexDigit))
        return std::nullopt;
    const auto address = UpperHexPair(text.right(2));
    if (!address || (receiverAddress != 0 && *address != receiverAddress) || !UpperHexPair(text))
        return std::nullopt;
    return id.toString();
}

bool CTagRegistry::record(QStringView text, int receiverAddress, const QDateTime &when)
{
    const auto id = TagOf(text, receiverAddress);
    if (!id)
        return false;
    const int level = *UpperHexPair(text);
    const auto found = m_index.constFind(*id);
    if (found == m_index.cend()) {
        m_index.insert(*id, m_sightings.size());
        m_sightings.push_back(TagSighting{*id, 1, when, when, level});
        return true;
    }
    TagSighting &tag = m_sightings[*found];
    ++tag.count;
    tag.lastSeen = when;
    tag.lastLevel = level;
    return true;
}

void CTagRegistry::clear()
{
    m_sightings.clear();
    m_index.clear();
}

bool CTagRegistry::InRange(const TagSighting &tag, const QDateTime &now)
{
    return tag.lastSeen.msecsTo(now) < kInRangeMs;
}

QByteArray CTagRegistry::ToCsv(const QDateTime &now) const
{
    // The byte-order mark first: spreadsheet programs then read the file as UTF-8.
    QByteArray csv("\xEF\xBB\xBF"
                   "id,count,first_seen,last_seen,in_range\r\n");
    for (const TagSighting &tag : m_sightings) {
        csv += QStringLiteral("%1,%2,%3,%4,%5\r\n")
                   .arg(tag.id)
                   .arg(tag.count)
                   .arg(CLevelCsvRecord::IsoTime(tag.firstSeen), CLevelCsvRecord::IsoTime(tag.lastSeen),
                        InRange(tag, now) ? QStringLiteral("yes") : QStringLiteral("no"))
                   .toUtf8();
    }
    return csv;
}
