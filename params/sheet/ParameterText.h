#pragma once

#include "CZOKFirmwareVersion.h"
#include "CZOKProperties.h"
#include "ParameterInfo.h"

#include <QString>

// The texts of the parameter values exactly as the parameter grid shows them, without the grid:
// for any front end that lists the parameters (the command-line tool) and for checking the grid.
namespace zok {

// The text of one entry of a choice parameter.
QString ChoiceText(const ParameterChoice &choice);

// What the grid's value column shows for `modelValue` of `id` under `firmware`: a byte parameter's
// decimal value, a choice parameter's text among the choices that firmware offers, "N/A" for a
// value none of them has.
QString ParameterValueText(ParameterId id, int modelValue, const CZOKFirmwareVersion &firmware);
// The same for the value and firmware that `model` holds.
QString ParameterDisplayText(const CZOKProperties &model, ParameterId id);

} // namespace zok
