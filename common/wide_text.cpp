#include "wide_text.h"

#include <windows.h>

namespace zarvo {

std::wstring WideFromAnsi(const std::string& sText) {
  if (sText.empty()) return std::wstring();
  const int iSize = static_cast<int>(sText.size());
  const int iLength = MultiByteToWideChar(CP_ACP, 0, sText.data(), iSize, nullptr, 0);
  std::wstring wide(static_cast<size_t>(iLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, sText.data(), iSize, &wide[0], iLength);
  return wide;
}

}  // namespace zarvo
