// How the add-ons read numbers and flags out of their INI files.
// Portable: no Windows headers, so it builds and is tested natively too.
#pragma once
#include <string>

namespace zarvo {

// The numeric value of a stored text: leading blanks are skipped, the number
// runs as far as the characters can continue a decimal number (sign, digits,
// one decimal point, an exponent), and a text without a number counts as 0.
double NumericValue(const std::string& sText);

// A flag is set only when its numeric value is exactly 1.
bool IsFlagSet(const std::string& sText);

// Flags are written as "0" or "1".
const char* FlagText(bool bSet);

// The numeric value rounded to a whole number (halves to even), clamped to the
// range of int so that a hand-edited value of any size stays harmless.
int WholeNumber(double dValue);

}  // namespace zarvo
