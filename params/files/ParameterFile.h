#pragma once

#include "ParameterFileOutcome.h"

#include <string>

class CIniEx;
class CZOKProperties;

// Parameter files: the 22 parameter bytes as "KEY=XX" lines of the section "ZOK_PARAMETERS" of
// an INI file, keys in the file key order.
namespace zok {

inline constexpr const char *kParameterSection = "ZOK_PARAMETERS";

// Writes the model's values as they stand into `path`, creating the file when absent. The
// section is rebuilt and placed last; the file's other sections and keys are kept in order.
SaveOutcome SaveParameterFile(const std::string &path, const CZOKProperties &props);

// Reads `path` and applies its keys to the model in file key order, stopping at the first key
// that is missing or not a number (see ParseParameterFileValue); the keys before it stay applied.
// Values are not range-checked: any byte is stored. Neither support nor firmware is looked at:
// the sheet resets unsupported parameters when it is rebuilt afterwards.
LoadResult LoadParameterFile(const std::string &path, CZOKProperties &props);

// The applying step of LoadParameterFile, on a store that is already loaded.
LoadResult ApplyParameterSection(const CIniEx &ini, CZOKProperties &props);

} // namespace zok
