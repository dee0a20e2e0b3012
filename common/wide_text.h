// Texts of the system's ANSI code page as the wide strings that COM and
// Unicode input take.
#pragma once
#include <string>

namespace zarvo {

std::wstring WideFromAnsi(const std::string& sText);

}  // namespace zarvo
