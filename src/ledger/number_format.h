#pragma once

#include "currency.h"

#include <string>

namespace ledger {

// The general number format the program shows computed figures in: at most
// 15 significant digits, no thousands separator, no trailing zeros; exponent
// notation (1E15, 1.5E-6) only beyond 15 integer digits or below 0.00001.
std::string formatGeneral(double value);

// The grid format "￥#.00": full-width yen sign, the integer digits (none for
// a value below 1), always two decimals rounded half away from zero; a minus
// sign goes before the yen sign. 0.5 gives "￥.50", -80 gives "-￥80.00".
std::string formatYuan(Currency value);

} // namespace ledger
