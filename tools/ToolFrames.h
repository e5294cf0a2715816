#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <string>

// Checks of the frames the tool dialogs receive. A frame is data from the line: it is compared
// and parsed, never used as a format.
namespace zok::tools {

// Radio level of a tag report "LL" + identifier + "AA" for the followed identifier, from the
// receiver at `receiverAddress` (0: any receiver).
std::optional<int> ParseTagReport(QStringView text, QStringView followed, int receiverAddress);

// Any tag report "LL" + identifier + "AA" from the receiver at `receiverAddress` (0: any
// receiver), the identifier being an even number (at least two) of upper-case hexadecimal digits.
struct TagReport
{
    QString identifier;
    int level = 0;
    int address = 0;
};
std::optional<TagReport> ParseAnyTagReport(QStringView text, int receiverAddress);

// The radio level request to the receiver at `address`, leading space included.
std::string RadioPollCommand(int address);

// Radio level of a radio scan answer "97" + "LL" + "AA" from the receiver at `receiverAddress`
// (0: any receiver).
std::optional<int> ParseRadioFrame(QStringView text, int receiverAddress);

// An ID filter answer: "OK" + code + value + address, or the three pairs alone.
struct FilterAnswer
{
    QString code;
    QString value;
    int address = 0;
};
std::optional<FilterAnswer> ParseFilterAnswer(QStringView text);

// An ID filter command without its leading space: "[" + code + value + address + "]", the code
// and the address as two upper-case hexadecimal digits, `value` as given (two digits).
QString FilterCommand(int code, QStringView value, int address);

// The step after an answered ID filter read (A0..A6) or an acknowledged write (A8..AE), by
// identifier format (1: 16-bit, 2: 24-bit, other: unknown); nothing when the sequence ends.
std::optional<int> NextFilterRead(int answered, int format);
std::optional<int> NextFilterWrite(int acknowledged, int format);

} // namespace zok::tools
