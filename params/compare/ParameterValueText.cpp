#include "ParameterValueText.h"

#include "ParameterTable.h"
#include "ZokText.h"

namespace zok {

QString ParameterValueText(ParameterId id, int modelValue, const CZOKFirmwareVersion &firmware)
{
    if (Parameter(id).Kind == ParameterKind::Byte)
        return QString::number(modelValue & 0xFF);
    for (const auto &choice : ChoicesFor(id, firmware)) {
        if (choice.Value == modelValue)
            return Text(choice.TextId);
    }
    return QStringLiteral("N/A");
}

} // namespace zok
