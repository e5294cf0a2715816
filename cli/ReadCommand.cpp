#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "LineText.h"
#include "ParameterFile.h"
#include "ParameterListing.h"
#include "ZokText.h"

#include <QFile>

namespace zok::cli {

namespace {
constexpr int kFirmwareHeading = 330;
constexpr int kCannotWriteText = 322;
constexpr int kSavedText = 347;
} // namespace

CommandResult RunRead(CliSession &session)
{
    CommandResult result;
    if ((result.status = session.Open()) != kSuccess ||
        (result.status = session.ReadParameters()) != kSuccess)
        return result;
    const CZOKProperties &model = session.Model();
    const QString firmware = session.Engine().FirmwareText();
    result.json[QStringLiteral("firmware")] = firmware;
    result.json[QStringLiteral("parameters")] = ParameterJson(model);
    result.text = zok::Text(kFirmwareHeading) + QStringLiteral(": ") + firmware.trimmed() + u'\n' +
                  ParameterTableText(model);
    const QString &save = session.Options().saveFile;
    if (save.isEmpty())
        return result;
    // The window's Save writes the model as it stands after its read; so does this.
    if (zok::SaveParameterFile(QFile::encodeName(save).toStdString(), model) != zok::SaveOutcome::Saved) {
        result.status = session.Fail(kUsage, FillText(kCannotWriteText, {save}));
        return result;
    }
    result.json[QStringLiteral("saved")] = save;
    result.text += FillText(kSavedText, {save}) + u'\n';
    return result;
}

} // namespace zok::cli
