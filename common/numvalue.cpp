#include "numvalue.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace zarvo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

double NumericValue(const std::string& sText) {
  size_t i = 0;
  const size_t n = sText.size();
  while (i < n && IsBlank(sText[i])) ++i;

  std::string sNumber;
  if (i < n && (sText[i] == '+' || sText[i] == '-')) sNumber += sText[i++];
  size_t iDigits = 0;
  while (i < n && IsDigit(sText[i])) {
    sNumber += sText[i++];
    ++iDigits;
  }
  if (i < n && sText[i] == '.') {
    sNumber += sText[i++];
    while (i < n && IsDigit(sText[i])) {
      sNumber += sText[i++];
      ++iDigits;
    }
  }
  if (iDigits == 0) return 0.0;

  // An exponent counts only when at least one digit follows it.
  if (i < n && (sText[i] == 'e' || sText[i] == 'E')) {
    size_t j = i + 1;
    std::string sExp = "e";
    if (j < n && (sText[j] == '+' || sText[j] == '-')) sExp += sText[j++];
    if (j < n && IsDigit(sText[j])) {
      while (j < n && IsDigit(sText[j])) sExp += sText[j++];
      sNumber += sExp;
    }
  }
  double dValue = std::strtod(sNumber.c_str(), nullptr);
  if (std::isnan(dValue)) return 0.0;
  return dValue;
}

bool IsFlagSet(const std::string& sText) { return NumericValue(sText) == 1.0; }

const char* FlagText(bool bSet) { return bSet ? "1" : "0"; }

int WholeNumber(double dValue) {
  if (!(dValue == dValue)) return 0;
  const double dMax = static_cast<double>(std::numeric_limits<int>::max());
  const double dMin = static_cast<double>(std::numeric_limits<int>::min());
  if (dValue >= dMax) return std::numeric_limits<int>::max();
  if (dValue <= dMin) return std::numeric_limits<int>::min();
  return static_cast<int>(std::nearbyint(dValue));
}

}  // namespace zarvo
