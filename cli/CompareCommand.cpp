#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "CompareListing.h"
#include "FileComparison.h"
#include "ParameterFileInput.h"
#include "ZokText.h"

#include <QFile>

namespace zok::cli {

namespace {
constexpr int kNoDifferenceText = 339;
} // namespace

CommandResult RunCompare(CliSession &session)
{
    CommandResult result;
    const QString path = session.Options().arguments.value(0);
    CZOKProperties file;
    if ((result.status = LoadWholeParameterFile(session, path, file)) != kSuccess ||
        (result.status = session.Open()) != kSuccess ||
        (result.status = session.ReadParameters()) != kSuccess)
        return result;
    const zok::FileComparison comparison =
        zok::CompareWithFile(QFile::encodeName(path).toStdString(), session.Model(), false);
    const auto &rows = comparison.Rows;
    result.json[QStringLiteral("file")] = path;
    result.json[QStringLiteral("parameters")] = CompareJson(rows);
    const int differences = CountDifferences(rows);
    result.json[QStringLiteral("differences")] = differences;
    result.text = differences == 0 ? zok::Text(kNoDifferenceText) + u'\n' : CompareTableText(rows, false);
    // Only a value the receiver could hold and does not is a difference; parameters it does not
    // report or support are listed, but a script's question "is it at these settings" is answered.
    if (differences > 0)
        result.status = kDifference;
    return result;
}

} // namespace zok::cli
