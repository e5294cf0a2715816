#include "ParameterText.h"

#include "ParameterTable.h"
#include "ZokText.h"

namespace zok {

QString ChoiceText(const ParameterChoice &choice)
{
    return Text(choice.TextId);
}

QString ParameterDisplayText(const CZOKProperties &model, ParameterId id)
{
    if (Parameter(id).Kind == ParameterKind::Byte)
        return QString::number(model.Value(id));
    const int value = model.Value(id);
    for (const auto &choice : model.Choices(id)) {
        if (choice.Value == value)
            return ChoiceText(choice);
    }
    // The combo box's text for a value without an entry.
    return QStringLiteral("N/A");
}

} // namespace zok
