// The argument text of a program's command line, as both programs read it.
// Portable: no Windows headers.
#pragma once
#include <string>

namespace zarvo {

// The text that follows the program's name in a full command line, as the
// platform hands it over: the (possibly quoted) program name and the blanks
// after it are dropped, the rest stays unchanged.
std::string ArgumentText(const std::string& sFullCommandLine);

}  // namespace zarvo
