#include "ParameterText.h"

#include "ParameterTable.h"
#include "ZokText.h"

namespace zok {

QString ChoiceText(const ParameterChoice &choice)
{
    return Text(choice.TextId);
}

QString ParameterValueText(ParameterId id, int modelValue, const CZOKFirmwareVersion &firmware)
{
    if (Parameter(id).Kind == ParameterKind::Byte)
        return QString::number(modelValue & 0xFF);
    for (const auto &choice : ChoicesFor(id, firmware)) {
        if (choice.Value == modelValue)
            return ChoiceText(choice);
    }
    // The combo box's text for a value without an entry.
    return QStringLiteral("N/A");
}

QString ParameterDisplayText(const CZOKProperties &model, ParameterId id)
{
    return ParameterValueText(id, model.Value(id), model.FirmwareVersion());
}

} // namespace zok
