#pragma once

#include "CZOKFirmwareVersion.h"
#include "ParameterId.h"

#include <QString>

namespace zok {

// A parameter's model value as the parameter grid shows it for `firmware`: a byte in decimal, a
// choice by the text of its entry in that firmware's choice list, "N/A" when no entry has it.
QString ParameterValueText(ParameterId id, int modelValue, const CZOKFirmwareVersion &firmware);

} // namespace zok
