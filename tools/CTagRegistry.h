#pragma once

#include "TagSighting.h"

#include <QByteArray>
#include <QHash>
#include <QStringView>

#include <optional>
#include <vector>

// Every tag identifier heard in the reports of the selected receiver, in the order first heard.
// A report counts by the rules of tag tracking: level, identifier and address in upper-case
// hexadecimal, an identifier of even length, the address of the selected receiver (0: any).
class CTagRegistry
{
public:
    // A tag is in range while its last report is less than this old (the silence rule's 5 s).
    static constexpr qint64 kInRangeMs = 5000;

    // The identifier of a report that is a tag report of `receiverAddress`, else nothing.
    static std::optional<QString> TagOf(QStringView text, int receiverAddress);

    // Counts the report at `when`; false (nothing changes) when it is not a tag report.
    bool record(QStringView text, int receiverAddress, const QDateTime &when);
    void clear();

    const std::vector<TagSighting> &sightings() const { return m_sightings; }
    static bool InRange(const TagSighting &tag, const QDateTime &now);

    // "id,count,first_seen,last_seen,in_range" and one line per tag, ISO-8601 local times, UTF-8
    // with its byte-order mark: the whole of a new file.
    QByteArray ToCsv(const QDateTime &now) const;

private:
    std::vector<TagSighting> m_sightings;
    QHash<QString, std::size_t> m_index;
};
