#include "link_search.h"

#include <cstring>

namespace quennel {

size_t FindInText(std::string_view sText, std::string_view sNeedle, LeadByteTable pLead) {
  if (sNeedle.empty() || sNeedle.size() > sText.size()) return std::string_view::npos;
  if (!pLead) return sText.find(sNeedle);
  const size_t last = sText.size() - sNeedle.size();
  size_t i = 0;
  while (i <= last) {
    if (std::memcmp(sText.data() + i, sNeedle.data(), sNeedle.size()) == 0) return i;
    const unsigned char c = static_cast<unsigned char>(sText[i]);
    i += (pLead[c] && i + 1 < sText.size()) ? 2 : 1;
  }
  return std::string_view::npos;
}

}  // namespace quennel
