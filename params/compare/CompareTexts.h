#pragma once

#include "CompareRow.h"

#include <QString>

// The texts of comparison rows, in the selected language.
namespace zok {

QString CompareStatusText(CompareStatus status);
// Empty for NotWritten.
QString VerifyStatusText(VerifyStatus status);
// The status column of a row: its status, and for RX_VITESSE while it cannot be ticked for lack of
// speed configuration, why.
QString RowStatusText(const CompareRow &row);

} // namespace zok
