#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Checks of the frames the tool dialogs receive. A frame is data from the line: it is compared
// and parsed, never used as a format.
namespace zok::tools {

// Radio level of a tag report "LL" + identifier + "AA" for the followed identifier, from the
// receiver at `receiverAddress` (0: any receiver).
std::optional<int> ParseTagReport(QStringView text, QStringView followed, int receiverAddress);

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

// The step after an answered ID filter read (A0..A6) or an acknowledged write (A8..AE), by
// identifier format (1: 16-bit, 2: 24-bit, other: unknown); nothing when the sequence ends.
std::optional<int> NextFilterRead(int answered, int format);
std::optional<int> NextFilterWrite(int acknowledged, int format);

} // namespace zok::tools
