#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace zok {

// One receiver of a clone, as the result table and the CSV file show it.
struct CloneResult
{
    enum class Outcome { Verified, Identical, Failed, Cancelled };

    std::uint8_t Address = 0;
    QString Firmware; // the version text of its last good read; empty when never read
    int Written = 0;  // parameters whose write it acknowledged
    Outcome Result = Outcome::Cancelled;
    QString Failure;           // for Failed: "Failed at <step>: <error text>"
    bool SpeedChanged = false; // its new speed (RX_VITESSE) was written and verified

    QString AddressText() const;
    QString ResultText() const;
};

// The result table as CSV (RFC 4180): a header line, one line per receiver, CR LF line ends, a
// field quoted when it holds a comma, a quote or a line break, quotes doubled inside.
QString CloneCsv(const std::vector<CloneResult> &results);
QString CsvField(const QString &field);
// Writes CloneCsv in UTF-8 to `path`; false when the file cannot be written.
bool SaveCloneCsv(const QString &path, const std::vector<CloneResult> &results);

} // namespace zok
