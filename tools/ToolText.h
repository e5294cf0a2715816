#pragma once

#include "ZokText.h"

#include <QString>

namespace zok::tools {

// Captions of the dialog templates, which exist in an English and a French version.
inline QString Caption(const char *english, const char *french)
{
    return QString::fromUtf8(SelectedLanguage() == Language::French ? french : english);
}

} // namespace zok::tools
