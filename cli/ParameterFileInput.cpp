#include "ParameterFileInput.h"

#include "CZOKProperties.h"
#include "CliSession.h"
#include "CliStatus.h"
#include "LineText.h"
#include "ParameterFile.h"
#include "ParameterFileProblem.h"

#include <QFile>

namespace zok::cli {

namespace {
constexpr int kCannotReadText = 319;
constexpr int kBadLineText = 320;
constexpr int kMissingKeyText = 321;
} // namespace

int LoadWholeParameterFile(CliSession &session, const QString &path, CZOKProperties &model)
{
    const std::string local = QFile::encodeName(path).toStdString();
    CZOKProperties loaded = model;
    const LoadResult result = zok::LoadParameterFile(local, loaded);
    if (result.Outcome == LoadOutcome::Loaded) {
        model = loaded;
        return kSuccess;
    }
    const auto problem =
        result.Outcome == LoadOutcome::ContentError ? zok::FindParameterFileProblem(local) : std::nullopt;
    if (!problem)
        return session.Fail(kUsage, FillText(kCannotReadText, {path}));
    const QString key = QString::fromStdString(problem->key);
    if (problem->line == 0)
        return session.Fail(kUsage, FillText(kMissingKeyText, {path, key}));
    return session.Fail(kUsage, FillText(kBadLineText, {path, QString::number(problem->line), key}));
}

} // namespace zok::cli
