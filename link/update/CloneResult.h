#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace zok {

// One receiver of a clone, as the result table and the CSV file show it.
struct CloneResult
{
    // DifferencesLeft: everything written verified, but some rows still differ and could not be
    // written (the speed without speed configuration); not counted as verified.
    enum class Outcome { Verified, Identical, DifferencesLeft, Failed, Cancelled };

    std::uint8_t Address = 0;
    QString Firmware; // the version text of its last good read; empty when never read
    int Written = 0;  // parameters whose write it acknowledged
    Outcome Result = Outcome::Cancelled;
    QString Failure;           // for Failed: "Failed at <step>: <error text>"
    int LeftCount = 0;         // for DifferencesLeft: the rows still different ...
    QString LeftReason;        // ... each named with why it was not written
    bool SpeedChanged = false; // its new speed (RX_VITESSE) was written and verified
    // The speed it acknowledged, which it now listens at, when the batch has ended with the line
    // at another speed; 0 when it listens at the line's speed.
    int OtherBaud = 0;

    QString AddressText() const;
    QString ResultText() const;
    // OtherBaud as text, empty when 0.
    QString SpeedText() const;
    // Fully verified, or already holding the file.
    bool Holds() const { return Result == Outcome::Verified || Result == Outcome::Identical; }
};

// The result table as CSV (RFC 4180): a header line, one line per receiver, CR LF line ends, a
// field quoted when it holds a comma, a quote or a line break, quotes doubled inside.
QString CloneCsv(const std::vector<CloneResult> &results);
QString CsvField(const QString &field);
// Writes CloneCsv to `path` as a new file: UTF-8 with a byte-order mark, so that spreadsheet
// programs read the accents of the French texts. False when the file cannot be written.
bool SaveCloneCsv(const QString &path, const std::vector<CloneResult> &results);
// The string ids of the table's column titles, in order: the dialog's and the CSV's.
const std::vector<int> &CloneColumnTextIds();

} // namespace zok
