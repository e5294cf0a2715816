#pragma once

#include "ParameterId.h"

#include <span>

namespace zok {

// The parameters in the order of the sheet's rows. It differs from the model's order: the output
// type and the radio frame format come before the out-of-range delay, next to the operating mode.
std::span<const ParameterId> SheetRowOrder();

// The rows that AppendProperties offers another host: the first seven.
inline constexpr int kAppendedRowCount = 7;

} // namespace zok
